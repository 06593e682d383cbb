#include "seed_offsets.h"

namespace verdanta {
namespace {

uint32_t NextDraw(uint32_t previous) {
  return previous * 69069u + 69069u;
}

}  // namespace

SeedDraws DrawFromSeed(int32_t seed) {
  SeedDraws draws;
  draws.first = NextDraw(static_cast<uint32_t>(seed));
  draws.second = NextDraw(draws.first);
  draws.third = NextDraw(draws.second);
  return draws;
}

double SignedUnit(uint32_t draw) {
  // The nearest double to 1 / (2^31 + 1) keeps the low 31 bits below 1.
  const double unit = static_cast<double>(draw & 0x7FFFFFFFu) * 4.656612870908988e-10;
  return 2.0 * unit - 1.0;
}

Vector3 SeedOffset(int32_t seed, OffsetDrawOrder order) {
  const SeedDraws draws = DrawFromSeed(seed);
  const bool swapped = order == OffsetDrawOrder::kFirstAndLastSwapped;
  const uint32_t first = swapped ? draws.third : draws.first;
  const uint32_t last = swapped ? draws.first : draws.third;
  return Vector3{0.34 * SignedUnit(first), 13.0 * SignedUnit(draws.second),
                 2.43 * SignedUnit(last)};
}

}  // namespace verdanta
