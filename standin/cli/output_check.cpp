#include "output_check.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>

namespace standin {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const fs::path& file, const std::string& reason) {
  throw std::runtime_error("cannot write '" + file.string() + "': " + reason);
}

}  // namespace

void CheckWritable(const fs::path& file) {
  if (file.filename().empty()) Fail(file, "not a file name");
  std::error_code error;
  if (fs::is_directory(file, error)) Fail(file, "it is a folder");
  const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  if (!fs::is_directory(folder, error)) {
    Fail(file, std::strerror(fs::exists(folder, error) ? ENOTDIR : ENOENT));
  }
  if (access(folder.c_str(), W_OK | X_OK) != 0) Fail(file, std::strerror(errno));
}

}  // namespace standin
