// What Init and Free of a Verdanta node leave in the scene, seen through the host.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "application_table.h"
#include "handles.h"
#include "host.h"
#include "host_test_support.h"
#include "node.h"
#include "node_callbacks.h"
#include "render_test_support.h"

namespace standin {
namespace {

constexpr int32_t kShaderType = 1064031;
constexpr int32_t kGradientId = 5000;
constexpr int32_t kSplineId = 5006;
constexpr int32_t kChildGradientId = EDGE_GRADIENT_PARAM_GRADIENT;

struct PlainDefault {
  int32_t id;
  Value value;
};

const std::vector<PlainDefault>& PlainDefaults() {
  static const std::vector<PlainDefault> defaults = {
      {5001, 0.5},                             // terrain scale
      {5002, 0.3},                             // roughness
      {5003, 0.5},                             // lacunarity
      {5004, 0.0},                             // detail
      {5005, int32_t{123}},                    // seed
      {5101, Vector3{0.8412, 0.898, 0.9272}},  // child colour
      {5102, 0.75},                            // child strength
      {5103, 0.5},                             // child falloff
      {5104, int32_t{20}},                     // cloud noise
      {5105, 0.0},                             // cloud coverage
      {5106, 0.25},                            // cloud intensity
      {5107, 1.0},                             // cloud scale
      {5301, 0.1},                             // ice at v = 0: size
      {5302, 0.2},                             // amount
      {5303, 0.2},                             // ice at v = 1: size
      {5304, 0.2},                             // amount
      {5305, 0.35},                            // ice threshold
  };
  return defaults;
}

void ExpectPlainDefaults(const Node& node) {
  for (const PlainDefault& expected : PlainDefaults()) {
    const Value* stored = node.settings.Find(expected.id);
    ASSERT_NE(stored, nullptr) << expected.id;
    EXPECT_TRUE(*stored == expected.value) << expected.id;
  }
}

class NodeDefaults : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    MadeChildren().clear();
  }

  // Loads the module with the controls set so far; the host then records the children made.
  void LoadModule() {
    host.Load(VerdantaPlugins());
    host.ApplicationTable().ShaderNodeAlloc = RecordingShaderNodeAlloc;
  }

  std::unique_ptr<Node> NewShader() {
    std::unique_ptr<Node> node = Node::Create(kShaderType);
    EXPECT_NE(node, nullptr);
    return node;
  }

  Host host;
};

TEST_F(NodeDefaults, InitStoresEveryDefault) {
  LoadModule();
  std::unique_ptr<Node> node = NewShader();
  ASSERT_NE(node, nullptr);
  ExpectPlainDefaults(*node);
  ASSERT_NE(node->settings.Find(kGradientId), nullptr);
  EXPECT_NE(node->settings.Find(kGradientId)->Get<Gradient>(), nullptr);
  ASSERT_NE(node->settings.Find(kSplineId), nullptr);
  EXPECT_NE(node->settings.Find(kSplineId)->Get<SplineCurve>(), nullptr);
  EXPECT_EQ(node->settings.Entries().size(), PlainDefaults().size() + 2);
}

TEST_F(NodeDefaults, TerrainGradientHasSixKnotsInOrder) {
  LoadModule();
  std::unique_ptr<Node> node = NewShader();
  ASSERT_NE(node, nullptr);
  const Gradient* gradient = node->settings.Find(kGradientId)->Get<Gradient>();
  ASSERT_NE(gradient, nullptr);
  EXPECT_EQ(gradient->mode, 0);
  struct Knot {
    Vector3 color;
    double position;
  };
  const std::vector<Knot> expected = {
      {{0.17, 0.346, 0.5}, 0.45},   {{0.2516, 0.5121, 0.74}, 0.49}, {{0.665, 0.605, 0.452}, 0.55},
      {{0.26, 0.557, 0.217}, 0.58}, {{0.26, 0.557, 0.217}, 0.92},   {{1.0, 1.0, 1.0}, 1.0},
  };
  ASSERT_EQ(gradient->knots.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    const GradientKnot& knot = gradient->knots[i];
    EXPECT_EQ(knot.color.x, expected[i].color.x) << i;
    EXPECT_EQ(knot.color.y, expected[i].color.y) << i;
    EXPECT_EQ(knot.color.z, expected[i].color.z) << i;
    EXPECT_EQ(knot.position, expected[i].position) << i;
    EXPECT_EQ(knot.brightness, 1.0) << i;
    EXPECT_EQ(knot.bias, 0.5) << i;
    EXPECT_EQ(knot.index, 0) << i;
    EXPECT_EQ(knot.interpolation, GRADIENT_INTERPOLATION_SMOOTH) << i;
  }
}

