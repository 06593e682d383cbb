#include "edge_gradient.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "handles.h"
#include "layer_shader.h"
#include "shader_render.h"
#include "test_plugin.h"

namespace standin {
namespace {

// A ray meeting a surface whose normal is +z at `degrees` from the normal.
HitContext HitAt(double degrees) {
  double radians = degrees * std::acos(-1.0) / 180.0;
  return {{0, 0, 0}, nullptr, {0, 0, 1}, {std::sin(radians), 0, -std::cos(radians)}};
}

ChannelSample SampleOf(const HitContext* hit) {
  ChannelSample sample{};
  sample.position = {0.25, 0.75, 0};
  sample.hit = hit;
  return sample;
}

double Grey(const Vector3& c) {
  return (c.x + c.y + c.z) / 3.0;
}

class EdgeGradientTest : public ::testing::Test {
 protected:
  std::unique_ptr<Node> edge = Node::Create(NODE_TYPE_EDGE_GRADIENT_SHADER);
  RenderSetup setup{};
};

TEST_F(EdgeGradientTest, InitStoresATwoKnotGradient) {
  const Value* stored = edge->settings.Find(EDGE_GRADIENT_PARAM_GRADIENT);
  ASSERT_NE(stored, nullptr);
  ASSERT_NE(stored->Get<Gradient>(), nullptr);
  EXPECT_EQ(stored->Get<Gradient>()->KnotCount(), 2);
}

TEST_F(EdgeGradientTest, TheRimTakesTheStartOfTheGradientAndAFaceOnHitItsEnd) {
  ASSERT_EQ(ShaderInitRender(*edge, setup), 0);
  struct Case {
    double degrees;
    double grey;  // the default gradient runs from white at 0 to black at 1
  };
  const Case cases[] = {{0, 0.0}, {90, 1.0}, {60, 0.5}, {180, 0.0}, {120, 0.5}};
  for (const Case& c : cases) {
    HitContext hit = HitAt(c.degrees);
    EXPECT_NEAR(Grey(ShaderSample(*edge, SampleOf(&hit))), c.grey, 1e-12) << c.degrees;
  }
  EXPECT_EQ(Grey(ShaderSample(*edge, SampleOf(nullptr))), 0.0);  // no hit: position 1
  ShaderFreeRender(*edge);
}

TEST_F(EdgeGradientTest, TheLookupFollowsTheGradientTheNodeHolds) {
  Gradient gradient;
  gradient.Insert({{1, 0, 0}, 1.0, 0.0, 0.5, 0, GRADIENT_INTERPOLATION_STEP});
  gradient.Insert({{0, 0, 1}, 1.0, 0.5, 0.5, 0, GRADIENT_INTERPOLATION_STEP});
  edge->settings.Set(EDGE_GRADIENT_PARAM_GRADIENT, gradient);
  ShaderInitRender(*edge, setup);
  HitContext grazing = HitAt(80), square = HitAt(10);
  EXPECT_EQ(ShaderSample(*edge, SampleOf(&grazing)).x, 1.0);
  EXPECT_EQ(ShaderSample(*edge, SampleOf(&square)).z, 1.0);
  ShaderFreeRender(*edge);
}

TEST_F(EdgeGradientTest, DegenerateHitsAndUnpreparedNodesStayFinite) {
  HitContext hit = HitAt(30);
  EXPECT_EQ(Grey(ShaderSample(*edge, SampleOf(&hit))), 0.0);  // not prepared: black
  ShaderInitRender(*edge, setup);
  hit.normal = {NAN, 0, 0};
  EXPECT_EQ(EdgePosition(SampleOf(&hit)), 1.0);
  hit.normal = {0, 0, 2};  // not unit: still within the gradient
  EXPECT_EQ(EdgePosition(SampleOf(&hit)), 1.0);
  ShaderFreeRender(*edge);
}

TEST_F(EdgeGradientTest, PreparationsAreCountedAndExtraReleasesAreHarmless) {
  ShaderInitRender(*edge, setup);
  ShaderInitRender(*edge, setup);
  EXPECT_EQ(edge->edgeRender.preparations, 2);
  ShaderFreeRender(*edge);
  EXPECT_NE(edge->edgeRender.data, nullptr);  // one preparation still stands
  ShaderFreeRender(*edge);
  EXPECT_EQ(edge->edgeRender.data, nullptr);
  ShaderFreeRender(*edge);
  EXPECT_EQ(edge->edgeRender.preparations, 0);
  EXPECT_EQ(edge->edgeRender.unbalancedReleases, 1);
}

TEST_F(EdgeGradientTest, ALayerShaderBlendsItsShaderLayersInOrder) {
  TestPlugin plugin;
  std::unique_ptr<Node> planet = Node::Create(TestPlugin::kType);  // answers (u, v, 0.5)
  std::unique_ptr<Node> layers = Node::Create(NODE_TYPE_LAYER_SHADER);
  AddLayer(*layers, LAYER_KIND_SHADER, 1.0, planet.get());
  AddLayer(*layers, LAYER_KIND_IMAGE);
  AddLayer(*layers, LAYER_KIND_SHADER, 0.25, edge.get());
  AddLayer(*layers, LAYER_KIND_SHADER, 1.0, nullptr);  // an empty shader layer adds nothing
  TestPlugin::Calls().clear();

  ASSERT_EQ(ShaderInitRender(*layers, setup), 0);
  EXPECT_EQ(TestPlugin::Calls(), (std::vector<std::string>{"InitRender"}));
  EXPECT_EQ(edge->edgeRender.preparations, 1);
  HitContext rim = HitAt(90);  // the edge gradient answers white
  Vector3 color = ShaderSample(*layers, SampleOf(&rim));
  EXPECT_DOUBLE_EQ(color.x, 0.25 * 0.75 + 0.25);
  EXPECT_DOUBLE_EQ(color.y, 0.75 * 0.75 + 0.25);
  EXPECT_DOUBLE_EQ(color.z, 0.5 * 0.75 + 0.25);

  ShaderFreeRender(*layers);
  EXPECT_EQ(TestPlugin::Calls().back(), "FreeRender");
  EXPECT_EQ(edge->edgeRender.preparations, 0);
}

TEST_F(EdgeGradientTest, LayerShadersThatLinkBackAreWalkedOnce) {
  std::unique_ptr<Node> outer = Node::Create(NODE_TYPE_LAYER_SHADER);
  std::unique_ptr<Node> inner = Node::Create(NODE_TYPE_LAYER_SHADER);
  AddLayer(*outer, LAYER_KIND_SHADER, 1.0, inner.get());
  AddLayer(*inner, LAYER_KIND_SHADER, 1.0, edge.get());
  AddLayer(*inner, LAYER_KIND_SHADER, 1.0, outer.get());
  AddLayer(*outer, LAYER_KIND_SHADER, 1.0, outer.get());

  EXPECT_EQ(ShaderInitRender(*outer, setup), 0);
  EXPECT_EQ(edge->edgeRender.preparations, 1);
  HitContext rim = HitAt(90);
  EXPECT_DOUBLE_EQ(Grey(ShaderSample(*outer, SampleOf(&rim))), 1.0);
  ShaderFreeRender(*outer);
  EXPECT_EQ(edge->edgeRender.preparations, 0);
  EXPECT_EQ(edge->edgeRender.unbalancedReleases, 0);
}

TEST_F(EdgeGradientTest, ChildShaderEntriesDriveTheSameRender) {
  const HostApplicationTable& host = SceneTable();
  EXPECT_EQ(host.ChildShaderInitRender(ToHost(edge.get()), &setup), 0);
  HitContext rim = HitAt(90);
  ChannelSample sample = SampleOf(&rim);
  EXPECT_DOUBLE_EQ(Grey(host.ChildShaderSample(ToHost(edge.get()), &sample)), 1.0);
  EXPECT_EQ(Grey(host.ChildShaderSample(nullptr, &sample)), 0.0);
  host.ChildShaderFreeRender(ToHost(edge.get()));
  EXPECT_EQ(edge->edgeRender.preparations, 0);
  EXPECT_EQ(host.ChildShaderInitRender(nullptr, &setup), 0);
}

TEST(SceneConcurrency, SamplesAndMatricesFromManyThreadsMatchOneThread) {
  const HostApplicationTable& host = SceneTable();
  std::unique_ptr<Node> edge = Node::Create(NODE_TYPE_EDGE_GRADIENT_SHADER);
  std::unique_ptr<Node> layers = Node::Create(NODE_TYPE_LAYER_SHADER);
  AddLayer(*layers, LAYER_KIND_SHADER, 0.75, edge.get());
  std::unique_ptr<Node> sphere = Node::Create(NODE_TYPE_SPHERE_OBJECT);
  sphere->globalMatrix.off = {1, 2, 3};
  RenderSetup setup{};
  host.ChildShaderInitRender(ToHost(layers.get()), &setup);

  constexpr int kSamples = 2000;
  auto sampleAll = [&](std::vector<double>& out) {
    for (int i = 0; i < kSamples; ++i) {
      HitContext hit = HitAt(180.0 * i / kSamples);
      hit.hitObject = ToHost(sphere.get());
      ChannelSample sample = SampleOf(&hit);
      Matrix34 matrix = host.ObjectMatrix(hit.hitObject);
      out[i] = Grey(host.ChildShaderSample(ToHost(layers.get()), &sample)) + matrix.off.z;
    }
  };
  std::vector<double> expected(kSamples);
  sampleAll(expected);
  std::vector<std::vector<double>> results(8, std::vector<double>(kSamples));
  std::vector<std::thread> threads;
  for (auto& result : results) threads.emplace_back(sampleAll, std::ref(result));
  for (auto& thread : threads) thread.join();
  for (const auto& result : results) EXPECT_EQ(result, expected);
  host.ChildShaderFreeRender(ToHost(layers.get()));
}

}  // namespace
}  // namespace standin
