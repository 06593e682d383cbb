#include "camera.h"

#include <algorithm>
#include <cmath>

#include "geometry.h"

namespace standin {
using namespace geometry;

namespace {
constexpr double kFramingFieldOfView = kPi / 6.0;
// The planet's silhouette spans 1 / (1 + margin) of the shorter side.
constexpr double kFramingMargin = 0.15;
}  // namespace

Camera FramingCamera(double sphereRadius) {
  const double silhouette = std::tan(kFramingFieldOfView / 2.0) / (1.0 + kFramingMargin);
  const double angularRadius = std::atan(silhouette);
  return {sphereRadius / std::sin(angularRadius), kFramingFieldOfView};
}

Ray CameraRay(const Camera& camera, double x, double y, int width, int height) {
  const double halfExtent = std::tan(camera.fieldOfViewRadians / 2.0);
  const double pixelSize = 2.0 * halfExtent / std::min(width, height);
  const Vector3 onImagePlane{(x - 0.5 * width) * pixelSize, (0.5 * height - y) * pixelSize, 1.0};
  return {{0.0, 0.0, -camera.distance}, Normalize(onImagePlane)};
}

}  // namespace standin
