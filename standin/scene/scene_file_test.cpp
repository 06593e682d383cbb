#include "scene_file.h"

#include <gtest/gtest.h>

#include "input_error.h"
#include "layer_shader.h"
#include "material.h"
#include "planet_scene.h"
#include "scratch_folder.h"
#include "test_plugin.h"

namespace standin {
namespace {

class SceneFileTest : public ::testing::Test {
 protected:
  // The planet scene, plus a displacement channel holding a layer shader whose layers are an
  // image, a copy of the planet and an edge gradient, and a sphere drawn with the material.
  std::unique_ptr<Document> RichScene() {
    std::unique_ptr<Document> document = NewPlanetScene();
    Node& material = *document->Materials()[0];
    Node& planet = *material.shaders[0];
    planet.settings.Set(TestPlugin::kSeed, int32_t{7});
    planet.settings.Set(TestPlugin::kScale, 0.1 + 0.2);  // not a short decimal
    Node* copy = InsertShader(material, CloneNode(planet), &planet);
    Node* edge = InsertShader(material, Node::Create(NODE_TYPE_EDGE_GRADIENT_SHADER), copy);
    edge->name = "rim";
    Node* layers = InsertShader(material, Node::Create(NODE_TYPE_LAYER_SHADER), edge);
    AddLayer(*layers, LAYER_KIND_IMAGE);
    AddLayer(*layers, LAYER_KIND_SHADER, 0.3, copy);
    AddLayer(*layers, LAYER_KIND_SHADER, 1.0, edge);
    LinkChannel(material, MATERIAL_CHANNEL_DISPLACEMENT, layers);
    Node& sphere = document->AddObject(Node::Create(NODE_TYPE_SPHERE_OBJECT));
    sphere.name = "World";
    sphere.globalMatrix.off = {1.5, -2, 1e-300};
    sphere.material = Link(&material);
    return document;
  }

  std::string LoadFailure(const nlohmann::json& scene) {
    try {
      LoadScene(scene, "scene.json");
    } catch (const InputError& error) {
      return error.what();
    }
    return "loaded";
  }

