// A module file in the variants that the module check must tell apart: sound, or with one fault.
#include "host_abi.h"

#ifndef API_VERSION
#error "Define API_VERSION"
#endif

extern "C" {

MODULE_EXPORT extern const ModuleDeclaration g_maxon;
const ModuleDeclaration g_maxon = {sizeof(ModuleDeclaration), "net.verdanta.fixture", API_VERSION,
                                   "fixture"};

#ifndef WITHOUT_YIELD_DELEGATE
MODULE_EXPORT extern CpuYieldDelegate g_CpuYieldDelegate;
CpuYieldDelegate g_CpuYieldDelegate = {sizeof(CpuYieldDelegate), nullptr, nullptr};
#endif

MODULE_EXPORT int32_t c4d_main(int32_t action, void*, void*, void*) {
#ifdef WITH_CXX_RUNTIME
  // An exception needs the C++ runtime, which no host provides.
  if (action < 0) throw action;
#endif
  return action;
}

#ifdef WITH_EXTRA_EXPORT
MODULE_EXPORT int32_t ExtraExport() {
  return 0;
}
#endif
}
