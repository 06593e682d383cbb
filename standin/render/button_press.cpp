#include "button_press.h"

#include "descriptions.h"
#include "node_callbacks.h"

namespace standin {

bool PressButton(Node& node, int32_t buttonId) {
  CommandMessage message{OneLevelParamId(buttonId, DATA_TYPE_BUTTON)};
  return CallMessage(node, NODE_MESSAGE_COMMAND, &message);
}

}  // namespace standin
