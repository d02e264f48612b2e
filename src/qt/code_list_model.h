#pragma once

// The codes both of the window's code lists show, as one Qt item model: each row made into text
// only when a view asks for it, so ten thousand codes cost no widget item each.

#include <QAbstractListModel>

#include "index/sorted_codes.h"

namespace sallowmere::qt {

// Row r is the r-th entry of the codes in display order. Its display text is the code (one byte,
// one character), its tooltip the entry's ItemText (the item's name over "FILE:LINE"), and
// Qt::UserRole holds its origin tag.
class CodeListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  // Shows `codes` instead of what the model held, as a reset of the model.
  void SetCodes(const SortedCodes& codes);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  SortedCodes codes_;
};

}  // namespace sallowmere::qt
