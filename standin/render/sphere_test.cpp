#include "sphere.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry.h"

namespace standin {
namespace {
using namespace geometry;

constexpr double kTolerance = 1e-9;
const double kNoLongitude = std::nan("");

void ExpectNear(Vector3 actual, Vector3 expected, double tolerance = kTolerance) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

Ray AlongZ(double x, double y) {
  return {{x, y, -1000.0}, {0.0, 0.0, 1.0}};
}

struct UvCase {
  const char* where;
  Vector3 direction;
  double u, v;
};

TEST(SphericalUv, PolesEquatorAndLongitude) {
  const double diagonal = std::sqrt(0.5);
  const UvCase cases[] = {
      {"top pole", {0, 1, 0}, kNoLongitude, 0.0},
      {"bottom pole", {0, -1, 0}, kNoLongitude, 1.0},
      {"front", {0, 0, -1}, 0.5, 0.5},
      {"right", {1, 0, 0}, 0.75, 0.5},
      {"left", {-1, 0, 0}, 0.25, 0.5},
      {"halfway up the front", {0, diagonal, -diagonal}, 0.5, 0.25},
      {"halfway down on the right", {diagonal, -diagonal, 0}, 0.75, 0.75},
      {"any length", {0, 0, -250}, 0.5, 0.5},
  };
  for (const UvCase& c : cases) {
    const Vector3 uv = SphericalUv(c.direction);
    if (!std::isnan(c.u)) {
      EXPECT_NEAR(uv.x, c.u, kTolerance) << c.where;
    }
    EXPECT_NEAR(uv.y, c.v, kTolerance) << c.where;
    EXPECT_EQ(uv.z, 0.0) << c.where;
  }
}

TEST(SphericalUv, SeamAtTheBackAndUWithinOneTurn) {
  EXPECT_NEAR(SphericalUv({1e-9, 0, 1}).x, 1.0, 1e-9);
  EXPECT_NEAR(SphericalUv({-1e-9, 0, 1}).x, 0.0, 1e-9);
  for (double angle = -3.0; angle <= 3.0; angle += 0.25) {
    const double u = SphericalUv({std::sin(angle), 0.3, -std::cos(angle)}).x;
    EXPECT_GE(u, 0.0);
    EXPECT_LE(u, 1.0);
    EXPECT_NEAR(u, 0.5 + angle / (2 * kPi), kTolerance);
  }
}

TEST(PlacedSphere, RayDownTheAxisMeetsTheFrontPoint) {
  const PlacedSphere sphere(Sphere{});
  const auto hit = sphere.Intersect(AlongZ(0, 0), kDefaultSphereRadius);
  ASSERT_TRUE(hit);
  ExpectNear(hit->worldPoint, {0, 0, -100});
  ExpectNear(hit->objectDirection, {0, 0, -1});
  ExpectNear(sphere.WorldNormal(hit->objectDirection), {0, 0, -1});
}

TEST(PlacedSphere, MissesWhatIsBesideOrBehind) {
  const PlacedSphere sphere(Sphere{});
  EXPECT_FALSE(sphere.Intersect(AlongZ(100.001, 0), kDefaultSphereRadius));
  EXPECT_FALSE(sphere.Intersect({{0, 0, -1000}, {0, 0, -1}}, kDefaultSphereRadius));
  EXPECT_TRUE(sphere.Intersect(AlongZ(99.999, 0), kDefaultSphereRadius));
}

TEST(PlacedSphere, RadiusFollowsTheCaller) {
  const PlacedSphere sphere(Sphere{});
  const auto hit = sphere.Intersect(AlongZ(0, 0), 130.0);
  ASSERT_TRUE(hit);
  ExpectNear(hit->worldPoint, {0, 0, -130});
  EXPECT_FALSE(sphere.Intersect(AlongZ(0, 0), 0.0));
}

TEST(PlacedSphere, MovedSphere) {
  Sphere moved;
  moved.objectMatrix.off = {300, -50, 20};
  const PlacedSphere sphere(moved);
  const auto hit = sphere.Intersect(AlongZ(300, -50), kDefaultSphereRadius);
  ASSERT_TRUE(hit);
  ExpectNear(hit->worldPoint, {300, -50, -80});
  ExpectNear(hit->objectPoint, {0, 0, -100});
  EXPECT_FALSE(sphere.Intersect(AlongZ(0, 0), kDefaultSphereRadius));
}

TEST(PlacedSphere, RotatedSphereTurnsItsTexture) {
  // Object x points along world z: the world's front point is the object's -x side.
  Sphere turned;
  turned.objectMatrix = {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0}};
  const PlacedSphere sphere(turned);
  const auto hit = sphere.Intersect(AlongZ(0, 0), kDefaultSphereRadius);
  ASSERT_TRUE(hit);
  ExpectNear(hit->worldPoint, {0, 0, -100});
  ExpectNear(hit->objectDirection, {-1, 0, 0});
  EXPECT_NEAR(SphericalUv(hit->objectDirection).x, 0.25, kTolerance);
  ExpectNear(sphere.WorldNormal(hit->objectDirection), {0, 0, -1});
}

TEST(PlacedSphere, ScaledSphereKeepsNormalsUpright) {
  // Stretched twice along x: an ellipsoid (x/2)^2 + y^2 + z^2 = 100^2.
  Sphere stretched;
  stretched.objectMatrix.axis1 = {2, 0, 0};
  const PlacedSphere sphere(stretched);
  const Ray ray{{-300, 20, -1000}, Normalize({0.25, 0, 1})};
  const auto hit = sphere.Intersect(ray, kDefaultSphereRadius);
  ASSERT_TRUE(hit);
  const Vector3 p = hit->worldPoint;
  EXPECT_NEAR((p.x / 2) * (p.x / 2) + p.y * p.y + p.z * p.z, 100.0 * 100.0, 1e-6);
  // The implicit function's gradient is the true normal.
  ExpectNear(sphere.WorldNormal(hit->objectDirection), Normalize({p.x / 4, p.y, p.z}));
}

TEST(PlacedSphere, FlatMatrixShowsNothing) {
  Sphere flat;
  flat.objectMatrix.axis3 = {0, 0, 0};
  EXPECT_FALSE(PlacedSphere(flat).Intersect(AlongZ(0, 0), kDefaultSphereRadius));
}

TEST(MakeHitContext, CarriesWhatTheShaderReads) {
  Sphere placed;
  placed.objectMatrix.off = {10, 0, 0};
  placed.node = reinterpret_cast<HostNode*>(0x1234);
  const PlacedSphere sphere(placed);
  const Ray ray = AlongZ(10, 0);
  const auto point = sphere.Intersect(ray, kDefaultSphereRadius);
  ASSERT_TRUE(point);
  const HitContext hit = MakeHitContext(sphere, *point, point->objectDirection, ray.direction);
  ExpectNear(hit.hitPoint, {10, 0, -100});
  EXPECT_EQ(hit.hitObject, placed.node);
  ExpectNear(hit.normal, {0, 0, -1});
  ExpectNear(hit.rayDirection, {0, 0, 1});
}

}  // namespace
}  // namespace standin
