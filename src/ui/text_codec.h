#pragma once

// Bytes of codes and paths as the window shows them, and back. Used by Form1.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace sallowmere::ui
