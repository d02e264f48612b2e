#include "qt/folder_list.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QSignalBlocker>

#include "qt/text_codec.h"

namespace sallowmere::qt {
namespace {

constexpr int kPositionRole = Qt::UserRole;

// A folder drawn at 16 and 32 pixels in the palette's colours: a tab over a body, and for the open
// one a lighter flap across its front. Drawn, not looked up in the desktop's icon theme, which
// reads thousands of files at start on a desktop with many themes.
QIcon FolderIcon(bool open) {
  QIcon icon;
  for (const int size : {16, 32}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    const QColor body(214, 172, 82);
    painter.setPen(QPen(body.darker(150), 0.8));
    painter.setBrush(body.darker(110));
    painter.drawRoundedRect(QRectF(1.5, 2.5, 6, 3), 1, 1);  // the tab
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(1.5, 4, 13, 9.5), 1, 1);
    if (open) {
      painter.setBrush(body.lighter(125));
      painter.drawPolygon(
          QPolygonF({QPointF(3.5, 7), QPointF(15.5, 7), QPointF(14, 13.5), QPointF(1.5, 13.5)}));
    }
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

FolderList::FolderList(QWidget* parent)
    : QTreeWidget(parent), open_icon_(FolderIcon(true)), folder_icon_(FolderIcon(false)) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setIndentation(12);
  setUniformRowHeights(true);
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
    item->setIcon(0, entry.open ? open_icon_ : folder_icon_);
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
