// Rendering any shader node: a plug-in through its callbacks, the edge gradient and the layer
// shader by the host itself. A layer shader prepares, samples and releases the shaders its
// layers link; one that links back to itself, directly or through others, skips that link.
#pragma once

#include <cstdint>

#include "host_abi.h"
#include "node.h"

namespace standin {

int32_t ShaderInitRender(Node& shader, const RenderSetup& setup);
void ShaderFreeRender(Node& shader);
// Render threads call this at once: it reads prepared state only and allocates nothing.
Vector3 ShaderSample(const Node& shader, const ChannelSample& sample);

}  // namespace standin
