// The edge gradient shader: its gradient looked up by how squarely the view ray meets the
// surface, 0 at the grazing rim and 1 face-on, so a planet's rim can glow.
#pragma once

#include "host_abi.h"
#include "node.h"

namespace standin {

Gradient DefaultEdgeGradient();  // white at the rim, black face-on
void InitEdgeGradient(Node& shader);

// |dot(normal, -rayDirection)| of the hit, at most 1; 1 without a hit or when not finite.
double EdgePosition(const ChannelSample& sample);

int32_t EdgeGradientInitRender(Node& shader, const RenderSetup& setup);
void EdgeGradientFreeRender(Node& shader);
Vector3 EdgeGradientSample(const Node& shader, const ChannelSample& sample);  // black unprepared
void ReleaseEdgeGradientRender(Node& shader);  // drops the preparation whatever its count

}  // namespace standin
