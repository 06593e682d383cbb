#include "displacement.h"

#include "geometry.h"

namespace standin {
using namespace geometry;

namespace {

constexpr int kFixedPointSteps = 4;

class DisplacedSurface {
 public:
  DisplacedSurface(const PlacedSphere& sphere, const Ray& ray, const SurfaceShading& displacement,
                   double amount, int threadIndex)
      : sphere_(sphere),
        ray_(ray),
        displacement_(displacement),
        amount_(amount),
        threadIndex_(threadIndex) {}

  // Heights are looked up on the undisplaced surface, as a displacement map is.
  double RadiusAt(Vector3 objectDirection) const {
    const SurfacePoint base = sphere_.PointAt(objectDirection, sphere_.Radius());
    const HitContext hit = MakeHitContext(sphere_, base, objectDirection, ray_.direction);
    const ChannelSample sample{SphericalUv(objectDirection),
                               ChannelSampleFlags(MATERIAL_CHANNEL_DISPLACEMENT), threadIndex_,
                               &hit, 0.0};
    return sphere_.Radius() + amount_ * Grey(displacement_.Sample(sample));
  }

  // Central differences, so that a sphere's curvature tilts nothing.
  Vector3 ObjectNormal(Vector3 objectDirection) const {
    Vector3 tangent, bitangent;
    TangentFrame(objectDirection, tangent, bitangent);
    const double step = 1.0 / sphere_.Radius();
    const Vector3 alongTangent = DisplacedPoint(objectDirection + step * tangent) -
                                 DisplacedPoint(objectDirection - step * tangent);
    const Vector3 alongBitangent = DisplacedPoint(objectDirection + step * bitangent) -
                                   DisplacedPoint(objectDirection - step * bitangent);
    const Vector3 normal = Normalize(Cross(alongTangent, alongBitangent));
    return Dot(normal, objectDirection) < 0.0 ? -normal : normal;
  }

 private:
  Vector3 DisplacedPoint(Vector3 towards) const {
    const Vector3 objectDirection = Normalize(towards);
    return RadiusAt(objectDirection) * objectDirection;
  }

  const PlacedSphere& sphere_;
  const Ray& ray_;
  const SurfaceShading& displacement_;
  double amount_;
  int threadIndex_;
};

}  // namespace

std::optional<DisplacedHit> IntersectDisplaced(const PlacedSphere& sphere, const Ray& ray,
                                               const SurfaceShading& displacement, double amount,
                                               int threadIndex) {
  const DisplacedSurface surface(sphere, ray, displacement, amount, threadIndex);
  std::optional<SurfacePoint> hit = sphere.Intersect(ray, sphere.Radius());
  for (int step = 0; hit && step < kFixedPointSteps; ++step) {
    hit = sphere.Intersect(ray, surface.RadiusAt(hit->objectDirection));
  }
  if (!hit) return std::nullopt;
  return DisplacedHit{*hit, surface.ObjectNormal(hit->objectDirection)};
}

}  // namespace standin
