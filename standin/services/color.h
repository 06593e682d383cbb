// Colour space conversion of the render services.
#pragma once

#include <cstdint>

#include "host_abi.h"

namespace standin {

enum ColorConversion : int32_t {
  kLinearToSrgb = 1,
  kSrgbToLinear = 2,
};

// Applies the sRGB transfer function (or its inverse) to each component; any other mode
// answers the colour unchanged. NaN components stay NaN.
Vector3 ColorSpaceConvert(Vector3 color, int32_t mode);

}  // namespace standin
