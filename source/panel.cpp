#include "channel_lookup.h"
#include "library_operations.h"
#include "scene_operations.h"
#include "verdanta.h"
#include "verdanta_ids.h"

namespace verdanta {
namespace {

struct PanelParameter {
  int32_t id;
  int32_t type;
};

// A shader in the bump or displacement channel answers a height: its colour parameters
// would change nothing there.
const PanelParameter kColourParameters[] = {
    {VERDANTA_CHILD_COLOR, DATA_TYPE_COLOR},     {VERDANTA_TERRAIN_GRADIENT, DATA_TYPE_GRADIENT},
    {VERDANTA_CHILD_STRENGTH, DATA_TYPE_FLOAT},  {VERDANTA_CHILD_FALLOFF, DATA_TYPE_FLOAT},
    {VERDANTA_CLOUD_NOISE, DATA_TYPE_INT32},     {VERDANTA_CLOUD_COVERAGE, DATA_TYPE_FLOAT},
    {VERDANTA_CLOUD_INTENSITY, DATA_TYPE_FLOAT}, {VERDANTA_CLOUD_SCALE, DATA_TYPE_FLOAT}};

const PanelParameter kHeightParameter = {VERDANTA_HEIGHT_SPLINE, DATA_TYPE_SPLINE};

void SetHidden(HostDescription* description, const ParamId* filter, const PanelParameter& parameter,
               bool hidden) {
  const ParamId id = host::OneLevelParamId(parameter.id, parameter.type);
  if (filter != nullptr && !host::ParamIdWithin(id, *filter)) return;
  host::ContainerSet(host::DescriptionEntry(description, id), DESCRIPTION_PROPERTY_HIDE, hidden);
}

}  // namespace

bool VerdantaShader::BuildDescription(HostNode* node, HostDescription* description,
                                      int32_t* flags) {
  const bool placed = IsPlaced(node);
  if (!host::DescriptionLoad(description, VERDANTA_PLUGIN_ID)) return false;
  const ParamId* filter = host::DescriptionFilter(description);
  for (const PanelParameter& parameter : kColourParameters) {
    SetHidden(description, filter, parameter, placed);
  }
  SetHidden(description, filter, kHeightParameter, !placed);
  if (flags != nullptr) *flags |= DESCRIPTION_FLAG_LOADED;
  return ShaderBase::BuildDescription(node, description, flags);
}

bool VerdantaShader::IsParameterEnabled(HostNode* node, const ParamId* id, const HostDataValue*,
                                        const HostContainer*) {
  const bool placed = IsPlaced(node);
  switch (id != nullptr ? id->level[0].id : 0) {
    case VERDANTA_COPY_TO_DISPLACEMENT:
    case VERDANTA_COPY_TO_BUMP:
    case VERDANTA_TERRAIN_GRADIENT:
    case VERDANTA_CHILD_STRENGTH:
    case VERDANTA_CHILD_FALLOFF:
    case VERDANTA_CLOUD_NOISE:
    case VERDANTA_CLOUD_COVERAGE:
    case VERDANTA_CLOUD_INTENSITY:
    case VERDANTA_CLOUD_SCALE:
      return !placed;
    case VERDANTA_HEIGHT_SPLINE:
      return placed;
    default:
      return true;
  }
}

}  // namespace verdanta
