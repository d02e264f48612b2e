#pragma once

// The window's folder browser (Dir1). Used by Form1.

#include <QString>
#include <QTreeWidget>

namespace sallowmere::ui {

// A folder browser: the current folder with the folders above it, then the folders inside it.
// Activating a folder (double click or Enter) makes it the current folder; activating the
// current folder itself signals OpenFolderActivated.
class FolderList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit FolderList(QWidget* parent = nullptr);

  // The current folder, an absolute path with "/" separators.
  QString Path() const { return path_; }

  // Makes `path` the current folder and lists it. When it is not a folder that can be read,
  // returns false with a message for the user in `problem`, and stays where it was.
  bool SetPath(const QString& path, QString* problem);

 signals:
  // A folder the user activated could not be opened; `problem` says why.
  void OpenFailed(const QString& problem);

  // The user activated the folder that is already the current one.
  void OpenFolderActivated();

 private:
  void Open(QTreeWidgetItem* item);
  void List();

  QString path_;
};

}  // namespace sallowmere::ui
