#pragma once

// The drives the window's drive list offers. Used by Form1.

#include <QString>
#include <QStringList>

namespace sallowmere::ui {

// The drives the user can pick: on Windows the drive roots ("C:/"), elsewhere the mount points
// of the file systems that hold files (not /proc, /sys, /dev and the like), sorted.
QStringList DriveRoots();

// The entry of `roots` that holds `path`: the longest root that is `path` or a folder above it.
// Empty when none does.
QString DriveOf(const QString& path, const QStringList& roots);

}  // namespace sallowmere::ui
