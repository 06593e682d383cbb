// A module file loaded into the host: its declaration read, its entry point found.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "host_abi.h"
#include "shared_library.h"

namespace standin {

// What a module says about itself in its declaration record, before any action runs.
struct ModuleIdentity {
  std::string moduleId;
  int32_t apiVersion = 0;  // the host API version the module requires
  std::string flavour;
};

class LoadedModule {
 public:
  // Throws HostError when the file cannot be loaded or lacks its declaration or entry point.
  explicit LoadedModule(const std::filesystem::path& file);

  const std::filesystem::path& File() const { return file; }
  const ModuleIdentity& Identity() const { return identity; }

  // c4d_main, called as it is: no check of the action or the arguments.
  int32_t CallAction(int32_t action, void* p1, void* p2, void* p3) const;

  void* Symbol(const char* name) const { return library.Symbol(name); }

 private:
  std::filesystem::path file;
  SharedLibrary library;
  ModuleIdentity identity;
  ModuleMainFunction moduleMain = nullptr;
};

}  // namespace standin
