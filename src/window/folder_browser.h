#pragma once

// The folder list's model (Dir1) and the drive list's (Drive1), over std::filesystem. Used by
// Form1; each front end shows what they hold.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tables/result.h"

namespace sallowmere::window {

// One line of the folder list.
struct FolderEntry {
  std::string name;  // as the core takes paths (UTF-8 on Windows); a root shows its full path
  int depth;         // 0 for the root; each folder one deeper than the one above it
  bool open;         // the open folder or one above it, rather than one inside it
  bool operator==(const FolderEntry&) const = default;
};

// A folder browser: the open folder with the folders above it, then the folders inside it.
class FolderBrowser {
 public:
  // Makes `folder` the open folder and lists it. When it is not a folder that can be listed,
  // gives back an Error of cause kUnreadableFolder and stays where it was.
  Result<void> Open(const std::filesystem::path& folder);

  // The open folder, absolute and without "." or ".." parts; empty before the first Open.
  const std::filesystem::path& Path() const { return path_; }

  // The root, each folder down to the open one, then the folders inside it that are not hidden,
  // sorted by name ignoring letter case.
  const std::vector<FolderEntry>& Entries() const { return entries_; }

  // The position of the open folder in Entries().
  int OpenIndex() const { return open_index_; }

  // The folder at `position` of Entries() (0 to Entries().size() - 1).
  std::filesystem::path PathAt(int position) const;

 private:
  std::filesystem::path path_;
  std::vector<FolderEntry> entries_;
  std::vector<std::filesystem::path> paths_;  // the folder of each entry
  int open_index_ = -1;
};

// The drives the user can pick, as the core takes paths, sorted: on Windows the drive roots
// ("C:\"), elsewhere the mount points of the file systems that hold files (not /proc, /sys, /dev
// and the like), "/" always among them.
std::vector<std::string> DriveRoots();

// The folder the program was started in; where it was removed meanwhile, the name the shell
// kept (POSIX), or an empty path.
std::filesystem::path WorkingFolder();

// The position in `roots` of the longest root that is `path` or a folder above it; -1 when none
// is. Letter case is ignored on Windows.
int DriveOf(const std::filesystem::path& path, const std::vector<std::string>& roots);

}  // namespace sallowmere::window
