#include "node.h"

#include <gtest/gtest.h>

#include "controls.h"
#include "document.h"
#include "handles.h"
#include "material.h"
#include "test_plugin.h"

namespace standin {
namespace {

using Calls = std::vector<std::string>;

class PluginNodeTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetControls(); }
  void TearDown() override { ResetControls(); }

  TestPlugin plugin;
  const HostApplicationTable& host = SceneTable();
};

TEST_F(PluginNodeTest, CreationAllocatesThenInitsAndDestructionFreesThenDestructs) {
  int64_t live = LiveNodeCount();
  std::unique_ptr<Node> node = Node::Create(TestPlugin::kType);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(LiveNodeCount(), live + 1);
  EXPECT_EQ(TestPlugin::Calls(), (Calls{"Allocate", "Init"}));
  EXPECT_EQ(node->settings.GetInt32(TestPlugin::kSeed, 0), 123);
  EXPECT_EQ(node->owner, nullptr);
  EXPECT_EQ(node->document, nullptr);

  node.reset();
  EXPECT_EQ(TestPlugin::Calls(), (Calls{"Allocate", "Init", "Free", "Destruct"}));
  EXPECT_EQ(LiveNodeCount(), live);
}

TEST_F(PluginNodeTest, AFailedAllocateOrInitMakesNoNodeAndLeavesNothing) {
  int64_t live = LiveNodeCount();
  TestPlugin::failAllocate = true;
  EXPECT_EQ(Node::Create(TestPlugin::kType), nullptr);
  EXPECT_EQ(TestPlugin::Calls(), (Calls{"Allocate"}));

  TestPlugin::Calls().clear();
  TestPlugin::failAllocate = false;
  TestPlugin::failInit = true;
  EXPECT_EQ(Node::Create(TestPlugin::kType), nullptr);
  EXPECT_EQ(TestPlugin::Calls(), (Calls{"Allocate", "Init", "Free", "Destruct"}));
  EXPECT_EQ(LiveNodeCount(), live);
}

TEST_F(PluginNodeTest, UnknownTypesMakeNoNode) {
  EXPECT_EQ(Node::Create(4242), nullptr);
  EXPECT_EQ(host.ShaderNodeAlloc(4242), nullptr);
  EXPECT_EQ(host.ShaderNodeAlloc(NODE_TYPE_STANDARD_MATERIAL), nullptr);  // no shader
}

TEST_F(PluginNodeTest, TheTestControlsRefuseCreationAndCloning) {
  std::unique_ptr<Node> original = Node::Create(NODE_TYPE_EDGE_GRADIENT_SHADER);
  Controls().failNodeTypes = {NODE_TYPE_EDGE_GRADIENT_SHADER};
  EXPECT_EQ(host.ShaderNodeAlloc(NODE_TYPE_EDGE_GRADIENT_SHADER), nullptr);
  EXPECT_EQ(host.NodeClone(ToHost(original.get()), 0, nullptr), nullptr);
  HostNode* layer = host.ShaderNodeAlloc(NODE_TYPE_LAYER_SHADER);
  EXPECT_NE(layer, nullptr);
  host.NodeFree(layer);

  ResetControls();
  Controls().failAllNodeCreation = true;
  EXPECT_EQ(host.ShaderNodeAlloc(NODE_TYPE_LAYER_SHADER), nullptr);
  EXPECT_EQ(host.ShaderNodeAlloc(TestPlugin::kType), nullptr);
  EXPECT_TRUE(TestPlugin::Calls().empty());  // refused before the module is asked
}

