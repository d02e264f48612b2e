#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sallowmere::testing {

// A fresh folder under the system's temporary folder, removed with everything in it on
// destruction.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string PathText() const { return path_.string(); }

  // Writes `bytes` to the file `name` in the folder (creating subfolders) and returns its path.
  std::filesystem::path Write(const std::filesystem::path& name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

// The repository's examples folder.
std::filesystem::path ExamplesDir();

}  // namespace sallowmere::testing
