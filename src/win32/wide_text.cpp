#include "win32/wide_text.h"

#include <filesystem>

#include "tables/table_file.h"

namespace sallowmere::win32 {

std::wstring TableText(std::string_view bytes) {
  std::wstring text(bytes.size(), L'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) text[i] = static_cast<unsigned char>(bytes[i]);
  return text;
}

std::optional<std::string> CodeBytes(std::wstring_view text) {
  std::string bytes(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] > 0xFF) return std::nullopt;
    bytes[i] = static_cast<char>(text[i]);
  }
  return bytes;
}

std::wstring PathText(std::string_view utf8) { return PathFromBytes(utf8).wstring(); }

std::string PathBytes(std::wstring_view path) { return BytesFromPath(std::filesystem::path(path)); }

std::wstring ToWide(const MessageText& text) {
  std::wstring shown;
  for (const MessageText::Piece& piece : text.pieces) {
    shown += piece.kind == TextKind::kPath ? PathText(piece.bytes) : TableText(piece.bytes);
  }
  return shown;
}

}  // namespace sallowmere::win32
