#include "scene_services.h"

#include <new>

#include "call_trace.h"
#include "controls.h"
#include "descriptions.h"
#include "document.h"
#include "handles.h"
#include "layer_shader.h"
#include "material.h"
#include "node_callbacks.h"
#include "resource_folder.h"
#include "shader_render.h"

namespace standin {

namespace {

template <typename Result, typename Body>
Result Guarded(Result fallback, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return fallback;
  }
}

template <typename Body>
void Guarded(Body body) noexcept {
  try {
    body();
  } catch (...) {
  }
}

int32_t FirstLevel(const ParamId* id) {
  return id && id->depth >= 1 ? id->level[0].id : 0;
}

// ---------------------------------------------------------------- containers

HostContainer* NodeContainer(HostNode* node) noexcept {
  Trace("NodeContainer", node);
  return node ? ToHost(&FromHost(node)->settings) : nullptr;
}

double ContainerGetFloat(const HostContainer* container, int32_t id, double preset) noexcept {
  Trace("ContainerGetFloat", container, id, preset);
  return container ? FromHost(container)->GetFloat(id, preset) : preset;
}

int32_t ContainerGetInt32(const HostContainer* container, int32_t id, int32_t preset) noexcept {
  Trace("ContainerGetInt32", container, id, preset);
  return container ? FromHost(container)->GetInt32(id, preset) : preset;
}

Vector3 ContainerGetVector(const HostContainer* container, int32_t id, Vector3 preset) noexcept {
  Trace("ContainerGetVector", container, id, preset);
  return container ? FromHost(container)->GetVector(id, preset) : preset;
}

const HostDataValue* ContainerGetData(const HostContainer* container, int32_t id) noexcept {
  Trace("ContainerGetData", container, id);
  return container ? ToHost(FromHost(container)->Find(id)) : nullptr;
}

void ContainerSet(HostContainer* container, int32_t id, Value value) {
  if (container) Guarded([&] { FromHost(container)->Set(id, std::move(value)); });
}

void ContainerSetFloat(HostContainer* container, int32_t id, double value) noexcept {
  Trace("ContainerSetFloat", container, id, value);
  ContainerSet(container, id, value);
}

void ContainerSetInt32(HostContainer* container, int32_t id, int32_t value) noexcept {
  Trace("ContainerSetInt32", container, id, value);
  ContainerSet(container, id, value);
}

void ContainerSetBool(HostContainer* container, int32_t id, HostBool value) noexcept {
  Trace("ContainerSetBool", container, id, value);
  ContainerSet(container, id, value != 0);
}

void ContainerSetVector(HostContainer* container, int32_t id, Vector3 value) noexcept {
  Trace("ContainerSetVector", container, id, value);
  ContainerSet(container, id, value);
}

// An empty value clears the entry; a null one changes nothing.
void ContainerSetData(HostContainer* container, int32_t id, const HostDataValue* value) noexcept {
  Trace("ContainerSetData", container, id, value);
  if (!container || !value) return;
  if (FromHost(value)->IsNone()) {
    FromHost(container)->Erase(id);
  } else {
    ContainerSet(container, id, *FromHost(value));
  }
}

void ContainerSetLink(HostContainer* container, int32_t id, HostNode* target) noexcept {
  Trace("ContainerSetLink", container, id, target);
  ContainerSet(container, id, Link(FromHost(target)));
}

// ---------------------------------------------------------------- data values

HostDataValue* DataAlloc() noexcept {
  Trace("DataAlloc");
  return ToHost(new (std::nothrow) Value());
}

void DataFree(HostDataValue* value) noexcept {
  Trace("DataFree", value);
  delete FromHost(value);
}

int32_t DataType(const HostDataValue* value) noexcept {
  Trace("DataType", value);
  return value ? FromHost(value)->DataType() : DATA_TYPE_NONE;
}

void* DataCustom(const HostDataValue* value, int32_t type) noexcept {
  Trace("DataCustom", value, type);
  return value ? const_cast<Value*>(FromHost(value))->Custom(type) : nullptr;
}

HostBool DataSetCustom(HostDataValue* value, int32_t type, const void* data) noexcept {
  Trace("DataSetCustom", value, type, data);
  return value && Guarded(false, [&] { return FromHost(value)->SetCustom(type, data); });
}

HostBool DataMakeCustom(HostDataValue* value, int32_t type) noexcept {
  Trace("DataMakeCustom", value, type);
  return value && Guarded(false, [&] { return FromHost(value)->MakeCustom(type); });
}

// ---------------------------------------------------------------- nodes

// Only one-level ids name a stored value.
const Value* StoredParameter(const HostNode* node, const ParamId* id) {
  if (!node || !id || id->depth != 1) return nullptr;
  return FromHost(node)->settings.Find(id->level[0].id);
}

HostBool NodeParamGet(HostNode* node, const ParamId* id, HostDataValue* value,
                      int32_t flags) noexcept {
  Trace("NodeParamGet", node, FirstLevel(id), flags);
  const Value* stored = StoredParameter(node, id);
  if (!stored || !value) return false;
  return Guarded(false, [&] {
    *FromHost(value) = *stored;
    return true;
  });
}

HostBool NodeParamSet(HostNode* node, const ParamId* id, const HostDataValue* value,
                      int32_t flags) noexcept {
  Trace("NodeParamSet", node, FirstLevel(id), flags);
  if (!node || !id || id->depth != 1 || !value || FromHost(value)->IsNone()) return false;
  return Guarded(false, [&] {
    FromHost(node)->settings.Set(id->level[0].id, *FromHost(value));
    return true;
  });
}

int32_t NodeType(const HostNode* node) noexcept {
  Trace("NodeType", node);
  return node ? FromHost(node)->type : 0;
}

HostNode* NodeOwner(const HostNode* node) noexcept {
  Trace("NodeOwner", node);
  return node ? ToHost(FromHost(node)->owner) : nullptr;
}

HostDocument* NodeDocument(const HostNode* node) noexcept {
  Trace("NodeDocument", node);
  return node ? ToHost(FromHost(node)->document) : nullptr;
}

HostBool NodeMessage(HostNode* node, int32_t type, void* data) noexcept {
  Trace("NodeMessage", node, type, data);
  if (!node) return false;
  Node& receiver = *FromHost(node);
  if (receiver.document) {
    Guarded([&] { receiver.document->Record(SceneEvent::Message(&receiver, type)); });
  }
  return CallMessage(receiver, type, data);
}

bool CreationRefused(int32_t type) {
  return Controls().failAllNodeCreation || Controls().failNodeTypes.count(type) > 0;
}

HostNode* ShaderNodeAlloc(int32_t type) noexcept {
  Trace("ShaderNodeAlloc", type);
  if (CreationRefused(type) || !IsShaderType(type)) return nullptr;
  return Guarded<HostNode*>(nullptr, [&] { return ToHost(Node::Create(type).release()); });
}

HostNode* NodeClone(const HostNode* node, int32_t flags, void* translationMap) noexcept {
  Trace("NodeClone", node, flags, translationMap);
  if (!node || CreationRefused(FromHost(node)->type)) return nullptr;
  return Guarded<HostNode*>(nullptr, [&] { return ToHost(CloneNode(*FromHost(node)).release()); });
}

void NodeFree(HostNode* node) noexcept {
  Trace("NodeFree", node);
  DestroyNode(FromHost(node));
}

// ---------------------------------------------------------------- materials and links

HostChannel* MaterialChannelEntry(HostNode* material, int32_t channel) noexcept {
  Trace("MaterialChannel", material, channel);
  return material ? ToHost(MaterialChannel(*FromHost(material), channel)) : nullptr;
}

HostNode* ChannelShaderEntry(const HostChannel* channel) noexcept {
  Trace("ChannelShader", channel);
  return channel ? ToHost(ChannelShader(*FromHost(channel))) : nullptr;
}

void MaterialInsertShader(HostNode* material, HostNode* shader, HostNode* predecessor) noexcept {
  Trace("MaterialInsertShader", material, shader, predecessor);
  if (!material || !shader) return;
  Guarded([&] { InsertShader(*FromHost(material), *FromHost(shader), FromHost(predecessor)); });
}

void MaterialRefresh(HostNode* material, HostBool shaders, HostBool preview) noexcept {
  Trace("MaterialRefresh", material, shaders, preview);
  if (!material || !FromHost(material)->document) return;
  Node& refreshed = *FromHost(material);
  Guarded([&] {
    refreshed.document->Record(SceneEvent::Refresh(&refreshed, shaders != 0, preview != 0));
  });
}

// A link resolves to a live node of the document asked about (any, for no document) whose
// type passes the filter (0 passes every type).
HostNode* LinkTarget(const HostLink* link, HostDocument* document, int32_t typeFilter) noexcept {
  Trace("LinkTarget", link, document, typeFilter);
  Node* target = link ? FromHost(link)->Target() : nullptr;
  if (!target || (document && target->document != FromHost(document))) return nullptr;
  if (typeFilter != 0 && target->type != typeFilter) return nullptr;
  return ToHost(target);
}

Matrix34 ObjectMatrix(const HostNode* object) noexcept {
  Trace("ObjectMatrix", object);
  return object ? FromHost(object)->globalMatrix : IdentityMatrix();
}

// ---------------------------------------------------------------- render-time services

HostBool ColorQuery(void* queryContext) noexcept {
  Trace("ColorQuery", queryContext);
  return queryContext && static_cast<const ColorQueryContext*>(queryContext)->keepColors;
}

int32_t ChildShaderInitRender(HostNode* shader, const RenderSetup* setup) noexcept {
  Trace("ChildShaderInitRender", shader, setup);
  if (!shader) return 0;
  RenderSetup plain{};
  return Guarded(-1, [&] { return ShaderInitRender(*FromHost(shader), setup ? *setup : plain); });
}

Vector3 ChildShaderSample(HostNode* shader, const ChannelSample* sample) noexcept {
  Trace("ChildShaderSample", shader, sample);
  if (!shader || !sample) return {0, 0, 0};
  return ShaderSample(*FromHost(shader), *sample);
}

void ChildShaderFreeRender(HostNode* shader) noexcept {
  Trace("ChildShaderFreeRender", shader);
  if (shader) ShaderFreeRender(*FromHost(shader));
}

// ---------------------------------------------------------------- layer shader library

HostLayer* LayerFirst(HostNode* layerShader) noexcept {
  Trace("LayerFirst", layerShader);
  return layerShader ? ToHost(FirstLayer(*FromHost(layerShader))) : nullptr;
}

HostLayer* LayerNext(HostLayer* layer) noexcept {
  Trace("LayerNext", layer);
  return layer ? ToHost(NextLayer(*FromHost(layer))) : nullptr;
}

int32_t LayerKind(const HostLayer* layer) noexcept {
  Trace("LayerKind", layer);
  return layer ? FromHost(layer)->kind : 0;
}

HostBool LayerParam(const HostLayer* layer, int32_t id, HostDataValue* value) noexcept {
  Trace("LayerParam", layer, id, value);
  const Value* stored = layer ? FromHost(layer)->parameters.Find(id) : nullptr;
  if (!stored || !value) return false;
  return Guarded(false, [&] {
    *FromHost(value) = *stored;
    return true;
  });
}

// ---------------------------------------------------------------- description library

HostBool DescriptionRegister(int32_t id, const char* name, HostResource* resources) noexcept {
  Trace("DescriptionRegister", id, std::string(name ? name : ""), resources);
  if (!name) return false;
  return Guarded(false, [&] {
    return RegisterDescription(id, name, reinterpret_cast<const ResourceFolder*>(resources));
  });
}

HostBool DescriptionLoad(HostDescription* description, int32_t type) noexcept {
  Trace("DescriptionLoad", description, type);
  return description && Guarded(false, [&] { return FromHost(description)->Load(type); });
}

const ParamId* DescriptionFilter(const HostDescription* description) noexcept {
  Trace("DescriptionFilter", description);
  return description ? FromHost(description)->Filter() : nullptr;
}

HostContainer* DescriptionEntry(HostDescription* description, const ParamId* id) noexcept {
  Trace("DescriptionEntry", description, FirstLevel(id));
  if (!description || !id) return nullptr;
  return ToHost(FromHost(description)->Entry(*id));
}

HostBool ParamIdWithinEntry(const ParamId* id, const ParamId* filter) noexcept {
  Trace("ParamIdWithin", FirstLevel(id), FirstLevel(filter));
  return id && filter && ParamIdWithin(*id, *filter);
}

}  // namespace

