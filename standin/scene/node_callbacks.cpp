#include "node_callbacks.h"

#include "handles.h"

namespace standin {

namespace {

const NodeCallbacks* CallbacksOf(const Node& node) {
  return node.pluginObject ? &node.plugin->registration.callbacks : nullptr;
}

// The entry when the node has one, else null.
template <typename Entry>
Entry Find(const Node& node, Entry NodeCallbacks::*entry) {
  const NodeCallbacks* callbacks = CallbacksOf(node);
  return callbacks ? callbacks->*entry : nullptr;
}

}  // namespace

bool CallInit(Node& node) {
  auto init = Find(node, &NodeCallbacks::Init);
  return init ? init(node.pluginObject, ToHost(&node)) != 0 : true;
}

void CallFree(Node& node) {
  if (auto free = Find(node, &NodeCallbacks::Free)) free(node.pluginObject, ToHost(&node));
}

void CallDestruct(Node& node) {
  if (auto destruct = Find(node, &NodeCallbacks::Destruct)) destruct(node.pluginObject);
}

bool CallCopyInto(const Node& source, Node& destination) {
  auto copyInto = Find(source, &NodeCallbacks::CopyInto);
  if (!copyInto || !destination.pluginObject) return true;
  return copyInto(source.pluginObject, destination.pluginObject, ToHost(&source),
                  ToHost(&destination), 0, nullptr) != 0;
}

bool CallMessage(Node& node, int32_t type, void* data) {
  auto message = Find(node, &NodeCallbacks::Message);
  return message ? message(node.pluginObject, ToHost(&node), type, data) != 0 : true;
}

bool CallBuildDescription(Node& node, HostDescription* description, int32_t* flags) {
  auto build = Find(node, &NodeCallbacks::BuildDescription);
  return build ? build(node.pluginObject, ToHost(&node), description, flags) != 0 : false;
}

bool CallIsParameterEnabled(Node& node, const ParamId& id, const Value* value,
                            const Container* entry) {
  auto enabled = Find(node, &NodeCallbacks::IsParameterEnabled);
  if (!enabled) return true;
  return enabled(node.pluginObject, ToHost(&node), &id, ToHost(value),
                 reinterpret_cast<const HostContainer*>(entry)) != 0;
}

int32_t CallInitRender(Node& node, const RenderSetup& setup) {
  auto initRender = Find(node, &NodeCallbacks::InitRender);
  return initRender ? initRender(node.pluginObject, ToHost(&node), &setup) : 0;
}

void CallFreeRender(Node& node) {
  if (auto freeRender = Find(node, &NodeCallbacks::FreeRender)) {
    freeRender(node.pluginObject, ToHost(&node));
  }
}

Vector3 CallOutput(const Node& node, const ChannelSample& sample) {
  auto output = Find(node, &NodeCallbacks::Output);
  return output ? output(node.pluginObject, ToHost(&node), &sample) : Vector3{0, 0, 0};
}

int32_t CallGetRenderInfo(Node& node) {
  auto renderInfo = Find(node, &NodeCallbacks::GetRenderInfo);
  return renderInfo ? renderInfo(node.pluginObject, ToHost(&node)) : 0;
}

}  // namespace standin