TEST_F(PluginNodeTest, CloneIsANewInitedNodeWithTheSettingsCopiedAndNoOwner) {
  auto document = std::make_unique<Document>();
  Node& material = document->AddMaterial(Node::Create(NODE_TYPE_STANDARD_MATERIAL));
  Node* original = InsertShader(material, Node::Create(TestPlugin::kType), nullptr);
  original->settings.Set(TestPlugin::kSeed, int32_t{7});
  original->settings.Set(77, 1.5);
  TestPlugin::Calls().clear();

  Node* copy = FromHost(host.NodeClone(ToHost(original), 0, nullptr));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(TestPlugin::Calls(), (Calls{"Allocate", "Init", "CopyInto"}));
  EXPECT_EQ(copy->type, TestPlugin::kType);
  EXPECT_EQ(copy->settings, original->settings);
  EXPECT_EQ(copy->owner, nullptr);
  EXPECT_EQ(copy->document, nullptr);
  EXPECT_NE(copy->pluginObject, original->pluginObject);

  host.MaterialInsertShader(ToHost(&material), ToHost(copy), nullptr);
  EXPECT_EQ(copy->owner, &material);
  EXPECT_EQ(copy->document, document.get());
  ASSERT_EQ(material.shaders.size(), 2u);
  EXPECT_EQ(material.shaders[0].get(), copy);  // no predecessor: first
}

TEST_F(PluginNodeTest, NodeFreeTakesAnInsertedShaderOutOfItsMaterial) {
  Document document;
  Node& material = document.AddMaterial(Node::Create(NODE_TYPE_STANDARD_MATERIAL));
  Node* first = InsertShader(material, Node::Create(NODE_TYPE_LAYER_SHADER), nullptr);
  Node* second = InsertShader(material, Node::Create(TestPlugin::kType), first);
  LinkChannel(material, MATERIAL_CHANNEL_BUMP, second);
  int64_t live = LiveNodeCount();

  host.NodeFree(ToHost(second));
  EXPECT_EQ(LiveNodeCount(), live - 1);
  ASSERT_EQ(material.shaders.size(), 1u);
  EXPECT_EQ(material.shaders[0].get(), first);
  EXPECT_EQ(ChannelShader(*MaterialChannel(material, MATERIAL_CHANNEL_BUMP)), nullptr);
}

TEST(PluginTypes, ShortRecordsReadAsDefaultsAndTakenIdsAreRefused) {
  NodeRegistration registration = TestPlugin::Registration();
  // a module that knows only the first seven callbacks
  registration.callbacks.size = offsetof(NodeCallbacks, Message) + sizeof(void*);
  ASSERT_TRUE(RegisterPluginType(9001, "Short", registration, 1));
  auto type = FindPluginType(9001);
  ASSERT_NE(type, nullptr);
  EXPECT_NE(type->registration.callbacks.Message, nullptr);
  EXPECT_EQ(type->registration.callbacks.BuildDescription, nullptr);
  EXPECT_EQ(type->registration.callbacks.Output, nullptr);
  EXPECT_EQ(type->name, "Short");
  EXPECT_EQ(type->apiVersion, 1);

  EXPECT_FALSE(RegisterPluginType(9001, "Again", TestPlugin::Registration(), 1));
  EXPECT_FALSE(RegisterPluginType(NODE_TYPE_LAYER_SHADER, "Built-in", registration, 1));
  NodeRegistration noAllocator = TestPlugin::Registration();
  noAllocator.Allocate = nullptr;
  EXPECT_FALSE(RegisterPluginType(9002, "Empty", noAllocator, 1));
  NodeRegistration tiny = TestPlugin::Registration();
  tiny.size = sizeof(int32_t);  // not even the allocator
  EXPECT_FALSE(RegisterPluginType(9003, "Tiny", tiny, 1));

  ClearPluginTypes();
  EXPECT_EQ(FindPluginType(9001), nullptr);
}

TEST_F(PluginNodeTest, ANodeOutlivesTheRegistryItsTypeCameFrom) {
  std::unique_ptr<Node> node = Node::Create(TestPlugin::kType);
  ClearPluginTypes();
  node.reset();  // still reaches its Free and Destruct
  EXPECT_EQ(TestPlugin::Calls(), (Calls{"Allocate", "Init", "Free", "Destruct"}));
}

}  // namespace
}  // namespace standin
