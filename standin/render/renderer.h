// Renders the planet: one ray per pixel from the camera to the sphere, shaded through the
// material's channels and lit by one directional light.
#pragma once

#include "camera.h"
#include "image.h"
#include "sphere.h"
#include "surface_shading.h"
#include "tile_pool.h"

namespace standin {

enum class ChannelView {
  kColour,        // the lit colour channel
  kBump,          // the bump channel's height, unlit
  kDisplacement,  // the displacement channel's height, unlit
};

struct RenderSettings {
  int width = 800;
  int height = 600;
  int threads = 0;  // 0: one per hardware thread
  ChannelView view = ChannelView::kColour;
  Vector3 lightDirection{-1.0, 1.0, -1.0};  // world space, towards the light; any length
  double bumpHeight = 10.0;                 // object units that a bump height of 1 stands for
  bool displacement = false;
  double displacementAmount = 5.0;  // object units that a displacement height of 1 moves
};

struct SceneView {
  Sphere sphere;
  Camera camera = FramingCamera(kDefaultSphereRadius);
  const SurfaceShading* colour = nullptr;        // null: a plain white surface
  const SurfaceShading* bump = nullptr;          // null: no relief
  const SurfaceShading* displacement = nullptr;  // null: the sphere as it is
};

// Black where the ray misses. Each pixel depends on its coordinates alone, so the image is the
// same, bit for bit, whatever the number of threads. Throws std::invalid_argument for an empty
// image size or a zero light direction.
Image Render(const SceneView& scene, const RenderSettings& settings,
             const TileProgress& progress = {});

}  // namespace standin
