#include "cli/arguments.h"

#include <sstream>

#ifdef _WIN32
// windows.h must come first: shellapi.h relies on its declarations.
#include <windows.h>

#include <shellapi.h>

#include <filesystem>

#include "tables/table_file.h"
#include "tables/utf16.h"
#endif

namespace sallowmere {

void MendFolderArgument(std::vector<std::string>& arguments, std::size_t folder_at) {
  if (folder_at >= arguments.size()) return;
  std::string& folder = arguments[folder_at];
  const std::size_t quote = folder.find('"');
  if (quote == std::string::npos) return;
  std::istringstream rest(folder.substr(quote + 1));
  folder.resize(quote);
  std::vector<std::string> following;
  for (std::string word; rest >> word;) following.push_back(word);
  arguments.insert(arguments.begin() + static_cast<std::ptrdiff_t>(folder_at + 1),
                   following.begin(), following.end());
}

std::vector<std::string> CommandLineArguments(int argc, char** argv, std::size_t folder_at) {
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
  MendFolderArgument(arguments, folder_at);
  // Codes and patterns are compared with table bytes, which Windows writes as Windows-1252; a
  // character that has no such byte stays UTF-8, as a table saved in UTF-8 holds it.
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i == folder_at) continue;
    if (auto bytes = TableBytes(Utf16OfUtf8(arguments[i]))) arguments[i] = std::move(*bytes);
  }
  return arguments;
#else
  (void)folder_at;
  return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

}  // namespace sallowmere
