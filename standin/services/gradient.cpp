#include "gradient.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "color.h"

namespace standin {

namespace {

Vector3 Mix(const Vector3& a, const Vector3& b, double t) {
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}

// Uniform Catmull-Rom through four colours, between the middle two.
Vector3 CatmullRom(const Vector3& before, const Vector3& from, const Vector3& to,
                   const Vector3& after, double t) {
  const auto component = [t](double p0, double p1, double p2, double p3) {
    return 0.5 * (2 * p1 + (p2 - p0) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t * t +
                  (3 * p1 - p0 - 3 * p2 + p3) * t * t * t);
  };
  return {component(before.x, from.x, to.x, after.x), component(before.y, from.y, to.y, after.y),
          component(before.z, from.z, to.z, after.z)};
}

// Bends t in [0, 1] so that it passes one half where it was `bias`.
double ApplyBias(double t, double bias) {
  if (bias == 0.5 || std::isnan(bias)) return t;
  const double clamped = std::clamp(bias, 0.001, 0.999);
  return std::pow(t, std::log(0.5) / std::log(clamped));
}

// Knots ready to evaluate: finite positions only, stably sorted, brightness applied.
std::vector<GradientKnot> SortedKnots(const Gradient& gradient, bool linearise) {
  std::vector<GradientKnot> sorted;
  sorted.reserve(gradient.knots.size());
  for (GradientKnot knot : gradient.knots) {
    if (!std::isfinite(knot.position)) continue;
    const Vector3 color = linearise ? ColorSpaceConvert(knot.color, kSrgbToLinear) : knot.color;
    knot.color = {color.x * knot.brightness, color.y * knot.brightness, color.z * knot.brightness};
    sorted.push_back(knot);
  }
  std::stable_sort(sorted.begin(), sorted.end(), [](const GradientKnot& a, const GradientKnot& b) {
    return a.position < b.position;
  });
  return sorted;
}

Vector3 EvaluateSorted(const std::vector<GradientKnot>& knots, double position) {
  if (knots.empty() || std::isnan(position)) return {0, 0, 0};
  if (position < knots.front().position) return knots.front().color;
  if (position >= knots.back().position) return knots.back().color;
  const auto next = std::upper_bound(
      knots.begin(), knots.end(), position,
      [](double value, const GradientKnot& knot) { return value < knot.position; });
  const size_t i = static_cast<size_t>(next - knots.begin()) - 1;
  const GradientKnot& from = knots[i];
  const GradientKnot& to = knots[i + 1];
  const double t = ApplyBias((position - from.position) / (to.position - from.position), from.bias);
  switch (from.interpolation) {
    case GRADIENT_INTERPOLATION_STEP:
      return from.color;
    case GRADIENT_INTERPOLATION_LINEAR:
      return Mix(from.color, to.color, t);
    case GRADIENT_INTERPOLATION_CUBIC: {
      const Vector3& before = i > 0 ? knots[i - 1].color : from.color;
      const Vector3& after = i + 2 < knots.size() ? knots[i + 2].color : to.color;
      return CatmullRom(before, from.color, to.color, after, t);
    }
    default:  // GRADIENT_INTERPOLATION_SMOOTH and unknown values
      return Mix(from.color, to.color, t * t * (3 - 2 * t));
  }
}

}  // namespace

GradientKnot FallbackKnot() {
  GradientKnot knot{};
  knot.color = {1, 1, 1};
  knot.brightness = 1.0;
  knot.position = 0.0;
  knot.bias = 0.5;
  knot.index = 0;
  knot.interpolation = GRADIENT_INTERPOLATION_SMOOTH;
  return knot;
}

int32_t Gradient::Insert(const GradientKnot& knot) {
  knots.push_back(knot);
  return KnotCount() - 1;
}

GradientKnot Gradient::Knot(int32_t index) const {
  if (index < 0 || index >= KnotCount()) return FallbackKnot();
  return knots[static_cast<size_t>(index)];
}

void Gradient::SetKnot(int32_t index, const GradientKnot& knot) {
  if (index < 0 || index >= KnotCount()) return;
  knots[static_cast<size_t>(index)] = knot;
}

Vector3 Gradient::Evaluate(double position) const {
  return EvaluateSorted(SortedKnots(*this, false), position);
}

GradientRenderData::GradientRenderData(std::vector<GradientKnot> sortedKnots)
    : knots(std::move(sortedKnots)) {}

Vector3 GradientRenderData::Evaluate(double position) const {
  return EvaluateSorted(knots, position);
}

void GradientRenderData::Retain() {
  references.fetch_add(1, std::memory_order_relaxed);
}

void GradientRenderData::Release() {
  if (references.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

GradientRenderData* PrepareRenderData(const Gradient& gradient, const RenderSetup* setup) {
  const bool linearise = setup && setup->convertColors && setup->colorProfile == 0;
  return new (std::nothrow) GradientRenderData(SortedKnots(gradient, linearise));
}

}  // namespace standin
