#include "color.h"

#include <cmath>

namespace standin {

namespace {

double SrgbToLinear(double c) {
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LinearToSrgb(double c) {
  return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
}

Vector3 EachComponent(const Vector3& color, double (*convert)(double)) {
  return {convert(color.x), convert(color.y), convert(color.z)};
}

}  // namespace

Vector3 ColorSpaceConvert(Vector3 color, int32_t mode) {
  switch (mode) {
    case kSrgbToLinear:
      return EachComponent(color, SrgbToLinear);
    case kLinearToSrgb:
      return EachComponent(color, LinearToSrgb);
    default:
      return color;
  }
}

}  // namespace standin
