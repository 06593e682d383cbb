// A loaded shared library (dlopen / LoadLibrary), closed when the object goes.
#pragma once

#include <filesystem>
#include <string>

namespace standin {

class SharedLibrary {
 public:
  // Throws HostError with the loader's reason when the file cannot be loaded.
  explicit SharedLibrary(const std::filesystem::path& file);
  ~SharedLibrary();
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // The address of an exported symbol, or null when the library has none of that name.
  void* Symbol(const char* name) const;

 private:
  void* handle = nullptr;
};

}  // namespace standin
