// Registration of a module's node types with the host's scene.
#pragma once

#include <cstdint>

#include "host_abi.h"

namespace standin {

// False for a registration the host cannot use (none, short, no allocator, not a shader) and
// for an id another type already has. Every call is recorded, accepted or not.
HostBool PluginRegister(int32_t apiVersion, int32_t kind, int32_t id, const char* name,
                        const NodeRegistration* registration) noexcept;

}  // namespace standin
