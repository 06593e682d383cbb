#include "bump.h"

#include <gtest/gtest.h>

#include "sphere.h"
#include "synthetic_shadings.h"

namespace standin {
namespace {
using namespace geometry;

void ExpectNear(Vector3 actual, Vector3 expected, double tolerance = 1e-9) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(SampleBumpHeights, FourChannel6SamplesOneForEachDirection) {
  const RecordingShading bump;
  const HitContext hit{{1, 2, 3}, nullptr, {0, 0, -1}, {0, 0, 1}};
  const ChannelSample sample{
      {0.25, 0.75, 0}, ChannelSampleFlags(MATERIAL_CHANNEL_COLOR), 3, &hit, 0.0};
  SampleBumpHeights(bump, sample);
  ASSERT_EQ(bump.Records().size(), 4u);
  for (int32_t direction = 0; direction < 4; ++direction) {
    const ChannelSample& asked = bump.Records()[direction].sample;
    EXPECT_EQ(SampleChannel(asked), MATERIAL_CHANNEL_BUMP);
    EXPECT_EQ(SampleBumpDirection(asked), direction);
    EXPECT_EQ(asked.flags & ~(0xF << 6 | 3 << 4), 0) << "no other flag bits";
    EXPECT_EQ(asked.hit, &hit);
    EXPECT_EQ(asked.position.x, 0.25);
    EXPECT_EQ(asked.position.y, 0.75);
    EXPECT_EQ(asked.threadIndex, 3);
  }
}

TEST(SampleBumpHeights, HeightsAreTheShaderStepsOneUnitAway) {
  const HeightField field([](Vector3 p) { return 10 * p.x + 100 * p.y; });
  const HitContext hit{{0, 0, -100}, nullptr, {0, 0, -1}, {0, 0, 1}};
  const BumpHeights heights = SampleBumpHeights(field, {{0.5, 0.5, 0}, 0, 0, &hit, 0.0});
  EXPECT_EQ(heights, (BumpHeights{10, -10, 100, -100}));
  EXPECT_EQ(CentreHeight(heights), 0.0);
}

// A surface facing -z raised by s * k * x is the plane z = -s k x, whose outward normal is
// (-s k, 0, -1): rising ground leans the normal away from the rise.
TEST(TiltNormal, PlaneWaveTiltsAwayFromTheRise) {
  struct Case {
    const char* wave;
    double slopeX, slopeY;
  };
  const double bumpHeight = 4.0;
  for (const Case c : {Case{"rising to +x", 0.1, 0}, Case{"rising to -x", -0.1, 0},
                       Case{"rising to +y", 0, 0.25}, Case{"diagonal", 0.05, -0.2}}) {
    const HeightField field([&](Vector3 p) { return c.slopeX * p.x + c.slopeY * p.y; });
    const HitContext hit{{0, 0, -100}, nullptr, {0, 0, -1}, {0, 0, 1}};
    const BumpHeights heights = SampleBumpHeights(field, {{0.5, 0.5, 0}, 0, 0, &hit, 0.0});
    const Vector3 expected = Normalize({-bumpHeight * c.slopeX, -bumpHeight * c.slopeY, -1.0});
    SCOPED_TRACE(c.wave);
    ExpectNear(TiltNormal({0, 0, -1}, heights, bumpHeight), expected);
  }
}

TEST(TiltNormal, FlatGroundAndNoBumpHeightLeaveTheNormal) {
  const Vector3 normal = Normalize({0.3, -0.4, -0.8});
  ExpectNear(TiltNormal(normal, {0.5, 0.5, 0.5, 0.5}, 10.0), normal);
  ExpectNear(TiltNormal(normal, {1, -1, 2, 3}, 0.0), normal);
}

TEST(TiltNormal, TiltStaysInTheSurfacesOwnSpace) {
  // Object x runs along world z, so the world's front is the object's -x side, where object y
  // still points up: a rise to object +y must lean the world normal down.
  Sphere turned;
  turned.objectMatrix = {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0}};
  const PlacedSphere sphere(turned);
  const auto point = sphere.Intersect({{0, 0, -1000}, {0, 0, 1}}, kDefaultSphereRadius);
  ASSERT_TRUE(point);
  const HitContext hit = MakeHitContext(sphere, *point, point->objectDirection, {0, 0, 1});
  const HeightField field([](Vector3 p) { return 0.5 * p.y; }, turned.objectMatrix);
  const BumpHeights heights = SampleBumpHeights(field, {{0.25, 0.5, 0}, 0, 0, &hit, 0.0});
  const Vector3 world = sphere.WorldNormal(TiltNormal(point->objectDirection, heights, 2.0));
  ExpectNear(world, Normalize({0, -1, -1}));
}

}  // namespace
}  // namespace standin