TEST_F(NodeDefaults, HeightSplineLeavesFlatAndArrivesFromBelow) {
  LoadModule();
  std::unique_ptr<Node> node = NewShader();
  ASSERT_NE(node, nullptr);
  const SplineCurve* curve = node->settings.Find(kSplineId)->Get<SplineCurve>();
  ASSERT_NE(curve, nullptr);
  ASSERT_EQ(curve->knots.size(), 2u);
  SplineCurve reset;
  reset.SetKnotCount(2);
  const SplineKnot& first = curve->knots[0];
  const SplineKnot& last = curve->knots[1];
  EXPECT_EQ(first.flags, reset.knots[0].flags | SPLINE_KNOT_TANGENTS_SET);
  EXPECT_EQ(last.flags, reset.knots[1].flags | SPLINE_KNOT_TANGENTS_SET);
  EXPECT_TRUE((first.position.x == 0 && first.position.y == 0 && first.position.z == 0));
  EXPECT_TRUE((last.position.x == 1 && last.position.y == 1 && last.position.z == 0));
  EXPECT_TRUE(
      (first.rightTangent.x == 0.4 && first.rightTangent.y == 0 && first.rightTangent.z == 0));
  EXPECT_TRUE((last.leftTangent.x == 0 && last.leftTangent.y == -0.65 && last.leftTangent.z == 0));
  // Fields the module does not set keep what the reset gave them.
  const Vector3& firstLeft = reset.knots[0].leftTangent;
  const Vector3& lastRight = reset.knots[1].rightTangent;
  EXPECT_TRUE((first.leftTangent.x == firstLeft.x && first.leftTangent.y == firstLeft.y &&
               first.leftTangent.z == firstLeft.z));
  EXPECT_TRUE((last.rightTangent.x == lastRight.x && last.rightTangent.y == lastRight.y &&
               last.rightTangent.z == lastRight.z));
}

TEST_F(NodeDefaults, ChildGradientIsBlackAtBothKnotsOnANewNode) {
  LoadModule();
  std::unique_ptr<Node> node = NewShader();
  ASSERT_NE(node, nullptr);
  ASSERT_EQ(MadeChildren().size(), 1u);
  Node* child = MadeChildren().front();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->type, NODE_TYPE_EDGE_GRADIENT_SHADER);
  const Gradient* gradient = child->settings.Find(kChildGradientId)->Get<Gradient>();
  ASSERT_NE(gradient, nullptr);

  std::unique_ptr<Node> untouched = Node::Create(NODE_TYPE_EDGE_GRADIENT_SHADER);
  const Gradient* original = untouched->settings.Find(kChildGradientId)->Get<Gradient>();
  ASSERT_NE(original, nullptr);
  ASSERT_EQ(gradient->knots.size(), original->knots.size());
  ASSERT_GE(gradient->knots.size(), 2u);
  const double positions[] = {0.0, 0.5};
  for (size_t i = 0; i < gradient->knots.size(); ++i) {
    const GradientKnot& knot = gradient->knots[i];
    const GradientKnot& before = original->knots[i];
    if (i < 2) {
      EXPECT_TRUE((knot.color.x == 0 && knot.color.y == 0 && knot.color.z == 0)) << i;
      EXPECT_EQ(knot.position, positions[i]) << i;
    } else {
      EXPECT_EQ(knot.position, before.position) << i;
    }
    EXPECT_EQ(knot.brightness, before.brightness) << i;
    EXPECT_EQ(knot.bias, before.bias) << i;
    EXPECT_EQ(knot.interpolation, before.interpolation) << i;
    EXPECT_EQ(knot.index, before.index) << i;
  }
  EXPECT_EQ(gradient->mode, original->mode);
}

