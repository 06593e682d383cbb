// The panel of a loaded Verdanta node: what it hides and disables depends on where the node
// sits in its material, and is worked out anew at every request.
#include "panel.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "call_trace.h"
#include "descriptions.h"
#include "editing_test_support.h"
#include "handles.h"

namespace standin {
namespace {

constexpr int32_t kHeightSpline = 5006;

using Shown = std::pair<bool, bool>;  // hidden, enabled

// A shader in the bump or displacement channel answers a height: its colour parameters go
// and the height spline comes; its buttons would copy it onto itself.
std::map<int32_t, Shown> ExpectedPanel(bool placed) {
  std::map<int32_t, Shown> panel;
  for (int32_t id : {5001, 5002, 5003, 5004, 5005, 5301, 5302, 5303, 5304, 5305}) {
    panel[id] = {false, true};
  }
  panel[5101] = {placed, true};
  for (int32_t id : {5000, 5102, 5103, 5104, 5105, 5106, 5107}) panel[id] = {placed, !placed};
  panel[kHeightSpline] = {!placed, placed};
  panel[kCopyToDisplacement] = panel[kCopyToBump] = {false, !placed};
  return panel;
}

std::map<int32_t, Shown> PanelOf(Node& node, const ParamId* filter = nullptr) {
  std::map<int32_t, Shown> panel;
  for (const PanelEntry& entry : BuildPanel(node, filter)) {
    panel[entry.id] = {entry.hidden, entry.enabled};
  }
  return panel;
}

class Panel : public EditingTest {
 protected:
  void Unplace() {
    for (int32_t channel :
         {MATERIAL_CHANNEL_COLOR, MATERIAL_CHANNEL_BUMP, MATERIAL_CHANNEL_DISPLACEMENT}) {
      LinkChannel(*material, channel, nullptr);
    }
  }
};

TEST_F(Panel, WhereTheNodeSitsDecidesWhatThePanelShows) {
  Node& node = NewShader();
  struct Case {
    const char* where;
    int32_t channel;
    bool placed;
  };
  const Case cases[] = {{"colour", MATERIAL_CHANNEL_COLOR, false},
                        {"bump", MATERIAL_CHANNEL_BUMP, true},
                        {"displacement", MATERIAL_CHANNEL_DISPLACEMENT, true},
                        {"colour again", MATERIAL_CHANNEL_COLOR, false}};
  for (const Case& c : cases) {
    Unplace();
    Place(c.channel, node);
    EXPECT_EQ(PanelOf(node), ExpectedPanel(c.placed)) << c.where;
  }
}

TEST_F(Panel, InALayerShaderOnlyTheFirstShaderOfThisTypeCounts) {
  Node& first = NewShader();
  Node& second = NewShader();
  Node& rim = NewShader(NODE_TYPE_EDGE_GRADIENT_SHADER);
  Node& layers = NewLayerShader({nullptr, &rim});
  AddLayer(layers, LAYER_KIND_SHADER);  // links nothing
  // Only shader layers link shaders: a folder that names one anyway is passed over.
  AddLayer(layers, LAYER_KIND_FOLDER)->parameters.Set(LAYER_PARAM_SHADER_LINK, Link(&second));
  AddLayer(layers, LAYER_KIND_ADJUSTMENT);
  AddLayer(layers, LAYER_KIND_SHADER, 1.0, &first);
  AddLayer(layers, LAYER_KIND_SHADER, 1.0, &second);
  Place(MATERIAL_CHANNEL_DISPLACEMENT, layers);

  EXPECT_EQ(PanelOf(first), ExpectedPanel(true));
  EXPECT_EQ(PanelOf(second), ExpectedPanel(false));
}

TEST_F(Panel, NestedLayerShadersAreSearchedWhereTheyStand) {
  Node& deep = NewShader();
  Node& later = NewShader();
  Node& rim = NewShader(NODE_TYPE_EDGE_GRADIENT_SHADER);
  Node& inner = NewLayerShader({&rim, nullptr, &deep});
  Node& outer = NewLayerShader({nullptr, &inner, &later});
  Place(MATERIAL_CHANNEL_BUMP, outer);

  EXPECT_EQ(PanelOf(deep), ExpectedPanel(true));
  EXPECT_EQ(PanelOf(later), ExpectedPanel(false));
}

TEST_F(Panel, ALayerShaderLinkingBackIntoTheSearchIsPassedOver) {
  Node& node = NewShader();
  Place(MATERIAL_CHANNEL_COLOR, node);
  Node& self = NewLayerShader({});
  AddLayer(self, LAYER_KIND_SHADER, 1.0, &self);
  Place(MATERIAL_CHANNEL_BUMP, self);
  EXPECT_EQ(PanelOf(node), ExpectedPanel(false)) << "a cycle of one, nothing behind it";

  AddLayer(self, LAYER_KIND_SHADER, 1.0, &node);
  EXPECT_EQ(PanelOf(node), ExpectedPanel(true)) << "a cycle of one, the node behind it";

  Unplace();
  Node& a = NewLayerShader({});
  Node& b = NewLayerShader({&a});
  AddLayer(a, LAYER_KIND_SHADER, 1.0, &b);
  AddLayer(a, LAYER_KIND_SHADER, 1.0, &node);
  Place(MATERIAL_CHANNEL_DISPLACEMENT, a);
  EXPECT_EQ(PanelOf(node), ExpectedPanel(true)) << "a cycle of two, the node behind it";
}

TEST_F(Panel, OnlyAStandardMaterialOwnerPlacesTheNode) {
  // Linked in the bump channel, but held by a layer shader: the owner is what counts.
  Node& holder = NewShader(NODE_TYPE_LAYER_SHADER);
  holder.shaders.push_back(Node::Create(kVerdantaType));
  Node& node = *holder.shaders.back();
  node.owner = &holder;
  node.document = document;
  Place(MATERIAL_CHANNEL_BUMP, node);
  EXPECT_EQ(PanelOf(node), ExpectedPanel(false));

  ASSERT_TRUE(InsertShader(*material, node, nullptr));
  EXPECT_EQ(PanelOf(node), ExpectedPanel(true)) << "once the material owns it";

  Node& loose = document->AddFreeNode(Node::Create(kVerdantaType));
  EXPECT_EQ(PanelOf(loose), ExpectedPanel(false)) << "no owner at all";
}

TEST_F(Panel, ASingleEntryFilterChangesOnlyThatEntry) {
  Node& node = NewShader();
  const ParamId filter = OneLevelParamId(kHeightSpline);
  for (bool placed : {false, true}) {
    Unplace();
    Place(placed ? MATERIAL_CHANNEL_BUMP : MATERIAL_CHANNEL_COLOR, node);
    std::map<int32_t, Shown> expected = ExpectedPanel(placed);
    for (auto& [id, shown] : expected) {
      if (id != kHeightSpline) shown.first = false;  // untouched entries start shown
    }
    TraceStart();
    EXPECT_EQ(PanelOf(node, &filter), expected) << "placed " << placed;
    const std::vector<TraceEntry> trace = TraceTake();
    TraceStop();
    EXPECT_EQ(CountOf(trace, "ContainerSetBool"), 1) << "placed " << placed;
    for (const TraceEntry& entry : trace) {
      if (entry.operation == "DescriptionEntry") {
        EXPECT_EQ(entry.arguments, "handle, 5006");
      }
    }
  }
}

TEST_F(Panel, ADescriptionThatWillNotLoadLeavesTheFlagsAlone) {
  Node& node = NewShader();
  int32_t flags = 0x10;
  DescriptionRequest loaded;
  EXPECT_FALSE(CallBuildDescription(node, ToHost(&loaded), &flags)) << "false even when loaded";
  EXPECT_EQ(flags, 0x10 | DESCRIPTION_FLAG_LOADED);

  ClearDescriptions();
  flags = 0x10;
  DescriptionRequest refused;
  TraceStart();
  EXPECT_FALSE(CallBuildDescription(node, ToHost(&refused), &flags));
  const std::vector<TraceEntry> trace = TraceTake();
  EXPECT_EQ(flags, 0x10);
  EXPECT_EQ(refused.Description(), nullptr);
  EXPECT_EQ(CountOf(trace, "DescriptionEntry"), 0);
  EXPECT_EQ(CountOf(trace, "ContainerSetBool"), 0);
  EXPECT_TRUE(BuildPanel(node).empty());
}

}  // namespace
}  // namespace standin