void FillSceneServices(HostApplicationTable& table) {
  table.NodeContainer = NodeContainer;
  table.ContainerGetFloat = ContainerGetFloat;
  table.ContainerGetInt32 = ContainerGetInt32;
  table.ContainerGetVector = ContainerGetVector;
  table.ContainerGetData = ContainerGetData;
  table.ContainerSetFloat = ContainerSetFloat;
  table.ContainerSetInt32 = ContainerSetInt32;
  table.ContainerSetBool = ContainerSetBool;
  table.ContainerSetVector = ContainerSetVector;
  table.ContainerSetData = ContainerSetData;
  table.ContainerSetLink = ContainerSetLink;
  table.DataAlloc = DataAlloc;
  table.DataFree = DataFree;
  table.DataType = DataType;
  table.DataCustom = DataCustom;
  table.DataSetCustom = DataSetCustom;
  table.DataMakeCustom = DataMakeCustom;
  table.NodeParamGet = NodeParamGet;
  table.NodeParamSet = NodeParamSet;
  table.NodeType = NodeType;
  table.NodeOwner = NodeOwner;
  table.NodeDocument = NodeDocument;
  table.NodeMessage = NodeMessage;
  table.ShaderNodeAlloc = ShaderNodeAlloc;
  table.NodeClone = NodeClone;
  table.NodeFree = NodeFree;
  table.MaterialChannel = MaterialChannelEntry;
  table.ChannelShader = ChannelShaderEntry;
  table.MaterialInsertShader = MaterialInsertShader;
  table.MaterialRefresh = MaterialRefresh;
  table.LinkTarget = LinkTarget;
  table.ObjectMatrix = ObjectMatrix;
  table.ColorQuery = ColorQuery;
  table.ChildShaderInitRender = ChildShaderInitRender;
  table.ChildShaderSample = ChildShaderSample;
  table.ChildShaderFreeRender = ChildShaderFreeRender;
}

const LayerShaderLibrary& LayerShaderLibraryTable() {
  static const LayerShaderLibrary table = {sizeof(LayerShaderLibrary), LayerFirst, LayerNext,
                                           LayerKind, LayerParam};
  return table;
}

const DescriptionLibrary& DescriptionLibraryTable() {
  static const DescriptionLibrary table = {
      sizeof(DescriptionLibrary), DescriptionRegister, DescriptionLoad,
      DescriptionFilter,          DescriptionEntry,    ParamIdWithinEntry};
  return table;
}

}  // namespace standin