TEST_F(NodeDefaults, InitAgainRestoresDefaultsAndKeepsTheOneChild) {
  LoadModule();
  std::unique_ptr<Node> node = NewShader();
  ASSERT_NE(node, nullptr);
  const int64_t nodes = LiveNodeCount();
  node->settings.Set(5005, Value(int32_t{7}));
  node->settings.Set(5001, Value(9.0));
  EXPECT_TRUE(CallInit(*node));
  ExpectPlainDefaults(*node);
  EXPECT_EQ(MadeChildren().size(), 1u);
  EXPECT_EQ(LiveNodeCount(), nodes);
}

TEST_F(NodeDefaults, FreeReleasesTheChildOnceAndInitMakesANewOne) {
  LoadModule();
  std::unique_ptr<Node> node = NewShader();
  ASSERT_NE(node, nullptr);
  const int64_t nodes = LiveNodeCount();
  TraceStart();
  CallFree(*node);
  CallFree(*node);
  EXPECT_EQ(CountOf(TraceTake(), "NodeFree"), 1);
  EXPECT_EQ(LiveNodeCount(), nodes - 1);

  EXPECT_TRUE(CallInit(*node));
  ASSERT_EQ(MadeChildren().size(), 2u);
  EXPECT_NE(MadeChildren()[1], nullptr);
  EXPECT_EQ(LiveNodeCount(), nodes);
}

TEST_F(NodeDefaults, AHostThatCannotMakeTheChildStillGetsEveryDefault) {
  Controls().failNodeTypes = {NODE_TYPE_EDGE_GRADIENT_SHADER};
  LoadModule();
  std::unique_ptr<Node> node = NewShader();
  ASSERT_NE(node, nullptr);
  ExpectPlainDefaults(*node);
  EXPECT_NE(node->settings.Find(kGradientId), nullptr);
  EXPECT_NE(node->settings.Find(kSplineId), nullptr);
  EXPECT_EQ(MadeChildren(), std::vector<Node*>{nullptr});

  // The attempt counts: a later Init does not try again until Free.
  TraceStart();
  EXPECT_TRUE(CallInit(*node));
  EXPECT_EQ(CountOf(TraceTake(), "ShaderNodeAlloc"), 0);
  CallFree(*node);
  EXPECT_TRUE(CallInit(*node));
  EXPECT_EQ(CountOf(TraceTake(), "ShaderNodeAlloc"), 1);
}

TEST_F(NodeDefaults, AValueTheHostCannotMakeIsLeftOutAndTheRestStored) {
  struct Case {
    std::string what;
    void (*take)(HostControls&);
    int32_t missingId;
  };
  const std::vector<Case> cases = {
      {"no gradient library", [](HostControls& c) { c.missingLibraries = {LIBRARY_GRADIENT}; },
       kGradientId},
      {"no gradient made", [](HostControls& c) { c.missingEntries = {"GradientAlloc"}; },
       kGradientId},
      {"spline value without a curve",
       [](HostControls& c) { c.missingEntries = {"DataMakeCustom"}; }, kSplineId},
  };
  for (const Case& c : cases) {
    host.Unload();
    ResetControls();
    c.take(Controls());
    LoadModule();
    std::unique_ptr<Node> node = NewShader();
    ASSERT_NE(node, nullptr) << c.what;
    ExpectPlainDefaults(*node);
    EXPECT_EQ(node->settings.Find(c.missingId), nullptr) << c.what;
    int32_t otherId = c.missingId == kGradientId ? kSplineId : kGradientId;
    EXPECT_NE(node->settings.Find(otherId), nullptr) << c.what;
    EXPECT_NE(MadeChildren().back(), nullptr) << c.what;
  }
}

