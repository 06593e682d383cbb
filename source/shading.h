// The small numeric functions of shading: pure, so any number of threads may use them. They
// run several times a sample, so they live here to be inlined where they are used.
#pragma once

#include "host_abi.h"
#include "vector_math.h"

namespace verdanta {

// 0 at or below lo, 1 at or above hi (or above lo when the two meet), a cubic ease between.
inline double SmoothStep(double lo, double hi, double x) {
  if (x <= lo) return 0.0;
  if (hi - lo == 0.0 || x >= hi) return 1.0;
  const double w = (x - lo) / (hi - lo);
  return (3.0 - 2.0 * w) * w * w;
}

inline Vector3 TransformPoint(const Matrix34& m, const Vector3& p) {
  return m.off + m.axis1 * p.x + m.axis2 * p.y + m.axis3 * p.z;
}

// The inverse affine map; the identity when the matrix has no inverse.
inline Matrix34 InvertMatrix(const Matrix34& m) {
  const Vector3 a = m.axis1;
  const Vector3 b = m.axis2;
  const Vector3 c = m.axis3;
  const double det =
      a.x * (c.z * b.y - c.y * b.z) + b.x * (c.y * a.z - c.z * a.y) + c.x * (b.z * a.y - b.y * a.z);
  if (det == 0.0) return Matrix34{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const double q = 1.0 / det;
  const Vector3 axis1 =
      Vector3{b.y * c.z - b.z * c.y, c.y * a.z - c.z * a.y, a.y * b.z - a.z * b.y} * q;
  const Vector3 axis2 =
      Vector3{b.z * c.x - b.x * c.z, c.z * a.x - c.x * a.z, a.z * b.x - a.x * b.z} * q;
  const Vector3 axis3 =
      Vector3{b.x * c.y - b.y * c.x, c.x * a.y - c.y * a.x, a.x * b.y - a.y * b.x} * q;
  // Built from the locals rather than read back from the result, which would stall on the
  // stores just made.
  const Vector3 off = (axis1 * m.off.x + axis2 * m.off.y + axis3 * m.off.z) * -1.0;
  return Matrix34{off, axis1, axis2, axis3};
}

// Into [0, 1]; NaN passes as it is.
inline double ClampUnit(double x) {
  if (x < 0.0) x = 0.0;
  if (x > 1.0) x = 1.0;
  return x;
}

inline Vector3 ClampColor(const Vector3& color) {
  return Vector3{ClampUnit(color.x), ClampUnit(color.y), ClampUnit(color.z)};
}

// The linear map taking lo to 0 and hi to 1, unclamped.
inline double RemapToUnit(double lo, double hi, double x) {
  const double k = 1.0 / (hi - lo);
  return (1.0 - k * hi) + k * x;
}

// Blends b over a; the two halves do not meet at a = 0.5, and the height relies on that jump.
inline double OverlayBlend(double a, double b) {
  if (a > 0.5) {
    const double d = b - a;
    return 2.0 * d * a + (a - d);
  }
  return (a + a) * b;
}

}  // namespace verdanta
