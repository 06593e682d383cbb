#include "material.h"

#include <gtest/gtest.h>

#include "document.h"
#include "handles.h"
#include "layer_shader.h"
#include "scene_services.h"
#include "test_plugin.h"

namespace standin {
namespace {

// A material whose displacement channel holds a layer shader of an image layer, a folder
// and a shader layer with the plug-in node; its colour channel holds the plug-in directly.
class MaterialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    material = &document.AddMaterial(Node::Create(NODE_TYPE_STANDARD_MATERIAL));
    planet = InsertShader(*material, Node::Create(TestPlugin::kType), nullptr);
    inner = InsertShader(*material, Node::Create(TestPlugin::kType), planet);
    layers = InsertShader(*material, Node::Create(NODE_TYPE_LAYER_SHADER), inner);
    AddLayer(*layers, LAYER_KIND_IMAGE);
    AddLayer(*layers, LAYER_KIND_FOLDER);
    AddLayer(*layers, LAYER_KIND_SHADER, 0.5, inner);
    LinkChannel(*material, MATERIAL_CHANNEL_COLOR, planet);
    LinkChannel(*material, MATERIAL_CHANNEL_DISPLACEMENT, layers);
  }

  HostNode* ShaderOfChannel(Node* node, int32_t channel) {
    return host.ChannelShader(host.MaterialChannel(ToHost(node), channel));
  }

  TestPlugin plugin;
  const HostApplicationTable& host = SceneTable();
  const LayerShaderLibrary& layerLibrary = LayerShaderLibraryTable();
  Document document;
  Node* material = nullptr;
  Node* planet = nullptr;
  Node* inner = nullptr;
  Node* layers = nullptr;
};

TEST_F(MaterialTest, ChannelsAnswerTheShadersTheirLinksName) {
  EXPECT_EQ(ShaderOfChannel(material, MATERIAL_CHANNEL_COLOR), ToHost(planet));
  EXPECT_EQ(ShaderOfChannel(material, MATERIAL_CHANNEL_DISPLACEMENT), ToHost(layers));
  EXPECT_EQ(ShaderOfChannel(material, MATERIAL_CHANNEL_BUMP), nullptr);  // empty
  for (int32_t other : {1, 5, 7, 10, 12, -1}) {
    EXPECT_EQ(host.MaterialChannel(ToHost(material), other), nullptr) << other;
  }
  EXPECT_EQ(host.MaterialChannel(ToHost(planet), MATERIAL_CHANNEL_COLOR), nullptr);

  // the module links a channel through the material's container
  host.ContainerSetLink(host.NodeContainer(ToHost(material)), MATERIAL_LINK_BUMP, ToHost(inner));
  EXPECT_EQ(ShaderOfChannel(material, MATERIAL_CHANNEL_BUMP), ToHost(inner));
}

TEST_F(MaterialTest, EveryShaderOfTheTreeIsOwnedByTheMaterial) {
  for (Node* shader : {planet, inner, layers}) {
    EXPECT_EQ(host.NodeOwner(ToHost(shader)), ToHost(material));
    EXPECT_EQ(host.NodeDocument(ToHost(shader)), ToHost(&document));
  }
  EXPECT_EQ(host.NodeOwner(ToHost(material)), nullptr);
  EXPECT_EQ(host.NodeType(ToHost(material)), NODE_TYPE_STANDARD_MATERIAL);
  ASSERT_EQ(material->shaders.size(), 3u);
  EXPECT_EQ(material->shaders[0].get(), planet);  // each inserted after its predecessor
  EXPECT_EQ(material->shaders[2].get(), layers);
}

TEST_F(MaterialTest, TheLayerWalkReachesTheShaderBehindOtherKinds) {
  std::vector<int32_t> kinds;
  HostNode* found = nullptr;
  HostDataValue* value = host.DataAlloc();
  for (HostLayer* layer = layerLibrary.LayerFirst(ToHost(layers)); layer;
       layer = layerLibrary.LayerNext(layer)) {
    kinds.push_back(layerLibrary.LayerKind(layer));
    if (layerLibrary.LayerKind(layer) != LAYER_KIND_SHADER) {
      EXPECT_FALSE(layerLibrary.LayerParam(layer, LAYER_PARAM_SHADER_LINK, value));
      continue;
    }
    ASSERT_TRUE(layerLibrary.LayerParam(layer, LAYER_PARAM_SHADER_LINK, value));
    ASSERT_EQ(host.DataType(value), DATA_TYPE_LINK);
    auto* link = static_cast<HostLink*>(host.DataCustom(value, DATA_TYPE_LINK));
    found = host.LinkTarget(link, host.NodeDocument(ToHost(layers)), 0);
  }
  host.DataFree(value);
  EXPECT_EQ(kinds, (std::vector<int32_t>{LAYER_KIND_IMAGE, LAYER_KIND_FOLDER, LAYER_KIND_SHADER}));
  EXPECT_EQ(found, ToHost(inner));
  EXPECT_EQ(layerLibrary.LayerFirst(ToHost(planet)), nullptr);  // no layer shader
  EXPECT_EQ(layerLibrary.LayerFirst(nullptr), nullptr);
  EXPECT_EQ(layerLibrary.LayerKind(nullptr), 0);
}

