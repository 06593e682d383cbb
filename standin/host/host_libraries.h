// Host libraries by id and interfaces by name, handed out as copies with the test controls
// applied.
#pragma once

#include <cstdint>

#include "host_abi.h"

namespace standin {

const void* LibraryLookup(int32_t id) noexcept;
const void* InterfaceLookup(const char* name) noexcept;

}  // namespace standin
