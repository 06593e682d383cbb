// The child shader's gradient runs from the shader's rim colour to black.
#pragma once

#include "host_abi.h"

namespace verdanta {

// Rewrites the first two knots of the child's gradient through `value`, a scratch value the
// caller owns; leaves the child as it was when it holds no gradient.
void UpdateChildGradient(HostNode* child, HostDataValue* value, const Vector3& rimColor,
                         double falloff);

}  // namespace verdanta
