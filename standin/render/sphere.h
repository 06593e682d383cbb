// The planet's body: a UV-mapped sphere at the origin of its object space, placed in the world
// by its object matrix.
#pragma once

#include <optional>

#include "camera.h"
#include "host_abi.h"

namespace standin {

// The radius of the host's default sphere, which the shader's scales are made for.
inline constexpr double kDefaultSphereRadius = 100.0;

struct Sphere {
  Matrix34 objectMatrix{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  double radius = kDefaultSphereRadius;
  HostNode* node = nullptr;  // handed to shaders as the hit object; may be null
};

// Texture coordinates of a direction from the sphere's centre, as (u, v, 0). The poles lie on
// the object's y axis: v = 0 at +y (the top of the image of the planet and of a bake), v = 1 at
// -y. u runs once around the y axis, 0.5 facing the camera and increasing to the right, with the
// seam at the back.
Vector3 SphericalUv(Vector3 objectDirection);

struct SurfacePoint {
  Vector3 objectDirection;  // unit, from the centre in object space
  Vector3 objectPoint;
  Vector3 worldPoint;
};

// The sphere as the renderer sees it: the inverse matrix is worked out once.
class PlacedSphere {
 public:
  explicit PlacedSphere(const Sphere& sphere);

  double Radius() const { return sphere_.radius; }
  HostNode* Node() const { return sphere_.node; }

  // The nearest point in front of the ray on a concentric sphere of the given radius: the
  // renderer moves the radius to follow displacement.
  std::optional<SurfacePoint> Intersect(const Ray& worldRay, double radius) const;
  SurfacePoint PointAt(Vector3 objectDirection, double radius) const;
  Vector3 WorldNormal(Vector3 objectNormal) const;

 private:
  Sphere sphere_;
  std::optional<Matrix34> inverse_;
};

// What a shader learns about a hit on the sphere.
HitContext MakeHitContext(const PlacedSphere& sphere, const SurfacePoint& point,
                          Vector3 objectNormal, Vector3 rayDirection);

}  // namespace standin
