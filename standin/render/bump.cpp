#include "bump.h"

#include "geometry.h"

namespace standin {
using namespace geometry;

BumpHeights SampleBumpHeights(const SurfaceShading& bump, ChannelSample sample) {
  BumpHeights heights{};
  for (int32_t direction = 0; direction < 4; ++direction) {
    sample.flags = ChannelSampleFlags(MATERIAL_CHANNEL_BUMP, direction);
    heights[direction] = Grey(bump.Sample(sample));
  }
  return heights;
}

double CentreHeight(const BumpHeights& heights) {
  return (heights[0] + heights[1] + heights[2] + heights[3]) / 4.0;
}

Vector3 TiltNormal(Vector3 objectNormal, const BumpHeights& heights, double bumpHeight) {
  // Central differences over the two unit steps either side.
  const Vector3 gradient{(heights[0] - heights[1]) / 2.0, (heights[2] - heights[3]) / 2.0, 0.0};
  const Vector3 alongSurface = gradient - Dot(gradient, objectNormal) * objectNormal;
  return Normalize(objectNormal - bumpHeight * alongSurface);
}

}  // namespace standin
