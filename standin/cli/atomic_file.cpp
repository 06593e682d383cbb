#include "atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <system_error>

#if defined(_WIN32)
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace standin {

namespace fs = std::filesystem;

namespace {

// Beside the destination, so that the rename stays on one file system and is atomic.
fs::path TemporaryPathFor(const fs::path& path) {
  static std::atomic<int> counter{0};
  std::string name = "." + path.filename().string() + ".tmp-" + std::to_string(getpid()) + "-" +
                     std::to_string(counter++);
  return path.parent_path() / name;
}

[[noreturn]] void Fail(const fs::path& path, const std::string& reason) {
  throw std::runtime_error("cannot write '" + path.string() + "': " + reason);
}

void WriteAll(const fs::path& temporary, const fs::path& path, const std::string& bytes) {
  std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
  if (!file) Fail(path, std::strerror(errno));
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  int writeError = errno;
  bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    Fail(path, std::strerror(written ? errno : writeError));
  }
}

}  // namespace

void WriteFileAtomically(const fs::path& path, const std::string& bytes) {
  if (path.filename().empty()) Fail(path, "not a file name");
  std::error_code error;
  if (fs::is_directory(path, error)) Fail(path, "it is a folder");
  fs::path temporary = TemporaryPathFor(path);
  WriteAll(temporary, path, bytes);
  fs::rename(temporary, path, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    Fail(path, error.message());
  }
}

}  // namespace standin
