#include "geometry.h"

namespace standin::geometry {

std::optional<Matrix34> Inverse(const Matrix34& m) {
  const double determinant = Dot(m.axis1, Cross(m.axis2, m.axis3));
  if (!std::isfinite(determinant) || determinant == 0.0) return std::nullopt;
  // Rows of the inverse are the pairwise cross products; gather them into columns.
  const double q = 1.0 / determinant;
  const Vector3 row1 = q * Cross(m.axis2, m.axis3);
  const Vector3 row2 = q * Cross(m.axis3, m.axis1);
  const Vector3 row3 = q * Cross(m.axis1, m.axis2);
  Matrix34 inverse{
      {0, 0, 0}, {row1.x, row2.x, row3.x}, {row1.y, row2.y, row3.y}, {row1.z, row2.z, row3.z}};
  inverse.off = -TransformVector(inverse, m.off);
  return inverse;
}

}  // namespace standin::geometry
