// The command behind the two channel buttons.
#pragma once

#include <stdint.h>

#include "host_abi.h"

namespace verdanta {

// Brings the terrain of the shader of this type already in the channel (bump or displacement)
// of the node's material into line with the node, or links a copy of the node there. Deletes
// nothing. False only when the node is not of this type.
bool CopyToChannel(HostNode* node, int32_t channel);

}  // namespace verdanta
