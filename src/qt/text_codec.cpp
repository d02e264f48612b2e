#include "qt/text_codec.h"

#include <QFile>

#include "tables/utf16.h"

namespace sallowmere::qt {

QString TableText(std::string_view bytes) { return QString::fromStdU16String(TableUnits(bytes)); }

std::optional<std::string> CodeBytes(const QString& text) {
  return TableBytes(text.toStdU16String());
}

QString PathText(std::string_view bytes) { return QString::fromStdU16String(PathUnits(bytes)); }

QString ToQString(const MessageText& text) { return QString::fromStdU16String(MessageUnits(text)); }

std::filesystem::path PathOfText(const QString& text) {
  return std::filesystem::path(QFile::encodeName(text).toStdString());
}

}  // namespace sallowmere::qt
