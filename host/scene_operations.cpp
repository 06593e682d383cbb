#include "scene_operations.h"

#include "host_interface.h"

namespace host {

using Table = HostApplicationTable;

HostContainer* NodeContainer(HostNode* node) {
  auto container = ApplicationEntry(&Table::NodeContainer);
  return container != nullptr && node != nullptr ? container(node) : nullptr;
}

double ContainerGet(const HostContainer* container, int32_t id, double preset) {
  auto get = ApplicationEntry(&Table::ContainerGetFloat);
  return get != nullptr && container != nullptr ? get(container, id, preset) : preset;
}

int32_t ContainerGet(const HostContainer* container, int32_t id, int32_t preset) {
  auto get = ApplicationEntry(&Table::ContainerGetInt32);
  return get != nullptr && container != nullptr ? get(container, id, preset) : preset;
}

Vector3 ContainerGet(const HostContainer* container, int32_t id, Vector3 preset) {
  auto get = ApplicationEntry(&Table::ContainerGetVector);
  return get != nullptr && container != nullptr ? get(container, id, preset) : preset;
}

const HostDataValue* ContainerGet(const HostContainer* container, int32_t id) {
  auto get = ApplicationEntry(&Table::ContainerGetData);
  return get != nullptr && container != nullptr ? get(container, id) : nullptr;
}

namespace {

template <typename Value>
void Set(void (*Table::*entry)(HostContainer*, int32_t, Value), HostContainer* container,
         int32_t id, Value value) {
  auto set = ApplicationEntry(entry);
  if (set != nullptr && container != nullptr) set(container, id, value);
}

}  // namespace

void ContainerSet(HostContainer* container, int32_t id, double value) {
  Set(&Table::ContainerSetFloat, container, id, value);
}

void ContainerSet(HostContainer* container, int32_t id, int32_t value) {
  Set(&Table::ContainerSetInt32, container, id, value);
}

void ContainerSet(HostContainer* container, int32_t id, bool value) {
  Set(&Table::ContainerSetBool, container, id, static_cast<HostBool>(value));
}

void ContainerSet(HostContainer* container, int32_t id, Vector3 value) {
  Set(&Table::ContainerSetVector, container, id, value);
}

void ContainerSet(HostContainer* container, int32_t id, const HostDataValue* value) {
  if (value != nullptr) Set(&Table::ContainerSetData, container, id, value);
}

void ContainerSet(HostContainer* container, int32_t id, HostNode* linkTarget) {
  Set(&Table::ContainerSetLink, container, id, linkTarget);
}

HostDataValue* DataAlloc() {
  auto alloc = ApplicationEntry(&Table::DataAlloc);
  return alloc != nullptr ? alloc() : nullptr;
}

void DataFree(HostDataValue* value) {
  auto release = ApplicationEntry(&Table::DataFree);
  if (release != nullptr && value != nullptr) release(value);
}

int32_t DataType(const HostDataValue* value) {
  auto type = ApplicationEntry(&Table::DataType);
  return type != nullptr && value != nullptr ? type(value) : DATA_TYPE_NONE;
}

void* DataCustom(const HostDataValue* value, int32_t type) {
  auto custom = ApplicationEntry(&Table::DataCustom);
  return custom != nullptr && value != nullptr ? custom(value, type) : nullptr;
}

bool DataSetCustom(HostDataValue* value, int32_t type, const void* data) {
  auto set = ApplicationEntry(&Table::DataSetCustom);
  return set != nullptr && value != nullptr && set(value, type, data) != 0;
}

bool DataMakeCustom(HostDataValue* value, int32_t type) {
  auto make = ApplicationEntry(&Table::DataMakeCustom);
  return make != nullptr && value != nullptr && make(value, type) != 0;
}

ParamId OneLevelParamId(int32_t id, int32_t type) {
  ParamId paramId = {};
  paramId.depth = 1;
  paramId.level[0].id = id;
  paramId.level[0].type = type;
  return paramId;
}

bool NodeParamGet(HostNode* node, const ParamId& id, HostDataValue* value) {
  auto get = ApplicationEntry(&Table::NodeParamGet);
  return get != nullptr && node != nullptr && value != nullptr && get(node, &id, value, 0) != 0;
}

bool NodeParamSet(HostNode* node, const ParamId& id, const HostDataValue* value) {
  auto set = ApplicationEntry(&Table::NodeParamSet);
  return set != nullptr && node != nullptr && value != nullptr && set(node, &id, value, 0) != 0;
}

int32_t NodeType(const HostNode* node) {
  auto type = ApplicationEntry(&Table::NodeType);
  return type != nullptr && node != nullptr ? type(node) : 0;
}

HostNode* NodeOwner(const HostNode* node) {
  auto owner = ApplicationEntry(&Table::NodeOwner);
  return owner != nullptr && node != nullptr ? owner(node) : nullptr;
}

HostDocument* NodeDocument(const HostNode* node) {
  auto document = ApplicationEntry(&Table::NodeDocument);
  return document != nullptr && node != nullptr ? document(node) : nullptr;
}

bool NodeMessage(HostNode* node, int32_t type, void* data) {
  auto send = ApplicationEntry(&Table::NodeMessage);
  return send != nullptr && node != nullptr && send(node, type, data) != 0;
}

HostNode* ShaderNodeAlloc(int32_t type) {
  auto alloc = ApplicationEntry(&Table::ShaderNodeAlloc);
  return alloc != nullptr ? alloc(type) : nullptr;
}

HostNode* NodeClone(const HostNode* node) {
  auto clone = ApplicationEntry(&Table::NodeClone);
  return clone != nullptr && node != nullptr ? clone(node, 0, nullptr) : nullptr;
}

void NodeFree(HostNode* node) {
  auto release = ApplicationEntry(&Table::NodeFree);
  if (release != nullptr && node != nullptr) release(node);
}

HostChannel* MaterialChannel(HostNode* material, int32_t channel) {
  auto find = ApplicationEntry(&Table::MaterialChannel);
  return find != nullptr && material != nullptr ? find(material, channel) : nullptr;
}

HostNode* ChannelShader(const HostChannel* channel) {
  auto shader = ApplicationEntry(&Table::ChannelShader);
  return shader != nullptr && channel != nullptr ? shader(channel) : nullptr;
}

void MaterialInsertShader(HostNode* material, HostNode* shader) {
  auto insert = ApplicationEntry(&Table::MaterialInsertShader);
  if (insert != nullptr && material != nullptr && shader != nullptr) {
    insert(material, shader, nullptr);
  }
}

void MaterialRefresh(HostNode* material) {
  auto refresh = ApplicationEntry(&Table::MaterialRefresh);
  if (refresh != nullptr && material != nullptr) refresh(material, 1, 1);
}

HostNode* LinkTarget(const HostLink* link, HostDocument* document) {
  auto target = ApplicationEntry(&Table::LinkTarget);
  return target != nullptr && link != nullptr ? target(link, document, 0) : nullptr;
}

bool ColorQuery(void* queryContext) {
  auto query = ApplicationEntry(&Table::ColorQuery);
  return query != nullptr && query(queryContext) != 0;
}

}  // namespace host
