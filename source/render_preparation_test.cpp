#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_host.h"
#include "test_shader.h"
#include "verdanta.h"
#include "verdanta_ids.h"

namespace verdanta {
namespace {

using testhost::FakeHost;
using testhost::FakeNode;

class RenderPreparation : public ::testing::Test {
 protected:
  void SetUp() override { shader->Init(Node()); }

  HostNode* Node() { return testhost::AsHost(node); }
  void Set(int32_t id, double value) { node->settings[id] = testhost::FloatValue(value); }
  int32_t Prepare() { return shader->InitRender(Node(), &setup); }

  FakeHost fake;
  FakeNode* node = fake.NewNode(VERDANTA_PLUGIN_ID);
  testhost::ShaderPointer shader = testhost::NewShader();
  RenderSetup setup = {};
};

TEST_F(RenderPreparation, DerivesTheRenderValuesFromTheParameters) {
  Set(VERDANTA_TERRAIN_SCALE, 0.25);
  Set(VERDANTA_TERRAIN_ROUGHNESS, 0.3);
  Set(VERDANTA_TERRAIN_LACUNARITY, 0.5);
  Set(VERDANTA_TERRAIN_DETAIL, 0.125);
  node->settings[VERDANTA_SEED] = testhost::Int32Value(-7);
  Set(VERDANTA_ICE_V0_AMOUNT, 0.2);
  Set(VERDANTA_CLOUD_COVERAGE, 0.25);
  Set(VERDANTA_CLOUD_INTENSITY, 0.5);
  node->settings[VERDANTA_CLOUD_NOISE] = testhost::Int32Value(3);
  ASSERT_EQ(0, Prepare());

  EXPECT_EQ(1.0 / 25.0, shader->terrainFrequency);
  EXPECT_EQ(0.7, shader->terrainH);
  EXPECT_EQ(1.5, shader->terrainLacunarity);
  EXPECT_EQ(0.125, shader->detail);
  EXPECT_EQ(-7, shader->seed);
  EXPECT_EQ(2.0, shader->iceAmountV0);
  EXPECT_EQ(0.1, shader->iceSizeV0);
  EXPECT_EQ(0.75, shader->cloudThreshold);
  EXPECT_EQ(5.0, shader->cloudIntensity);
  EXPECT_EQ(3, shader->cloudNoiseType);
  EXPECT_EQ(0.75, shader->childStrength);
  EXPECT_EQ(0.5, shader->childFalloff);
  EXPECT_EQ(1.0, shader->detailScale);
  EXPECT_EQ(0.5, shader->heightBlendWeight);

  ASSERT_EQ(1u, fake.noises.size());
  const testhost::FakeNoise& noise = *fake.noises[0];
  EXPECT_EQ(testhost::AsHost(fake.noises[0].get()), shader->terrainNoise);
  EXPECT_EQ(-7, noise.seed);
  EXPECT_EQ(20, noise.octaves);
  EXPECT_EQ(1.5, noise.lacunarity);
  EXPECT_EQ(0.7, noise.h);
}

TEST_F(RenderPreparation, CloudScaleAndIceThresholdHaveTheirFloors) {
  struct Case {
    double cloudScale, cloudFrequency;
  } clouds[] = {{1.0, 0.02}, {0.001, 20.0}, {0.0005, 20.0},
                {0.0, 20.0}, {-3.0, 20.0},  {4.0, 0.005}};
  for (const Case& c : clouds) {
    Set(VERDANTA_CLOUD_SCALE, c.cloudScale);
    ASSERT_EQ(0, Prepare());
    EXPECT_DOUBLE_EQ(c.cloudFrequency, shader->cloudFrequency) << c.cloudScale;
    shader->FreeRender(Node());
  }
  struct IceCase {
    double threshold, lower;
  } ice[] = {{0.1, 0.0}, {0.15, 0.0}, {0.35, 0.19999999999999998}, {1.0, 0.85}};
  for (const IceCase& c : ice) {
    Set(VERDANTA_ICE_THRESHOLD, c.threshold);
    ASSERT_EQ(0, Prepare());
    EXPECT_EQ(c.threshold, shader->iceUpper);
    EXPECT_DOUBLE_EQ(c.lower, shader->iceLower) << c.threshold;
    shader->FreeRender(Node());
  }
}

TEST_F(RenderPreparation, ConvertsTheChildColourOnlyWhenTheDocumentIsLinear) {
  struct Case {
    HostBool convertColors;
    int32_t colorProfile;
    HostBool queryFirst;
    bool queryAnswer;
    bool asked, converted;
  } cases[] = {
      {1, 0, 0, false, false, true},  {1, 0, 1, false, true, true},   {1, 0, 1, true, true, false},
      {0, 0, 1, false, false, false}, {1, 1, 1, false, false, false},
  };
  node->settings[VERDANTA_CHILD_COLOR] = testhost::VectorValue(Vector3{0.5, 0.25, 1.0});
  for (const Case& c : cases) {
    fake.calls.clear();
    fake.colorQueryAnswer = c.queryAnswer;
    setup.convertColors = c.convertColors;
    setup.colorProfile = c.colorProfile;
    setup.queryFirst = c.queryFirst;
    ASSERT_EQ(0, Prepare());
    shader->FreeRender(Node());
    EXPECT_EQ(c.asked, fake.Called("ColorQuery")) << &c - cases;
    EXPECT_EQ(c.converted ? 0.25 : 0.5, shader->childColor.x) << &c - cases;
    const auto& knot = testhost::AsFake(shader->childShader)
                           ->settings.at(EDGE_GRADIENT_PARAM_GRADIENT)
                           .gradient.knots[0];
    EXPECT_EQ(shader->childColor.x, knot.color.x) << "the child's rim takes the colour used";
  }
}

TEST_F(RenderPreparation, RewritesTheChildGradientWithTheFalloff) {
  Set(VERDANTA_CHILD_FALLOFF, 0.8);
  ASSERT_EQ(0, Prepare());
  const auto& knots = testhost::AsFake(shader->childShader)
                          ->settings.at(EDGE_GRADIENT_PARAM_GRADIENT)
                          .gradient.knots;
  EXPECT_EQ(0.8412, knots[0].color.x);
  EXPECT_EQ(0.0, knots[0].position);
  EXPECT_EQ(0.0, knots[1].color.x);
  EXPECT_EQ(0.8, knots[1].position);
}

TEST_F(RenderPreparation, AFailedGradientPreparationStopsBeforeTheNoise) {
  ASSERT_EQ(0, Prepare());
  shader->FreeRender(Node());
  testhost::FakeRenderData& earlier = *fake.renderDatas.at(0);
  fake.failPrepare = true;
  fake.calls.clear();
  shader->offset = Vector3{7, 7, 7};

  EXPECT_EQ(-100, Prepare());
  EXPECT_EQ(nullptr, shader->gradientRenderData.Get());
  EXPECT_EQ(0, earlier.references) << "the reference from before is given back";
  EXPECT_EQ(nullptr, shader->terrainNoise);
  EXPECT_FALSE(fake.Called("NoiseAlloc"));
  EXPECT_FALSE(fake.Called("ChildShaderInitRender"));
  EXPECT_EQ(0, shader->childRenderCount);
  EXPECT_EQ(7.0, shader->offset.x);
  EXPECT_EQ(0, fake.liveValues);
}

TEST_F(RenderPreparation, WithoutAGradientServiceTheRenderFails) {
  fake.missingLibraries = {LIBRARY_GRADIENT};
  fake.Install();
  node->settings[VERDANTA_TERRAIN_GRADIENT] = testhost::GradientValue({});
  EXPECT_EQ(-100, Prepare());
}

TEST_F(RenderPreparation, ANodeWithoutAGradientPreparesWithWhite) {
  node->settings.erase(VERDANTA_TERRAIN_GRADIENT);
  EXPECT_EQ(0, Prepare());
  EXPECT_EQ(nullptr, shader->gradient);
  EXPECT_NE(nullptr, shader->terrainNoise);
  EXPECT_FALSE(fake.Called("PrepareRenderData"));
}

TEST_F(RenderPreparation, ChildPreparationsAreAllReleased) {
  ASSERT_EQ(0, Prepare());
  ASSERT_EQ(0, Prepare());
  EXPECT_EQ(2, shader->childRenderCount);
  EXPECT_EQ(1u, fake.CallCount("NoiseFree")) << "the generator left from the first render";
  shader->FreeRender(Node());
  EXPECT_EQ(2u, fake.CallCount("ChildShaderFreeRender"));
  EXPECT_EQ(0, shader->childRenderCount);
  EXPECT_EQ(nullptr, shader->terrainNoise);
  EXPECT_EQ(2u, fake.CallCount("NoiseFree"));
  shader->FreeRender(Node());
  EXPECT_EQ(2u, fake.CallCount("ChildShaderFreeRender"));
}

TEST_F(RenderPreparation, ANodeKeepsOneGradientReferenceUntilItGoes) {
  ASSERT_EQ(0, Prepare());
  ASSERT_EQ(0, Prepare());
  ASSERT_EQ(2u, fake.renderDatas.size());
  EXPECT_EQ(0, fake.renderDatas[0]->references);
  EXPECT_EQ(1, fake.renderDatas[1]->references);
  shader->FreeRender(Node());
  EXPECT_EQ(1, fake.renderDatas[1]->references) << "kept from one render to the next";
  shader.reset();
  EXPECT_EQ(0, fake.renderDatas[1]->references);
}

TEST_F(RenderPreparation, WithoutAGeneratorEverySampleIsBlack) {
  fake.failAllocations = true;
  ASSERT_EQ(0, Prepare());
  EXPECT_EQ(nullptr, shader->terrainNoise);
  fake.failAllocations = false;
  fake.calls.clear();
  for (int32_t channel : {0, 6, 11}) {
    ChannelSample sample = {};
    sample.flags = channel << CHANNEL_SAMPLE_CHANNEL_SHIFT;
    const Vector3 color = shader->Output(Node(), &sample);
    EXPECT_EQ(0.0, color.x);
    EXPECT_EQ(0.0, color.y);
    EXPECT_EQ(0.0, color.z);
  }
  EXPECT_TRUE(fake.calls.empty());
}

TEST_F(RenderPreparation, ReadsTheHostInTheOrderOfItsSteps) {
  fake.calls.clear();
  ASSERT_EQ(0, Prepare());
  std::vector<std::string> seen;
  for (const std::string& call : fake.calls) {
    if (call != "LibraryLookup" && call != "InterfaceLookup") seen.push_back(call);
  }
  const std::vector<std::string> expected = {
      "NodeContainer",     "ContainerGetFloat", "ContainerGetFloat",
      "ContainerGetFloat", "ContainerGetFloat", "ContainerGetInt32",
      "ContainerGetFloat", "ContainerGetFloat", "ContainerGetFloat",
      "ContainerGetFloat", "ContainerGetFloat", "ContainerGetVector",
      "ContainerGetFloat", "DataAlloc",         "NodeParamGet",
      "DataCustom",        "GetKnot",           "SetKnot",
      "GetKnot",           "SetKnot",           "DataSetCustom",
      "NodeParamSet",      "ContainerGetFloat", "ContainerGetInt32",
      "ContainerGetFloat", "ContainerGetFloat", "ContainerGetFloat",
      "ContainerGetData",  "DataCustom",        "PrepareRenderData",
      "NoiseAlloc",        "NoiseInitFbm",      "ChildShaderInitRender",
      "ContainerGetData",  "DataCustom",        "DataFree"};
  EXPECT_EQ(expected, seen);
}

}  // namespace
}  // namespace verdanta
