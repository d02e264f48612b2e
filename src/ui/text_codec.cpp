#include "ui/text_codec.h"

#include <QFile>

namespace sallowmere::ui {

QString DisplayText(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::optional<std::string> CodeBytes(const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() > 0xFF) return std::nullopt;
  }
  const QByteArray latin1 = text.toLatin1();
  return std::string(latin1.constData(), static_cast<std::size_t>(latin1.size()));
}

std::string PathBytes(const QString& path) {
#ifdef _WIN32
  const QByteArray bytes = path.toUtf8();
#else
  const QByteArray bytes = QFile::encodeName(path);
#endif
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString PathText(std::string_view bytes) {
  const QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
#ifdef _WIN32
  return QString::fromUtf8(raw);
#else
  return QFile::decodeName(raw);
#endif
}

QString ToQString(const MessageText& text) {
  QString shown;
  for (const MessageText::Piece& piece : text.pieces) {
    shown += piece.kind == TextKind::kPath ? PathText(piece.bytes) : DisplayText(piece.bytes);
  }
  return shown;
}

}  // namespace sallowmere::ui
