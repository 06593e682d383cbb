#include "panel.h"

#include <optional>

#include "descriptions.h"
#include "handles.h"
#include "node_callbacks.h"

namespace standin {

std::vector<PanelEntry> BuildPanel(Node& node, const ParamId* filter) {
  DescriptionRequest request(filter ? std::optional<ParamId>(*filter) : std::nullopt);
  int32_t flags = 0;
  CallBuildDescription(node, ToHost(&request), &flags);
  if (!(flags & DESCRIPTION_FLAG_LOADED)) request.Load(node.type);

  std::vector<PanelEntry> panel;
  const DescriptionResource* description = request.Description();
  if (!description) return panel;
  for (const ParameterResource* parameter : description->Parameters()) {
    PanelEntry entry;
    entry.id = parameter->id;
    entry.name = parameter->name;
    entry.label = parameter->label;
    entry.valueType = parameter->valueType;
    if (const Value* stored = node.settings.Find(parameter->id)) entry.value = *stored;
    const Container* properties = request.Entry(parameter->id);
    entry.hidden = properties && properties->GetBool(DESCRIPTION_PROPERTY_HIDE, false);
    entry.enabled = CallIsParameterEnabled(
        node, OneLevelParamId(parameter->id, parameter->valueType), &entry.value, properties);
    panel.push_back(std::move(entry));
  }
  return panel;
}

}  // namespace standin
