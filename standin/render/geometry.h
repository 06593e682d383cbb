// Arithmetic on the ABI's plain records, for the renderer's geometry.
#pragma once

#include <cmath>
#include <optional>

#include "host_abi.h"

namespace standin::geometry {

inline constexpr double kPi = 3.14159265358979323846;

inline Vector3 operator+(Vector3 a, Vector3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vector3 operator-(Vector3 a, Vector3 b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vector3 operator-(Vector3 a) {
  return {-a.x, -a.y, -a.z};
}
inline Vector3 operator*(double s, Vector3 a) {
  return {s * a.x, s * a.y, s * a.z};
}

inline double Dot(Vector3 a, Vector3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vector3 Cross(Vector3 a, Vector3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(Vector3 a) {
  return std::sqrt(Dot(a, a));
}
inline Vector3 Normalize(Vector3 a) {
  return (1.0 / Length(a)) * a;
}

// Two unit tangents that make a right-handed frame with the unit normal n; no seam, no pole.
inline void TangentFrame(Vector3 n, Vector3& tangent, Vector3& bitangent) {
  const double sign = std::copysign(1.0, n.z);
  const double a = -1.0 / (sign + n.z);
  const double b = n.x * n.y * a;
  tangent = {1.0 + sign * n.x * n.x * a, sign * b, -sign * n.x};
  bitangent = {b, sign + n.y * n.y * a, -n.y};
}

inline Matrix34 IdentityMatrix() {
  return {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
}

inline Vector3 TransformVector(const Matrix34& m, Vector3 v) {
  return v.x * m.axis1 + v.y * m.axis2 + v.z * m.axis3;
}
inline Vector3 TransformPoint(const Matrix34& m, Vector3 p) {
  return m.off + TransformVector(m, p);
}
// A normal goes through the transposed inverse, so hand this the inverse of the object matrix.
inline Vector3 TransformNormal(const Matrix34& inverse, Vector3 n) {
  return {Dot(inverse.axis1, n), Dot(inverse.axis2, n), Dot(inverse.axis3, n)};
}

// None for a matrix that flattens space (or holds a NaN): nothing can be seen through it.
std::optional<Matrix34> Inverse(const Matrix34& m);

}  // namespace standin::geometry
