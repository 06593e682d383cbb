#include "verdanta.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene_operations.h"
#include "test_host.h"
#include "test_shader.h"
#include "verdanta_ids.h"

namespace verdanta {
namespace {

using testhost::FakeHost;
using testhost::FakeNode;
using testhost::FakeValue;

class NodeLife : public ::testing::Test {
 protected:
  FakeNode* Child() { return testhost::AsFake(shader->childShader); }

  FakeHost fake;
  FakeNode* node = fake.NewNode(VERDANTA_PLUGIN_ID);
  testhost::ShaderPointer shader = testhost::NewShader();
};

void ExpectFloat(const testhost::FakeContainer& settings, int32_t id, double expected) {
  auto found = settings.find(id);
  ASSERT_NE(settings.end(), found) << id;
  EXPECT_EQ(DATA_TYPE_FLOAT, found->second.type) << id;
  EXPECT_EQ(expected, found->second.number) << id;
}

void ExpectInt32(const testhost::FakeContainer& settings, int32_t id, int32_t expected) {
  auto found = settings.find(id);
  ASSERT_NE(settings.end(), found) << id;
  EXPECT_EQ(DATA_TYPE_INT32, found->second.type) << id;
  EXPECT_EQ(expected, found->second.integer) << id;
}

void ExpectPlainDefaults(const testhost::FakeContainer& settings) {
  const struct {
    int32_t id;
    double value;
  } floats[] = {{VERDANTA_TERRAIN_SCALE, 0.5},      {VERDANTA_TERRAIN_ROUGHNESS, 0.3},
                {VERDANTA_TERRAIN_LACUNARITY, 0.5}, {VERDANTA_TERRAIN_DETAIL, 0.0},
                {VERDANTA_ICE_V0_SIZE, 0.1},        {VERDANTA_ICE_V0_AMOUNT, 0.2},
                {VERDANTA_ICE_V1_SIZE, 0.2},        {VERDANTA_ICE_V1_AMOUNT, 0.2},
                {VERDANTA_ICE_THRESHOLD, 0.35},     {VERDANTA_CHILD_STRENGTH, 0.75},
                {VERDANTA_CHILD_FALLOFF, 0.5},      {VERDANTA_CLOUD_COVERAGE, 0.0},
                {VERDANTA_CLOUD_INTENSITY, 0.25},   {VERDANTA_CLOUD_SCALE, 1.0}};
  for (const auto& expected : floats) ExpectFloat(settings, expected.id, expected.value);
  ExpectInt32(settings, VERDANTA_SEED, 123);
  ExpectInt32(settings, VERDANTA_CLOUD_NOISE, 20);
  const FakeValue& color = settings.at(VERDANTA_CHILD_COLOR);
  EXPECT_EQ(DATA_TYPE_VECTOR, color.type);
  EXPECT_EQ(0.8412, color.vector.x);
  EXPECT_EQ(0.898, color.vector.y);
  EXPECT_EQ(0.9272, color.vector.z);
}

TEST_F(NodeLife, InitStoresEveryDefault) {
  EXPECT_TRUE(shader->Init(testhost::AsHost(node)));
  EXPECT_EQ(19u, node->settings.size());
  ExpectPlainDefaults(node->settings);

  const FakeValue& gradient = node->settings.at(VERDANTA_TERRAIN_GRADIENT);
  ASSERT_EQ(DATA_TYPE_GRADIENT, gradient.type);
  EXPECT_EQ(0, gradient.gradient.mode);
  const double positions[] = {0.45, 0.49, 0.55, 0.58, 0.92, 1.0};
  ASSERT_EQ(6u, gradient.gradient.knots.size());
  for (size_t i = 0; i < 6; ++i) {
    const GradientKnot& knot = gradient.gradient.knots[i];
    EXPECT_EQ(positions[i], knot.position);
    EXPECT_EQ(1.0, knot.brightness);
    EXPECT_EQ(0.5, knot.bias);
    EXPECT_EQ(0, knot.index);
    EXPECT_EQ(GRADIENT_INTERPOLATION_SMOOTH, knot.interpolation);
  }
  EXPECT_EQ(0.17, gradient.gradient.knots[0].color.x);
  EXPECT_EQ(0.5121, gradient.gradient.knots[1].color.y);
  EXPECT_EQ(0.452, gradient.gradient.knots[2].color.z);
  EXPECT_EQ(gradient.gradient.knots[3].color.y, gradient.gradient.knots[4].color.y);
  EXPECT_EQ(1.0, gradient.gradient.knots[5].color.x);

  const FakeValue& spline = node->settings.at(VERDANTA_HEIGHT_SPLINE);
  ASSERT_EQ(DATA_TYPE_SPLINE, spline.type);
  ASSERT_EQ(2u, spline.spline.knots.size());
  const SplineKnot& start = spline.spline.knots[0];
  const SplineKnot& end = spline.spline.knots[1];
  EXPECT_EQ(0.0, start.position.x + start.position.y + start.position.z);
  EXPECT_EQ(0x3 | SPLINE_KNOT_TANGENTS_SET, start.flags) << "other bits stay";
  EXPECT_EQ(0.4, start.rightTangent.x);
  EXPECT_EQ(0.0, start.rightTangent.y);
  EXPECT_EQ(9.0, start.leftTangent.x) << "the other tangent stays as the reset made it";
  EXPECT_EQ(1.0, end.position.x);
  EXPECT_EQ(1.0, end.position.y);
  EXPECT_EQ(0x3 | SPLINE_KNOT_TANGENTS_SET, end.flags);
  EXPECT_EQ(-0.65, end.leftTangent.y);
  EXPECT_EQ(0.0, end.leftTangent.x);
  EXPECT_EQ(9.0, end.rightTangent.y);

  EXPECT_EQ(0, fake.liveValues) << "every scratch value is given back";
}

TEST_F(NodeLife, TheNewChildsGradientStartsBlack) {
  shader->Init(testhost::AsHost(node));
  ASSERT_NE(nullptr, Child());
  EXPECT_EQ(NODE_TYPE_EDGE_GRADIENT_SHADER, Child()->type);
  const auto& knots = Child()->settings.at(EDGE_GRADIENT_PARAM_GRADIENT).gradient.knots;
  ASSERT_EQ(3u, knots.size());
  EXPECT_EQ(0.0, knots[0].color.x + knots[0].color.y + knots[0].color.z);
  EXPECT_EQ(0.0, knots[0].position);
  EXPECT_EQ(0.0, knots[1].color.x + knots[1].color.y + knots[1].color.z);
  EXPECT_EQ(0.5, knots[1].position);
  EXPECT_EQ(0.75, knots[1].brightness) << "other fields stay";
  EXPECT_EQ(GRADIENT_INTERPOLATION_CUBIC, knots[1].interpolation);
  EXPECT_EQ(0.4, knots[2].color.z) << "further knots stay";
}

TEST_F(NodeLife, InitCallsTheHostInOrder) {
  shader->Init(testhost::AsHost(node));
  auto at = [&](const std::string& operation, size_t from = 0) {
    for (size_t i = from; i < fake.calls.size(); ++i) {
      if (fake.calls[i] == operation) return i;
    }
    ADD_FAILURE() << operation << " not called after " << from;
    return fake.calls.size();
  };
  const std::vector<std::string> gradientSteps = {"GradientAlloc",
                                                  "GradientSetData",
                                                  "InsertKnot",
                                                  "InsertKnot",
                                                  "InsertKnot",
                                                  "InsertKnot",
                                                  "InsertKnot",
                                                  "InsertKnot",
                                                  "DataAlloc",
                                                  "DataSetCustom",
                                                  "ContainerSetData",
                                                  "DataFree",
                                                  "GradientFree",
                                                  "DataAlloc",
                                                  "DataMakeCustom",
                                                  "DataCustom",
                                                  "SplineSetKnotCount",
                                                  "SplineKnotAt",
                                                  "SplineKnotAt",
                                                  "ContainerSetData",
                                                  "DataFree",
                                                  "ShaderNodeAlloc",
                                                  "DataAlloc",
                                                  "NodeParamGet",
                                                  "DataCustom",
                                                  "GetKnot",
                                                  "SetKnot",
                                                  "GetKnot",
                                                  "SetKnot",
                                                  "DataSetCustom",
                                                  "NodeParamSet",
                                                  "DataFree"};
  std::vector<std::string> seen;
  for (size_t i = at("GradientAlloc"); i < fake.calls.size(); ++i) {
    if (fake.calls[i] != "LibraryLookup" && fake.calls[i] != "InterfaceLookup") {
      seen.push_back(fake.calls[i]);
    }
  }
  EXPECT_EQ(gradientSteps, seen);
  EXPECT_LT(at("ContainerSetFloat"), at("GradientAlloc")) << "plain values come first";
}

TEST_F(NodeLife, ASecondInitKeepsTheChildAndResetsTheRenderCount) {
  shader->Init(testhost::AsHost(node));
  HostNode* child = shader->childShader;
  shader->childRenderCount = 3;
  shader->Init(testhost::AsHost(node));
  EXPECT_EQ(child, shader->childShader);
  EXPECT_EQ(1u, fake.CallCount("ShaderNodeAlloc"));
  EXPECT_EQ(0, shader->childRenderCount);
}

TEST_F(NodeLife, FreeReleasesTheChildOnceAndInitMakesANewOne) {
  shader->Init(testhost::AsHost(node));
  shader->Free(testhost::AsHost(node));
  EXPECT_EQ(nullptr, shader->childShader);
  EXPECT_EQ(0, shader->childCreated);
  shader->Free(testhost::AsHost(node));
  EXPECT_EQ(1u, fake.CallCount("NodeFree"));
  shader->Init(testhost::AsHost(node));
  EXPECT_NE(nullptr, shader->childShader);
  EXPECT_EQ(2u, fake.CallCount("ShaderNodeAlloc"));
}

TEST_F(NodeLife, WithoutAChildTypeInitStillStoresTheDefaultsAndTriesOnce) {
  fake.failNodeTypes = {NODE_TYPE_EDGE_GRADIENT_SHADER};
  EXPECT_TRUE(shader->Init(testhost::AsHost(node)));
  EXPECT_EQ(nullptr, shader->childShader);
  EXPECT_EQ(1, shader->childCreated);
  EXPECT_EQ(19u, node->settings.size());
  shader->Init(testhost::AsHost(node));
  EXPECT_EQ(1u, fake.CallCount("ShaderNodeAlloc"));
}

TEST_F(NodeLife, WithoutTheGradientServiceTheGradientIsNotStored) {
  fake.missingLibraries = {LIBRARY_GRADIENT};
  fake.Install();
  EXPECT_TRUE(shader->Init(testhost::AsHost(node)));
  EXPECT_EQ(0u, node->settings.count(VERDANTA_TERRAIN_GRADIENT));
  EXPECT_EQ(18u, node->settings.size());
  ExpectPlainDefaults(node->settings);
  EXPECT_EQ(0, fake.liveValues);
}

TEST_F(NodeLife, ASplineValueWithoutACurveIsNotStored) {
  fake.application.DataMakeCustom = nullptr;
  fake.Install();
  shader->Init(testhost::AsHost(node));
  EXPECT_EQ(0u, node->settings.count(VERDANTA_HEIGHT_SPLINE));
  EXPECT_EQ(1u, node->settings.count(VERDANTA_TERRAIN_GRADIENT));
}

TEST_F(NodeLife, MessagesOtherThanTheTwoButtonsChangeNothing) {
  testhost::PlacedShader placed = testhost::NewShaderInColourChannel(fake);
  HostNode* hostNode = testhost::AsHost(placed.node);
  CommandMessage otherButton = {host::OneLevelParamId(VERDANTA_SEED)};
  CommandMessage bump = {host::OneLevelParamId(VERDANTA_COPY_TO_BUMP)};
  fake.calls.clear();
  EXPECT_TRUE(placed.shader->Message(hostNode, NODE_MESSAGE_COMMAND, &otherButton));
  EXPECT_TRUE(placed.shader->Message(hostNode, NODE_MESSAGE_COMMAND, nullptr));
  EXPECT_TRUE(placed.shader->Message(hostNode, 17, &bump));
  EXPECT_TRUE(fake.calls.empty());
  EXPECT_TRUE(placed.shader->Message(hostNode, NODE_MESSAGE_COMMAND, &bump));
  EXPECT_EQ(1u, placed.material->settings.count(MATERIAL_LINK_BUMP));
}

}  // namespace
}  // namespace verdanta
