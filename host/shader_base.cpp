#include "shader_base.h"

#include "application_operations.h"
#include "scene_operations.h"

namespace host {

void ShaderBase::operator delete(void* memory) {
  MemoryFree(memory);
}

ShaderBase::~ShaderBase() = default;
bool ShaderBase::Init(HostNode*) {
  return true;
}
void ShaderBase::Free(HostNode*) {}
bool ShaderBase::ReadStored(HostNode*, void*, int32_t) {
  return true;
}
bool ShaderBase::WriteStored(HostNode*, void*) {
  return true;
}
bool ShaderBase::CopyInto(ShaderBase*, HostNode*, HostNode*, int32_t, void*) {
  return true;
}
bool ShaderBase::Message(HostNode*, int32_t, void*) {
  return true;
}
void ShaderBase::ExplainParameter(HostNode*, const ParamId*, HostString*) {}
HostDocument* ShaderBase::ResolveDocument(HostNode*) {
  return nullptr;
}
VersionRange ShaderBase::StoredVersions(HostNode*) {
  return VersionRange{0, 1};
}
bool ShaderBase::TranslateId(HostNode*, const ParamId*, ParamId*) {
  return false;
}
bool ShaderBase::BuildDescription(HostNode*, HostDescription*, int32_t*) {
  return false;
}
bool ShaderBase::GetParameter(HostNode*, const ParamId*, HostDataValue*, int32_t*) {
  return true;
}
bool ShaderBase::SetParameter(HostNode*, const ParamId*, const HostDataValue*, int32_t*) {
  return true;
}
bool ShaderBase::IsParameterEnabled(HostNode*, const ParamId*, const HostDataValue*,
                                    const HostContainer*) {
  return true;
}
bool ShaderBase::HasOwnHelp(HostNode*, const ParamId*) {
  return false;
}
bool ShaderBase::CompareParameter(HostNode*, const ParamId*, const HostDataValue*,
                                  const HostDataValue*) {
  return false;
}
bool ShaderBase::ForwardMessage(HostNode*, HostNode* target, int32_t type, void* data) {
  return NodeMessage(target, type, data);
}
Vector3 ShaderBase::MarkerColor(HostNode*) {
  return Vector3{0, 0, 0};
}
bool ShaderBase::AcceptsDocument(HostNode*, HostDocument*) {
  return true;
}
int32_t ShaderBase::InitRender(HostNode*, const RenderSetup*) {
  return 0;
}
void ShaderBase::FreeRender(HostNode*) {}
Vector3 ShaderBase::Output(HostNode*, const ChannelSample*) {
  return Vector3{0, 0, 0};
}
int32_t ShaderBase::GetRenderInfo(HostNode*) {
  return 0;
}
int32_t ShaderBase::BranchCount(HostNode*) {
  return 0;
}
int32_t ShaderBase::CacheHint(HostNode*) {
  return 0;
}
int32_t ShaderBase::SubsampleHint(HostNode*) {
  return 0;
}
void ShaderBase::BeginEdit(HostNode*) {}
void ShaderBase::EndEdit(HostNode*) {}
bool ShaderBase::IsBaked(HostNode*) {
  return false;
}

namespace {

HostBool Answer(bool value) {
  return value ? 1 : 0;
}

// The host's callback table, routed to the virtual functions of the object behind `self`.
void Destruct(PluginNode* self) {
  delete AsShader(self);
}
HostBool Init(PluginNode* self, HostNode* node) {
  return Answer(AsShader(self)->Init(node));
}
void Free(PluginNode* self, HostNode* node) {
  AsShader(self)->Free(node);
}
HostBool ReadStored(PluginNode* self, HostNode* node, void* stream, int32_t level) {
  return Answer(AsShader(self)->ReadStored(node, stream, level));
}
HostBool WriteStored(PluginNode* self, HostNode* node, void* stream) {
  return Answer(AsShader(self)->WriteStored(node, stream));
}
HostBool CopyInto(PluginNode* self, PluginNode* dest, HostNode* node, HostNode* destNode,
                  int32_t flags, void* translationMap) {
  return Answer(AsShader(self)->CopyInto(AsShader(dest), node, destNode, flags, translationMap));
}
HostBool Message(PluginNode* self, HostNode* node, int32_t type, void* data) {
  return Answer(AsShader(self)->Message(node, type, data));
}
void ExplainParameter(PluginNode* self, HostNode* node, const ParamId* id, HostString* text) {
  AsShader(self)->ExplainParameter(node, id, text);
}
HostDocument* ResolveDocument(PluginNode* self, HostNode* node) {
  return AsShader(self)->ResolveDocument(node);
}
VersionRange StoredVersions(PluginNode* self, HostNode* node) {
  return AsShader(self)->StoredVersions(node);
}
HostBool TranslateId(PluginNode* self, HostNode* node, const ParamId* id, ParamId* result) {
  return Answer(AsShader(self)->TranslateId(node, id, result));
}
HostBool BuildDescription(PluginNode* self, HostNode* node, HostDescription* description,
                          int32_t* flags) {
  return Answer(AsShader(self)->BuildDescription(node, description, flags));
}
HostBool GetParameter(PluginNode* self, HostNode* node, const ParamId* id, HostDataValue* value,
                      int32_t* flags) {
  return Answer(AsShader(self)->GetParameter(node, id, value, flags));
}
HostBool SetParameter(PluginNode* self, HostNode* node, const ParamId* id,
                      const HostDataValue* value, int32_t* flags) {
  return Answer(AsShader(self)->SetParameter(node, id, value, flags));
}
HostBool IsParameterEnabled(PluginNode* self, HostNode* node, const ParamId* id,
                            const HostDataValue* value, const HostContainer* item) {
  return Answer(AsShader(self)->IsParameterEnabled(node, id, value, item));
}
HostBool HasOwnHelp(PluginNode* self, HostNode* node, const ParamId* id) {
  return Answer(AsShader(self)->HasOwnHelp(node, id));
}
HostBool CompareParameter(PluginNode* self, HostNode* node, const ParamId* id,
                          const HostDataValue* a, const HostDataValue* b) {
  return Answer(AsShader(self)->CompareParameter(node, id, a, b));
}
HostBool ForwardMessage(PluginNode* self, HostNode* node, HostNode* target, int32_t type,
                        void* data) {
  return Answer(AsShader(self)->ForwardMessage(node, target, type, data));
}
Vector3 MarkerColor(PluginNode* self, HostNode* node) {
  return AsShader(self)->MarkerColor(node);
}
HostBool AcceptsDocument(PluginNode* self, HostNode* node, HostDocument* document) {
  return Answer(AsShader(self)->AcceptsDocument(node, document));
}
int32_t InitRender(PluginNode* self, HostNode* node, const RenderSetup* setup) {
  return AsShader(self)->InitRender(node, setup);
}
void FreeRender(PluginNode* self, HostNode* node) {
  AsShader(self)->FreeRender(node);
}
Vector3 Output(PluginNode* self, HostNode* node, const ChannelSample* sample) {
  return AsShader(self)->Output(node, sample);
}
int32_t GetRenderInfo(PluginNode* self, HostNode* node) {
  return AsShader(self)->GetRenderInfo(node);
}
int32_t BranchCount(PluginNode* self, HostNode* node) {
  return AsShader(self)->BranchCount(node);
}
int32_t CacheHint(PluginNode* self, HostNode* node) {
  return AsShader(self)->CacheHint(node);
}
int32_t SubsampleHint(PluginNode* self, HostNode* node) {
  return AsShader(self)->SubsampleHint(node);
}
void BeginEdit(PluginNode* self, HostNode* node) {
  AsShader(self)->BeginEdit(node);
}
void EndEdit(PluginNode* self, HostNode* node) {
  AsShader(self)->EndEdit(node);
}
HostBool IsBaked(PluginNode* self, HostNode* node) {
  return Answer(AsShader(self)->IsBaked(node));
}

}  // namespace

void FillNodeRegistration(NodeRegistration* registration, PluginNode* (*allocate)(),
                          int32_t infoFlags, int32_t diskLevel) {
  *registration = NodeRegistration{};
  registration->size = sizeof(NodeRegistration);
  registration->Allocate = allocate;
  registration->infoFlags = infoFlags;
  registration->diskLevel = diskLevel;
  registration->callbacks = NodeCallbacks{sizeof(NodeCallbacks),
                                          Destruct,
                                          Init,
                                          Free,
                                          ReadStored,
                                          WriteStored,
                                          CopyInto,
                                          Message,
                                          ExplainParameter,
                                          ResolveDocument,
                                          StoredVersions,
                                          TranslateId,
                                          BuildDescription,
                                          GetParameter,
                                          SetParameter,
                                          IsParameterEnabled,
                                          HasOwnHelp,
                                          CompareParameter,
                                          ForwardMessage,
                                          MarkerColor,
                                          AcceptsDocument,
                                          InitRender,
                                          FreeRender,
                                          Output,
                                          GetRenderInfo,
                                          BranchCount,
                                          CacheHint,
                                          SubsampleHint,
                                          BeginEdit,
                                          EndEdit,
                                          IsBaked};
}

}  // namespace host
