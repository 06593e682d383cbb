// Where a shader of this type sits in its material: a node in the bump or displacement
// channel answers heights instead of colours.
#pragma once

#include <stdint.h>

#include "host_abi.h"

namespace verdanta {

// The shader that the channel of the node's standard material holds, of any type, or null.
HostNode* MaterialChannelShader(const HostNode* node, int32_t channel);

// The shader of this type that the channel holds directly or inside a layer shader, or null.
HostNode* FindChannelShader(const HostNode* node, int32_t channel);

bool IsInChannel(const HostNode* node, int32_t channel);

// In the displacement or the bump channel of its material.
bool IsPlaced(const HostNode* node);

// The first shader of this type in the layers, searching nested layer shaders where they
// stand; a layer shader that links back to one being searched is passed over.
HostNode* FindInLayers(HostNode* layerShader);

}  // namespace verdanta
