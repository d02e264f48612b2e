#include "cli/arguments.h"

#ifdef _WIN32
// windows.h must come first: shellapi.h relies on its declarations.
#include <windows.h>

#include <shellapi.h>
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
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(size > 0 ? static_cast<std::size_t>(size - 1) : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, utf8.data(), size, nullptr, nullptr);
    arguments.push_back(std::move(utf8));
  }
  LocalFree(wide);
  return arguments;
#else
  return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

}  // namespace sallowmere
