#include "ui/drive_list.h"

#include <QDir>
#include <QStorageInfo>

namespace sallowmere::ui {
namespace {

// Drive letters and folder names ignore letter case on Windows.
#ifdef _WIN32
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

#ifndef _WIN32
// Mount points under these hold the kernel's views and devices, not a user's files.
bool IsSystemMount(const QString& root, const QByteArray& type) {
  static const QStringList kSystemTrees = {"/proc", "/sys", "/dev", "/run"};
  for (const QString& tree : kSystemTrees) {
    if (root == tree || root.startsWith(tree + '/')) return true;
  }
  static const QByteArrayList kPseudoTypes = {
      "proc",       "sysfs",    "devtmpfs", "devpts", "cgroup",      "cgroup2",
      "securityfs", "debugfs",  "tracefs",  "pstore", "bpf",         "mqueue",
      "hugetlbfs",  "configfs", "fusectl",  "autofs", "binfmt_misc", "nsfs"};
  return kPseudoTypes.contains(type);
}
#endif

}  // namespace

QStringList DriveRoots() {
  QStringList roots;
#ifdef _WIN32
  for (const QFileInfo& drive : QDir::drives()) roots << drive.absoluteFilePath();
#else
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || IsSystemMount(volume.rootPath(), volume.fileSystemType())) continue;
    if (!roots.contains(volume.rootPath())) roots << volume.rootPath();
  }
  if (!roots.contains(QStringLiteral("/"))) roots << QStringLiteral("/");
#endif
  roots.sort();
  return roots;
}

QString DriveOf(const QString& path, const QStringList& roots) {
  const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
  QString best;
  qsizetype best_size = -1;
  for (const QString& root : roots) {
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(root));
    const QString prefix = folder.endsWith('/') ? folder : folder + '/';
    const bool holds = clean.compare(folder, kPathCase) == 0 || clean.startsWith(prefix, kPathCase);
    if (holds && folder.size() > best_size) {
      best = root;
      best_size = folder.size();
    }
  }
  return best;
}

}  // namespace sallowmere::ui
