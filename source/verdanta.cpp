#include "verdanta.h"

#include "application_operations.h"
#include "channel_copy.h"
#include "child_gradient.h"
#include "default_parameters.h"
#include "scene_operations.h"
#include "verdanta_ids.h"

namespace verdanta {

PluginNode* AllocVerdantaShader() {
  void* memory = host::MemoryAlloc(sizeof(VerdantaShader));
  if (memory == nullptr) return nullptr;
  return host::AsPluginNode(new (memory) VerdantaShader());
}

// The child belongs to Free; the prepared gradient goes with the node.
VerdantaShader::~VerdantaShader() = default;

bool VerdantaShader::Init(HostNode* node) {
  HostContainer* settings = host::NodeContainer(node);
  StoreDefaultValues(settings);
  StoreDefaultGradient(settings);
  StoreDefaultSpline(settings);
  childRenderCount = 0;
  host::ScopedDataValue childGradient;
  if (!childCreated) {
    childShader = host::ShaderNodeAlloc(NODE_TYPE_EDGE_GRADIENT_SHADER);
    if (childShader != nullptr) {
      UpdateChildGradient(childShader, childGradient.Get(), childColor, kDefaultChildFalloff);
    }
    childCreated = 1;
  }
  return true;
}

void VerdantaShader::Free(HostNode*) {
  if (childShader != nullptr) {
    host::NodeFree(childShader);
    childShader = nullptr;
  }
  childCreated = 0;
}

bool VerdantaShader::Message(HostNode* node, int32_t type, void* data) {
  if (type == NODE_MESSAGE_COMMAND && data != nullptr) {
    const int32_t command = static_cast<const CommandMessage*>(data)->id.level[0].id;
    if (command == VERDANTA_COPY_TO_BUMP) CopyToChannel(node, MATERIAL_CHANNEL_BUMP);
    if (command == VERDANTA_COPY_TO_DISPLACEMENT) {
      CopyToChannel(node, MATERIAL_CHANNEL_DISPLACEMENT);
    }
  }
  return ShaderBase::Message(node, type, data);
}

}  // namespace verdanta
