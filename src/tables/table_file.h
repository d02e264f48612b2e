#pragma once

// Reading one table file's bytes safely, and paths as the core takes them. Used by the loaders
// and the folder check.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace sallowmere {

// The file-system path that `bytes` names: the bytes as they are on POSIX, read as UTF-8 on
// Windows.
std::filesystem::path PathFromBytes(std::string_view bytes);

// The bytes of `path`: as they are on POSIX, as UTF-8 on Windows.
std::string BytesFromPath(const std::filesystem::path& path);

// The largest table file the loaders read: far above any real table (501 rows of 501 fields),
// small enough that a wrong file cannot exhaust memory.
inline constexpr std::uintmax_t kMaxTableBytes = 64 * 1024 * 1024;

// Reads the whole content of the file at `path` into `text`, as bytes, without blocking on
// anything that is not a regular file. `text`'s memory is reused where it is large enough. Throws
// LoadError naming `file_name`: read error when the file cannot be opened or read or is not a
// regular file; file too large when it holds more than kMaxTableBytes (refused before it is read).
void ReadTableFile(const std::filesystem::path& path, std::string_view file_name,
                   std::string& text);

}  // namespace sallowmere
