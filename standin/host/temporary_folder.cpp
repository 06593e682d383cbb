#include "temporary_folder.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace standin {

namespace fs = std::filesystem;

// mkdtemp is POSIX only: a random name that create_directory claims works on Windows too.
TemporaryFolder::TemporaryFolder() {
  std::random_device random;
  for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
    fs::path candidate = fs::temp_directory_path() / ("verdanta-test-" + std::to_string(random()));
    if (fs::create_directory(candidate)) path = candidate;
  }
  if (path.empty()) throw std::runtime_error("cannot make a temporary folder");
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  fs::remove_all(path, ignored);
}

fs::path TemporaryFolder::Write(const fs::path& relative, const std::string& text) const {
  fs::path file = path / relative;
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
  return file;
}

std::set<std::string> TemporaryFolder::NamesIn(const fs::path& relative) const {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(path / relative)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

}  // namespace standin
