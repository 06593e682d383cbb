#include "node.h"

#include <atomic>

#include "document.h"
#include "edge_gradient.h"
#include "node_callbacks.h"

namespace standin {

namespace {

std::atomic<int64_t> liveNodes{0};

void AddMaterialChannels(Node& material) {
  material.channels = {{&material, MATERIAL_CHANNEL_COLOR, MATERIAL_LINK_COLOR},
                       {&material, MATERIAL_CHANNEL_BUMP, MATERIAL_LINK_BUMP},
                       {&material, MATERIAL_CHANNEL_DISPLACEMENT, MATERIAL_LINK_DISPLACEMENT}};
}

}  // namespace

Matrix34 IdentityMatrix() {
  return {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
}

Node::Node(int32_t nodeType) : type(nodeType), anchor_(std::make_shared<Node*>(this)) {
  ++liveNodes;
}

Node::~Node() {
  if (pluginObject) {
    CallFree(*this);
    CallDestruct(*this);
  }
  ReleaseEdgeGradientRender(*this);
  *anchor_ = nullptr;
  --liveNodes;
}

std::unique_ptr<Node> Node::Create(int32_t type) {
  std::shared_ptr<const PluginType> plugin = FindPluginType(type);
  if (!plugin && !IsBuiltInType(type)) return nullptr;
  std::unique_ptr<Node> node(new Node(type));
  if (type == NODE_TYPE_STANDARD_MATERIAL) AddMaterialChannels(*node);
  if (type == NODE_TYPE_EDGE_GRADIENT_SHADER) InitEdgeGradient(*node);
  if (plugin) {
    PluginNode* object = plugin->registration.Allocate();
    if (!object) return nullptr;
    node->plugin = std::move(plugin);
    node->pluginObject = object;
    if (!CallInit(*node)) return nullptr;
  }
  return node;
}

std::unique_ptr<Node> CloneNode(const Node& node) {
  std::unique_ptr<Node> copy = Node::Create(node.type);
  if (!copy) return nullptr;
  // A shader's name is its id in the scene file, which stays with the original.
  if (!IsShaderType(node.type)) copy->name = node.name;
  copy->settings = node.settings;
  for (const auto& layer : node.layers) {
    copy->layers.push_back(std::make_unique<Layer>(*layer));
    copy->layers.back()->layerShader = copy.get();
  }
  copy->globalMatrix = node.globalMatrix;
  copy->radius = node.radius;
  copy->material = node.material;
  if (!CallCopyInto(node, *copy)) return nullptr;
  return copy;
}

void SetDocument(Node& node, Document* document) {
  node.document = document;
  for (auto& shader : node.shaders) SetDocument(*shader, document);
}

std::unique_ptr<Node> DetachNode(Node& node) {
  std::unique_ptr<Node> taken;
  if (node.owner) {
    taken = TakeNode(node.owner->shaders, node);
  } else if (node.document) {
    taken = node.document->Take(node);
  }
  if (taken) {
    taken->owner = nullptr;
    SetDocument(*taken, nullptr);
  }
  return taken;
}

void DestroyNode(Node* node) {
  if (!node) return;
  if (!DetachNode(*node)) delete node;
}

std::unique_ptr<Node> TakeNode(std::vector<std::unique_ptr<Node>>& list, const Node& node) {
  for (auto at = list.begin(); at != list.end(); ++at) {
    if (at->get() == &node) {
      std::unique_ptr<Node> taken = std::move(*at);
      list.erase(at);
      return taken;
    }
  }
  return nullptr;
}

int64_t LiveNodeCount() {
  return liveNodes.load();
}

}  // namespace standin
