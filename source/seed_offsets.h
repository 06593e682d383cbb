// The pseudo-random shift of sample positions drawn from the seed.
#pragma once

#include <stdint.h>

#include "host_abi.h"

namespace verdanta {

// Which draw goes to the first and which to the last component of the offset.
enum class OffsetDrawOrder { kInOrder, kFirstAndLastSwapped };

struct SeedDraws {
  uint32_t first, second, third;
};

// Three steps of a 32-bit linear congruential sequence started from the seed's bit pattern.
SeedDraws DrawFromSeed(int32_t seed);

// A draw as a value in [-1, 1).
double SignedUnit(uint32_t draw);

Vector3 SeedOffset(int32_t seed, OffsetDrawOrder order);

}  // namespace verdanta
