#pragma once

// The core's texts (tables/utf16.h) as the Windows API's wide strings. Used by the Win32 window.

#include <optional>
#include <string>
#include <string_view>

#include "tables/message_text.h"

namespace sallowmere::win32 {

// Table bytes as the window shows them, one byte one character (TableUnits).
std::wstring TableText(std::string_view bytes);

// The bytes of a code the user typed, or std::nullopt when the text holds a character beyond
// U+00FF, which no code can contain (TableBytes).
std::optional<std::string> CodeBytes(std::wstring_view text);

// A path's bytes as a person reads them (PathUnits).
std::wstring PathText(std::string_view bytes);

// A text of table bytes and paths, each piece shown as its kind says (MessageUnits).
std::wstring ToWide(const MessageText& text);

}  // namespace sallowmere::win32
