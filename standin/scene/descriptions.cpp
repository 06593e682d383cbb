#include "descriptions.h"

namespace standin {

namespace {

std::map<int32_t, std::shared_ptr<const DescriptionResource>>& Registry() {
  static std::map<int32_t, std::shared_ptr<const DescriptionResource>> descriptions;
  return descriptions;
}

}  // namespace

bool RegisterDescription(int32_t type, const std::string& name, const ResourceFolder* resources) {
  const DescriptionResource* description = resources ? resources->FindDescription(name) : nullptr;
  if (!description) return false;
  Registry()[type] = std::make_shared<const DescriptionResource>(*description);
  return true;
}

std::shared_ptr<const DescriptionResource> RegisteredDescription(int32_t type) {
  auto found = Registry().find(type);
  return found == Registry().end() ? nullptr : found->second;
}

void ClearDescriptions() {
  Registry().clear();
}

bool DescriptionRequest::Load(int32_t type) {
  std::shared_ptr<const DescriptionResource> description = RegisteredDescription(type);
  if (!description) return false;
  description_ = std::move(description);
  entries_.clear();
  for (const GroupResource& group : description_->groups) {
    entries_[group.id];
    for (const ParameterResource& parameter : group.parameters) entries_[parameter.id];
  }
  return true;
}

Container* DescriptionRequest::Entry(const ParamId& id) {
  if (id.depth < 1) return nullptr;
  auto found = entries_.find(id.level[0].id);
  return found == entries_.end() ? nullptr : &found->second;
}

const Container* DescriptionRequest::Entry(int32_t id) const {
  auto found = entries_.find(id);
  return found == entries_.end() ? nullptr : &found->second;
}

bool ParamIdWithin(const ParamId& id, const ParamId& filter) {
  return id.depth >= 1 && filter.depth >= 1 && id.level[0].id == filter.level[0].id;
}

ParamId OneLevelParamId(int32_t id, int32_t valueType) {
  ParamId paramId{};
  paramId.depth = 1;
  paramId.level[0] = {id, valueType, 0};
  return paramId;
}

}  // namespace standin
