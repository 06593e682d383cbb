// The host's description and layer shader libraries, found by id. Each operation answers its
// neutral fallback when the library, its entry or the handle is missing.
#pragma once

#include <stdint.h>

#include "host_abi.h"

namespace host {

bool DescriptionRegister(int32_t id, const char* name, HostResource* resources);
bool DescriptionLoad(HostDescription* description, int32_t type);
const ParamId* DescriptionFilter(const HostDescription* description);  // null: no filter
HostContainer* DescriptionEntry(HostDescription* description, const ParamId& id);
bool ParamIdWithin(const ParamId& id, const ParamId& filter);

HostLayer* LayerFirst(HostNode* layerShader);
HostLayer* LayerNext(HostLayer* layer);
int32_t LayerKind(const HostLayer* layer);
bool LayerParam(const HostLayer* layer, int32_t id, HostDataValue* value);

}  // namespace host
