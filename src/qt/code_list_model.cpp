#include "qt/code_list_model.h"

#include "qt/text_codec.h"

namespace sallowmere::qt {

void CodeListModel::SetCodes(const SortedCodes& codes) {
  beginResetModel();
  codes_ = codes;
  endResetModel();
}

int CodeListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(codes_.Entries().size());
}

QVariant CodeListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const IndexEntry& entry = codes_.Entries()[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole: return TableText(entry.code);
    case Qt::ToolTipRole: return TableText(codes_.ItemText(entry));
    case Qt::UserRole: return int{entry.origin_tag};
    default: return {};
  }
}

}  // namespace sallowmere::qt
