// What a new node holds: every parameter's default, the terrain gradient and the height spline.
#pragma once

#include "host_abi.h"

namespace verdanta {

inline constexpr double kDefaultChildFalloff = 0.5;

void StoreDefaultValues(HostContainer* settings);
// Each is skipped when the host cannot make the gradient or the curve.
void StoreDefaultGradient(HostContainer* settings);
void StoreDefaultSpline(HostContainer* settings);

}  // namespace verdanta
