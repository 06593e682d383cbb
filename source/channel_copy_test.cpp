#include "channel_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_host.h"
#include "test_shader.h"
#include "verdanta_ids.h"

namespace verdanta {
namespace {

using testhost::AsHost;
using testhost::FakeNode;

const char kNotice[] =
    "There is another shader already present in the destination channel, which will not be "
    "deleted. (48)";

class ChannelCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    placed.node->settings[VERDANTA_SEED] = testhost::Int32Value(77);
    placed.node->settings[VERDANTA_TERRAIN_SCALE] = testhost::FloatValue(2.5);
    fake.calls.clear();
  }

  bool Copy(int32_t channel) { return CopyToChannel(AsHost(placed.node), channel); }

  FakeNode* Linked(int32_t link) {
    auto found = placed.material->settings.find(link);
    return found == placed.material->settings.end() ? nullptr : found->second.link;
  }

  void ExpectAnnounced(size_t times) {
    EXPECT_EQ(times, fake.CallCount("NodeMessage 5"));
    EXPECT_EQ(times, fake.CallCount("MaterialRefresh"));
    EXPECT_EQ(times, fake.CallCount("ChangeNotify"));
  }

  testhost::FakeHost fake;
  testhost::PlacedShader placed = testhost::NewShaderInColourChannel(fake);
};

TEST_F(ChannelCopy, AnEmptyChannelGetsALinkedCopy) {
  EXPECT_TRUE(Copy(MATERIAL_CHANNEL_BUMP));
  FakeNode* copy = Linked(MATERIAL_LINK_BUMP);
  ASSERT_NE(nullptr, copy);
  EXPECT_NE(placed.node, copy);
  EXPECT_EQ(77, copy->settings.at(VERDANTA_SEED).integer);
  EXPECT_EQ(placed.material, copy->owner);
  EXPECT_EQ(copy, placed.material->shaders.back());
  EXPECT_EQ(placed.node, Linked(MATERIAL_LINK_COLOR)) << "the node stays where it was";
  EXPECT_EQ(nullptr, Linked(MATERIAL_LINK_DISPLACEMENT));
  EXPECT_TRUE(fake.notices.empty());
  ExpectAnnounced(1);

  EXPECT_TRUE(Copy(MATERIAL_CHANNEL_DISPLACEMENT));
  EXPECT_NE(nullptr, Linked(MATERIAL_LINK_DISPLACEMENT));
}

TEST_F(ChannelCopy, ASecondPressCopiesOnlyTheTerrain) {
  Copy(MATERIAL_CHANNEL_BUMP);
  FakeNode* copy = Linked(MATERIAL_LINK_BUMP);
  copy->settings[VERDANTA_HEIGHT_SPLINE].spline.knots.clear();
  copy->settings[VERDANTA_ICE_THRESHOLD] = testhost::FloatValue(0.9);
  placed.node->settings[VERDANTA_SEED] = testhost::Int32Value(5);
  placed.node->settings[VERDANTA_TERRAIN_DETAIL] = testhost::FloatValue(0.4);
  placed.node->settings[VERDANTA_TERRAIN_GRADIENT] = testhost::GradientValue({});
  placed.node->settings[VERDANTA_ICE_THRESHOLD] = testhost::FloatValue(0.1);
  const size_t shaders = placed.material->shaders.size();

  EXPECT_TRUE(Copy(MATERIAL_CHANNEL_BUMP));
  EXPECT_EQ(copy, Linked(MATERIAL_LINK_BUMP));
  EXPECT_EQ(shaders, placed.material->shaders.size());
  EXPECT_EQ(5, copy->settings.at(VERDANTA_SEED).integer);
  EXPECT_EQ(0.4, copy->settings.at(VERDANTA_TERRAIN_DETAIL).number);
  EXPECT_TRUE(copy->settings.at(VERDANTA_TERRAIN_GRADIENT).gradient.knots.empty());
  EXPECT_EQ(0.9, copy->settings.at(VERDANTA_ICE_THRESHOLD).number);
  EXPECT_TRUE(copy->settings.at(VERDANTA_HEIGHT_SPLINE).spline.knots.empty());
  EXPECT_EQ(1u, fake.CallCount("NodeClone"));
  ExpectAnnounced(2);
  EXPECT_EQ(0, fake.liveValues);
}