  TestPlugin plugin;
};

TEST_F(SceneFileTest, ANewPlanetSceneHoldsTheInitedShaderInTheColourChannel) {
  std::unique_ptr<Document> document = NewPlanetScene();
  ASSERT_EQ(document->Materials().size(), 1u);
  Node& material = *document->Materials()[0];
  ASSERT_EQ(material.shaders.size(), 1u);
  Node* planet = ChannelShader(*MaterialChannel(material, MATERIAL_CHANNEL_COLOR));
  ASSERT_EQ(planet, material.shaders[0].get());
  EXPECT_EQ(planet->type, kVerdantaNodeType);
  EXPECT_EQ(planet->owner, &material);
  EXPECT_EQ(planet->document, document.get());
  EXPECT_EQ(planet->settings.GetInt32(TestPlugin::kSeed, 0), 123);

  nlohmann::json saved = SaveScene(*document);
  EXPECT_EQ(saved["materials"][0]["channels"], (nlohmann::json{{"color", "s1"}}));
  EXPECT_EQ(saved["materials"][0]["shaders"][0]["parameters"]["P_SEED"], 123);
  EXPECT_EQ(saved["materials"][0]["shaders"][0]["parameters"]["P_GRADIENT"]["knots"].size(), 2u);
}

TEST_F(SceneFileTest, NoPlanetSceneWithoutThePlanetShader) {
  ClearPluginTypes();
  EXPECT_THROW(NewPlanetScene(), std::runtime_error);
}

TEST_F(SceneFileTest, SavingALoadedSceneGivesTheSameDocumentBack) {
  nlohmann::json saved = SaveScene(*RichScene());
  std::unique_ptr<Document> loaded = LoadScene(saved, "scene.json");
  EXPECT_EQ(SaveScene(*loaded), saved);
  EXPECT_EQ(SaveScene(*loaded).dump(), saved.dump());  // exact doubles, same order

  Node& material = *loaded->Materials()[0];
  Node* layers = ChannelShader(*MaterialChannel(material, MATERIAL_CHANNEL_DISPLACEMENT));
  ASSERT_NE(layers, nullptr);
  ASSERT_EQ(layers->layers.size(), 3u);
  EXPECT_EQ(layers->layers[0]->kind, LAYER_KIND_IMAGE);
  EXPECT_EQ(layers->layers[1]->opacity, 0.3);
  Node* copy = LayerShader(*layers->layers[1]);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->owner, &material);
  EXPECT_EQ(copy->settings.GetFloat(TestPlugin::kScale, 0), 0.1 + 0.2);
  EXPECT_EQ(LayerShader(*layers->layers[2])->name, "rim");
  const Node& sphere = *loaded->Objects()[0];
  EXPECT_EQ(sphere.material.Target(), &material);
  EXPECT_EQ(sphere.globalMatrix.off.z, 1e-300);
  EXPECT_EQ(sphere.radius, 100.0);
}

TEST_F(SceneFileTest, LoadingInitsEachNodeBeforeItsStoredValuesApply) {
  nlohmann::json saved = SaveScene(*NewPlanetScene());
  saved["materials"][0]["shaders"][0]["parameters"] = {{"P_SEED", 9}, {"P_SCALE", 2}};
  TestPlugin::Calls().clear();
  std::unique_ptr<Document> loaded = LoadScene(saved, "scene.json");
  EXPECT_EQ(TestPlugin::Calls(), (std::vector<std::string>{"Allocate", "Init"}));
  const Node& planet = *loaded->Materials()[0]->shaders[0];
  EXPECT_EQ(planet.settings.GetInt32(TestPlugin::kSeed, 0), 9);
  EXPECT_EQ(planet.settings.GetFloat(TestPlugin::kScale, 0), 2.0);      // an integer for a float
  EXPECT_EQ(planet.settings.GetVector(TestPlugin::kColor, {}).z, 0.3);  // kept from Init
}

TEST_F(SceneFileTest, BadDocumentsNameFileAndPlaceAndLeaveNothingBehind) {
  const nlohmann::json good = SaveScene(*RichScene());
  const std::string shader = "/materials/0/shaders/0";
  const std::string layers = "/materials/0/shaders/3";
  struct Case {
    const char* what;
    nlohmann::json patch;
    std::string failure;
  };
  auto replace = [](const std::string& path, const nlohmann::json& value) {
    return nlohmann::json{{{"op", "replace"}, {"path", path}, {"value", value}}};
  };
  auto add = [](const std::string& path, const nlohmann::json& value) {
    return nlohmann::json{{{"op", "add"}, {"path", path}, {"value", value}}};
  };
  const Case cases[] = {
      {"another format", replace("/format", "image"), "/format: not a verdanta-scene document"},
      {"a later version", replace("/version", 2), "/version: version 2 is not known"},
      {"materials not a list", replace("/materials", 1),
       "/materials: expected an array, found a number"},
      {"unknown parameter name", add(shader + "/parameters/P_SEEED", 1),
       shader + "/parameters/P_SEEED: node type 1064031 has no parameter \"P_SEEED\""},
      {"integer parameter given a fraction", replace(shader + "/parameters/P_SEED", 7.5),
       shader + "/parameters/P_SEED: expected an integer, found a fraction"},
      {"colour given a number", replace(shader + "/parameters/P_COLOR", 1),
       shader + "/parameters/P_COLOR: expected three numbers [x, y, z]"},
      {"gradient given a spline",
       replace(shader + "/parameters/P_GRADIENT", {{"knots", nlohmann::json::array()}}),
       shader + "/parameters/P_GRADIENT: the key \"mode\" is missing"},
      {"a value for a button", add(shader + "/parameters/P_COPY", 1),
       shader + "/parameters/P_COPY: a parameter of this type has no stored value"},
      {"gradient knot without a position",
       {{{"op", "remove"}, {"path", shader + "/parameters/P_GRADIENT/knots/1/position"}}},
       shader + "/parameters/P_GRADIENT/knots/1: the key \"position\" is missing"},
      {"unknown interpolation", replace(shader + "/parameters/P_GRADIENT/knots/0/interpolation", 9),
       shader + "/parameters/P_GRADIENT/knots/0/interpolation: unknown interpolation 9"},
      {"dangling channel", replace("/materials/0/channels/color", "s9"),
       "/materials/0/channels/color: no node has the id \"s9\""},
      {"dangling layer", replace(layers + "/layers/1/shader", "nowhere"),
       layers + "/layers/1/shader: no node has the id \"nowhere\""},
      {"shader id taken twice", replace("/materials/0/shaders/1/id", "s1"),
       "/materials/0/shaders/1/id: the id \"s1\" is empty or taken"},
      {"unknown shader type", replace(shader + "/type", 4242),
       shader + "/type: no shader type 4242 is known"},
      {"a material among the shaders", replace(shader + "/type", NODE_TYPE_STANDARD_MATERIAL),
       shader + "/type: no shader type 5703 is known"},
      {"layers on a non-layer shader", add(shader + "/layers", nlohmann::json::array()),
       shader + "/layers: only a layer shader has layers"},
      {"unknown layer kind", replace(layers + "/layers/0/kind", 5),
       layers + "/layers/0/kind: unknown layer kind 5"},
      {"an image layer linking a shader", add(layers + "/layers/0/shader", "s1"),
       layers + "/layers/0/shader: only a shader layer links a shader"},
      {"opacity above 1", replace(layers + "/layers/1/opacity", 1.5),
       layers + "/layers/1/opacity: the opacity lies outside 0 to 1"},
      {"unknown channel", add("/materials/0/channels/glow", "s1"),
       "/materials/0/channels/glow: unknown key \"glow\""},
      {"object of a material no one has", replace("/objects/0/material", "Moon"),
       "/objects/0/material: no material is named \"Moon\""},
      {"object radius of zero", replace("/objects/0/radius", 0),
       "/objects/0/radius: the radius must be above 0"},
      {"unknown object type", replace("/objects/0/type", 5159),
       "/objects/0/type: no object type 5159 is known"},
      {"matrix axis of two numbers", replace("/objects/0/matrix/axis2", {0, 1}),
       "/objects/0/matrix/axis2: expected three numbers [x, y, z]"},
  };
  int64_t live = LiveNodeCount();
  for (const Case& c : cases) {
    TestPlugin::Calls().clear();
    EXPECT_EQ(LoadFailure(good.patch(c.patch)), "scene.json: " + c.failure) << c.what;
    EXPECT_EQ(LiveNodeCount(), live) << c.what;
    auto count = [](const std::string& call) {
      return std::count(TestPlugin::Calls().begin(), TestPlugin::Calls().end(), call);
    };
    EXPECT_EQ(count("Allocate"), count("Destruct")) << c.what;
  }
}

TEST_F(SceneFileTest, FilesAreReadWithTheirNameInEveryError) {
  ScratchFolder folder;
  std::filesystem::path file = folder.Write("broken.json", "{\"format\": \"verdanta-scene\",\n}");
  try {
    LoadScene(file);
    FAIL() << "a broken file loaded";
  } catch (const InputError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(file.string() + ": line 2, column 1: ", 0), 0u)
        << error.what();
  }
  EXPECT_THROW(LoadScene(folder.Path() / "missing.json"), InputError);
}

