// Test support for editing a loaded Verdanta node: one document with one standard material, and
// helpers to place shaders, build layer shaders and press the panel's buttons.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <nlohmann/json.hpp>

#include "descriptions.h"
#include "document.h"
#include "host.h"
#include "host_test_support.h"
#include "layer_shader.h"
#include "material.h"
#include "node_callbacks.h"
#include "scene_file.h"

namespace standin {

constexpr int32_t kVerdantaType = 1064031;
constexpr int32_t kCopyToDisplacement = 3001;
constexpr int32_t kCopyToBump = 3002;

class EditingTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    host.Load(VerdantaPlugins());
    document = &host.AdoptDocument(std::make_unique<Document>());
    material = &document->AddMaterial(Node::Create(NODE_TYPE_STANDARD_MATERIAL));
    material->name = "Planet";
  }

  // A new shader of `type` at the end of the material's list.
  Node& NewShader(int32_t type = kVerdantaType) {
    std::unique_ptr<Node> shader = Node::Create(type);
    EXPECT_NE(shader, nullptr) << type;
    Node* last = material->shaders.empty() ? nullptr : material->shaders.back().get();
    return *InsertShader(*material, std::move(shader), last);
  }

  Node& Place(int32_t channel, Node& shader) {
    EXPECT_TRUE(LinkChannel(*material, channel, &shader));
    return shader;
  }

  Node* Linked(int32_t channel) { return ChannelShader(*MaterialChannel(*material, channel)); }

  // A layer shader whose layers link `shaders` in order; null adds an image layer.
  Node& NewLayerShader(std::initializer_list<Node*> shaders) {
    Node& layers = NewShader(NODE_TYPE_LAYER_SHADER);
    for (Node* shader : shaders) {
      AddLayer(layers, shader ? LAYER_KIND_SHADER : LAYER_KIND_IMAGE, 1.0, shader);
    }
    return layers;
  }

  // A button press as the host delivers it, or the same data with another message type.
  static bool Press(Node& node, int32_t button, int32_t type = NODE_MESSAGE_COMMAND) {
    CommandMessage message{OneLevelParamId(button, DATA_TYPE_BUTTON)};
    return CallMessage(node, type, &message);
  }

  nlohmann::json Saved() const { return SaveScene(*document); }

  Host host;
  Document* document = nullptr;
  Node* material = nullptr;
};

}  // namespace standin
