// The module's entry points: what the host finds in the library by name.
#pragma once

#include <stdint.h>

#include "host_abi.h"

extern "C" {
MODULE_EXPORT extern const ModuleDeclaration g_maxon;
MODULE_EXPORT extern CpuYieldDelegate g_CpuYieldDelegate;
MODULE_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3);
}

namespace verdanta {

bool ModuleStart();
bool ModuleMessage(int32_t id, void* data);
void ModuleEnd();
bool RegisterVerdantaShader();

}  // namespace verdanta
