#include "gradient.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "color.h"

namespace standin {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

GradientKnot Knot(Vector3 color, double position, int32_t interpolation, double bias = 0.5,
                  double brightness = 1.0) {
  GradientKnot knot{};
  knot.color = color;
  knot.brightness = brightness;
  knot.position = position;
  knot.bias = bias;
  knot.interpolation = interpolation;
  return knot;
}

void ExpectColor(const Vector3& actual, const Vector3& expected, double tolerance = 1e-12) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// Red, green, blue at 0.2, 0.5, 0.9, inserted out of order so that evaluation must sort.
Gradient PrimaryGradient(int32_t interpolation) {
  Gradient gradient;
  gradient.Insert(Knot({0, 0, 1}, 0.9, interpolation));
  gradient.Insert(Knot({1, 0, 0}, 0.2, interpolation));
  gradient.Insert(Knot({0, 1, 0}, 0.5, interpolation));
  return gradient;
}

const int32_t kInterpolations[] = {GRADIENT_INTERPOLATION_STEP, GRADIENT_INTERPOLATION_LINEAR,
                                   GRADIENT_INTERPOLATION_SMOOTH, GRADIENT_INTERPOLATION_CUBIC, 17};

TEST(GradientEvaluate, ExactAtEveryKnot) {
  for (int32_t interpolation : kInterpolations) {
    SCOPED_TRACE(testing::Message() << "interpolation " << interpolation);
    const Gradient gradient = PrimaryGradient(interpolation);
    for (const GradientKnot& knot : gradient.knots) {
      const Vector3 color = gradient.Evaluate(knot.position);
      EXPECT_EQ(color.x, knot.color.x);
      EXPECT_EQ(color.y, knot.color.y);
      EXPECT_EQ(color.z, knot.color.z);
    }
  }
}

TEST(GradientEvaluate, EndColoursOutsideTheKnots) {
  for (int32_t interpolation : kInterpolations) {
    const Gradient gradient = PrimaryGradient(interpolation);
    for (double below : {0.1999, 0.0, -3.0, -kInfinity}) {
      ExpectColor(gradient.Evaluate(below), {1, 0, 0});
    }
    for (double above : {0.9001, 1.0, 7.5, kInfinity}) {
      ExpectColor(gradient.Evaluate(above), {0, 0, 1});
    }
  }
}

TEST(GradientEvaluate, EachInterpolationBetweenKnots) {
  struct Case {
    int32_t interpolation;
    double position;
    Vector3 expected;
  };
  // Quarter of the way from red (0.2) to green (0.5) is 0.275.
  const double smooth = 0.25 * 0.25 * (3 - 2 * 0.25);
  const Case cases[] = {
      {GRADIENT_INTERPOLATION_STEP, 0.275, {1, 0, 0}},
      {GRADIENT_INTERPOLATION_STEP, 0.4999, {1, 0, 0}},
      {GRADIENT_INTERPOLATION_LINEAR, 0.275, {0.75, 0.25, 0}},
      {GRADIENT_INTERPOLATION_LINEAR, 0.7, {0, 0.5, 0.5}},
      {GRADIENT_INTERPOLATION_SMOOTH, 0.275, {1 - smooth, smooth, 0}},
      {GRADIENT_INTERPOLATION_SMOOTH, 0.35, {0.5, 0.5, 0}},
      {17, 0.275, {1 - smooth, smooth, 0}},  // unknown: smooth
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "interpolation " << c.interpolation << " at " << c.position);
    ExpectColor(PrimaryGradient(c.interpolation).Evaluate(c.position), c.expected);
  }
}

TEST(GradientEvaluate, CubicFollowsItsNeighbours) {
  // Greys 0, 0, 1, 1 evenly spaced: the middle segment eases out of and into the flat ends.
  Gradient steps;
  for (int32_t i = 0; i < 4; ++i) {
    const double grey = i < 2 ? 0 : 1;
    steps.Insert(Knot({grey, grey, grey}, i / 3.0, GRADIENT_INTERPOLATION_CUBIC));
  }
  EXPECT_NEAR(steps.Evaluate(1 / 3.0 + 0.25 / 3).x, 0.203125, 1e-12);
  EXPECT_NEAR(steps.Evaluate(0.5).x, 0.5, 1e-12);
  // Between inner knots, a straight run of greys stays straight.
  Gradient ramp;
  for (int32_t i = 0; i < 4; ++i) {
    ramp.Insert(Knot({i / 3.0, 0, 0}, i / 3.0, GRADIENT_INTERPOLATION_CUBIC));
  }
  for (double x : {0.4, 0.45, 0.6}) EXPECT_NEAR(ramp.Evaluate(x).x, x, 1e-12);
}

