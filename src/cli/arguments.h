#pragma once

// The command line's arguments as the core takes them, on POSIX and on Windows. Used by the
// CLI's main and the Windows window's.

#include <string>
#include <vector>

namespace sallowmere {

// The command line's arguments after the program name, as the core takes them: as they are on
// POSIX; on Windows read from the wide command line and written as UTF-8, so that folder names
// outside the ANSI code page survive, with the folder at `folder_at` mended by MendFolderArgument.
std::vector<std::string> CommandLineArguments(int argc, char** argv, std::size_t folder_at = 1);

// Mends, in place, the Windows folder argument at `folder_at` that a quote closed too early: the
// command line's rules read `"C:\my mod\"` as `C:\my mod"` and swallow what follows into it. No
// Windows name holds a quote, so the folder ends at the first one; what stood after it, split at
// spaces, becomes the arguments that follow. Nothing changes without a quote.
void MendFolderArgument(std::vector<std::string>& arguments, std::size_t folder_at);

}  // namespace sallowmere
