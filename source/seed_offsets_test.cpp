#include "seed_offsets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace verdanta {
namespace {

TEST(DrawFromSeed, FollowsTheSequenceAndWrapsNegativeSeeds) {
  struct Case {
    int32_t seed;
    uint32_t first, second, third;
  } cases[] = {
      {0, 69069u, 475628534u, 3277404107u},
      {-1, 0u, 69069u, 475628534u},  // -1 * 69069 + 69069 = 0
      {std::numeric_limits<int32_t>::min(), 2147552717u, 2623112182u, 1129920459u},
  };
  for (const Case& c : cases) {
    const SeedDraws draws = DrawFromSeed(c.seed);
    EXPECT_EQ(c.first, draws.first) << c.seed;
    EXPECT_EQ(c.second, draws.second) << c.seed;
    EXPECT_EQ(c.third, draws.third) << c.seed;
  }
}

TEST(SignedUnit, SpansMinusOneToJustBelowOneFromTheLow31Bits) {
  EXPECT_EQ(-1.0, SignedUnit(0u));
  EXPECT_EQ(-1.0, SignedUnit(0x80000000u)) << "the top bit does not count";
  EXPECT_LT(SignedUnit(0x7FFFFFFFu), 1.0);
  EXPECT_GT(SignedUnit(0x7FFFFFFFu), 0.999999);
  EXPECT_NEAR(0.0, SignedUnit(0x40000000u), 1e-9);
}

TEST(SeedOffset, TheTwoOrdersSwapTheFirstAndLastDraw) {
  const double s1 = SignedUnit(69069u);
  const double s2 = SignedUnit(475628534u);
  const double s3 = SignedUnit(3277404107u);

  const Vector3 inOrder = SeedOffset(0, OffsetDrawOrder::kInOrder);
  EXPECT_DOUBLE_EQ(0.34 * s1, inOrder.x);
  EXPECT_DOUBLE_EQ(13.0 * s2, inOrder.y);
  EXPECT_DOUBLE_EQ(2.43 * s3, inOrder.z);

  const Vector3 swapped = SeedOffset(0, OffsetDrawOrder::kFirstAndLastSwapped);
  EXPECT_DOUBLE_EQ(0.34 * s3, swapped.x);
  EXPECT_DOUBLE_EQ(13.0 * s2, swapped.y);
  EXPECT_DOUBLE_EQ(2.43 * s1, swapped.z);
}

TEST(SeedOffset, StaysWithinItsScaleForAnySeed) {
  for (int32_t seed : {0, 1, 123, -7, 2147483647, std::numeric_limits<int32_t>::min()}) {
    const Vector3 offset = SeedOffset(seed, OffsetDrawOrder::kInOrder);
    EXPECT_LE(-0.34, offset.x);
    EXPECT_GT(0.34, offset.x);
    EXPECT_LE(-13.0, offset.y);
    EXPECT_GT(13.0, offset.y);
    EXPECT_LE(-2.43, offset.z);
    EXPECT_GT(2.43, offset.z);
  }
}

}  // namespace
}  // namespace verdanta
