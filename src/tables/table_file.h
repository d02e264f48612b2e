#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sallowmere {

// The file-system path that `bytes` names: the bytes as they are on POSIX, read as UTF-8 on
// Windows.
std::filesystem::path PathFromBytes(std::string_view bytes);

// The bytes of `path`: as they are on POSIX, as UTF-8 on Windows.
std::string BytesFromPath(const std::filesystem::path& path);

// The whole content of the file at `path`, read as bytes. Throws LoadError (read error, naming
// `file_name`) when the file cannot be opened or read.
std::string ReadTableFile(const std::filesystem::path& path, std::string_view file_name);

}  // namespace sallowmere
