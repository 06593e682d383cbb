// The parameter panel of a node as the host would show it: the node builds its description,
// then says for each parameter whether it is enabled.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host_abi.h"
#include "node.h"

namespace standin {

struct PanelEntry {
  int32_t id = 0;
  std::string name;
  std::string label;
  int32_t valueType = 0;  // DATA_TYPE_* of the description
  Value value;            // the node's stored value; none for buttons
  bool hidden = false;    // the description entry's hide property
  bool enabled = true;    // the node's IsParameterEnabled
};

// Empty when no description is registered for the node's type. With a filter the node is
// asked for that single entry, as a panel refreshing one parameter does.
std::vector<PanelEntry> BuildPanel(Node& node, const ParamId* filter = nullptr);

}  // namespace standin
