#include "renderer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "synthetic_shadings.h"

namespace standin {
namespace {
using namespace geometry;

// The ambient share that lights what faces away from the light.
constexpr double kAmbient = 0.05;

RenderSettings Small(int size = 24) {
  RenderSettings settings;
  settings.width = size;
  settings.height = size;
  settings.threads = 1;
  return settings;
}

bool IsBlack(Vector3 c) {
  return c.x == 0 && c.y == 0 && c.z == 0;
}

TEST(Render, BlackAroundLitInside) {
  const RecordingShading colour({0.2, 0.4, 0.6});
  SceneView scene;
  scene.colour = &colour;
  RenderSettings settings = Small();
  settings.lightDirection = {0, 0, -5};  // from the camera
  const Image image = Render(scene, settings);
  ASSERT_EQ(image.width, 24);
  ASSERT_EQ(image.height, 24);
  EXPECT_TRUE(IsBlack(image.At(0, 0)));
  EXPECT_TRUE(IsBlack(image.At(23, 12)));
  // Seen almost head-on, the middle is lit nearly fully.
  const Vector3 middle = image.At(12, 12);
  EXPECT_NEAR(middle.x, 0.2, 0.002);
  EXPECT_NEAR(middle.y, 0.4, 0.004);
  EXPECT_NEAR(middle.z, 0.6, 0.006);
}

TEST(Render, SamplesCarryTheHitAndItsTexturePosition) {
  const RecordingShading colour;
  Sphere sphere;
  sphere.objectMatrix = {{5, -3, 0}, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0}};
  sphere.node = reinterpret_cast<HostNode*>(0x51);
  const Matrix34 inverse = *Inverse(sphere.objectMatrix);
  SceneView scene;
  scene.sphere = sphere;
  scene.colour = &colour;
  Render(scene, Small(16));
  ASSERT_FALSE(colour.Records().empty());
  for (const RecordingShading::Record& asked : colour.Records()) {
    EXPECT_EQ(asked.sample.flags, ChannelSampleFlags(MATERIAL_CHANNEL_COLOR));
    ASSERT_TRUE(asked.hasHit);
    EXPECT_EQ(asked.hit.hitObject, sphere.node);
    const Vector3 objectPoint = TransformPoint(inverse, asked.hit.hitPoint);
    EXPECT_NEAR(Length(objectPoint), kDefaultSphereRadius, 1e-9);
    const Vector3 uv = SphericalUv(objectPoint);
    EXPECT_NEAR(asked.sample.position.x, uv.x, 1e-12);
    EXPECT_NEAR(asked.sample.position.y, uv.y, 1e-12);
    EXPECT_EQ(asked.sample.position.z, 0.0);
    EXPECT_NEAR(Length(asked.hit.normal), 1.0, 1e-12);
    EXPECT_NEAR(Dot(asked.hit.normal, Normalize(TransformVector(sphere.objectMatrix, objectPoint))),
                1.0, 1e-12);
    EXPECT_NEAR(Length(asked.hit.rayDirection), 1.0, 1e-12);
    EXPECT_LT(Dot(asked.hit.rayDirection, asked.hit.normal), 0.0) << "the ray meets the front";
  }
}

TEST(Render, LightFromTheSideLeavesTheOtherHalfInAmbient) {
  const RecordingShading colour({0.8, 0.6, 0.4});
  SceneView scene;
  scene.colour = &colour;
  RenderSettings settings = Small(32);
  settings.lightDirection = {1, 0, 0};
  const Image image = Render(scene, settings);
  const Vector3 darkSide = image.At(10, 16);
  EXPECT_NEAR(darkSide.x, kAmbient * 0.8, 1e-12);
  EXPECT_NEAR(darkSide.z, kAmbient * 0.4, 1e-12);
  EXPECT_GT(image.At(22, 16).x, 0.3);
  // Towards the lit limb the light meets the surface more squarely.
  EXPECT_GT(image.At(24, 16).x, image.At(18, 16).x);
}

TEST(Render, WithoutAColourShaderTheSurfaceIsWhite) {
  SceneView scene;
  RenderSettings settings = Small();
  settings.lightDirection = {-1, 0, 0};
  const Vector3 shadow = Render(scene, settings).At(16, 12);
  EXPECT_NEAR(shadow.x, kAmbient, 1e-12);
  EXPECT_EQ(shadow.x, shadow.y);
  EXPECT_EQ(shadow.y, shadow.z);
}

TEST(Render, BumpLeansTheLightAcrossTheSlope) {
  // Ground rising to +x leans the normal to -x: lit from -x it is brighter, from +x darker.
  const HeightField rising([](Vector3 p) { return 0.05 * p.x; });
  struct Case {
    double lightX;
    bool brighter;
  };
  for (const Case c : {Case{-1, true}, Case{1, false}}) {
    SceneView flat;
    SceneView bumped;
    bumped.bump = &rising;
    RenderSettings settings = Small(25);
    settings.lightDirection = {c.lightX, 0, -1};
    const double plain = Render(flat, settings).At(12, 12).x;
    const double relief = Render(bumped, settings).At(12, 12).x;
    EXPECT_EQ(relief > plain, c.brighter) << "light x " << c.lightX;
    EXPECT_GT(std::abs(relief - plain), 0.05);
  }
}

TEST(Render, ChannelViewsShowHeightsUnlit) {
  const HeightField bump([](Vector3 p) { return 0.3 + 0.001 * p.x; });
  const HeightField displacement([](Vector3) { return 0.7; });
  SceneView scene;
  scene.bump = &bump;
  scene.displacement = &displacement;
  RenderSettings settings = Small(25);
  settings.lightDirection = {1, 0, 0};
  struct Case {
    ChannelView view;
    double middle;
  };
  for (const Case c : {Case{ChannelView::kBump, 0.3}, Case{ChannelView::kDisplacement, 0.7}}) {
    settings.view = c.view;
    const Image image = Render(scene, settings);
    EXPECT_NEAR(image.At(12, 12).x, c.middle, 1e-12);
    EXPECT_EQ(image.At(12, 12).x, image.At(12, 12).z);
    EXPECT_TRUE(IsBlack(image.At(0, 0)));
  }
}

TEST(Render, ChannelViewWithoutItsShaderIsBlack) {
  SceneView scene;
  RenderSettings settings = Small();
  for (ChannelView view : {ChannelView::kBump, ChannelView::kDisplacement}) {
    settings.view = view;
    EXPECT_TRUE(IsBlack(Render(scene, settings).At(12, 12)));
  }
}

TEST(Render, SunkenDisplacementShrinksThePlanet) {
  const HeightField sunken([](Vector3) { return -1.0; });
  SceneView scene;
  scene.displacement = &sunken;
  RenderSettings settings = Small(100);
  const auto coveredAcross = [&](bool displaced) {
    settings.displacement = displaced;
    const Image image = Render(scene, settings);
    int covered = 0;
    for (int x = 0; x < image.width; ++x) covered += !IsBlack(image.At(x, 50));
    return covered;
  };
  settings.displacementAmount = 30.0;
  const int whole = coveredAcross(false);
  const int shrunk = coveredAcross(true);
  EXPECT_NEAR(shrunk, whole * 0.7, 3.0);
}

TEST(Render, RefusesAnEmptyImageOrNoLight) {
  SceneView scene;
  RenderSettings settings = Small();
  settings.width = 0;
  EXPECT_THROW(Render(scene, settings), std::invalid_argument);
  settings = Small();
  settings.height = -3;
  EXPECT_THROW(Render(scene, settings), std::invalid_argument);
  settings = Small();
  settings.lightDirection = {0, 0, 0};
  EXPECT_THROW(Render(scene, settings), std::invalid_argument);
}

}  // namespace
}  // namespace standin
