// Relief from the bump channel: the shader moves its sample point by one object unit along +x,
// -x, +y and -y for the four bump directions, and the height differences tilt the normal.
#pragma once

#include <array>

#include "host_abi.h"
#include "surface_shading.h"

namespace standin {

using BumpHeights = std::array<double, 4>;  // by bump direction

// The four channel-6 sub-samples of one hit; `sample` carries the hit and texture position.
BumpHeights SampleBumpHeights(const SurfaceShading& bump, ChannelSample sample);

// The height at the hit itself, to second order.
double CentreHeight(const BumpHeights& heights);

// The object-space normal tilted by the heights, each unit of height standing for
// `bumpHeight` object units. The shader offers no step along z, so relief along z is lost
// where the surface faces along x or y.
Vector3 TiltNormal(Vector3 objectNormal, const BumpHeights& heights, double bumpHeight);

}  // namespace standin
