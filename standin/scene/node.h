// Scene nodes: shaders, materials and objects, each with its type, owner, document and
// settings. Materials own their shaders; a layer shader only links the shaders of its layers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "container.h"
#include "gradient.h"
#include "host_abi.h"
#include "plugin_types.h"

namespace standin {

class Document;
class Node;

struct Layer {
  Node* layerShader = nullptr;  // the node whose layer this is
  int32_t kind = LAYER_KIND_SHADER;
  double opacity = 1.0;
  Container parameters;  // a shader layer links its shader under LAYER_PARAM_SHADER_LINK
};

struct Channel {
  Node* material = nullptr;
  int32_t number = 0;  // MATERIAL_CHANNEL_*
  int32_t linkId = 0;  // the material's parameter that links the channel's shader
};

// An edge gradient's render preparation; preparations and releases are counted so that an
// unbalanced release does no harm and shows.
struct EdgeGradientRender {
  GradientRenderData* data = nullptr;
  int32_t preparations = 0;
  int32_t unbalancedReleases = 0;
};

Matrix34 IdentityMatrix();

class Node {
 public:
  // A new node of `type` after its Init: null for an unknown type, or when a plug-in type's
  // allocator or Init fails.
  static std::unique_ptr<Node> Create(int32_t type);
  ~Node();  // a plug-in node's Free, then its Destruct
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  const int32_t type;
  std::string name;  // a material's name, or the id a scene file gives a shader
  Node* owner = nullptr;
  Document* document = nullptr;
  Container settings;

  std::vector<std::unique_ptr<Node>> shaders;  // standard material: the shaders it owns
  std::vector<Channel> channels;               // standard material
  std::vector<std::unique_ptr<Layer>> layers;  // layer shader

  Matrix34 globalMatrix = IdentityMatrix();  // objects
  double radius = 100.0;                     // spheres
  Link material;                             // objects: the material they are drawn with

  std::shared_ptr<const PluginType> plugin;  // plug-in types
  PluginNode* pluginObject = nullptr;

  EdgeGradientRender edgeRender;  // edge gradient shader

  const std::shared_ptr<Node*>& Anchor() const { return anchor_; }

 private:
  explicit Node(int32_t nodeType);

  std::shared_ptr<Node*> anchor_;
};

// The copy a host makes: a new node of the same type after Init, with the settings (and a
// layer shader's layers) copied, then the plug-in's CopyInto. It has no owner and no document.
std::unique_ptr<Node> CloneNode(const Node& node);

// Sets the document of a node and of the shaders it owns.
void SetDocument(Node& node, Document* document);

// Takes a node out of whatever holds it (material or document); null when nothing did.
std::unique_ptr<Node> DetachNode(Node& node);
std::unique_ptr<Node> TakeNode(std::vector<std::unique_ptr<Node>>& list, const Node& node);
// Destroys a node wherever it is held.
void DestroyNode(Node* node);

int64_t LiveNodeCount();  // nodes made and not yet destroyed, for leak checks

}  // namespace standin
