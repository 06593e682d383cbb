// Colour gradients: the editable value the scene stores, and the prepared, shared form that
// render threads evaluate.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "host_abi.h"

namespace standin {

// What GetKnot answers for a knot that does not exist.
GradientKnot FallbackKnot();

class Gradient {
 public:
  // In insertion order; evaluation sorts them by position.
  std::vector<GradientKnot> knots;
  int32_t mode = 0;  // stored for the scene, no effect on colours

  int32_t Insert(const GradientKnot& knot);  // the new knot's index
  int32_t KnotCount() const { return static_cast<int32_t>(knots.size()); }
  GradientKnot Knot(int32_t index) const;                 // FallbackKnot() when out of range
  void SetKnot(int32_t index, const GradientKnot& knot);  // ignored when out of range

  // Each knot's colour times its brightness, exactly at its position; the end colours
  // outside the knots; between two knots the interpolation and bias of the left one.
  // Knots at the same position: the last inserted wins. Knots at a non-finite position
  // take no part. No knots, or a NaN position: black.
  Vector3 Evaluate(double position) const;
};

// A gradient prepared for rendering: knots sorted once, read by any number of threads.
// Reference-counted; made with one reference, destroyed when the last one is released.
class GradientRenderData {
 public:
  Vector3 Evaluate(double position) const;
  void Retain();
  void Release();
  int32_t ReferenceCount() const { return references.load(std::memory_order_acquire); }

 private:
  friend GradientRenderData* PrepareRenderData(const Gradient&, const RenderSetup*);
  explicit GradientRenderData(std::vector<GradientKnot> sortedKnots);
  ~GradientRenderData() = default;

  const std::vector<GradientKnot> knots;
  std::atomic<int32_t> references{1};
};

// When the setup asks for linear colour (convertColors set, colorProfile 0), the prepared
// knots hold their colours converted from sRGB to linear, and interpolation runs in linear
// colour. A null setup converts nothing.
GradientRenderData* PrepareRenderData(const Gradient& gradient, const RenderSetup* setup);

}  // namespace standin
