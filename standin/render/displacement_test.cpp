#include "displacement.h"

#include <gtest/gtest.h>

#include "synthetic_shadings.h"

namespace standin {
namespace {
using namespace geometry;

const Ray kDownTheAxis{{0, 0, -1000}, {0, 0, 1}};

TEST(IntersectDisplaced, ConstantHeightMovesTheWholeSurface) {
  const PlacedSphere sphere(Sphere{});
  struct Case {
    double height, amount;
  };
  for (const Case c : {Case{0.5, 10}, Case{-0.3, 10}, Case{1.0, 0}, Case{2.0, -5}}) {
    const HeightField field([&](Vector3) { return c.height; });
    for (const Ray& ray : {kDownTheAxis, Ray{{30, -60, -1000}, {0, 0, 1}}}) {
      const auto hit = IntersectDisplaced(sphere, ray, field, c.amount, 0);
      ASSERT_TRUE(hit);
      EXPECT_NEAR(Length(hit->point.objectPoint), 100 + c.height * c.amount, 1e-9);
      EXPECT_NEAR(Dot(hit->objectNormal, hit->point.objectDirection), 1.0, 1e-9);
    }
  }
}

TEST(IntersectDisplaced, AsksChannel11OnTheUndisplacedSurface) {
  Sphere placed;
  placed.objectMatrix.off = {0, 0, 50};
  placed.node = reinterpret_cast<HostNode*>(0x99);
  const PlacedSphere sphere(placed);
  const RecordingShading displacement({0.5, 0.5, 0.5});
  ASSERT_TRUE(IntersectDisplaced(sphere, {{20, 10, -1000}, {0, 0, 1}}, displacement, 8.0, 5));
  ASSERT_FALSE(displacement.Records().empty());
  for (const RecordingShading::Record& asked : displacement.Records()) {
    EXPECT_EQ(asked.sample.flags, ChannelSampleFlags(MATERIAL_CHANNEL_DISPLACEMENT));
    EXPECT_EQ(asked.sample.threadIndex, 5);
    ASSERT_TRUE(asked.hasHit);
    EXPECT_EQ(asked.hit.hitObject, placed.node);
    const Vector3 objectPoint = asked.hit.hitPoint - placed.objectMatrix.off;
    EXPECT_NEAR(Length(objectPoint), 100.0, 1e-9);
    const Vector3 uv = SphericalUv(objectPoint);
    EXPECT_NEAR(asked.sample.position.x, uv.x, 1e-12);
    EXPECT_NEAR(asked.sample.position.y, uv.y, 1e-12);
    EXPECT_NEAR(Dot(asked.hit.normal, Normalize(objectPoint)), 1.0, 1e-12);
  }
}

TEST(IntersectDisplaced, HitSitsOnTheSurfaceItsOwnHeightGives) {
  // Heights that change across the sphere: the fixed point must settle where the hit's own
  // direction gives its radius.
  const PlacedSphere sphere(Sphere{});
  const auto height = [](Vector3 p) { return 0.5 + 0.5 * p.x / 100.0 + 0.2 * p.y / 100.0; };
  const HeightField field(height);
  const double amount = 6.0;
  for (double x : {-70.0, -20.0, 0.0, 35.0, 80.0}) {
    const auto hit = IntersectDisplaced(sphere, {{x, 20, -1000}, {0, 0, 1}}, field, amount, 0);
    ASSERT_TRUE(hit);
    const Vector3 base = 100.0 * hit->point.objectDirection;
    EXPECT_NEAR(Length(hit->point.objectPoint), 100.0 + amount * height(base), 1e-3) << x;
  }
}

TEST(IntersectDisplaced, SlopeTiltsTheNormalAwayFromTheRise) {
  // Near the front point the surface is about the plane z = -100 - amount * k * x.
  const PlacedSphere sphere(Sphere{});
  const double k = 0.02, amount = 10.0;
  const HeightField field([&](Vector3 p) { return k * p.x; });
  const auto hit = IntersectDisplaced(sphere, kDownTheAxis, field, amount, 0);
  ASSERT_TRUE(hit);
  const Vector3 expected = Normalize({-amount * k, 0, -1});
  EXPECT_NEAR(hit->objectNormal.x, expected.x, 1e-3);
  EXPECT_NEAR(hit->objectNormal.y, expected.y, 1e-3);
  EXPECT_NEAR(hit->objectNormal.z, expected.z, 1e-3);
}

TEST(IntersectDisplaced, SunkenSurfaceLetsAGrazingRayPass) {
  const PlacedSphere sphere(Sphere{});
  const HeightField sunken([](Vector3) { return -1.0; });
  const Ray grazing{{99, 0, -1000}, {0, 0, 1}};
  EXPECT_TRUE(sphere.Intersect(grazing, kDefaultSphereRadius));
  EXPECT_FALSE(IntersectDisplaced(sphere, grazing, sunken, 5.0, 0));
  EXPECT_FALSE(IntersectDisplaced(sphere, {{101, 0, -1000}, {0, 0, 1}}, sunken, 5.0, 0));
}

}  // namespace
}  // namespace standin
