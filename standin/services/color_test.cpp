#include "color.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace standin {
namespace {

TEST(ColorSpaceConvert, SrgbToLinearFollowsTheTransferFunction) {
  const double cases[][2] = {{0.0, 0.0},
                             {1.0, 1.0},
                             {0.04045, 0.04045 / 12.92},
                             {0.02, 0.02 / 12.92},
                             {0.5, 0.21404114048223255},
                             {0.2, 0.033104766570885055},
                             {0.9272, 0.8423138240494995}};
  for (const auto& c : cases) {
    const Vector3 linear = ColorSpaceConvert({c[0], c[0], c[0]}, kSrgbToLinear);
    EXPECT_NEAR(linear.x, c[1], 1e-15) << "of " << c[0];
    EXPECT_EQ(linear.x, linear.y);
    EXPECT_EQ(linear.y, linear.z);
  }
}

TEST(ColorSpaceConvert, ConvertsEachComponentAndRoundTrips) {
  const Vector3 color = {0.8412, 0.898, 0.01};
  const Vector3 linear = ColorSpaceConvert(color, kSrgbToLinear);
  EXPECT_NEAR(linear.z, 0.01 / 12.92, 1e-15);
  EXPECT_LT(linear.x, linear.y);
  for (double c = 0.0; c <= 1.0; c += 1.0 / 64) {
    const Vector3 back =
        ColorSpaceConvert(ColorSpaceConvert({c, c, c}, kSrgbToLinear), kLinearToSrgb);
    EXPECT_NEAR(back.x, c, 1e-12);
  }
}

TEST(ColorSpaceConvert, OtherModesLeaveTheColour) {
  const Vector3 color = {0.3, -0.2, 7.0};
  for (int32_t mode : {0, 3, -1, INT32_MAX}) {
    const Vector3 same = ColorSpaceConvert(color, mode);
    EXPECT_EQ(same.x, color.x);
    EXPECT_EQ(same.y, color.y);
    EXPECT_EQ(same.z, color.z);
  }
}

TEST(ColorSpaceConvert, NaNStaysNaN) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Vector3 linear = ColorSpaceConvert({nan, 0.5, nan}, kSrgbToLinear);
  EXPECT_TRUE(std::isnan(linear.x));
  EXPECT_FALSE(std::isnan(linear.y));
  EXPECT_TRUE(std::isnan(ColorSpaceConvert({nan, 0, 0}, kLinearToSrgb).x));
}

}  // namespace
}  // namespace standin
