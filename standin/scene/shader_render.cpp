#include "shader_render.h"

#include <algorithm>

#include "edge_gradient.h"
#include "layer_shader.h"
#include "node_callbacks.h"

namespace standin {

namespace {

// The layer shaders being walked, innermost last; deeper nesting than this counts as a loop.
class LayerPath {
 public:
  bool CanEnter(const Node& shader) const {
    if (shader.type != NODE_TYPE_LAYER_SHADER) return true;
    return depth_ < kMaxDepth && std::find(nodes_, nodes_ + depth_, &shader) == nodes_ + depth_;
  }
  void Enter(const Node& layerShader) { nodes_[depth_++] = &layerShader; }
  void Leave() { --depth_; }

 private:
  static constexpr int kMaxDepth = 32;
  // Not cleared: only the first depth_ are read, and a path is made for every sample.
  const Node* nodes_[kMaxDepth];
  int depth_ = 0;
};

// Visits the shaders the layers link, skipping links back into the walk.
template <typename Visit>
void ForEachShaderLayer(const Node& layerShader, LayerPath& path, Visit visit) {
  path.Enter(layerShader);
  for (const auto& layer : layerShader.layers) {
    Node* shader = LayerShader(*layer);
    if (shader && path.CanEnter(*shader)) visit(*shader, *layer);
  }
  path.Leave();
}

void FreeRender(Node& shader, LayerPath& path) {
  if (shader.type == NODE_TYPE_EDGE_GRADIENT_SHADER) return EdgeGradientFreeRender(shader);
  if (shader.type != NODE_TYPE_LAYER_SHADER) return CallFreeRender(shader);
  ForEachShaderLayer(shader, path,
                     [&path](Node& linked, const Layer&) { FreeRender(linked, path); });
}

int32_t InitRender(Node& shader, const RenderSetup& setup, LayerPath& path) {
  if (shader.type == NODE_TYPE_EDGE_GRADIENT_SHADER) return EdgeGradientInitRender(shader, setup);
  if (shader.type != NODE_TYPE_LAYER_SHADER) return CallInitRender(shader, setup);
  int32_t result = 0;
  ForEachShaderLayer(shader, path, [&](Node& linked, const Layer&) {
    int32_t linkedResult = InitRender(linked, setup, path);
    if (result == 0) result = linkedResult;
  });
  return result;
}

Vector3 Sample(const Node& shader, const ChannelSample& sample, LayerPath& path) {
  if (shader.type == NODE_TYPE_EDGE_GRADIENT_SHADER) return EdgeGradientSample(shader, sample);
  if (shader.type != NODE_TYPE_LAYER_SHADER) return CallOutput(shader, sample);
  Vector3 color{0, 0, 0};
  ForEachShaderLayer(shader, path, [&](const Node& linked, const Layer& layer) {
    double opacity = layer.opacity > 0 ? std::min(layer.opacity, 1.0) : 0.0;  // NaN: 0
    Vector3 top = Sample(linked, sample, path);
    color.x += (top.x - color.x) * opacity;
    color.y += (top.y - color.y) * opacity;
    color.z += (top.z - color.z) * opacity;
  });
  return color;
}

}  // namespace

int32_t ShaderInitRender(Node& shader, const RenderSetup& setup) {
  LayerPath path;
  return InitRender(shader, setup, path);
}

void ShaderFreeRender(Node& shader) {
  LayerPath path;
  FreeRender(shader, path);
}

Vector3 ShaderSample(const Node& shader, const ChannelSample& sample) {
  LayerPath path;
  return Sample(shader, sample, path);
}

}  // namespace standin
