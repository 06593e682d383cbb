// Calls into a plug-in node's callbacks. Built-in nodes, and plug-in entries the module left
// null, give the default answer instead.
#pragma once

#include <cstdint>

#include "host_abi.h"
#include "node.h"

namespace standin {

bool CallInit(Node& node);  // default true
void CallFree(Node& node);
void CallDestruct(Node& node);
bool CallCopyInto(const Node& source, Node& destination);  // default true
bool CallMessage(Node& node, int32_t type, void* data);    // default true
// Default false, with `flags` unchanged: the description is then not loaded.
bool CallBuildDescription(Node& node, HostDescription* description, int32_t* flags);
bool CallIsParameterEnabled(Node& node, const ParamId& id, const Value* value,
                            const Container* entry);           // default true
int32_t CallInitRender(Node& node, const RenderSetup& setup);  // default 0
void CallFreeRender(Node& node);
Vector3 CallOutput(const Node& node, const ChannelSample& sample);  // default black
int32_t CallGetRenderInfo(Node& node);                              // default 0

}  // namespace standin
