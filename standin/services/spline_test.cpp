#include "spline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace standin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The curve a new shader node stores: flat out of (0, 0), straight up into (1, 1).
SplineCurve HeightProfile() {
  SplineCurve curve;
  curve.SetKnotCount(2);
  SplineKnot* start = curve.KnotAt(0);
  start->flags |= SPLINE_KNOT_TANGENTS_SET;
  start->rightTangent = {0.4, 0, 0};
  SplineKnot* end = curve.KnotAt(1);
  end->position = {1, 1, 0};
  end->flags |= SPLINE_KNOT_TANGENTS_SET;
  end->leftTangent = {0, -0.65, 0};
  return curve;
}

double Slope(const SplineCurve& curve, double from, double to) {
  return (curve.Evaluate(to).y - curve.Evaluate(from).y) / (to - from);
}

TEST(SplineKnots, SetKnotCountSpreadsDefaultKnots) {
  for (int32_t count : {0, 1, 2, 5}) {
    SplineCurve curve;
    ASSERT_TRUE(curve.SetKnotCount(count));
    ASSERT_EQ(curve.KnotCount(), count);
    for (int32_t i = 0; i < count; ++i) {
      const SplineKnot& knot = *curve.KnotAt(i);
      const double along = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
      EXPECT_EQ(knot.position.x, along);
      EXPECT_EQ(knot.position.y, along);
      EXPECT_EQ(knot.position.z, 0.0);
      EXPECT_EQ(knot.flags, 0);
      EXPECT_EQ(knot.leftTangent.x, 0.0);
      EXPECT_EQ(knot.rightTangent.y, 0.0);
    }
  }
}

TEST(SplineKnots, RefusedCountsAndIndicesLeaveTheCurve) {
  SplineCurve curve = HeightProfile();
  for (int32_t count : {-1, INT32_MIN, SplineCurve::kMaxKnots + 1, INT32_MAX}) {
    EXPECT_FALSE(curve.SetKnotCount(count));
    EXPECT_EQ(curve.KnotCount(), 2);
  }
  for (int32_t index : {-1, 2, INT32_MAX}) EXPECT_EQ(curve.KnotAt(index), nullptr);
  EXPECT_EQ(curve.KnotAt(1)->leftTangent.y, -0.65);
}

TEST(SplineEvaluate, ComputedTangentsOfTheResetCurveGiveTheDiagonal) {
  SplineCurve curve;
  curve.SetKnotCount(2);
  for (double x : {0.0, 0.1, 0.37, 0.5, 0.99, 1.0}) EXPECT_NEAR(curve.Evaluate(x).y, x, 1e-12);
  curve.SetKnotCount(4);
  for (double x : {0.2, 0.5, 0.8}) EXPECT_NEAR(curve.Evaluate(x).y, x, 1e-12);
}

TEST(SplineEvaluate, HeightProfilePassesItsKnotsWithItsTangents) {
  const SplineCurve curve = HeightProfile();
  EXPECT_EQ(curve.Evaluate(0.0).y, 0.0);
  EXPECT_EQ(curve.Evaluate(1.0).y, 1.0);
  // Leaves (0, 0) horizontally ...
  EXPECT_LT(Slope(curve, 0.0, 1e-4), 1e-3);
  // ... and reaches (1, 1) from straight below.
  EXPECT_GT(Slope(curve, 1 - 1e-6, 1.0), 100.0);
  double previous = 0;
  for (double x = 0.05; x < 1.0; x += 0.05) {
    const Vector3 point = curve.Evaluate(x);
    EXPECT_NEAR(point.x, x, 1e-12);
    EXPECT_GT(point.y, previous);
    EXPECT_LT(point.y, 1.0);
    previous = point.y;
  }
}

TEST(SplineEvaluate, EndKnotsOutsideTheirRange) {
  const SplineCurve curve = HeightProfile();
  for (double x : {-0.001, -5.0, -std::numeric_limits<double>::infinity(), kNaN}) {
    const Vector3 point = curve.Evaluate(x);
    EXPECT_EQ(point.x, 0.0);
    EXPECT_EQ(point.y, 0.0);
  }
  for (double x : {1.001, 9.0, std::numeric_limits<double>::infinity()}) {
    const Vector3 point = curve.Evaluate(x);
    EXPECT_EQ(point.x, 1.0);
    EXPECT_EQ(point.y, 1.0);
  }
  const Vector3 origin = SplineCurve().Evaluate(0.5);
  EXPECT_EQ(origin.x, 0.0);
  EXPECT_EQ(origin.y, 0.0);
  EXPECT_EQ(origin.z, 0.0);
}

TEST(SplineEvaluate, ComputedTangentsAreSmoothThroughInnerKnots) {
  SplineCurve curve;
  curve.SetKnotCount(3);
  curve.KnotAt(1)->position = {0.3, 0.8, 0};
  curve.KnotAt(2)->position = {1.0, 0.2, 0};
  EXPECT_NEAR(curve.Evaluate(0.3).y, 0.8, 1e-12);
  const double h = 1e-5;
  EXPECT_NEAR(Slope(curve, 0.3 - h, 0.3), Slope(curve, 0.3, 0.3 + h), 1e-3);
  // The slope there is that of the neighbours' chord.
  EXPECT_NEAR(Slope(curve, 0.3 - h, 0.3 + h), (0.2 - 0.0) / (1.0 - 0.0), 1e-4);
}

TEST(SplineEvaluate, MixedTangentsAndManyKnots) {
  SplineCurve curve;
  curve.SetKnotCount(6);
  SplineKnot* knot = curve.KnotAt(2);
  knot->flags = SPLINE_KNOT_TANGENTS_SET;
  knot->leftTangent = {-0.05, 0.3, 0};
  knot->rightTangent = {0.05, -0.3, 0};
  for (int32_t i = 0; i < 6; ++i) {
    const Vector3 at = curve.KnotAt(i)->position;
    EXPECT_NEAR(curve.Evaluate(at.x).y, at.y, 1e-12);
  }
  // The set tangents point the curve down to the right of knot 2, though the data rise.
  EXPECT_LT(Slope(curve, 0.4, 0.4 + 1e-6), 0.0);
}

}  // namespace
}  // namespace standin
