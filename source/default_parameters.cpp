#include "default_parameters.h"

#include "render_operations.h"
#include "scene_operations.h"
#include "verdanta_ids.h"

namespace verdanta {
namespace {

using host::ContainerSet;

constexpr GradientKnot SmoothKnot(Vector3 color, double position) {
  return GradientKnot{color, 1.0, position, 0.5, 0, GRADIENT_INTERPOLATION_SMOOTH};
}

// Deep water, shallows, beach, then one flat green up to snow.
constexpr GradientKnot kTerrainKnots[] = {
    SmoothKnot({0.17, 0.346, 0.5}, 0.45),    SmoothKnot({0.2516, 0.5121, 0.74}, 0.49),
    SmoothKnot({0.665, 0.605, 0.452}, 0.55), SmoothKnot({0.26, 0.557, 0.217}, 0.58),
    SmoothKnot({0.26, 0.557, 0.217}, 0.92),  SmoothKnot({1.0, 1.0, 1.0}, 1.0)};

// Leaves (0, 0) horizontally and reaches (1, 1) from straight below.
void ShapeHeightCurve(HostSplineCurve* curve) {
  host::SplineSetKnotCount(curve, 2);
  if (SplineKnot* start = host::SplineKnotAt(curve, 0)) {
    start->position = Vector3{0, 0, 0};
    start->flags |= SPLINE_KNOT_TANGENTS_SET;
    start->rightTangent = Vector3{0.4, 0, 0};
  }
  if (SplineKnot* end = host::SplineKnotAt(curve, 1)) {
    end->position = Vector3{1, 1, 0};
    end->flags |= SPLINE_KNOT_TANGENTS_SET;
    end->leftTangent = Vector3{0, -0.65, 0};
  }
}

}  // namespace

void StoreDefaultValues(HostContainer* settings) {
  ContainerSet(settings, VERDANTA_TERRAIN_SCALE, 0.5);
  ContainerSet(settings, VERDANTA_TERRAIN_ROUGHNESS, 0.3);
  ContainerSet(settings, VERDANTA_TERRAIN_LACUNARITY, 0.5);
  ContainerSet(settings, VERDANTA_TERRAIN_DETAIL, 0.0);
  ContainerSet(settings, VERDANTA_SEED, int32_t{123});
  ContainerSet(settings, VERDANTA_ICE_V0_SIZE, 0.1);
  ContainerSet(settings, VERDANTA_ICE_V0_AMOUNT, 0.2);
  ContainerSet(settings, VERDANTA_ICE_V1_SIZE, 0.2);
  ContainerSet(settings, VERDANTA_ICE_V1_AMOUNT, 0.2);
  ContainerSet(settings, VERDANTA_ICE_THRESHOLD, 0.35);
  ContainerSet(settings, VERDANTA_CHILD_COLOR, Vector3{0.8412, 0.898, 0.9272});
  ContainerSet(settings, VERDANTA_CHILD_STRENGTH, 0.75);
  ContainerSet(settings, VERDANTA_CHILD_FALLOFF, kDefaultChildFalloff);
  ContainerSet(settings, VERDANTA_CLOUD_NOISE, int32_t{20});
  ContainerSet(settings, VERDANTA_CLOUD_COVERAGE, 0.0);
  ContainerSet(settings, VERDANTA_CLOUD_INTENSITY, 0.25);
  ContainerSet(settings, VERDANTA_CLOUD_SCALE, 1.0);
}

void StoreDefaultGradient(HostContainer* settings) {
  HostGradient* gradient = host::GradientAlloc();
  if (gradient == nullptr) return;
  host::GradientSetData(gradient, GRADIENT_SETTING_MODE, 0);
  for (const GradientKnot& knot : kTerrainKnots) host::InsertKnot(gradient, knot);
  {
    host::ScopedDataValue value;
    if (host::DataSetCustom(value.Get(), DATA_TYPE_GRADIENT, gradient)) {
      ContainerSet(settings, VERDANTA_TERRAIN_GRADIENT, value.Get());
    }
  }
  host::GradientFree(&gradient);
}

void StoreDefaultSpline(HostContainer* settings) {
  host::ScopedDataValue value;
  host::DataMakeCustom(value.Get(), DATA_TYPE_SPLINE);
  auto* curve = static_cast<HostSplineCurve*>(host::DataCustom(value.Get(), DATA_TYPE_SPLINE));
  if (curve == nullptr) return;
  ShapeHeightCurve(curve);
  ContainerSet(settings, VERDANTA_HEIGHT_SPLINE, value.Get());
}

}  // namespace verdanta
