#include "spline.h"

#include <cmath>

namespace standin {

namespace {

constexpr int32_t kSolverSteps = 100;

Vector3 Add(const Vector3& a, const Vector3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vector3 Subtract(const Vector3& a, const Vector3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vector3 Scale(const Vector3& v, double s) {
  return {v.x * s, v.y * s, v.z * s};
}

struct Bezier {
  Vector3 p0, p1, p2, p3;

  Vector3 At(double t) const {
    const double s = 1 - t;
    return Add(Add(Scale(p0, s * s * s), Scale(p1, 3 * s * s * t)),
               Add(Scale(p2, 3 * s * t * t), Scale(p3, t * t * t)));
  }
  double XAt(double t) const {
    const double s = 1 - t;
    return p0.x * s * s * s + p1.x * 3 * s * s * t + p2.x * 3 * s * t * t + p3.x * t * t * t;
  }
  double XSlopeAt(double t) const {
    const double s = 1 - t;
    return 3 * s * s * (p1.x - p0.x) + 6 * s * t * (p2.x - p1.x) + 3 * t * t * (p3.x - p2.x);
  }

  // The parameter where x(t) = x, for x(0) <= x < x(1): Newton's steps, kept inside the
  // bracket by bisection where a step would leave it (flat ends, wild tangents).
  double Solve(double x) const {
    double low = 0, high = 1;
    double t = (x - p0.x) / (p3.x - p0.x);
    if (!(t > 0 && t < 1)) t = 0.5;
    for (int32_t step = 0; step < kSolverSteps; ++step) {
      const double error = XAt(t) - x;
      if (error == 0) break;
      (error < 0 ? low : high) = t;
      double next = t - error / XSlopeAt(t);
      if (!(next > low && next < high)) next = 0.5 * (low + high);
      if (next == t) break;
      t = next;
    }
    return t;
  }
};

}  // namespace

bool SplineCurve::SetKnotCount(int32_t count) {
  if (count < 0 || count > kMaxKnots) return false;
  knots.assign(static_cast<size_t>(count), SplineKnot{});
  for (int32_t i = 0; i < count; ++i) {
    const double along = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
    knots[static_cast<size_t>(i)].position = {along, along, 0};
  }
  return true;
}

SplineKnot* SplineCurve::KnotAt(int32_t index) {
  if (index < 0 || index >= KnotCount()) return nullptr;
  return &knots[static_cast<size_t>(index)];
}

// Catmull-Rom style: along the chord of the neighbours, a third of the way to each in x, so
// that x runs evenly through the segment.
void SplineCurve::Tangents(size_t index, Vector3* left, Vector3* right) const {
  const SplineKnot& knot = knots[index];
  if (knot.flags & SPLINE_KNOT_TANGENTS_SET) {
    *left = knot.leftTangent;
    *right = knot.rightTangent;
    return;
  }
  const Vector3& previous = knots[index > 0 ? index - 1 : index].position;
  const Vector3& next = knots[index + 1 < knots.size() ? index + 1 : index].position;
  const double span = next.x - previous.x;
  if (!(std::fabs(span) > 0)) {
    *left = *right = {0, 0, 0};
    return;
  }
  const Vector3 slope = Scale(Subtract(next, previous), 1.0 / span);
  *left = Scale(slope, (previous.x - knot.position.x) / 3);
  *right = Scale(slope, (next.x - knot.position.x) / 3);
}

Vector3 SplineCurve::Evaluate(double x) const {
  if (knots.empty()) return {0, 0, 0};
  const Vector3& first = knots.front().position;
  const Vector3& last = knots.back().position;
  if (std::isnan(x) || x <= first.x) return first;
  if (x >= last.x) return last;
  // Bisection for a segment whose x range holds x; it exists since first.x < x < last.x.
  size_t low = 0, high = knots.size() - 1;
  while (high - low > 1) {
    const size_t middle = (low + high) / 2;
    (knots[middle].position.x <= x ? low : high) = middle;
  }
  Vector3 unusedLeft, right, left, unusedRight;
  Tangents(low, &unusedLeft, &right);
  Tangents(high, &left, &unusedRight);
  const Bezier segment{knots[low].position, Add(knots[low].position, right),
                       Add(knots[high].position, left), knots[high].position};
  return segment.At(segment.Solve(x));
}

}  // namespace standin
