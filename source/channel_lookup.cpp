#include "channel_lookup.h"

#include "library_operations.h"
#include "scene_operations.h"
#include "verdanta_ids.h"

namespace verdanta {
namespace {

// The layer shaders being searched, outermost first.
struct LayerPath {
  static const int kCapacity = 32;
  HostNode* shaders[kCapacity];
  int depth;

  bool Holds(const HostNode* shader) const {
    for (int i = 0; i < depth; ++i) {
      if (shaders[i] == shader) return true;
    }
    return false;
  }
};

HostNode* SearchLayers(HostNode* layerShader, LayerPath& path);

HostNode* ShaderOfLayer(const HostLayer* layer, HostNode* layerShader, HostDataValue* value,
                        LayerPath& path) {
  if (host::LayerKind(layer) != LAYER_KIND_SHADER) return nullptr;
  if (!host::LayerParam(layer, LAYER_PARAM_SHADER_LINK, value)) return nullptr;
  if (host::DataType(value) != DATA_TYPE_LINK) return nullptr;
  const auto* link = static_cast<const HostLink*>(host::DataCustom(value, DATA_TYPE_LINK));
  if (link == nullptr) return nullptr;
  HostNode* target = host::LinkTarget(link, host::NodeDocument(layerShader));
  const int32_t type = host::NodeType(target);
  if (type == VERDANTA_PLUGIN_ID) return target;
  if (type == NODE_TYPE_LAYER_SHADER) return SearchLayers(target, path);
  return nullptr;
}

HostNode* WalkLayers(HostNode* layerShader, LayerPath& path) {
  HostLayer* layer = host::LayerFirst(layerShader);
  if (layer == nullptr) return nullptr;
  host::ScopedDataValue value;
  for (; layer != nullptr; layer = host::LayerNext(layer)) {
    HostNode* found = ShaderOfLayer(layer, layerShader, value.Get(), path);
    if (found != nullptr) return found;
  }
  return nullptr;
}

HostNode* SearchLayers(HostNode* layerShader, LayerPath& path) {
  if (path.depth == LayerPath::kCapacity || path.Holds(layerShader)) return nullptr;
  path.shaders[path.depth++] = layerShader;
  HostNode* found = WalkLayers(layerShader, path);
  --path.depth;
  return found;
}

}  // namespace

HostNode* MaterialChannelShader(const HostNode* node, int32_t channel) {
  HostNode* material = host::NodeOwner(node);
  if (material == nullptr || host::NodeType(material) != NODE_TYPE_STANDARD_MATERIAL) {
    return nullptr;
  }
  return host::ChannelShader(host::MaterialChannel(material, channel));
}

HostNode* FindChannelShader(const HostNode* node, int32_t channel) {
  HostNode* shader = MaterialChannelShader(node, channel);
  const int32_t type = host::NodeType(shader);
  if (type == VERDANTA_PLUGIN_ID) return shader;
  if (type == NODE_TYPE_LAYER_SHADER) return FindInLayers(shader);
  return nullptr;
}

bool IsInChannel(const HostNode* node, int32_t channel) {
  return node != nullptr && FindChannelShader(node, channel) == node;
}

bool IsPlaced(const HostNode* node) {
  return IsInChannel(node, MATERIAL_CHANNEL_DISPLACEMENT) ||
         IsInChannel(node, MATERIAL_CHANNEL_BUMP);
}

HostNode* FindInLayers(HostNode* layerShader) {
  LayerPath path = {};
  return SearchLayers(layerShader, path);
}

}  // namespace verdanta
