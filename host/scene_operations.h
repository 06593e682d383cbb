// The host's scene: settings containers, data values, nodes, materials and links. Each
// operation answers its neutral fallback when the host does not offer it or a handle is null.
#pragma once

#include <stdint.h>

#include "host_abi.h"

namespace host {

HostContainer* NodeContainer(HostNode* node);

// The stored value, or the preset when the id is absent or of another type.
double ContainerGet(const HostContainer* container, int32_t id, double preset);
int32_t ContainerGet(const HostContainer* container, int32_t id, int32_t preset);
Vector3 ContainerGet(const HostContainer* container, int32_t id, Vector3 preset);
const HostDataValue* ContainerGet(const HostContainer* container, int32_t id);

void ContainerSet(HostContainer* container, int32_t id, double value);
void ContainerSet(HostContainer* container, int32_t id, int32_t value);
void ContainerSet(HostContainer* container, int32_t id, bool value);
void ContainerSet(HostContainer* container, int32_t id, Vector3 value);
void ContainerSet(HostContainer* container, int32_t id, const HostDataValue* value);
void ContainerSet(HostContainer* container, int32_t id, HostNode* linkTarget);

HostDataValue* DataAlloc();
void DataFree(HostDataValue* value);
int32_t DataType(const HostDataValue* value);
void* DataCustom(const HostDataValue* value, int32_t type);
bool DataSetCustom(HostDataValue* value, int32_t type, const void* data);
bool DataMakeCustom(HostDataValue* value, int32_t type);

ParamId OneLevelParamId(int32_t id, int32_t type = 0);
bool NodeParamGet(HostNode* node, const ParamId& id, HostDataValue* value);
bool NodeParamSet(HostNode* node, const ParamId& id, const HostDataValue* value);

int32_t NodeType(const HostNode* node);
HostNode* NodeOwner(const HostNode* node);
HostDocument* NodeDocument(const HostNode* node);
bool NodeMessage(HostNode* node, int32_t type, void* data);
HostNode* ShaderNodeAlloc(int32_t type);
HostNode* NodeClone(const HostNode* node);
void NodeFree(HostNode* node);

HostChannel* MaterialChannel(HostNode* material, int32_t channel);
HostNode* ChannelShader(const HostChannel* channel);
void MaterialInsertShader(HostNode* material, HostNode* shader);  // the material owns it
void MaterialRefresh(HostNode* material);
HostNode* LinkTarget(const HostLink* link, HostDocument* document);
bool ColorQuery(void* queryContext);

// A data value that lives as long as this holder, taken from the host when first asked for.
class ScopedDataValue {
 public:
  ScopedDataValue() = default;
  ScopedDataValue(const ScopedDataValue&) = delete;
  ScopedDataValue& operator=(const ScopedDataValue&) = delete;
  ~ScopedDataValue() { DataFree(value); }

  HostDataValue* Get() {
    if (value == nullptr) value = DataAlloc();
    return value;
  }

 private:
  HostDataValue* value = nullptr;
};

}  // namespace host
