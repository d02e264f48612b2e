#pragma once

// Text between the core's bytes and UTF-16, the code units both windows show: table bytes (one
// byte, one character) and paths (the file system's bytes on POSIX, UTF-8 on Windows). Each
// front end only wraps these in its own string type.

#include <optional>
#include <string>
#include <string_view>

#include "tables/message_text.h"

namespace sallowmere {

// Table bytes as text: each byte the character Windows-1252 gives it (the encoding tables saved
// on Windows are in: 0x92 is ’, 0x80 is €), the five bytes it leaves undefined the control
// character of the same number, so every code shows and round-trips exactly.
std::u16string TableUnits(std::string_view bytes);

// The table bytes of `units`, or std::nullopt when they hold a character that Windows-1252 has
// no byte for, which no table byte shows as.
std::optional<std::string> TableBytes(std::u16string_view units);

// `units` as UTF-8. A lone surrogate, which a Windows file name may hold, is written as the three
// bytes UTF-8 would give its number, so that Utf16OfUtf8 gives it back: every name round-trips.
std::string Utf8OfUtf16(std::u16string_view units);

// The UTF-16 of `bytes`, read as Utf8OfUtf16 writes: a lone surrogate's three bytes give it back,
// and each byte that begins no UTF-8 sequence gives U+FFFD. Never fails.
std::u16string Utf16OfUtf8(std::string_view bytes);

// A path's bytes as a person reads them: UTF-8, with U+FFFD for each byte that is no UTF-8 and
// for each lone surrogate.
std::u16string PathUnits(std::string_view bytes);

// The pieces of `text`, each shown as its kind says (TableUnits or PathUnits).
std::u16string MessageUnits(const MessageText& text);

}  // namespace sallowmere
