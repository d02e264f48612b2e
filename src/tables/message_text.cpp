#include "tables/message_text.h"

namespace sallowmere {

MessageText& MessageText::Table(std::string_view bytes) {
  pieces.push_back({TextKind::kTable, std::string(bytes)});
  return *this;
}

MessageText& MessageText::Path(std::string_view bytes) {
  pieces.push_back({TextKind::kPath, std::string(bytes)});
  return *this;
}

std::string MessageText::Bytes() const {
  std::string joined;
  for (const Piece& piece : pieces) joined += piece.bytes;
  return joined;
}

}  // namespace sallowmere
