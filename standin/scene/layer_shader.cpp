#include "layer_shader.h"

namespace standin {

Layer* AddLayer(Node& layerShader, int32_t kind, double opacity, const Node* shader) {
  if (layerShader.type != NODE_TYPE_LAYER_SHADER) return nullptr;
  auto layer = std::make_unique<Layer>();
  layer->layerShader = &layerShader;
  layer->kind = kind;
  layer->opacity = opacity;
  if (kind == LAYER_KIND_SHADER) layer->parameters.Set(LAYER_PARAM_SHADER_LINK, Link(shader));
  layerShader.layers.push_back(std::move(layer));
  return layerShader.layers.back().get();
}

Layer* FirstLayer(Node& layerShader) {
  if (layerShader.type != NODE_TYPE_LAYER_SHADER || layerShader.layers.empty()) return nullptr;
  return layerShader.layers.front().get();
}

Layer* NextLayer(const Layer& layer) {
  const auto& layers = layer.layerShader->layers;
  for (size_t i = 0; i + 1 < layers.size(); ++i) {
    if (layers[i].get() == &layer) return layers[i + 1].get();
  }
  return nullptr;
}

Node* LayerShader(const Layer& layer) {
  return layer.kind == LAYER_KIND_SHADER ? layer.parameters.GetLink(LAYER_PARAM_SHADER_LINK)
                                         : nullptr;
}

}  // namespace standin
