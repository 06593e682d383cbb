// Spline curves: y as a function of x through knots joined by cubic Bezier segments.
#pragma once

#include <cstdint>
#include <vector>

#include "host_abi.h"

namespace standin {

class SplineCurve {
 public:
  static constexpr int32_t kMaxKnots = 1 << 16;

  std::vector<SplineKnot> knots;  // in x order

  // Replaces the knots by `count` knots evenly spread from (0, 0) to (1, 1), flags 0, zero
  // tangents. False (knots unchanged) for a negative count or one above kMaxKnots.
  bool SetKnotCount(int32_t count);
  int32_t KnotCount() const { return static_cast<int32_t>(knots.size()); }
  SplineKnot* KnotAt(int32_t index);  // null when out of range

  // The point of the curve whose x is `x`: the end knots outside their x range, the origin
  // for an empty curve, the first knot for a NaN x. Between two knots the segment runs from
  // the left knot along its right tangent to the right knot along its left tangent; a
  // knot without SPLINE_KNOT_TANGENTS_SET gets smooth tangents from its neighbours.
  Vector3 Evaluate(double x) const;

 private:
  void Tangents(size_t index, Vector3* left, Vector3* right) const;
};

}  // namespace standin
