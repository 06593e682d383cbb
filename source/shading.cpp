#include "shading.h"

#include "vector_math.h"

namespace verdanta {

double SmoothStep(double lo, double hi, double x) {
  if (x <= lo) return 0.0;
  if (hi - lo == 0.0 || x >= hi) return 1.0;
  const double w = (x - lo) / (hi - lo);
  return (3.0 - 2.0 * w) * w * w;
}

Matrix34 InvertMatrix(const Matrix34& m) {
  const Vector3& a = m.axis1;
  const Vector3& b = m.axis2;
  const Vector3& c = m.axis3;
  const double det =
      a.x * (c.z * b.y - c.y * b.z) + b.x * (c.y * a.z - c.z * a.y) + c.x * (b.z * a.y - b.y * a.z);
  if (det == 0.0) return Matrix34{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const double q = 1.0 / det;
  Matrix34 inverse;
  inverse.axis1 = Vector3{b.y * c.z - b.z * c.y, c.y * a.z - c.z * a.y, a.y * b.z - a.z * b.y} * q;
  inverse.axis2 = Vector3{b.z * c.x - b.x * c.z, c.z * a.x - c.x * a.z, a.z * b.x - a.x * b.z} * q;
  inverse.axis3 = Vector3{b.x * c.y - b.y * c.x, c.x * a.y - c.y * a.x, a.x * b.y - a.y * b.x} * q;
  inverse.off = Vector3{0, 0, 0};
  inverse.off = TransformPoint(inverse, m.off) * -1.0;
  return inverse;
}

Vector3 TransformPoint(const Matrix34& m, const Vector3& p) {
  return m.off + m.axis1 * p.x + m.axis2 * p.y + m.axis3 * p.z;
}

double ClampUnit(double x) {
  if (x < 0.0) x = 0.0;
  if (x > 1.0) x = 1.0;
  return x;
}

Vector3 ClampColor(const Vector3& color) {
  return Vector3{ClampUnit(color.x), ClampUnit(color.y), ClampUnit(color.z)};
}

double RemapToUnit(double lo, double hi, double x) {
  const double k = 1.0 / (hi - lo);
  return (1.0 - k * hi) + k * x;
}

double OverlayBlend(double a, double b) {
  if (a > 0.5) {
    const double d = b - a;
    return 2.0 * d * a + (a - d);
  }
  return (a + a) * b;
}

}  // namespace verdanta
