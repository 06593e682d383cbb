#include "camera.h"

#include <gtest/gtest.h>

#include "sphere.h"

namespace standin {
namespace {

bool Hits(const Camera& camera, int x, int y, int width, int height) {
  const PlacedSphere sphere(Sphere{});
  return sphere.Intersect(CameraRay(camera, x + 0.5, y + 0.5, width, height), kDefaultSphereRadius)
      .has_value();
}

TEST(CameraRay, LooksAtTheOriginWithXRightAndYUp) {
  const Camera camera = FramingCamera(kDefaultSphereRadius);
  const Ray centre = CameraRay(camera, 50, 50, 100, 100);
  EXPECT_EQ(centre.origin.z, -camera.distance);
  EXPECT_NEAR(centre.direction.x, 0.0, 1e-12);
  EXPECT_NEAR(centre.direction.y, 0.0, 1e-12);
  EXPECT_NEAR(centre.direction.z, 1.0, 1e-12);
  const Ray topLeft = CameraRay(camera, 0, 0, 100, 100);
  EXPECT_LT(topLeft.direction.x, 0.0);
  EXPECT_GT(topLeft.direction.y, 0.0);
}

TEST(FramingCamera, ShowsTheWholePlanetWithAMargin) {
  struct Size {
    int width, height;
  };
  for (const Size size : {Size{100, 100}, Size{160, 90}, Size{90, 160}, Size{41, 31}}) {
    const Camera camera = FramingCamera(kDefaultSphereRadius);
    SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
    for (int x = 0; x < size.width; ++x) {
      EXPECT_FALSE(Hits(camera, x, 0, size.width, size.height));
      EXPECT_FALSE(Hits(camera, x, size.height - 1, size.width, size.height));
    }
    for (int y = 0; y < size.height; ++y) {
      EXPECT_FALSE(Hits(camera, 0, y, size.width, size.height));
      EXPECT_FALSE(Hits(camera, size.width - 1, y, size.width, size.height));
    }
    EXPECT_TRUE(Hits(camera, size.width / 2, size.height / 2, size.width, size.height));
  }
}

TEST(FramingCamera, PlanetFillsMostOfTheShorterSide) {
  const Camera camera = FramingCamera(kDefaultSphereRadius);
  int across = 0;
  for (int y = 0; y < 200; ++y) across += Hits(camera, 200, y, 400, 200);
  EXPECT_GT(across, 160);
  EXPECT_LT(across, 190);
}

TEST(FramingCamera, ScalesWithTheRadius) {
  const Camera small = FramingCamera(1.0);
  const Camera large = FramingCamera(100.0);
  EXPECT_NEAR(large.distance, 100.0 * small.distance, 1e-9);
  EXPECT_EQ(large.fieldOfViewRadians, small.fieldOfViewRadians);
}

}  // namespace
}  // namespace standin