TEST(GradientEvaluate, BiasMovesTheHalfWayPoint) {
  Gradient gradient;
  gradient.Insert(Knot({0, 0, 0}, 0.0, GRADIENT_INTERPOLATION_LINEAR, 0.25));
  gradient.Insert(Knot({1, 1, 1}, 1.0, GRADIENT_INTERPOLATION_LINEAR));
  EXPECT_NEAR(gradient.Evaluate(0.25).x, 0.5, 1e-12);
  EXPECT_NEAR(gradient.Evaluate(0.5).x, std::sqrt(0.5), 1e-12);
  EXPECT_LT(gradient.Evaluate(0.1).x, gradient.Evaluate(0.2).x);
  for (double bias : {0.0, 1.0, -4.0, kNaN}) {
    gradient.knots[0].bias = bias;
    const double mid = gradient.Evaluate(0.5).x;
    EXPECT_TRUE(mid >= 0 && mid <= 1) << "bias " << bias;
  }
}

TEST(GradientEvaluate, BrightnessScalesTheColour) {
  Gradient gradient;
  gradient.Insert(Knot({0.5, 0.25, 0.1}, 0.0, GRADIENT_INTERPOLATION_LINEAR, 0.5, 2.0));
  gradient.Insert(Knot({1, 1, 1}, 1.0, GRADIENT_INTERPOLATION_LINEAR, 0.5, 0.5));
  ExpectColor(gradient.Evaluate(0.0), {1.0, 0.5, 0.2});
  ExpectColor(gradient.Evaluate(1.0), {0.5, 0.5, 0.5});
  ExpectColor(gradient.Evaluate(0.5), {0.75, 0.5, 0.35});
}

TEST(GradientEvaluate, DegenerateGradients) {
  EXPECT_EQ(Gradient().Evaluate(0.5).x, 0.0);
  Gradient single;
  single.Insert(Knot({0.3, 0.6, 0.9}, 0.4, GRADIENT_INTERPOLATION_SMOOTH));
  for (double x : {-1.0, 0.4, 2.0}) ExpectColor(single.Evaluate(x), {0.3, 0.6, 0.9});
  // Two knots at one place: the later one holds from there on.
  Gradient doubled = PrimaryGradient(GRADIENT_INTERPOLATION_LINEAR);
  doubled.Insert(Knot({1, 1, 1}, 0.5, GRADIENT_INTERPOLATION_LINEAR));
  ExpectColor(doubled.Evaluate(0.5), {1, 1, 1});
  ExpectColor(doubled.Evaluate(0.7), {0.5, 0.5, 1});
  ExpectColor(doubled.Evaluate(0.35), {0.5, 0.5, 0});
  // A knot nowhere takes no part; a position nowhere is black.
  Gradient stray = PrimaryGradient(GRADIENT_INTERPOLATION_LINEAR);
  stray.Insert(Knot({1, 1, 1}, kNaN, GRADIENT_INTERPOLATION_LINEAR));
  stray.Insert(Knot({1, 1, 1}, kInfinity, GRADIENT_INTERPOLATION_LINEAR));
  ExpectColor(stray.Evaluate(0.7), {0, 0.5, 0.5});
  ExpectColor(stray.Evaluate(5.0), {0, 0, 1});
  ExpectColor(stray.Evaluate(kNaN), {0, 0, 0});
}

TEST(GradientKnots, InsertGetAndSet) {
  Gradient gradient = PrimaryGradient(GRADIENT_INTERPOLATION_LINEAR);
  EXPECT_EQ(gradient.Insert(Knot({1, 1, 0}, 0.0, GRADIENT_INTERPOLATION_STEP)), 3);
  EXPECT_EQ(gradient.Knot(0).position, 0.9);  // insertion order, not position order
  EXPECT_EQ(gradient.Knot(3).interpolation, GRADIENT_INTERPOLATION_STEP);
  gradient.SetKnot(1, Knot({0, 0, 0}, 0.3, GRADIENT_INTERPOLATION_LINEAR));
  EXPECT_EQ(gradient.Knot(1).position, 0.3);
  const Gradient before = gradient;
  for (int32_t outside : {-1, 4, INT32_MAX, INT32_MIN}) {
    gradient.SetKnot(outside, Knot({0, 0, 0}, 0.6, GRADIENT_INTERPOLATION_LINEAR));
    const GradientKnot fallback = gradient.Knot(outside);
    ExpectColor(fallback.color, {1, 1, 1});
    EXPECT_EQ(fallback.brightness, 1.0);
    EXPECT_EQ(fallback.position, 0.0);
    EXPECT_EQ(fallback.bias, 0.5);
    EXPECT_EQ(fallback.index, 0);
    EXPECT_EQ(fallback.interpolation, GRADIENT_INTERPOLATION_SMOOTH);
  }
  ASSERT_EQ(gradient.KnotCount(), before.KnotCount());
  for (int32_t i = 0; i < gradient.KnotCount(); ++i) {
    EXPECT_EQ(gradient.Knot(i).position, before.Knot(i).position);
  }
}

