#include "ui/folder_list.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QStyle>

namespace sallowmere::ui {
namespace {

constexpr int kPathRole = Qt::UserRole;

QTreeWidgetItem* AddFolder(QTreeWidget* tree, QTreeWidgetItem* parent, const QString& name,
                           const QString& path, QStyle::StandardPixmap icon) {
  auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
  item->setText(0, name);
  item->setData(0, kPathRole, path);
  item->setIcon(0, tree->style()->standardIcon(icon));
  item->setToolTip(0, QDir::toNativeSeparators(path));
  return item;
}

}  // namespace

FolderList::FolderList(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setIndentation(12);
  setUniformRowHeights(true);
  // Every folder shown is always open, so expand arrows would promise something they cannot do.
  setStyleSheet(QStringLiteral("QTreeView::branch { image: none; border-image: none; }"));
  connect(this, &QTreeWidget::itemActivated, this, &FolderList::Open);
}

bool FolderList::SetPath(const QString& path, QString* problem) {
  const QFileInfo folder(path);
  if (!folder.isDir() || !folder.isReadable() || !QDir(folder.absoluteFilePath()).isReadable()) {
    if (problem != nullptr) {
      *problem =
          QStringLiteral("The folder %1 cannot be read.").arg(QDir::toNativeSeparators(path));
    }
    return false;
  }
  path_ = QDir::cleanPath(folder.absoluteFilePath());
  List();
  return true;
}

void FolderList::Open(QTreeWidgetItem* item) {
  const QString path = item->data(0, kPathRole).toString();
  if (path == path_) {
    emit OpenFolderActivated();
    return;
  }
  QString problem;
  if (!SetPath(path, &problem)) emit OpenFailed(problem);
}

void FolderList::List() {
  clear();
  // The chain from the root down to the current folder, each folder under the one above it.
  QStringList chain;
  for (QDir dir(path_);;) {
    chain.prepend(dir.absolutePath());
    if (!dir.cdUp()) break;
  }
  QTreeWidgetItem* parent = nullptr;
  for (const QString& folder : chain) {
    const QString name =
        QDir(folder).isRoot() ? QDir::toNativeSeparators(folder) : QFileInfo(folder).fileName();
    parent = AddFolder(this, parent, name, folder, QStyle::SP_DirOpenIcon);
  }
  QTreeWidgetItem* current = parent;
  const QStringList children =
      QDir(path_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QString& child : children) {
    AddFolder(this, current, child, QDir(path_).filePath(child), QStyle::SP_DirIcon);
  }
  expandAll();
  setCurrentItem(current);
  scrollToItem(current, QAbstractItemView::PositionAtTop);
}

}  // namespace sallowmere::ui
