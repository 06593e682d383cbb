// The two builds of the module differ here and nowhere else.
#pragma once

#include <stdint.h>

#include "seed_offsets.h"

namespace verdanta {

#if defined(VERDANTA_FLAVOUR_WINDOWS) == defined(VERDANTA_FLAVOUR_MACOS)
#error "Define exactly one of VERDANTA_FLAVOUR_WINDOWS and VERDANTA_FLAVOUR_MACOS"
#endif

#if defined(VERDANTA_FLAVOUR_WINDOWS)
inline constexpr const char* kFlavourName = "windows";
inline constexpr int32_t kRequiredApiVersion = 2026200;
inline constexpr OffsetDrawOrder kOffsetDrawOrder = OffsetDrawOrder::kFirstAndLastSwapped;
#else
inline constexpr const char* kFlavourName = "macos";
inline constexpr int32_t kRequiredApiVersion = 2026000;
inline constexpr OffsetDrawOrder kOffsetDrawOrder = OffsetDrawOrder::kInOrder;
#endif

}  // namespace verdanta
