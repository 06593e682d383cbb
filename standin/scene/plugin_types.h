// Node types registered by modules, with the copy of the registration record the host keeps.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host_abi.h"

namespace standin {

struct PluginType {
  int32_t id = 0;
  std::string name;
  // Entries that lie beyond the sizes the module gave are null, so a short record from an
  // older module reads as "default answer" rather than as whatever followed it in memory.
  NodeRegistration registration{};
  int32_t apiVersion = 0;
};

// False for an id already taken (also by a built-in type) or a record without an allocator.
bool RegisterPluginType(int32_t id, std::string name, const NodeRegistration& registration,
                        int32_t apiVersion);
// Nodes keep their type alive, so clearing the registry never leaves a node without callbacks.
std::shared_ptr<const PluginType> FindPluginType(int32_t id);
void ClearPluginTypes();

bool IsBuiltInType(int32_t type);
bool IsShaderType(int32_t type);  // the layer and edge gradient shaders and every plug-in type

}  // namespace standin
