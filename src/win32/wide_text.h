#pragma once

// Text between the core's bytes and the Windows API's UTF-16. Used by the Win32 window.

#include <optional>
#include <string>
#include <string_view>

#include "window/side_effects.h"

namespace sallowmere::win32 {

// Table bytes as the window shows them: one byte, one character (Latin-1), so every code shows
// and round-trips exactly.
std::wstring TableText(std::string_view bytes);

// The bytes of a code the user typed, or std::nullopt when the text holds a character beyond
// U+00FF, which no code can contain.
std::optional<std::string> CodeBytes(std::wstring_view text);

// A path as the core takes it on Windows (UTF-8), and back.
std::wstring PathText(std::string_view utf8);
std::string PathBytes(std::wstring_view path);

// A text of table bytes and paths, each piece shown as its kind says.
std::wstring ToWide(const MessageText& text);

}  // namespace sallowmere::win32
