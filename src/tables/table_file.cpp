#include "tables/table_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "tables/load_error.h"

namespace sallowmere {

std::filesystem::path PathFromBytes(std::string_view bytes) {
#ifdef _WIN32
  // Paths reach the core as UTF-8 from the window and the command line.
  return std::filesystem::path(std::u8string(bytes.begin(), bytes.end()));
#else
  return std::filesystem::path(std::string(bytes));
#endif
}

std::string BytesFromPath(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
#else
  return path.string();
#endif
}

std::string ReadTableFile(const std::filesystem::path& path, std::string_view file_name) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw LoadError(std::string(file_name), 0, LoadCause::kReadError,
                    std::string("cannot open the file: ") + std::strerror(errno));
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    throw LoadError(std::string(file_name), 0, LoadCause::kReadError,
                    std::string("cannot read the file: ") + std::strerror(errno));
  }
  return text;
}

}  // namespace sallowmere
