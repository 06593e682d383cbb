#include "descriptions.h"

#include <gtest/gtest.h>

#include "handles.h"
#include "panel.h"
#include "scene_services.h"
#include "test_plugin.h"

namespace standin {
namespace {

class DescriptionTest : public ::testing::Test {
 protected:
  TestPlugin plugin;
  const DescriptionLibrary& library = DescriptionLibraryTable();
  const HostApplicationTable& host = SceneTable();
};

TEST_F(DescriptionTest, RegistrationNeedsResourcesThatHoldTheDescription) {
  auto* resources = reinterpret_cast<HostResource*>(plugin.resources.get());
  EXPECT_TRUE(library.DescriptionRegister(700, "XTest", resources));
  EXPECT_FALSE(library.DescriptionRegister(701, "XMissing", resources));
  EXPECT_FALSE(library.DescriptionRegister(702, "XTest", nullptr));
  EXPECT_FALSE(library.DescriptionRegister(703, nullptr, resources));

  DescriptionRequest request;
  EXPECT_TRUE(library.DescriptionLoad(ToHost(&request), 700));
  EXPECT_FALSE(library.DescriptionLoad(ToHost(&request), 701));
  EXPECT_FALSE(library.DescriptionLoad(ToHost(&request), 702));
  EXPECT_FALSE(library.DescriptionLoad(nullptr, 700));
}

TEST_F(DescriptionTest, TheRegisteredCopyOutlivesItsResourceFolder) {
  plugin.resources.reset();
  DescriptionRequest request;
  ASSERT_TRUE(request.Load(TestPlugin::kType));
  EXPECT_EQ(request.Description()->FindParameter(TestPlugin::kSeed)->label, "Seed");
}

TEST_F(DescriptionTest, EntriesHoldPropertiesForEveryGroupAndParameter) {
  DescriptionRequest request;
  ParamId spline = OneLevelParamId(TestPlugin::kSpline);
  EXPECT_EQ(library.DescriptionEntry(ToHost(&request), &spline), nullptr);  // not loaded
  ASSERT_TRUE(library.DescriptionLoad(ToHost(&request), TestPlugin::kType));
  HostContainer* entry = library.DescriptionEntry(ToHost(&request), &spline);
  ASSERT_NE(entry, nullptr);
  host.ContainerSetBool(entry, DESCRIPTION_PROPERTY_HIDE, true);
  EXPECT_TRUE(request.Entry(TestPlugin::kSpline)->GetBool(DESCRIPTION_PROPERTY_HIDE, false));
  ParamId group = OneLevelParamId(1000);
  ParamId absent = OneLevelParamId(4242);
  EXPECT_NE(library.DescriptionEntry(ToHost(&request), &group), nullptr);
  EXPECT_EQ(library.DescriptionEntry(ToHost(&request), &absent), nullptr);
  EXPECT_EQ(library.DescriptionFilter(ToHost(&request)), nullptr);
}

TEST_F(DescriptionTest, ParamIdWithinComparesFirstLevels) {
  ParamId color = OneLevelParamId(TestPlugin::kColor, DATA_TYPE_COLOR);
  ParamId colorRed{2, {{TestPlugin::kColor, DATA_TYPE_COLOR, 0}, {1000, DATA_TYPE_FLOAT, 0}}};
  ParamId seed = OneLevelParamId(TestPlugin::kSeed);
  ParamId none{};
  EXPECT_TRUE(library.ParamIdWithin(&color, &color));
  EXPECT_TRUE(library.ParamIdWithin(&colorRed, &color));
  EXPECT_FALSE(library.ParamIdWithin(&seed, &color));
  EXPECT_FALSE(library.ParamIdWithin(&none, &none));
  EXPECT_FALSE(library.ParamIdWithin(&color, nullptr));
}

TEST_F(DescriptionTest, ThePanelShowsLabelsValuesAndWhatTheNodeHidesAndDisables) {
  std::unique_ptr<Node> node = Node::Create(TestPlugin::kType);
  std::vector<PanelEntry> panel = BuildPanel(*node);
  ASSERT_EQ(panel.size(), 6u);
  struct Expected {
    int32_t id;
    const char* label;
    bool hidden;
    bool enabled;
  };
  const Expected expected[] = {
      {TestPlugin::kScale, "Scale", false, true},  {TestPlugin::kSeed, "Seed", false, true},
      {TestPlugin::kColor, "Colour", false, true}, {TestPlugin::kGradient, "Gradient", false, true},
      {TestPlugin::kSpline, "Height", true, true}, {TestPlugin::kCopy, "Copy", false, false},
  };
  for (size_t i = 0; i < panel.size(); ++i) {
    EXPECT_EQ(panel[i].id, expected[i].id);
    EXPECT_EQ(panel[i].label, expected[i].label);
    EXPECT_EQ(panel[i].hidden, expected[i].hidden) << panel[i].name;
    EXPECT_EQ(panel[i].enabled, expected[i].enabled) << panel[i].name;
  }
  EXPECT_EQ(panel[1].value, Value(int32_t{123}));
  EXPECT_EQ(panel[1].valueType, DATA_TYPE_INT32);
  EXPECT_TRUE(panel[5].value.IsNone());
}

TEST_F(DescriptionTest, AFilteredPanelChangesOnlyTheEntryAskedFor) {
  std::unique_ptr<Node> node = Node::Create(TestPlugin::kType);
  ParamId color = OneLevelParamId(TestPlugin::kColor);
  for (const PanelEntry& entry : BuildPanel(*node, &color)) {
    EXPECT_FALSE(entry.hidden) << entry.name;  // the spline's hide was not asked for
  }
  ParamId spline = OneLevelParamId(TestPlugin::kSpline);
  int hidden = 0;
  for (const PanelEntry& entry : BuildPanel(*node, &spline)) hidden += entry.hidden;
  EXPECT_EQ(hidden, 1);
}

TEST_F(DescriptionTest, ANodeWithoutItsOwnBuildDescriptionGetsTheRegisteredOne) {
  auto* resources = reinterpret_cast<HostResource*>(plugin.resources.get());
  ASSERT_TRUE(library.DescriptionRegister(NODE_TYPE_LAYER_SHADER, "XTest", resources));
  std::unique_ptr<Node> node = Node::Create(NODE_TYPE_LAYER_SHADER);
  std::vector<PanelEntry> panel = BuildPanel(*node);
  ASSERT_EQ(panel.size(), 6u);
  for (const PanelEntry& entry : panel) EXPECT_TRUE(entry.enabled && !entry.hidden);
  std::unique_ptr<Node> edge = Node::Create(NODE_TYPE_EDGE_GRADIENT_SHADER);
  EXPECT_TRUE(BuildPanel(*edge).empty());  // no description registered
}

}  // namespace
}  // namespace standin
