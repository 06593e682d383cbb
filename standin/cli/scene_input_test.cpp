#include "scene_input.h"

#include <gtest/gtest.h>

#include <string>

#include "button_press.h"
#include "host_test_support.h"
#include "input_error.h"
#include "material.h"
#include "planet_scene.h"
#include "scene_file.h"
#include "temporary_folder.h"

namespace standin {
namespace {

constexpr int32_t kGradient = 5000;
constexpr int32_t kScale = 5001;
constexpr int32_t kSeed = 5005;
constexpr int32_t kSpline = 5006;
constexpr int32_t kIceSize = 5301;
constexpr int32_t kCopyToBump = 3002;
constexpr int32_t kTerrainIds[] = {5000, 5001, 5002, 5003, 5004, 5005};

const Value& Stored(const Node& node, int32_t id) {
  static const Value none;
  const Value* value = node.settings.Find(id);
  return value ? *value : none;
}

void ExpectSameTerrain(const Node& copy, const Node& planet) {
  for (int32_t id : kTerrainIds) {
    EXPECT_FALSE(Stored(planet, id).IsNone()) << id;
    EXPECT_TRUE(Stored(copy, id) == Stored(planet, id)) << "parameter " << id;
  }
}

class SceneInputTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    host.Load(VerdantaPlugins());
  }

  OpenedScene Open(SceneInput input, ChannelNeeds needs = {}) {
    return OpenSceneInput(host, input, needs);
  }

  // A planet scene saved to a file, its bump channel linked to a copy or left empty.
  std::string SavedPlanet(bool withBumpCopy) {
    Document& document = host.AdoptDocument(NewPlanetScene());
    Node& material = *document.Materials().front();
    if (withBumpCopy) PressButton(*ChannelShadersOf(material).colour, kCopyToBump);
    const std::filesystem::path file = folder.Path() / "planet.json";
    SaveScene(document, file);
    return file.string();
  }

  TemporaryFolder folder;
  Host host;
};

TEST_F(SceneInputTest, TheDefaultPlanetHasABumpCopyInStepAndASphere) {
  const OpenedScene scene = Open({});
  ASSERT_NE(scene.shaders.colour, nullptr);
  ASSERT_NE(scene.shaders.bump, nullptr);
  EXPECT_NE(scene.shaders.bump, scene.shaders.colour);
  EXPECT_EQ(scene.shaders.bump->type, kVerdantaNodeType);
  EXPECT_EQ(scene.shaders.bump->owner, scene.material);
  EXPECT_EQ(scene.shaders.displacement, nullptr);
  ExpectSameTerrain(*scene.shaders.bump, *scene.shaders.colour);
  ASSERT_NE(scene.sphereObject, nullptr);
  EXPECT_EQ(scene.sphereObject->material.Target(), scene.material);
}

TEST_F(SceneInputTest, DisplacementAsksForASecondCopy) {
  const OpenedScene scene = Open({}, {false, true});
  ASSERT_NE(scene.shaders.displacement, nullptr);
  EXPECT_NE(scene.shaders.displacement, scene.shaders.bump);
  ExpectSameTerrain(*scene.shaders.displacement, *scene.shaders.colour);
}

TEST_F(SceneInputTest, TerrainEditsReachTheCopiesAndOtherEditsDoNot) {
  SceneInput input;
  input.settings = {"VERDANTA_SEED=7", "VERDANTA_TERRAIN_SCALE=2", "VERDANTA_ICE_V0_SIZE=0.3"};
  const OpenedScene scene = Open(input, {false, true});
  const Node& planet = *scene.shaders.colour;
  EXPECT_TRUE(Stored(planet, kSeed) == Value(int32_t{7}));
  EXPECT_TRUE(Stored(planet, kScale) == Value(2.0));
  EXPECT_TRUE(Stored(planet, kIceSize) == Value(0.3));
  for (const Node* copy : {scene.shaders.bump, scene.shaders.displacement}) {
    ExpectSameTerrain(*copy, planet);
    // Each copy keeps its own ice.
    EXPECT_TRUE(Stored(*copy, kIceSize) == Value(0.1));
  }
}