TEST_F(NodeDefaults, InitAsksTheHostInOrder) {
  LoadModule();
  TraceStart();
  std::unique_ptr<Node> node = NewShader();
  ASSERT_NE(node, nullptr);
  std::vector<TraceEntry> trace = TraceTake();
  // The node's object comes first, from the allocator the module registered; Init follows.
  ASSERT_FALSE(trace.empty());
  EXPECT_EQ(trace.front().operation, "MemoryAlloc");
  trace.erase(trace.begin());
  // Where the module makes its empty values and finds its libraries is its own business;
  // what it does with them is the order under test.
  trace.erase(std::remove_if(trace.begin(), trace.end(),
                             [](const TraceEntry& entry) {
                               return entry.operation == "DataAlloc" ||
                                      entry.operation == "LibraryLookup" ||
                                      entry.operation == "InterfaceLookup";
                             }),
              trace.end());
  std::vector<std::string> expected = {
      "NodeContainer: handle",
      "ContainerSetFloat: handle, 5001, 0.5",
      "ContainerSetFloat: handle, 5002, 0.29999999999999999",
      "ContainerSetFloat: handle, 5003, 0.5",
      "ContainerSetFloat: handle, 5004, 0",
      "ContainerSetInt32: handle, 5005, 123",
      "ContainerSetFloat: handle, 5301, 0.10000000000000001",
      "ContainerSetFloat: handle, 5302, 0.20000000000000001",
      "ContainerSetFloat: handle, 5303, 0.20000000000000001",
      "ContainerSetFloat: handle, 5304, 0.20000000000000001",
      "ContainerSetFloat: handle, 5305, 0.34999999999999998",
      "ContainerSetVector: handle, 5101, (0.84119999999999995, 0.89800000000000002, "
      "0.92720000000000002)",
      "ContainerSetFloat: handle, 5102, 0.75",
      "ContainerSetFloat: handle, 5103, 0.5",
      "ContainerSetInt32: handle, 5104, 20",
      "ContainerSetFloat: handle, 5105, 0",
      "ContainerSetFloat: handle, 5106, 0.25",
      "ContainerSetFloat: handle, 5107, 1",
      "GradientAlloc: ",
      "GradientSetData: handle, 1002, 0",
      "InsertKnot: handle, 0.45000000000000001",
      "InsertKnot: handle, 0.48999999999999999",
      "InsertKnot: handle, 0.55000000000000004",
      "InsertKnot: handle, 0.57999999999999996",
      "InsertKnot: handle, 0.92000000000000004",
      "InsertKnot: handle, 1",
      "DataSetCustom: handle, 1000481, handle",
      "ContainerSetData: handle, 5000, handle",
      "DataFree: handle",
      "GradientFree: handle",
      "DataMakeCustom: handle, 1009060",
      "DataCustom: handle, 1009060",
      "SplineSetKnotCount: handle, 2",
      "SplineKnotAt: handle, 0",
      "SplineKnotAt: handle, 1",
      "ContainerSetData: handle, 5006, handle",
      "DataFree: handle",
      "ShaderNodeAlloc: 1011103",
      "NodeParamGet: handle, 1003, 0",
      "DataCustom: handle, 1000481",
      "GetKnot: handle, 0",
      "SetKnot: handle, 0",
      "GetKnot: handle, 1",
      "SetKnot: handle, 1",
      "DataSetCustom: handle, 1000481, handle",
      "NodeParamSet: handle, 1003, 0",
      "DataFree: handle",
  };
  std::vector<std::string> actual;
  for (const TraceEntry& entry : trace) actual.push_back(entry.operation + ": " + entry.arguments);
  EXPECT_EQ(actual, expected);
}

}  // namespace
}  // namespace standin
