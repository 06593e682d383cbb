// A module's resource folder as the host serves it: HostResource* is a ResourceFolder*.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host_abi.h"

namespace standin {

// Null when the folder cannot be loaded; the reason then goes to the host's own log.
HostResource* ResourceLoad(const char* folder) noexcept;
const char* ResourceString(HostResource* resources, int32_t id) noexcept;  // "" when missing
void ResourceFree(HostResource* resources) noexcept;

size_t LiveResourceCount();  // loaded and not yet freed

}  // namespace standin
