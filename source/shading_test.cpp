#include "shading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace verdanta {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

void ExpectVector(const Vector3& expected, const Vector3& actual, double tolerance = 0.0) {
  EXPECT_NEAR(expected.x, actual.x, tolerance);
  EXPECT_NEAR(expected.y, actual.y, tolerance);
  EXPECT_NEAR(expected.z, actual.z, tolerance);
}

TEST(SmoothStep, EasesBetweenBoundsAndStepsWhenTheyMeet) {
  struct Case {
    double lo, hi, x, expected;
  } cases[] = {
      {0.2, 0.4, 0.2, 0.0},                             // at lo
      {0.2, 0.4, 0.1, 0.0},                             // below
      {0.2, 0.4, 0.4, 1.0},                             // at hi
      {0.2, 0.4, 0.9, 1.0},                             // above
      {0.0, 1.0, 0.5, 0.5},                             // middle
      {0.0, 1.0, 0.25, 0.15625}, {0.3, 0.3, 0.3, 0.0},  // equal bounds: a hard step, 0 at the bound
      {0.3, 0.3, 0.30001, 1.0}                          // ... and 1 just above it
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(c.expected, SmoothStep(c.lo, c.hi, c.x)) << c.lo << " " << c.hi << " " << c.x;
  }
}

const Matrix34 kIdentity = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

void ExpectMatrix(const Matrix34& expected, const Matrix34& actual, double tolerance = 0.0) {
  ExpectVector(expected.off, actual.off, tolerance);
  ExpectVector(expected.axis1, actual.axis1, tolerance);
  ExpectVector(expected.axis2, actual.axis2, tolerance);
  ExpectVector(expected.axis3, actual.axis3, tolerance);
}

TEST(InvertMatrix, IdentityTranslationAndSingularMatrices) {
  ExpectMatrix(kIdentity, InvertMatrix(kIdentity));

  const Matrix34 translation = {{3, -4, 5}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  ExpectMatrix(Matrix34{{-3, 4, -5}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, InvertMatrix(translation));

  const Matrix34 flattened = {{7, 8, 9}, {2, 0, 0}, {0, 0, 0}, {0, 0, 3}};
  ExpectMatrix(kIdentity, InvertMatrix(flattened));
}

TEST(InvertMatrix, UndoesAnAffineMap) {
  const Matrix34 m = {{10, -20, 5}, {0, 2, 1}, {-3, 0, 0.5}, {1, 1, 4}};
  const Matrix34 inverse = InvertMatrix(m);
  for (const Vector3& p : {Vector3{0, 0, 0}, Vector3{1, 2, 3}, Vector3{-50, 0.25, 7}}) {
    ExpectVector(p, TransformPoint(inverse, TransformPoint(m, p)), 1e-12);
  }
}

TEST(InvertMatrix, NaNDeterminantIsNotTreatedAsSingular) {
  const Matrix34 m = {{0, 0, 0}, {kNaN, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  EXPECT_TRUE(std::isnan(InvertMatrix(m).axis1.x));
}

TEST(ClampColor, ClampsEachComponentAndPassesNaN) {
  const Vector3 clamped = ClampColor(Vector3{-0.5, 0.25, 3.0});
  ExpectVector(Vector3{0.0, 0.25, 1.0}, clamped);
  const Vector3 withNaN = ClampColor(Vector3{kNaN, 2.0, -1.0});
  EXPECT_TRUE(std::isnan(withNaN.x));
  EXPECT_EQ(1.0, withNaN.y);
  EXPECT_EQ(0.0, withNaN.z);
}

TEST(RemapToUnit, MapsLoToZeroAndHiToOneWithoutClamping) {
  struct Case {
    double lo, hi, x, expected;
  } cases[] = {{-1, 1, -1, 0}, {-1, 1, 1, 1}, {-1, 1, 0, 0.5}, {-1, 1, 3, 2}, {2, 4, 1, -0.5}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(c.expected, RemapToUnit(c.lo, c.hi, c.x)) << c.lo << " " << c.hi << " " << c.x;
  }
}

TEST(OverlayBlend, TwoHalvesWithTheirJumpAtOneHalf) {
  struct Case {
    double a, b, expected;
  } cases[] = {{0.5, 0.8, 0.8},    // lower half at its end: b itself
               {0.25, 0.5, 0.25},  // (a + a) * b
               {0.75, 0.25, 0.5},  // a + (b - a)(2a - 1)
               {1.0, 0.3, 0.3}};
  for (const Case& c : cases) {
    EXPECT_NEAR(c.expected, OverlayBlend(c.a, c.b), 1e-15) << c.a << " " << c.b;
  }
  EXPECT_NEAR(0.5, OverlayBlend(0.5 + 1e-9, 0.8), 1e-6) << "the upper half starts near 0.5";
  EXPECT_TRUE(std::isnan(OverlayBlend(kNaN, 0.5)));
}

}  // namespace
}  // namespace verdanta
