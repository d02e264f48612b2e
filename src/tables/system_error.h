#pragma once

// Why the system refused something, in its own words: the reason a table, a folder or the
// output could not be read or written. Used by the file readers and the command line.

#include <string>

namespace sallowmere {

// The C library's text for `error` (an errno value).
std::string ErrnoText(int error);

#ifdef _WIN32
// The system's text for `error` (a GetLastError value), in the user's language, as UTF-8 without
// its trailing period and line end; "error N" when the system has none.
std::string WindowsErrorText(unsigned long error);

// WindowsErrorText of GetLastError().
std::string LastWindowsErrorText();
#endif

}  // namespace sallowmere
