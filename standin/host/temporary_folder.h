// Test support: a fresh folder under the system's temporary folder, removed with everything in
// it when the object goes.
#pragma once

#include <filesystem>
#include <set>
#include <string>

namespace standin {

class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& Path() const { return path; }

  // Writes `text` to the file at `relative`, making the folders on the way.
  std::filesystem::path Write(const std::filesystem::path& relative, const std::string& text) const;

  // The names of what lies directly in the folder at `relative`.
  std::set<std::string> NamesIn(const std::filesystem::path& relative = {}) const;

 private:
  std::filesystem::path path;
};

}  // namespace standin
