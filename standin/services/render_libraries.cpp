#include "render_libraries.h"

#include <new>

#include "call_trace.h"
#include "color.h"
#include "controls.h"
#include "gradient.h"
#include "noise.h"
#include "spline.h"

namespace standin {

namespace {

NoiseGenerator* AsNoise(HostNoise* noise) {
  return reinterpret_cast<NoiseGenerator*>(noise);
}
const NoiseGenerator* AsNoise(const HostNoise* noise) {
  return reinterpret_cast<const NoiseGenerator*>(noise);
}
Gradient* AsGradient(HostGradient* gradient) {
  return reinterpret_cast<Gradient*>(gradient);
}
const Gradient* AsGradient(const HostGradient* gradient) {
  return reinterpret_cast<const Gradient*>(gradient);
}
GradientRenderData* AsRenderData(HostGradientRenderData* data) {
  return reinterpret_cast<GradientRenderData*>(data);
}
const GradientRenderData* AsRenderData(const HostGradientRenderData* data) {
  return reinterpret_cast<const GradientRenderData*>(data);
}
SplineCurve* AsSpline(HostSplineCurve* curve) {
  return reinterpret_cast<SplineCurve*>(curve);
}
const SplineCurve* AsSpline(const HostSplineCurve* curve) {
  return reinterpret_cast<const SplineCurve*>(curve);
}

// A point as the trace shows it: by value, or "null".
template <typename... Rest>
void TracePoint(const char* operation, const Vector3* point, const Rest&... rest) {
  if (point) {
    Trace(operation, *point, rest...);
  } else {
    Trace(operation, static_cast<const void*>(nullptr), rest...);
  }
}

// ---------------------------------------------------------------- noise

HostNoise* NoiseAlloc(int32_t seed) {
  Trace("NoiseAlloc", seed);
  if (Controls().failAllocations) return nullptr;
  return reinterpret_cast<HostNoise*>(new (std::nothrow) NoiseGenerator(seed));
}

void NoiseFree(HostNoise* noise) {
  Trace("NoiseFree", static_cast<const void*>(noise));
  delete AsNoise(noise);
}

HostBool NoiseInitFbm(HostNoise* noise, int32_t octaves, double lacunarity, double h) {
  Trace("NoiseInitFbm", static_cast<const void*>(noise), octaves, lacunarity, h);
  return noise && AsNoise(noise)->InitFbm(octaves, lacunarity, h);
}

double NoiseSample(const HostNoise* noise, int32_t type, HostBool absolute, const Vector3* point,
                   double, double octaves, HostBool turbulence, double low, double high, int32_t) {
  TracePoint("NoiseSample", point, type, octaves);
  if (!noise || !point) return 0.0;
  return AsNoise(noise)->Sample(type, *point, octaves, absolute != 0, turbulence != 0, low, high);
}

double NoiseFbm(const HostNoise* noise, const Vector3* point, double, double octaves, int32_t) {
  TracePoint("NoiseFbm", point, octaves);
  if (!noise || !point) return 0.0;
  return AsNoise(noise)->Fbm(*point, octaves);
}

double NoiseRidged(const HostNoise* noise, const Vector3* point, double, double octaves,
                   double offset, double gain, int32_t) {
  TracePoint("NoiseRidged", point, octaves, offset, gain);
  if (!noise || !point) return 0.0;
  return AsNoise(noise)->Ridged(*point, octaves, offset, gain);
}

// ---------------------------------------------------------------- gradient

HostGradient* GradientAlloc() {
  Trace("GradientAlloc");
  return reinterpret_cast<HostGradient*>(new (std::nothrow) Gradient());
}

void GradientFree(HostGradient* gradient) {
  Trace("GradientFree", static_cast<const void*>(gradient));
  delete AsGradient(gradient);
}

HostBool GradientSetData(HostGradient* gradient, int32_t setting, int32_t value) {
  Trace("GradientSetData", static_cast<const void*>(gradient), setting, value);
  if (!gradient || setting != GRADIENT_SETTING_MODE) return 0;
  AsGradient(gradient)->mode = value;
  return 1;
}

int32_t InsertKnot(HostGradient* gradient, const GradientKnot* knot) {
  Trace("InsertKnot", static_cast<const void*>(gradient), knot ? knot->position : 0.0);
  if (!gradient || !knot) return -1;
  return AsGradient(gradient)->Insert(*knot);
}

int32_t KnotCount(const HostGradient* gradient) {
  Trace("KnotCount", static_cast<const void*>(gradient));
  return gradient ? AsGradient(gradient)->KnotCount() : 0;
}

GradientKnot GetKnot(const HostGradient* gradient, int32_t index) {
  Trace("GetKnot", static_cast<const void*>(gradient), index);
  return gradient ? AsGradient(gradient)->Knot(index) : FallbackKnot();
}

void SetKnot(HostGradient* gradient, int32_t index, const GradientKnot* knot) {
  Trace("SetKnot", static_cast<const void*>(gradient), index);
  if (gradient && knot) AsGradient(gradient)->SetKnot(index, *knot);
}

HostBool PrepareRenderData(const HostGradient* gradient, const RenderSetup* setup,
                           HostGradientRenderData** renderData, const char** error) {
  Trace("PrepareRenderData", static_cast<const void*>(gradient));
  const auto fail = [&](const char* text) {
    if (renderData) *renderData = nullptr;
    if (error) *error = text;
    return 0;
  };
  if (!renderData) return fail("PrepareRenderData: nowhere to put the render data.");
  if (!gradient) return fail("PrepareRenderData: no gradient.");
  GradientRenderData* prepared = standin::PrepareRenderData(*AsGradient(gradient), setup);
  if (!prepared) return fail("PrepareRenderData: out of memory.");
  *renderData = reinterpret_cast<HostGradientRenderData*>(prepared);
  if (error) *error = nullptr;
  return 1;
}

// ---------------------------------------------------------------- gradient render data

Vector3 CalcGradientPixel(const HostGradientRenderData* data, double position) {
  Trace("CalcGradientPixel", static_cast<const void*>(data), position);
  if (!data) return {0, 0, 0};
  return AsRenderData(data)->Evaluate(position);
}

void RenderDataRetain(HostGradientRenderData* data) {
  Trace("RenderDataRetain", static_cast<const void*>(data));
  if (data) AsRenderData(data)->Retain();
}

void RenderDataRelease(HostGradientRenderData* data) {
  Trace("RenderDataRelease", static_cast<const void*>(data));
  if (data) AsRenderData(data)->Release();
}

// ---------------------------------------------------------------- spline

HostBool SplineSetKnotCount(HostSplineCurve* curve, int32_t count) {
  Trace("SplineSetKnotCount", static_cast<const void*>(curve), count);
  return curve && AsSpline(curve)->SetKnotCount(count);
}

int32_t SplineKnotCount(const HostSplineCurve* curve) {
  Trace("SplineKnotCount", static_cast<const void*>(curve));
  return curve ? AsSpline(curve)->KnotCount() : 0;
}

SplineKnot* SplineKnotAt(HostSplineCurve* curve, int32_t index) {
  Trace("SplineKnotAt", static_cast<const void*>(curve), index);
  return curve ? AsSpline(curve)->KnotAt(index) : nullptr;
}

Vector3 SplineEvaluate(const HostSplineCurve* curve, double x) {
  Trace("SplineEvaluate", static_cast<const void*>(curve), x);
  if (!curve) return {0, 0, 0};
  return AsSpline(curve)->Evaluate(x);
}

}  // namespace

const NoiseLibrary& NoiseLibraryTable() {
  static const NoiseLibrary table = {sizeof(NoiseLibrary), NoiseAlloc, NoiseFree,  NoiseInitFbm,
                                     NoiseSample,          NoiseFbm,   NoiseRidged};
  return table;
}

const GradientLibrary& GradientLibraryTable() {
  static const GradientLibrary table = {sizeof(GradientLibrary),
                                        GradientAlloc,
                                        GradientFree,
                                        GradientSetData,
                                        InsertKnot,
                                        KnotCount,
                                        GetKnot,
                                        SetKnot,
                                        PrepareRenderData};
  return table;
}

const GradientRenderDataInterface& GradientRenderDataTable() {
  static const GradientRenderDataInterface table = {
      sizeof(GradientRenderDataInterface), CalcGradientPixel, RenderDataRetain, RenderDataRelease};
  return table;
}

const SplineLibrary& SplineLibraryTable() {
  static const SplineLibrary table = {sizeof(SplineLibrary), SplineSetKnotCount, SplineKnotCount,
                                      SplineKnotAt, SplineEvaluate};
  return table;
}

Vector3 HostColorSpaceConvert(Vector3 color, int32_t mode) {
  Trace("ColorSpaceConvert", color, mode);
  return ColorSpaceConvert(color, mode);
}

}  // namespace standin