TEST_F(ChannelCopy, AParameterThatCannotBeReadIsNotWritten) {
  Copy(MATERIAL_CHANNEL_BUMP);
  FakeNode* copy = Linked(MATERIAL_LINK_BUMP);
  placed.node->settings.erase(VERDANTA_TERRAIN_LACUNARITY);
  placed.node->settings[VERDANTA_TERRAIN_ROUGHNESS] = testhost::FloatValue(0.9);
  Copy(MATERIAL_CHANNEL_BUMP);
  EXPECT_EQ(0.9, copy->settings.at(VERDANTA_TERRAIN_ROUGHNESS).number);
  EXPECT_EQ(0.5, copy->settings.at(VERDANTA_TERRAIN_LACUNARITY).number);
}

TEST_F(ChannelCopy, AShaderInsideALayerShaderIsBroughtIntoLine) {
  FakeNode* layers = fake.NewNode(NODE_TYPE_LAYER_SHADER);
  FakeNode* twin = fake.NewNode(VERDANTA_PLUGIN_ID);
  fake.AddLayer(layers, LAYER_KIND_IMAGE);
  fake.AddLayer(layers, LAYER_KIND_SHADER, twin);
  fake.PutInChannel(placed.material, MATERIAL_CHANNEL_DISPLACEMENT, layers);

  EXPECT_TRUE(Copy(MATERIAL_CHANNEL_DISPLACEMENT));
  EXPECT_EQ(layers, Linked(MATERIAL_LINK_DISPLACEMENT));
  EXPECT_EQ(77, twin->settings.at(VERDANTA_SEED).integer);
  EXPECT_EQ(2.5, twin->settings.at(VERDANTA_TERRAIN_SCALE).number);
  EXPECT_FALSE(fake.Called("NodeClone"));
  EXPECT_TRUE(fake.notices.empty());
}

TEST_F(ChannelCopy, AnotherShaderInTheChannelIsReportedAndKept) {
  struct Case {
    const char* what;
    FakeNode* occupant;
  } cases[] = {{"a shader of another type", fake.NewNode(NODE_TYPE_EDGE_GRADIENT_SHADER)},
               {"a layer shader without this type", fake.NewNode(NODE_TYPE_LAYER_SHADER)}};
  fake.AddLayer(cases[1].occupant, LAYER_KIND_SHADER, fake.NewNode(NODE_TYPE_EDGE_GRADIENT_SHADER));
  for (const Case& c : cases) {
    fake.notices.clear();
    fake.PutInChannel(placed.material, MATERIAL_CHANNEL_BUMP, c.occupant);
    EXPECT_TRUE(Copy(MATERIAL_CHANNEL_BUMP));
    EXPECT_EQ(std::vector<std::string>{kNotice}, fake.notices) << c.what;
    FakeNode* copy = Linked(MATERIAL_LINK_BUMP);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(VERDANTA_PLUGIN_ID, copy->type) << c.what;
    const auto& shaders = placed.material->shaders;
    EXPECT_NE(shaders.end(), std::find(shaders.begin(), shaders.end(), c.occupant)) << c.what;
  }
}

TEST_F(ChannelCopy, NothingHappensOutsideAStandardMaterialOrWithoutACopy) {
  placed.node->owner = fake.NewNode(5159);
  EXPECT_TRUE(Copy(MATERIAL_CHANNEL_BUMP));
  placed.node->owner = nullptr;
  EXPECT_TRUE(Copy(MATERIAL_CHANNEL_DISPLACEMENT));
  placed.node->owner = placed.material;
  fake.failNodeTypes = {VERDANTA_PLUGIN_ID};
  EXPECT_TRUE(Copy(MATERIAL_CHANNEL_BUMP));
  EXPECT_EQ(nullptr, Linked(MATERIAL_LINK_BUMP));
  EXPECT_EQ(nullptr, Linked(MATERIAL_LINK_DISPLACEMENT));
  ExpectAnnounced(0);
  EXPECT_TRUE(fake.notices.empty());
}

TEST_F(ChannelCopy, OnlyShadersOfThisTypeAreCopied) {
  FakeNode* other = fake.NewNode(NODE_TYPE_EDGE_GRADIENT_SHADER, placed.material);
  EXPECT_FALSE(CopyToChannel(AsHost(other), MATERIAL_CHANNEL_BUMP));
  EXPECT_EQ(nullptr, Linked(MATERIAL_LINK_BUMP));
}

}  // namespace
}  // namespace verdanta