TEST_F(MaterialTest, LinksResolveOnlyToLiveNodesOfTheDocumentAndType) {
  Value value{Link(inner)};
  const auto* link = reinterpret_cast<const HostLink*>(value.Custom(DATA_TYPE_LINK));
  Document other;
  EXPECT_EQ(host.LinkTarget(link, ToHost(&document), 0), ToHost(inner));
  EXPECT_EQ(host.LinkTarget(link, nullptr, 0), ToHost(inner));
  EXPECT_EQ(host.LinkTarget(link, ToHost(&document), TestPlugin::kType), ToHost(inner));
  EXPECT_EQ(host.LinkTarget(link, ToHost(&document), NODE_TYPE_LAYER_SHADER), nullptr);
  EXPECT_EQ(host.LinkTarget(link, ToHost(&other), 0), nullptr);

  host.NodeFree(ToHost(inner));
  EXPECT_EQ(host.LinkTarget(link, ToHost(&document), 0), nullptr);
  EXPECT_EQ(LayerShader(*layers->layers[2]), nullptr);
}

TEST_F(MaterialTest, MessagesRefreshesNotificationsAndNoticesAreRecorded) {
  SetActiveDocument(&document);
  TestPlugin::Calls().clear();
  EXPECT_TRUE(host.NodeMessage(ToHost(material), MATERIAL_MESSAGE_UPDATE, nullptr));
  host.MaterialRefresh(ToHost(material), true, false);
  RecordChangeNotify(0);
  RecordNotice("Careful.", NOTICE_KIND_WARNING);
  EXPECT_TRUE(host.NodeMessage(ToHost(planet), 77, nullptr));

  const std::vector<SceneEvent>& events = document.Events();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].kind, SceneEvent::Kind::message);
  EXPECT_EQ(events[0].node, material);
  EXPECT_EQ(events[0].code, MATERIAL_MESSAGE_UPDATE);
  EXPECT_EQ(events[1].kind, SceneEvent::Kind::refresh);
  EXPECT_TRUE(events[1].shaders);
  EXPECT_FALSE(events[1].preview);
  EXPECT_EQ(events[2].kind, SceneEvent::Kind::change);
  EXPECT_EQ(events[3].kind, SceneEvent::Kind::notice);
  EXPECT_EQ(events[3].text, "Careful.");
  EXPECT_EQ(events[3].code, NOTICE_KIND_WARNING);
  EXPECT_EQ(events[4].node, planet);
  // a message to a plug-in node reaches its callback as well
  EXPECT_EQ(TestPlugin::Calls(), (std::vector<std::string>{"Message 77"}));
  SetActiveDocument(nullptr);
}

TEST_F(MaterialTest, InsertingMovesAShaderBetweenMaterialsAndRefusesMaterials) {
  Node& second = document.AddMaterial(Node::Create(NODE_TYPE_STANDARD_MATERIAL));
  EXPECT_TRUE(InsertShader(second, *inner, nullptr));
  EXPECT_EQ(inner->owner, &second);
  EXPECT_EQ(material->shaders.size(), 2u);
  EXPECT_EQ(second.shaders.size(), 1u);

  EXPECT_FALSE(InsertShader(*material, second, nullptr));  // a material is no shader
  EXPECT_FALSE(InsertShader(*planet, *layers, nullptr));   // nor does a shader hold shaders
  EXPECT_EQ(document.Materials().size(), 2u);
  EXPECT_EQ(layers->owner, material);
}

TEST_F(MaterialTest, ContainerEntriesReachTheNodesSettings) {
  HostContainer* settings = host.NodeContainer(ToHost(planet));
  host.ContainerSetFloat(settings, 1, 0.25);
  host.ContainerSetInt32(settings, 2, -3);
  host.ContainerSetBool(settings, 3, 5);
  host.ContainerSetVector(settings, 4, {1, 2, 3});
  EXPECT_EQ(planet->settings.GetFloat(1, 0), 0.25);
  EXPECT_EQ(host.ContainerGetInt32(settings, 2, 0), -3);
  EXPECT_TRUE(planet->settings.GetBool(3, false));
  EXPECT_EQ(host.ContainerGetVector(settings, 4, {}).y, 2.0);
  EXPECT_EQ(host.ContainerGetFloat(settings, 2, 9.5), 9.5);  // an Int32 is no float
  EXPECT_EQ(host.ContainerGetFloat(nullptr, 1, 9.5), 9.5);

  const HostDataValue* gradient = host.ContainerGetData(settings, TestPlugin::kGradient);
  ASSERT_EQ(host.DataType(gradient), DATA_TYPE_GRADIENT);
  HostDataValue* empty = host.DataAlloc();
  host.ContainerSetData(settings, TestPlugin::kGradient, empty);  // an empty value clears
  host.DataFree(empty);
  EXPECT_EQ(host.ContainerGetData(settings, TestPlugin::kGradient), nullptr);
}

TEST_F(MaterialTest, ParametersAreReadAndWrittenByOneLevelId) {
  ParamId seed{1, {{TestPlugin::kSeed, 0, 0}}};
  HostDataValue* value = host.DataAlloc();
  ASSERT_TRUE(host.NodeParamGet(ToHost(planet), &seed, value, 0));
  EXPECT_EQ(host.DataType(value), DATA_TYPE_INT32);
  ASSERT_TRUE(host.NodeParamSet(ToHost(inner), &seed, value, 0));

  ParamId absent{1, {{4242, 0, 0}}};
  ParamId deep{2, {{TestPlugin::kColor, 0, 0}, {1000, 0, 0}}};
  EXPECT_FALSE(host.NodeParamGet(ToHost(planet), &absent, value, 0));
  EXPECT_FALSE(host.NodeParamGet(ToHost(planet), &deep, value, 0));
  HostDataValue* empty = host.DataAlloc();
  EXPECT_FALSE(host.NodeParamSet(ToHost(planet), &seed, empty, 0));
  EXPECT_EQ(planet->settings.GetInt32(TestPlugin::kSeed, 0), 123);
  host.DataFree(empty);
  host.DataFree(value);
}

}  // namespace
}  // namespace standin
