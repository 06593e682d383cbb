// Component-wise arithmetic on the host's Vector3.
#pragma once

#include "host_abi.h"

namespace verdanta {

inline Vector3 operator+(const Vector3& a, const Vector3& b) {
  return Vector3{a.x + b.x, a.y + b.y, a.z + b.z};
}

inline Vector3 operator*(const Vector3& v, double factor) {
  return Vector3{v.x * factor, v.y * factor, v.z * factor};
}

inline Vector3 Uniform(double value) {
  return Vector3{value, value, value};
}

}  // namespace verdanta
