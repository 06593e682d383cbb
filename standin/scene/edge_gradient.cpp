#include "edge_gradient.h"

#include <cmath>

namespace standin {

Gradient DefaultEdgeGradient() {
  Gradient gradient;
  gradient.Insert({{1, 1, 1}, 1.0, 0.0, 0.5, 0, GRADIENT_INTERPOLATION_LINEAR});
  gradient.Insert({{0, 0, 0}, 1.0, 1.0, 0.5, 0, GRADIENT_INTERPOLATION_LINEAR});
  return gradient;
}

void InitEdgeGradient(Node& shader) {
  shader.settings.Set(EDGE_GRADIENT_PARAM_GRADIENT, DefaultEdgeGradient());
}

double EdgePosition(const ChannelSample& sample) {
  if (!sample.hit) return 1.0;
  const Vector3& n = sample.hit->normal;
  const Vector3& d = sample.hit->rayDirection;
  double facing = std::fabs(n.x * d.x + n.y * d.y + n.z * d.z);
  return std::isfinite(facing) ? std::fmin(facing, 1.0) : 1.0;
}

int32_t EdgeGradientInitRender(Node& shader, const RenderSetup& setup) {
  EdgeGradientRender& render = shader.edgeRender;
  if (render.data) render.data->Release();
  render.data = nullptr;
  const Value* stored = shader.settings.Find(EDGE_GRADIENT_PARAM_GRADIENT);
  if (const Gradient* gradient = stored ? stored->Get<Gradient>() : nullptr) {
    render.data = PrepareRenderData(*gradient, &setup);
  }
  ++render.preparations;
  return 0;
}

void EdgeGradientFreeRender(Node& shader) {
  EdgeGradientRender& render = shader.edgeRender;
  if (render.preparations == 0) {
    ++render.unbalancedReleases;
    return;
  }
  if (--render.preparations == 0) ReleaseEdgeGradientRender(shader);
}

Vector3 EdgeGradientSample(const Node& shader, const ChannelSample& sample) {
  const GradientRenderData* data = shader.edgeRender.data;
  return data ? data->Evaluate(EdgePosition(sample)) : Vector3{0, 0, 0};
}

void ReleaseEdgeGradientRender(Node& shader) {
  if (shader.edgeRender.data) shader.edgeRender.data->Release();
  shader.edgeRender.data = nullptr;
  shader.edgeRender.preparations = 0;
}

}  // namespace standin
