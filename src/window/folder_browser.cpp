#include "window/folder_browser.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "index/sorted_codes.h"
#include "tables/ascii.h"
#include "tables/table_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <mntent.h>

#include <cstdio>
#endif

namespace fs = std::filesystem;

namespace sallowmere::window {
namespace {

// `path` made absolute, without "." and ".." parts or a trailing separator (a root keeps its).
fs::path Normal(const fs::path& path) {
  std::error_code error;
  fs::path normal = fs::absolute(path, error).lexically_normal();
  if (normal.empty()) normal = path.lexically_normal();
  if (!normal.has_filename() && normal != normal.root_path()) normal = normal.parent_path();
  return normal;
}

// A folder the folder list leaves out: on Windows one marked hidden, elsewhere a dot folder.
bool IsHidden(const fs::path& folder) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
#else
  return folder.filename().native().starts_with('.');
#endif
}

// The names of the folders `path` holds that are not hidden, or nothing when it cannot be listed.
std::optional<std::vector<std::string>> SubfolderNames(const fs::path& shown) {
  const fs::path path = LongPathForm(shown);
  std::error_code error;
  if (!fs::is_directory(path, error)) return std::nullopt;
  std::vector<std::string> names;
  fs::directory_iterator it(path, error);
  if (error) return std::nullopt;
  for (const fs::directory_iterator end; it != end; it.increment(error)) {
    if (error) return std::nullopt;
    std::error_code kind_error;
    if (it->is_directory(kind_error) && !IsHidden(it->path())) {
      names.push_back(BytesFromPath(it->path().filename()));
    }
  }
  std::sort(names.begin(), names.end(), DisplayOrderLess);
  return names;
}

// The parts of `path` that name something: its root name, root folder and each folder.
std::vector<std::string> Parts(const fs::path& path) {
  std::vector<std::string> parts;
  for (const fs::path& part : path.lexically_normal()) {
    if (!part.empty()) parts.push_back(BytesFromPath(part));
  }
  return parts;
}

bool SamePart(std::string_view a, std::string_view b) {
#ifdef _WIN32
  return EqualIgnoringAsciiCase(a, b);
#else
  return a == b;
#endif
}

}  // namespace

fs::path WorkingFolder() {
  std::error_code error;
  fs::path folder = fs::current_path(error);
#ifndef _WIN32
  // A working folder that was removed has no path the system gives; the shell kept its name.
  if (folder.empty()) {
    if (const char* shell_folder = std::getenv("PWD")) folder = shell_folder;
  }
#endif
  return folder;
}

Result<void> FolderBrowser::Open(const fs::path& folder) {
  const fs::path path = Normal(folder);
  const std::optional<std::vector<std::string>> inside = SubfolderNames(path);
  if (!inside) return Error::UnreadableFolder(BytesFromPath(path));
  std::vector<fs::path> chain;
  for (fs::path step = path;; step = step.parent_path()) {
    chain.push_back(step);
    if (step == step.parent_path() || !step.has_relative_path()) break;
  }
  std::reverse(chain.begin(), chain.end());

  path_ = path;
  entries_.clear();
  paths_.clear();
  for (const fs::path& step : chain) {
    const fs::path name =
        step.has_relative_path() ? step.filename() : fs::path(step).make_preferred();
    entries_.push_back({BytesFromPath(name), static_cast<int>(entries_.size()), true});
    paths_.push_back(step);
  }
  open_index_ = static_cast<int>(entries_.size()) - 1;
  for (const std::string& name : *inside) {
    entries_.push_back({name, open_index_ + 1, false});
    paths_.push_back(path / PathFromBytes(name));
  }
  return {};
}

fs::path FolderBrowser::PathAt(int position) const {
  return paths_.at(static_cast<std::size_t>(position));
}

std::vector<std::string> DriveRoots() {
  std::vector<std::string> roots;
#ifdef _WIN32
  wchar_t buffer[512];
  const DWORD size = GetLogicalDriveStringsW(static_cast<DWORD>(std::size(buffer)), buffer);
  for (const wchar_t* drive = buffer; size > 0 && size < std::size(buffer) && *drive != L'\0';
       drive += std::wcslen(drive) + 1) {
    roots.push_back(BytesFromPath(fs::path(drive)));
  }
#else
  // Mount points under these hold the kernel's views and devices, not a user's files.
  static constexpr std::string_view kSystemTrees[] = {"/proc", "/sys", "/dev", "/run"};
  static constexpr std::string_view kPseudoTypes[] = {
      "proc",       "sysfs",    "devtmpfs", "devpts", "cgroup",      "cgroup2",
      "securityfs", "debugfs",  "tracefs",  "pstore", "bpf",         "mqueue",
      "hugetlbfs",  "configfs", "fusectl",  "autofs", "binfmt_misc", "nsfs"};
  const auto is_system = [](std::string_view root, std::string_view type) {
    for (std::string_view tree : kSystemTrees) {
      if (root == tree || (root.starts_with(tree) && root.substr(tree.size()).starts_with('/')))
        return true;
    }
    return std::find(std::begin(kPseudoTypes), std::end(kPseudoTypes), type) !=
           std::end(kPseudoTypes);
  };
  if (FILE* mounts = setmntent("/proc/self/mounts", "r")) {
    while (const mntent* mount = getmntent(mounts)) {
      std::error_code error;
      // A file mounted on its own (as containers do with /etc/hosts) holds no folders.
      if (!is_system(mount->mnt_dir, mount->mnt_type) && fs::is_directory(mount->mnt_dir, error))
        roots.emplace_back(mount->mnt_dir);
    }
    endmntent(mounts);
  }
  roots.emplace_back("/");
#endif
  std::sort(roots.begin(), roots.end());
  roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
  return roots;
}

int DriveOf(const fs::path& path, const std::vector<std::string>& roots) {
  const std::vector<std::string> parts = Parts(path);
  int best = -1;
  std::size_t best_size = 0;
  for (std::size_t i = 0; i < roots.size(); ++i) {
    const std::vector<std::string> root = Parts(PathFromBytes(roots[i]));
    const bool holds = !root.empty() && root.size() <= parts.size() &&
                       std::equal(root.begin(), root.end(), parts.begin(), SamePart);
    if (holds && root.size() > best_size) {
      best = static_cast<int>(i);
      best_size = root.size();
    }
  }
  return best;
}

}  // namespace sallowmere::window
