// Which description belongs to which node type, and the description requests through which
// a node's BuildDescription loads its description and hides entries.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "container.h"
#include "description_resource.h"
#include "host_abi.h"
#include "resource_folder.h"

namespace standin {

// Keeps a copy of the description `name` of `resources` for node type `type`, so it outlives
// the resource folder. False, and nothing kept, when the folder is null or has no such
// description. A later registration for the same type replaces the earlier one.
bool RegisterDescription(int32_t type, const std::string& name, const ResourceFolder* resources);
std::shared_ptr<const DescriptionResource> RegisteredDescription(int32_t type);
void ClearDescriptions();

class DescriptionRequest {
 public:
  // With a filter the panel asks for that single entry only.
  explicit DescriptionRequest(std::optional<ParamId> filter = std::nullopt) : filter_(filter) {}

  // Loads the description registered for `type`; every entry starts with empty properties.
  bool Load(int32_t type);
  const DescriptionResource* Description() const { return description_.get(); }
  const ParamId* Filter() const { return filter_ ? &*filter_ : nullptr; }
  // The property container of the entry (a group or parameter) with that first-level id.
  Container* Entry(const ParamId& id);
  const Container* Entry(int32_t id) const;

 private:
  std::optional<ParamId> filter_;
  std::shared_ptr<const DescriptionResource> description_;
  std::map<int32_t, Container> entries_;
};

// Whether `id` lies within `filter`: their first levels name the same entry.
bool ParamIdWithin(const ParamId& id, const ParamId& filter);
ParamId OneLevelParamId(int32_t id, int32_t valueType = 0);

}  // namespace standin
