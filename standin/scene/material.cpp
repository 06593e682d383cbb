#include "material.h"

#include <algorithm>

namespace standin {

namespace {

bool CanHold(const Node& material, const Node& shader) {
  return material.type == NODE_TYPE_STANDARD_MATERIAL && shader.type != NODE_TYPE_STANDARD_MATERIAL;
}

}  // namespace

Channel* MaterialChannel(Node& material, int32_t number) {
  for (Channel& channel : material.channels) {
    if (channel.number == number) return &channel;
  }
  return nullptr;
}

Node* ChannelShader(const Channel& channel) {
  return channel.material->settings.GetLink(channel.linkId);
}

bool LinkChannel(Node& material, int32_t number, const Node* shader) {
  Channel* channel = MaterialChannel(material, number);
  if (!channel) return false;
  material.settings.Set(channel->linkId, Link(shader));
  return true;
}

Node* InsertShader(Node& material, std::unique_ptr<Node> shader, const Node* predecessor) {
  if (!shader || !CanHold(material, *shader)) return nullptr;
  auto& list = material.shaders;
  auto after = std::find_if(list.begin(), list.end(),
                            [predecessor](const auto& held) { return held.get() == predecessor; });
  auto at = (predecessor && after != list.end()) ? after + 1 : list.begin();
  shader->owner = &material;
  SetDocument(*shader, material.document);
  return list.insert(at, std::move(shader))->get();
}

bool InsertShader(Node& material, Node& shader, const Node* predecessor) {
  if (!CanHold(material, shader)) return false;
  std::unique_ptr<Node> held = DetachNode(shader);
  if (!held) held.reset(&shader);  // nobody held it: from now on the material does
  return InsertShader(material, std::move(held), predecessor) != nullptr;
}

}  // namespace standin
