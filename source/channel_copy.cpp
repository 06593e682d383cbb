#include "channel_copy.h"

#include "application_operations.h"
#include "channel_lookup.h"
#include "scene_operations.h"
#include "verdanta_ids.h"

namespace verdanta {
namespace {

// What shapes the terrain; each copy keeps its own height, ice, clouds and child.
const int32_t kTerrainParameters[] = {VERDANTA_TERRAIN_SCALE,
                                      VERDANTA_TERRAIN_ROUGHNESS,
                                      VERDANTA_TERRAIN_LACUNARITY,
                                      VERDANTA_TERRAIN_DETAIL,
                                      VERDANTA_SEED,
                                      VERDANTA_TERRAIN_GRADIENT};

const char kOtherShaderNotice[] =
    "There is another shader already present in the destination channel, which will not be "
    "deleted.";

void CopyTerrain(HostNode* node, HostNode* destination) {
  host::ScopedDataValue value;
  for (int32_t id : kTerrainParameters) {
    const ParamId paramId = host::OneLevelParamId(id);
    // A failed read leaves the previous parameter in the value; never write that elsewhere.
    if (host::NodeParamGet(node, paramId, value.Get())) {
      host::NodeParamSet(destination, paramId, value.Get());
    }
  }
}

int32_t ChannelLink(int32_t channel) {
  return channel == MATERIAL_CHANNEL_BUMP ? MATERIAL_LINK_BUMP : MATERIAL_LINK_DISPLACEMENT;
}

bool LinkCopy(HostNode* node, HostNode* material, int32_t channel) {
  HostNode* copy = host::NodeClone(node);
  if (copy == nullptr) return false;
  if (MaterialChannelShader(node, channel) != nullptr) {
    host::NoticeShow(kOtherShaderNotice, NOTICE_KIND_WARNING);
  }
  host::ContainerSet(host::NodeContainer(material), ChannelLink(channel), copy);
  host::MaterialInsertShader(material, copy);
  return true;
}

void AnnounceChange(HostNode* material) {
  host::NodeMessage(material, MATERIAL_MESSAGE_UPDATE, nullptr);
  host::MaterialRefresh(material);
  host::ChangeNotify(0);
}

}  // namespace

bool CopyToChannel(HostNode* node, int32_t channel) {
  if (host::NodeType(node) != VERDANTA_PLUGIN_ID) return false;
  HostNode* material = host::NodeOwner(node);
  if (material == nullptr || host::NodeType(material) != NODE_TYPE_STANDARD_MATERIAL) return true;
  HostNode* destination = FindChannelShader(node, channel);
  if (destination != nullptr) {
    CopyTerrain(node, destination);
  } else if (!LinkCopy(node, material, channel)) {
    return true;
  }
  AnnounceChange(material);
  return true;
}

}  // namespace verdanta
