#pragma once

// The folder list's model (Dir1) and the drive list's (Drive1), over std::filesystem. Used by
// Form1; each front end shows what they hold.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sallowmere::window {

// One line of the folder list.
struct FolderEntry {
  std::string name;  // as the core takes paths (UTF-8 on Windows); a root shows its full path
  int depth;         // 0 for the root; each folder one deeper than the one above it
  bool open;         // the open folder or one above it, rather than one inside it
  bool operator==(const FolderEntry&) const = default;
};

// What the window says of a folder it cannot list: "The folder PATH cannot be read.", or
// kStartFolderGone for a folder with no name.
std::string UnreadableFolderText(const std::filesystem::path& folder);

// A folder browser: the open folder with the folders above it, then the folders inside it.
class FolderBrowser {
 public:
  // Makes `folder` the open folder and lists it. When it is not a folder that can be listed,
  // returns the message for the user ("The folder PATH cannot be read.", the path as the core
  // takes paths) and stays where it was.
  std::optional<std::string> Open(const std::filesystem::path& folder);

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

// Why the folder list is empty when the folder the program was started in has no name left.
inline constexpr std::string_view kStartFolderGone =
    "The folder this program was started in cannot be read: it may have been removed. Choose a "
    "drive, then the folder that holds the tables.";

// The position in `roots` of the longest root that is `path` or a folder above it; -1 when none
// is. Letter case is ignored on Windows.
int DriveOf(const std::filesystem::path& path, const std::vector<std::string>& roots);

}  // namespace sallowmere::window
