#include "library_operations.h"

#include "host_interface.h"

namespace host {
namespace {

template <typename Entry>
Entry DescriptionEntryOf(Entry DescriptionLibrary::*entry) {
  return LibraryEntry(LIBRARY_DESCRIPTION, entry);
}

template <typename Entry>
Entry LayerEntryOf(Entry LayerShaderLibrary::*entry) {
  return LibraryEntry(LIBRARY_LAYER_SHADER, entry);
}

}  // namespace

bool DescriptionRegister(int32_t id, const char* name, HostResource* resources) {
  auto enroll = DescriptionEntryOf(&DescriptionLibrary::DescriptionRegister);
  return enroll != nullptr && enroll(id, name, resources) != 0;
}

bool DescriptionLoad(HostDescription* description, int32_t type) {
  auto load = DescriptionEntryOf(&DescriptionLibrary::DescriptionLoad);
  return load != nullptr && description != nullptr && load(description, type) != 0;
}

const ParamId* DescriptionFilter(const HostDescription* description) {
  auto filter = DescriptionEntryOf(&DescriptionLibrary::DescriptionFilter);
  return filter != nullptr && description != nullptr ? filter(description) : nullptr;
}

HostContainer* DescriptionEntry(HostDescription* description, const ParamId& id) {
  auto entry = DescriptionEntryOf(&DescriptionLibrary::DescriptionEntry);
  return entry != nullptr && description != nullptr ? entry(description, &id) : nullptr;
}

bool ParamIdWithin(const ParamId& id, const ParamId& filter) {
  auto within = DescriptionEntryOf(&DescriptionLibrary::ParamIdWithin);
  return within != nullptr && within(&id, &filter) != 0;
}

HostLayer* LayerFirst(HostNode* layerShader) {
  auto first = LayerEntryOf(&LayerShaderLibrary::LayerFirst);
  return first != nullptr && layerShader != nullptr ? first(layerShader) : nullptr;
}

HostLayer* LayerNext(HostLayer* layer) {
  auto next = LayerEntryOf(&LayerShaderLibrary::LayerNext);
  return next != nullptr && layer != nullptr ? next(layer) : nullptr;
}

int32_t LayerKind(const HostLayer* layer) {
  auto kind = LayerEntryOf(&LayerShaderLibrary::LayerKind);
  return kind != nullptr && layer != nullptr ? kind(layer) : 0;
}

bool LayerParam(const HostLayer* layer, int32_t id, HostDataValue* value) {
  auto param = LayerEntryOf(&LayerShaderLibrary::LayerParam);
  return param != nullptr && layer != nullptr && value != nullptr && param(layer, id, value) != 0;
}

}  // namespace host
