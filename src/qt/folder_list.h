#pragma once

// The Qt window's folder list (Dir1): shows the lines the behaviour gives it, as a tree of
// folders, and reports which line the user activates.

#include <QIcon>
#include <QTreeWidget>
#include <vector>

#include "window/folder_browser.h"

namespace sallowmere::qt {

// The open folder under the folders above it, the folders inside it under the open one. Every
// folder shown is always expanded.
class FolderList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit FolderList(QWidget* parent = nullptr);

  // Shows `entries` with the line at `open_index` current and scrolled to the top.
  void SetEntries(const std::vector<window::FolderEntry>& entries, int open_index);

 signals:
  // The user activated (double click or Enter) the line at `position` of the entries.
  void Activated(int position);

 private:
  // The two icons every line shows one of, made once: an icon per line would draw its images
  // again for each.
  QIcon open_icon_;
  QIcon folder_icon_;
};

}  // namespace sallowmere::qt
