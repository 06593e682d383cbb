// The base of a shader node type: every host callback as a virtual function with the host's
// default answer, memory from the host, and the registration record that routes the host's
// callback table to these functions.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "host_abi.h"

namespace host {

class ShaderBase {
 public:
  // Nodes live in memory from the host: construct in place, give back on delete.
  static void* operator new(size_t, void* place) { return place; }
  static void operator delete(void* memory);

  ShaderBase() = default;
  ShaderBase(const ShaderBase&) = delete;
  ShaderBase& operator=(const ShaderBase&) = delete;

  virtual ~ShaderBase();
  virtual bool Init(HostNode* node);
  virtual void Free(HostNode* node);
  virtual bool ReadStored(HostNode* node, void* stream, int32_t level);
  virtual bool WriteStored(HostNode* node, void* stream);
  virtual bool CopyInto(ShaderBase* dest, HostNode* node, HostNode* destNode, int32_t flags,
                        void* translationMap);
  virtual bool Message(HostNode* node, int32_t type, void* data);
  virtual void ExplainParameter(HostNode* node, const ParamId* id, HostString* text);
  virtual HostDocument* ResolveDocument(HostNode* node);
  virtual VersionRange StoredVersions(HostNode* node);
  virtual bool TranslateId(HostNode* node, const ParamId* id, ParamId* result);
  virtual bool BuildDescription(HostNode* node, HostDescription* description, int32_t* flags);
  virtual bool GetParameter(HostNode* node, const ParamId* id, HostDataValue* value,
                            int32_t* flags);
  virtual bool SetParameter(HostNode* node, const ParamId* id, const HostDataValue* value,
                            int32_t* flags);
  virtual bool IsParameterEnabled(HostNode* node, const ParamId* id, const HostDataValue* value,
                                  const HostContainer* item);
  virtual bool HasOwnHelp(HostNode* node, const ParamId* id);
  virtual bool CompareParameter(HostNode* node, const ParamId* id, const HostDataValue* a,
                                const HostDataValue* b);
  virtual bool ForwardMessage(HostNode* node, HostNode* target, int32_t type, void* data);
  virtual Vector3 MarkerColor(HostNode* node);
  virtual bool AcceptsDocument(HostNode* node, HostDocument* document);
  virtual int32_t InitRender(HostNode* node, const RenderSetup* setup);
  virtual void FreeRender(HostNode* node);
  virtual Vector3 Output(HostNode* node, const ChannelSample* sample);
  virtual int32_t GetRenderInfo(HostNode* node);
  virtual int32_t BranchCount(HostNode* node);
  virtual int32_t CacheHint(HostNode* node);
  virtual int32_t SubsampleHint(HostNode* node);
  virtual void BeginEdit(HostNode* node);
  virtual void EndEdit(HostNode* node);
  virtual bool IsBaked(HostNode* node);
};

inline PluginNode* AsPluginNode(ShaderBase* shader) {
  return reinterpret_cast<PluginNode*>(shader);
}

inline ShaderBase* AsShader(PluginNode* node) {
  return reinterpret_cast<ShaderBase*>(node);
}

// Fills the host's registration record for a node type whose objects come from `allocate`.
void FillNodeRegistration(NodeRegistration* registration, PluginNode* (*allocate)(),
                          int32_t infoFlags, int32_t diskLevel);

}  // namespace host
