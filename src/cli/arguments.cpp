#include "cli/arguments.h"

#ifdef _WIN32
// windows.h must come first: shellapi.h relies on its declarations.
#include <windows.h>

#include <shellapi.h>

#include <filesystem>

#include "tables/table_file.h"
#endif

namespace sallowmere {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; wide != nullptr && i < count; ++i) {
    arguments.push_back(BytesFromPath(std::filesystem::path(wide[i])));
  }
  LocalFree(wide);
  return arguments;
#else
  return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

}  // namespace sallowmere
