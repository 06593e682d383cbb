#include "controls.h"

namespace standin {

HostControls& Controls() {
  static HostControls controls;
  return controls;
}

void ResetControls() { Controls() = HostControls{}; }

}  // namespace standin
