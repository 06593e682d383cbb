#include "child_gradient.h"

#include "render_operations.h"
#include "scene_operations.h"

namespace verdanta {
namespace {

void MoveKnot(HostGradient* gradient, int32_t index, const Vector3& color, double position) {
  GradientKnot knot = host::GetKnot(gradient, index);
  knot.color = color;
  knot.position = position;
  host::SetKnot(gradient, index, knot);
}

}  // namespace

void UpdateChildGradient(HostNode* child, HostDataValue* value, const Vector3& rimColor,
                         double falloff) {
  const ParamId gradientId = host::OneLevelParamId(EDGE_GRADIENT_PARAM_GRADIENT);
  if (!host::NodeParamGet(child, gradientId, value)) return;
  auto* gradient = static_cast<HostGradient*>(host::DataCustom(value, DATA_TYPE_GRADIENT));
  if (gradient == nullptr) return;
  MoveKnot(gradient, 0, rimColor, 0.0);
  MoveKnot(gradient, 1, Vector3{0, 0, 0}, falloff);
  host::DataSetCustom(value, DATA_TYPE_GRADIENT, gradient);
  host::NodeParamSet(child, gradientId, value);
}

}  // namespace verdanta