TEST(GradientKnots, CopiesAreIndependent) {
  Gradient original = PrimaryGradient(GRADIENT_INTERPOLATION_LINEAR);
  original.mode = 3;
  Gradient copy = original;
  copy.SetKnot(0, Knot({1, 1, 1}, 0.9, GRADIENT_INTERPOLATION_LINEAR));
  copy.Insert(Knot({0, 0, 0}, 0.0, GRADIENT_INTERPOLATION_LINEAR));
  EXPECT_EQ(copy.mode, 3);
  EXPECT_EQ(original.KnotCount(), 3);
  ExpectColor(original.Evaluate(0.9), {0, 0, 1});
}

RenderSetup ColorSetup(bool convertColors, int32_t colorProfile) {
  RenderSetup setup{};
  setup.convertColors = convertColors;
  setup.colorProfile = colorProfile;
  return setup;
}

TEST(GradientRenderData, AnswersAsTheGradientDoes) {
  for (int32_t interpolation : kInterpolations) {
    const Gradient gradient = PrimaryGradient(interpolation);
    const RenderSetup setup = ColorSetup(false, 0);
    GradientRenderData* data = PrepareRenderData(gradient, &setup);
    ASSERT_NE(data, nullptr);
    for (double x = -0.5; x <= 1.5; x += 0.01) {
      const Vector3 expected = gradient.Evaluate(x), actual = data->Evaluate(x);
      EXPECT_EQ(actual.x, expected.x);
      EXPECT_EQ(actual.y, expected.y);
      EXPECT_EQ(actual.z, expected.z);
    }
    data->Release();
  }
}

TEST(GradientRenderData, LinearisesKnotColoursWhenAsked) {
  Gradient gradient;
  gradient.Insert(Knot({0.5, 0.2, 0.9}, 0.0, GRADIENT_INTERPOLATION_LINEAR, 0.5, 2.0));
  gradient.Insert(Knot({1, 1, 1}, 1.0, GRADIENT_INTERPOLATION_LINEAR));
  const Vector3 linear = ColorSpaceConvert({0.5, 0.2, 0.9}, kSrgbToLinear);
  struct Case {
    bool convertColors;
    int32_t colorProfile;
    bool linearised;
  };
  for (const Case& c : {Case{true, 0, true}, Case{false, 0, false}, Case{true, 1, false}}) {
    const RenderSetup setup = ColorSetup(c.convertColors, c.colorProfile);
    GradientRenderData* data = PrepareRenderData(gradient, &setup);
    ASSERT_NE(data, nullptr);
    const Vector3 expected =
        c.linearised ? Vector3{2 * linear.x, 2 * linear.y, 2 * linear.z} : Vector3{1.0, 0.4, 1.8};
    ExpectColor(data->Evaluate(0.0), expected);
    ExpectColor(data->Evaluate(1.0), {1, 1, 1});
    data->Release();
  }
  GradientRenderData* unconverted = PrepareRenderData(gradient, nullptr);
  ExpectColor(unconverted->Evaluate(0.0), {1.0, 0.4, 1.8});
  unconverted->Release();
}

TEST(GradientRenderData, CountsReferences) {
  Gradient gradient = PrimaryGradient(GRADIENT_INTERPOLATION_SMOOTH);
  GradientRenderData* data = PrepareRenderData(gradient, nullptr);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->ReferenceCount(), 1);
  data->Retain();
  data->Retain();
  EXPECT_EQ(data->ReferenceCount(), 3);
  data->Release();
  EXPECT_EQ(data->ReferenceCount(), 2);
  // The prepared knots are its own: editing the gradient later changes nothing.
  gradient.SetKnot(1, Knot({0, 0, 0}, 0.2, GRADIENT_INTERPOLATION_SMOOTH));
  ExpectColor(data->Evaluate(0.2), {1, 0, 0});
  data->Release();
  data->Release();  // the last one: gone, as the leak checker of the sanitizer build confirms
}

}  // namespace
}  // namespace standin
