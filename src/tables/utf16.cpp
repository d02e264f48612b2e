#include "tables/utf16.h"

#include <iterator>

namespace sallowmere {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(char32_t c, std::u16string& out) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

// The character whose UTF-8 begins at `at` of `bytes`, and moves `at` past it; a byte that begins
// no sequence (or a sequence too long for its character) gives U+FFFD and moves one byte.
char32_t NextCharacter(std::string_view bytes, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  const int length = lead < 0x80                   ? 1
                     : lead >= 0xC2 && lead < 0xE0 ? 2
                     : lead >= 0xE0 && lead < 0xF0 ? 3
                     : lead >= 0xF0 && lead < 0xF5 ? 4
                                                   : 0;
  if (length == 0 || at + length > bytes.size()) {
    ++at;
    return length == 1 ? lead : kReplacement;
  }
  char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
  for (int i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      ++at;
      return kReplacement;
    }
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < kLeast[length] || c > 0x10FFFF) {
    ++at;
    return kReplacement;
  }
  at += length;
  return c;
}

}  // namespace

namespace {

// The characters Windows-1252 gives bytes 0x80 to 0x9F. Its five undefined bytes (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) keep the control character of the same number, as Windows maps them, so that
// every byte round-trips.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t TableUnit(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t{byte};
}

std::optional<char> TableByte(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (std::size_t i = 0; i < std::size(kHighControls); ++i) {
    if (kHighControls[i] == unit) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace

std::u16string TableUnits(std::string_view bytes) {
  std::u16string units(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    units[i] = TableUnit(static_cast<unsigned char>(bytes[i]));
  }
  return units;
}

std::optional<std::string> TableBytes(std::u16string_view units) {
  std::string bytes(units.size(), '\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const std::optional<char> byte = TableByte(units[i]);
    if (!byte) return std::nullopt;
    bytes[i] = *byte;
  }
  return bytes;
}

std::string Utf8OfUtf16(std::u16string_view units) {
  std::string bytes;
  bytes.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    }
    AppendUtf8(c, bytes);
  }
  return bytes;
}

std::u16string Utf16OfUtf8(std::string_view bytes) {
  std::u16string units;
  units.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) AppendUtf16(NextCharacter(bytes, at), units);
  return units;
}

std::u16string PathUnits(std::string_view bytes) {
  std::u16string units = Utf16OfUtf8(bytes);
  // A surrogate left alone here is one that stood alone in the name: it shows as nothing.
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool high = units[i] >= 0xD800 && units[i] < 0xDC00;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      ++i;
    } else if (IsSurrogate(units[i])) {
      units[i] = kReplacement;
    }
  }
  return units;
}

std::u16string MessageUnits(const MessageText& text) {
  std::u16string shown;
  for (const MessageText::Piece& piece : text.pieces) {
    shown += piece.kind == TextKind::kPath ? PathUnits(piece.bytes) : TableUnits(piece.bytes);
  }
  return shown;
}

}  // namespace sallowmere
