#include "loaded_module.h"

#include <thread>

#include "host_error.h"

namespace standin {

namespace {

ModuleIdentity ReadDeclaration(const SharedLibrary& library, const std::string& file) {
  auto* declaration =
      static_cast<const ModuleDeclaration*>(library.Symbol(MODULE_DECLARATION_SYMBOL));
  if (!declaration) {
    throw HostError("module '" + file + "' has no declaration (" MODULE_DECLARATION_SYMBOL ")");
  }
  if (declaration->size < static_cast<int32_t>(sizeof(ModuleDeclaration))) {
    throw HostError("module '" + file +
                    "' has a short declaration (" MODULE_DECLARATION_SYMBOL " size " +
                    std::to_string(declaration->size) + ")");
  }
  ModuleIdentity identity;
  identity.moduleId = declaration->moduleId ? declaration->moduleId : "";
  identity.apiVersion = declaration->apiVersion;
  identity.flavour = declaration->flavour ? declaration->flavour : "";
  return identity;
}

void YieldThread(void*) {
  std::this_thread::yield();
}

// The module exports the delegate empty; the host decides how its long work yields.
void SetYieldDelegate(const SharedLibrary& library) {
  auto* delegate = static_cast<CpuYieldDelegate*>(library.Symbol(MODULE_YIELD_SYMBOL));
  if (!delegate || delegate->size < static_cast<int32_t>(sizeof(CpuYieldDelegate))) return;
  delegate->Yield = YieldThread;
  delegate->context = nullptr;
}

}  // namespace

LoadedModule::LoadedModule(const std::filesystem::path& file) : file(file), library(file) {
  identity = ReadDeclaration(library, file.string());
  moduleMain = reinterpret_cast<ModuleMainFunction>(library.Symbol(MODULE_MAIN_SYMBOL));
  if (!moduleMain) {
    throw HostError("module '" + file.string() + "' has no entry point " MODULE_MAIN_SYMBOL);
  }
  SetYieldDelegate(library);
}

int32_t LoadedModule::CallAction(int32_t action, void* p1, void* p2, void* p3) const {
  return moduleMain(action, p1, p2, p3);
}

}  // namespace standin
