// Displacement from channel 11: the surface moves along the sphere's normal by height x amount.
// The ray is re-intersected with a concentric sphere whose radius follows the height under the
// last hit, a few fixed-point steps; the silhouette stays within what the undisplaced sphere
// covers. The normal comes from displaced positions one object unit either side.
#pragma once

#include <optional>

#include "camera.h"
#include "sphere.h"
#include "surface_shading.h"

namespace standin {

struct DisplacedHit {
  SurfacePoint point;
  Vector3 objectNormal;
};

// `threadIndex` is passed on to the shader's samples.
std::optional<DisplacedHit> IntersectDisplaced(const PlacedSphere& sphere, const Ray& ray,
                                               const SurfaceShading& displacement, double amount,
                                               int threadIndex);

}  // namespace standin
