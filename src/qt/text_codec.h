#pragma once

// The core's texts (tables/utf16.h) as QStrings. Used by the Qt window.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "tables/message_text.h"

namespace sallowmere::qt {

// Codes and other table bytes as the window shows them, one byte one character (TableUnits).
QString DisplayText(std::string_view bytes);

// The bytes of a code the user typed, or std::nullopt when the text holds a character beyond
// U+00FF, which no code can contain (TableBytes).
std::optional<std::string> CodeBytes(const QString& text);

// A path's bytes as a person reads them (PathUnits).
QString PathText(std::string_view bytes);

// A text of table bytes and paths, each piece shown as its kind says (MessageUnits).
QString ToQString(const MessageText& text);

}  // namespace sallowmere::qt
