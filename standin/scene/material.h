// The standard material: channels whose shaders it links, and the shaders it owns.
#pragma once

#include <cstdint>
#include <memory>

#include "node.h"

namespace standin {

// The channels a scene links shaders into, by the names scene files and node paths use.
struct ChannelName {
  const char* name;
  int32_t number;
};
inline constexpr ChannelName kChannelNames[] = {{"color", MATERIAL_CHANNEL_COLOR},
                                                {"bump", MATERIAL_CHANNEL_BUMP},
                                                {"displacement", MATERIAL_CHANNEL_DISPLACEMENT}};

// Channel 0, 6 or 11 of a standard material; null for other numbers or other nodes.
Channel* MaterialChannel(Node& material, int32_t number);
Node* ChannelShader(const Channel& channel);  // the shader the channel's link parameter names
// Links `shader` into a channel (null empties it); false when there is no such channel.
bool LinkChannel(Node& material, int32_t number, const Node* shader);

// The material takes `shader` from wherever it was and owns it, placed after `predecessor`,
// or first when that is null or not the material's. False, and nothing changes, when
// `material` is no standard material, or `shader` is a material.
bool InsertShader(Node& material, Node& shader, const Node* predecessor);
// As above for a node nobody holds yet; null (and the node destroyed) on refusal.
Node* InsertShader(Node& material, std::unique_ptr<Node> shader, const Node* predecessor);

}  // namespace standin
