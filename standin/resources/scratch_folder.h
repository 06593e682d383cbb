// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes; for tests that need files.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

namespace standin {

class ScratchFolder {
 public:
  // mkdtemp is POSIX only: a random name that create_directory claims works on Windows too.
  ScratchFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      auto candidate =
          std::filesystem::temp_directory_path() / ("standin-" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate)) path_ = candidate;
    }
    if (path_.empty()) throw std::runtime_error("cannot make a scratch folder");
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  // Writes `text` to `relative` (folders made as needed) and answers the full path.
  std::filesystem::path Write(const std::filesystem::path& relative,
                              const std::string& text) const {
    std::filesystem::path file = (path_ / relative).make_preferred();
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace standin
