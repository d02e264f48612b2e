#pragma once

// The command line's arguments as the core takes them, on POSIX and on Windows. Used by the
// CLI's main.

#include <string>
#include <vector>

namespace sallowmere {

// The command line's arguments after the program name, as the core takes them: as they are on
// POSIX; on Windows read from the wide command line and written as UTF-8, so that folder names
// outside the ANSI code page survive.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace sallowmere
