#include "plugin_types.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace standin {

namespace {

std::map<int32_t, std::shared_ptr<const PluginType>>& Registry() {
  static std::map<int32_t, std::shared_ptr<const PluginType>> types;
  return types;
}

size_t Clamped(int32_t size, size_t limit) {
  return std::min(static_cast<size_t>(std::max(size, 0)), limit);
}

NodeRegistration CopyRegistration(const NodeRegistration& given) {
  NodeRegistration copy{};
  std::memcpy(&copy, &given, Clamped(given.size, sizeof copy));
  constexpr size_t kFirstEntry = offsetof(NodeCallbacks, Destruct);
  constexpr size_t kEntrySize = sizeof copy.callbacks.Destruct;
  size_t tableSize = Clamped(copy.callbacks.size, sizeof copy.callbacks);
  size_t kept = tableSize > kFirstEntry ? (tableSize - kFirstEntry) / kEntrySize : 0;
  auto* table = reinterpret_cast<unsigned char*>(&copy.callbacks);
  size_t keptEnd = kFirstEntry + kept * kEntrySize;
  std::memset(table + keptEnd, 0, sizeof copy.callbacks - keptEnd);
  return copy;
}

}  // namespace

bool RegisterPluginType(int32_t id, std::string name, const NodeRegistration& registration,
                        int32_t apiVersion) {
  if (IsBuiltInType(id) || Registry().count(id)) return false;
  auto type = std::make_shared<PluginType>();
  type->id = id;
  type->name = std::move(name);
  type->registration = CopyRegistration(registration);
  type->apiVersion = apiVersion;
  if (!type->registration.Allocate) return false;
  Registry()[id] = std::move(type);
  return true;
}

std::shared_ptr<const PluginType> FindPluginType(int32_t id) {
  auto found = Registry().find(id);
  return found == Registry().end() ? nullptr : found->second;
}

void ClearPluginTypes() {
  Registry().clear();
}

bool IsBuiltInType(int32_t type) {
  return type == NODE_TYPE_STANDARD_MATERIAL || type == NODE_TYPE_LAYER_SHADER ||
         type == NODE_TYPE_EDGE_GRADIENT_SHADER || type == NODE_TYPE_SPHERE_OBJECT;
}

bool IsShaderType(int32_t type) {
  return type == NODE_TYPE_LAYER_SHADER || type == NODE_TYPE_EDGE_GRADIENT_SHADER ||
         FindPluginType(type) != nullptr;
}

}  // namespace standin
