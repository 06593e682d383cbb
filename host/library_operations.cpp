#include "library_operations.h"

#include "host_interface.h"

namespace host {

bool DescriptionRegister(int32_t id, const char* name, HostResource* resources) {
  auto enroll = LibraryEntry(&DescriptionLibrary::DescriptionRegister);
  return enroll != nullptr && enroll(id, name, resources) != 0;
}

bool DescriptionLoad(HostDescription* description, int32_t type) {
  auto load = LibraryEntry(&DescriptionLibrary::DescriptionLoad);
  return load != nullptr && description != nullptr && load(description, type) != 0;
}

const ParamId* DescriptionFilter(const HostDescription* description) {
  auto filter = LibraryEntry(&DescriptionLibrary::DescriptionFilter);
  return filter != nullptr && description != nullptr ? filter(description) : nullptr;
}

HostContainer* DescriptionEntry(HostDescription* description, const ParamId& id) {
  auto entry = LibraryEntry(&DescriptionLibrary::DescriptionEntry);
  return entry != nullptr && description != nullptr ? entry(description, &id) : nullptr;
}

bool ParamIdWithin(const ParamId& id, const ParamId& filter) {
  auto within = LibraryEntry(&DescriptionLibrary::ParamIdWithin);
  return within != nullptr && within(&id, &filter) != 0;
}

HostLayer* LayerFirst(HostNode* layerShader) {
  auto first = LibraryEntry(&LayerShaderLibrary::LayerFirst);
  return first != nullptr && layerShader != nullptr ? first(layerShader) : nullptr;
}

HostLayer* LayerNext(HostLayer* layer) {
  auto next = LibraryEntry(&LayerShaderLibrary::LayerNext);
  return next != nullptr && layer != nullptr ? next(layer) : nullptr;
}

int32_t LayerKind(const HostLayer* layer) {
  auto kind = LibraryEntry(&LayerShaderLibrary::LayerKind);
  return kind != nullptr && layer != nullptr ? kind(layer) : 0;
}

bool LayerParam(const HostLayer* layer, int32_t id, HostDataValue* value) {
  auto param = LibraryEntry(&LayerShaderLibrary::LayerParam);
  return param != nullptr && layer != nullptr && value != nullptr && param(layer, id, value) != 0;
}

}  // namespace host
