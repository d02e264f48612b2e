#include "qt/folder_list.h"

#include <QSignalBlocker>
#include <QStyle>

#include "qt/text_codec.h"

namespace sallowmere::qt {
namespace {

constexpr int kPositionRole = Qt::UserRole;

}  // namespace

FolderList::FolderList(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setIndentation(12);
  setUniformRowHeights(true);
  // Every folder shown is always open, so expand arrows would promise something they cannot do.
  setStyleSheet(QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));
  connect(this, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { emit Activated(item->data(0, kPositionRole).toInt()); });
}

void FolderList::SetEntries(const std::vector<window::FolderEntry>& entries, int open_index) {
  const QSignalBlocker quiet(this);
  clear();
  std::vector<QTreeWidgetItem*> at_depth;  // the last item made at each depth
  QTreeWidgetItem* open = nullptr;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const window::FolderEntry& entry = entries[i];
    const std::size_t depth = static_cast<std::size_t>(entry.depth);
    auto* item = depth == 0 || depth > at_depth.size() ? new QTreeWidgetItem(this)
                                                       : new QTreeWidgetItem(at_depth[depth - 1]);
    item->setText(0, PathText(entry.name));
    item->setData(0, kPositionRole, static_cast<int>(i));
    item->setIcon(0,
                  style()->standardIcon(entry.open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirIcon));
    at_depth.resize(depth);
    at_depth.push_back(item);
    if (static_cast<int>(i) == open_index) open = item;
  }
  expandAll();
  if (open != nullptr) {
    setCurrentItem(open);
    scrollToItem(open, QAbstractItemView::PositionAtTop);
  }
}

}  // namespace sallowmere::qt
