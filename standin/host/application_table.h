// The host's application table, every entry filled: the module gets a copy with the test
// controls applied.
#pragma once

#include "host_abi.h"

namespace standin {

HostApplicationTable FullApplicationTable();

}  // namespace standin
