#include "shared_library.h"

#include "host_error.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace standin {

#if defined(_WIN32)

SharedLibrary::SharedLibrary(const std::filesystem::path& file) {
  handle = LoadLibraryW(file.wstring().c_str());
  if (!handle) {
    throw HostError("cannot load module '" + file.string() + "': error " +
                    std::to_string(GetLastError()));
  }
}

SharedLibrary::~SharedLibrary() {
  FreeLibrary(static_cast<HMODULE>(handle));
}

void* SharedLibrary::Symbol(const char* name) const {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

#else

SharedLibrary::SharedLibrary(const std::filesystem::path& file) {
  // Local symbols: two modules never see each other's, and closing really unloads.
  handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    throw HostError("cannot load module '" + file.string() + "': " + dlerror());
  }
}

SharedLibrary::~SharedLibrary() {
  dlclose(handle);
}

void* SharedLibrary::Symbol(const char* name) const {
  return dlsym(handle, name);
}

#endif

}  // namespace standin
