#include "sphere.h"

#include <algorithm>
#include <cmath>

#include "geometry.h"

namespace standin {
using namespace geometry;

Vector3 SphericalUv(Vector3 objectDirection) {
  const Vector3 d = Normalize(objectDirection);
  const double u = 0.5 + std::atan2(d.x, -d.z) / (2.0 * kPi);
  const double v = std::acos(std::clamp(d.y, -1.0, 1.0)) / kPi;
  return {u, v, 0.0};
}

PlacedSphere::PlacedSphere(const Sphere& sphere)
    : sphere_(sphere), inverse_(Inverse(sphere.objectMatrix)) {}

std::optional<SurfacePoint> PlacedSphere::Intersect(const Ray& worldRay, double radius) const {
  if (!inverse_ || !(radius > 0.0)) return std::nullopt;
  // The object-space direction keeps its length, so t means the same in both spaces.
  const Vector3 origin = TransformPoint(*inverse_, worldRay.origin);
  const Vector3 direction = TransformVector(*inverse_, worldRay.direction);
  const double a = Dot(direction, direction);
  const double halfB = Dot(origin, direction);
  const double c = Dot(origin, origin) - radius * radius;
  const double discriminant = halfB * halfB - a * c;
  if (!(discriminant >= 0.0)) return std::nullopt;
  const double root = std::sqrt(discriminant);
  double t = (-halfB - root) / a;
  if (t <= 0.0) t = (-halfB + root) / a;
  if (!(t > 0.0)) return std::nullopt;
  const Vector3 objectPoint = origin + t * direction;
  return SurfacePoint{Normalize(objectPoint), objectPoint,
                      TransformPoint(sphere_.objectMatrix, objectPoint)};
}

SurfacePoint PlacedSphere::PointAt(Vector3 objectDirection, double radius) const {
  const Vector3 objectPoint = radius * objectDirection;
  return {objectDirection, objectPoint, TransformPoint(sphere_.objectMatrix, objectPoint)};
}

Vector3 PlacedSphere::WorldNormal(Vector3 objectNormal) const {
  return Normalize(TransformNormal(inverse_.value_or(IdentityMatrix()), objectNormal));
}

HitContext MakeHitContext(const PlacedSphere& sphere, const SurfacePoint& point,
                          Vector3 objectNormal, Vector3 rayDirection) {
  return {point.worldPoint, sphere.Node(), sphere.WorldNormal(objectNormal), rayDirection};
}

}  // namespace standin