TEST_F(SceneInputTest, APresetSetsGradientAndSplineAndTheSettingsComeAfterIt) {
  const std::string preset = folder
                                 .Write("preset.json", R"({
    "VERDANTA_SEED": 11,
    "VERDANTA_TERRAIN_GRADIENT": {"mode": 0, "knots": [
      {"color": [1, 0, 0], "position": 0},
      {"color": [0, 0, 1], "position": 1, "interpolation": 1}]},
    "VERDANTA_HEIGHT_SPLINE": {"knots": [
      {"position": [0, 0.2, 0]}, {"position": [1, 0.8, 0]}]}
  })")
                                 .string();
  SceneInput input;
  input.preset = preset;
  input.settings = {"VERDANTA_SEED=12"};
  const OpenedScene scene = Open(input);
  const Node& planet = *scene.shaders.colour;
  const Node& copy = *scene.shaders.bump;
  EXPECT_TRUE(Stored(planet, kSeed) == Value(int32_t{12}));
  const Gradient* gradient = Stored(planet, kGradient).Get<Gradient>();
  ASSERT_NE(gradient, nullptr);
  ASSERT_EQ(gradient->knots.size(), 2u);
  EXPECT_EQ(gradient->knots[1].color.z, 1.0);
  const SplineCurve* spline = Stored(planet, kSpline).Get<SplineCurve>();
  ASSERT_NE(spline, nullptr);
  ASSERT_EQ(spline->knots.size(), 2u);
  EXPECT_EQ(spline->knots[0].position.y, 0.2);
  ExpectSameTerrain(copy, planet);
  // The spline shapes heights, which each copy keeps as its own.
  EXPECT_FALSE(Stored(copy, kSpline) == Stored(planet, kSpline));
}

TEST_F(SceneInputTest, ASceneIsTakenAsItIsUnlessItsTerrainIsEdited) {
  SceneInput input;
  input.sceneFile = SavedPlanet(true);
  // The scene's copy is told apart from what a press would make of it.
  {
    OpenedScene scene = Open(input);
    scene.shaders.bump->settings.Set(kSeed, int32_t{99});
    SaveScene(*scene.document, input.sceneFile);
  }
  input.settings = {"VERDANTA_ICE_V0_SIZE=0.25"};
  const OpenedScene untouched = Open(input);
  EXPECT_TRUE(Stored(*untouched.shaders.bump, kSeed) == Value(int32_t{99}));

  input.settings = {"VERDANTA_TERRAIN_ROUGHNESS=0.5"};
  const OpenedScene edited = Open(input);
  ExpectSameTerrain(*edited.shaders.bump, *edited.shaders.colour);
}

TEST_F(SceneInputTest, ASceneWithoutCopiesGetsNone) {
  SceneInput input;
  input.sceneFile = SavedPlanet(false);
  input.settings = {"VERDANTA_SEED=3"};
  const OpenedScene scene = Open(input);
  EXPECT_EQ(scene.shaders.bump, nullptr);
  EXPECT_EQ(scene.shaders.displacement, nullptr);
  EXPECT_EQ(scene.material->shaders.size(), 1u);
  EXPECT_THROW(Open(input, {true, false}), std::runtime_error);
}

TEST_F(SceneInputTest, ABadEditNamesItsPlace) {
  struct Case {
    std::string setting;
    std::string message;
  };
  const Case cases[] = {
      {"VERDANTA_NOPE=1", "--set: VERDANTA_NOPE: the shader has no parameter of this name"},
      {"5005=1", "--set: 5005: the shader has no parameter of this name"},
      {"VERDANTA_SEED", "--set: VERDANTA_SEED: expected NAME=VALUE"},
      {"VERDANTA_SEED=1.5", "--set: /VERDANTA_SEED: expected an integer"},
      {"VERDANTA_SEED=seven", "--set VERDANTA_SEED: line 1, column 1"},
      {"VERDANTA_COPY_TO_BUMP=1", "--set: /VERDANTA_COPY_TO_BUMP: "},
  };
  for (const Case& c : cases) {
    SceneInput input;
    input.settings = {c.setting};
    try {
      Open(input);
      ADD_FAILURE() << c.setting << " was accepted";
    } catch (const InputError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
    }
  }
}

}  // namespace
}  // namespace standin
