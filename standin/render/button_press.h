// A button of a node's panel, pressed as the host passes it on: a command message naming the
// button's parameter.
#pragma once

#include <cstdint>

#include "node.h"

namespace standin {

// The node's answer to the message; true for a node that has no Message of its own.
bool PressButton(Node& node, int32_t buttonId);

}  // namespace standin
