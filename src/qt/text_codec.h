#pragma once

// The core's texts (tables/utf16.h) as QStrings. Used by the Qt window.

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "tables/message_text.h"

namespace sallowmere::qt {

// Codes and other table bytes as the window shows them, one byte one character (TableUnits).
QString TableText(std::string_view bytes);

// The bytes of a code the user typed, or std::nullopt when the text holds a character that
// Windows-1252 has no byte for, which no code can contain (TableBytes).
std::optional<std::string> CodeBytes(const QString& text);

// A path's bytes as a person reads them (PathUnits).
QString PathText(std::string_view bytes);

// The path a person or the desktop gave as text (a command-line argument, a dropped file), in
// the file system's bytes.
std::filesystem::path PathOfText(const QString& text);

// A text of table bytes and paths, each piece shown as its kind says (MessageUnits).
QString ToQString(const MessageText& text);

}  // namespace sallowmere::qt
