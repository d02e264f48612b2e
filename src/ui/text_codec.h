#pragma once

// Bytes of codes and paths as the Qt window shows them, and back. Used by Form1Window.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "window/side_effects.h"

namespace sallowmere::ui {

// Codes and other table bytes as the window shows them: one byte, one character (Latin-1), so
// every code shows and round-trips exactly.
QString DisplayText(std::string_view bytes);

// The bytes of a code the user typed, or std::nullopt when the text holds a character beyond
// U+00FF, which no code can contain.
std::optional<std::string> CodeBytes(const QString& text);

// A path as the core takes it (the file system's bytes on POSIX, UTF-8 on Windows), and back.
std::string PathBytes(const QString& path);
QString PathText(std::string_view bytes);

// A text of table bytes and paths, each piece shown as its kind says.
QString ToQString(const MessageText& text);

}  // namespace sallowmere::ui
