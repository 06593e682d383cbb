// The layer shader's list of layers, walked as the layer library hands it out.
#pragma once

#include <cstdint>

#include "node.h"

namespace standin {

// Appends a layer; a shader layer links `shader`. Null when `layerShader` is no layer shader.
Layer* AddLayer(Node& layerShader, int32_t kind, double opacity = 1.0,
                const Node* shader = nullptr);
Layer* FirstLayer(Node& layerShader);   // null when it has none or is no layer shader
Layer* NextLayer(const Layer& layer);   // null after the last
Node* LayerShader(const Layer& layer);  // the node a shader layer links, or null

}  // namespace standin
