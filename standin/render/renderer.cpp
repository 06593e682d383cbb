#include "renderer.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

#include "bump.h"
#include "displacement.h"
#include "geometry.h"

namespace standin {
using namespace geometry;

namespace {

constexpr int kTileSize = 32;
constexpr double kAmbient = 0.05;
const Vector3 kPlainSurface{1.0, 1.0, 1.0};

struct ShadingPoint {
  SurfacePoint point;
  Vector3 objectNormal;
};

class PixelShader {
 public:
  PixelShader(const SceneView& scene, const RenderSettings& settings)
      : scene_(scene),
        settings_(settings),
        sphere_(scene.sphere),
        towardsLight_(Normalize(settings.lightDirection)) {}

  Vector3 Shade(int x, int y, int threadIndex) const {
    const Ray ray = CameraRay(scene_.camera, x + 0.5, y + 0.5, settings_.width, settings_.height);
    const std::optional<ShadingPoint> surface = FindSurface(ray, threadIndex);
    if (!surface) return {0.0, 0.0, 0.0};
    const HitContext hit =
        MakeHitContext(sphere_, surface->point, surface->objectNormal, ray.direction);
    const ChannelSample sample{SphericalUv(surface->point.objectDirection), 0, threadIndex, &hit,
                               0.0};
    switch (settings_.view) {
      case ChannelView::kBump:
        return GreyColour(scene_.bump ? CentreHeight(SampleBumpHeights(*scene_.bump, sample))
                                      : 0.0);
      case ChannelView::kDisplacement:
        return GreyColour(ChannelHeight(scene_.displacement, sample));
      case ChannelView::kColour:
        break;
    }
    return Lit(sample, surface->objectNormal);
  }

 private:
  std::optional<ShadingPoint> FindSurface(const Ray& ray, int threadIndex) const {
    if (settings_.displacement && scene_.displacement) {
      const std::optional<DisplacedHit> hit = IntersectDisplaced(
          sphere_, ray, *scene_.displacement, settings_.displacementAmount, threadIndex);
      if (!hit) return std::nullopt;
      return ShadingPoint{hit->point, hit->objectNormal};
    }
    const std::optional<SurfacePoint> hit = sphere_.Intersect(ray, sphere_.Radius());
    if (!hit) return std::nullopt;
    return ShadingPoint{*hit, hit->objectDirection};
  }

  Vector3 Lit(ChannelSample sample, Vector3 objectNormal) const {
    sample.flags = ChannelSampleFlags(MATERIAL_CHANNEL_COLOR);
    const Vector3 colour = scene_.colour ? scene_.colour->Sample(sample) : kPlainSurface;
    const Vector3 normal = scene_.bump
                               ? TiltNormal(objectNormal, SampleBumpHeights(*scene_.bump, sample),
                                            settings_.bumpHeight)
                               : objectNormal;
    const double diffuse = std::max(0.0, Dot(sphere_.WorldNormal(normal), towardsLight_));
    return (kAmbient + (1.0 - kAmbient) * diffuse) * colour;
  }

  static double ChannelHeight(const SurfaceShading* shading, ChannelSample sample) {
    if (!shading) return 0.0;
    sample.flags = ChannelSampleFlags(MATERIAL_CHANNEL_DISPLACEMENT);
    return Grey(shading->Sample(sample));
  }

  static Vector3 GreyColour(double value) { return {value, value, value}; }

  const SceneView& scene_;
  const RenderSettings& settings_;
  PlacedSphere sphere_;
  Vector3 towardsLight_;
};

void CheckSettings(const RenderSettings& settings) {
  if (settings.width < 1 || settings.height < 1) {
    throw std::invalid_argument("the image needs a width and a height of at least 1 pixel");
  }
  const double lightLength = Length(settings.lightDirection);
  if (!std::isfinite(lightLength) || lightLength == 0.0) {
    throw std::invalid_argument("the light direction must be a finite, non-zero vector");
  }
}

}  // namespace

Image Render(const SceneView& scene, const RenderSettings& settings, const TileProgress& progress) {
  CheckSettings(settings);
  Image image(settings.width, settings.height);
  const PixelShader shader(scene, settings);
  RunTiles(
      SplitIntoTiles(settings.width, settings.height, kTileSize), settings.threads,
      [&](const Tile& tile, int threadIndex) {
        for (int y = tile.y0; y < tile.y1; ++y) {
          for (int x = tile.x0; x < tile.x1; ++x) image.At(x, y) = shader.Shade(x, y, threadIndex);
        }
      },
      progress);
  return image;
}

}  // namespace standin