TEST_F(SceneFileTest, ASavedFileIsWholeOrNotThere) {
  ScratchFolder folder;
  std::unique_ptr<Document> document = RichScene();
  std::filesystem::path file = folder.Path() / "scene.json";
  SaveScene(*document, file);
  EXPECT_EQ(SaveScene(*LoadScene(file)), SaveScene(*document));

  std::filesystem::path unwritable = folder.Path() / "no-such-folder" / "scene.json";
  EXPECT_THROW(SaveScene(*document, unwritable), std::runtime_error);
  EXPECT_FALSE(std::filesystem::exists(unwritable.parent_path()));

  document->Materials()[0]->shaders[0]->settings.Set(TestPlugin::kScale, NAN);
  EXPECT_THROW(SaveScene(*document, file), std::runtime_error);
  EXPECT_EQ(SaveScene(*LoadScene(file)).dump(), SaveScene(*RichScene()).dump());  // untouched
}

TEST_F(SceneFileTest, APresetAppliesWholeOrNotAtAll) {
  std::unique_ptr<Node> planet = Node::Create(TestPlugin::kType);
  nlohmann::json preset = SaveParameters(*planet);
  preset["P_SEED"] = 42;
  ApplyParameters(*planet, preset, "preset.json");
  EXPECT_EQ(planet->settings.GetInt32(TestPlugin::kSeed, 0), 42);

  nlohmann::json bad = {{"P_SCALE", 9.0}, {"P_SEED", "many"}};
  EXPECT_THROW(ApplyParameters(*planet, bad, "preset.json"), InputError);
  EXPECT_EQ(planet->settings.GetFloat(TestPlugin::kScale, 0), 0.5);
}

}  // namespace
}  // namespace standin
