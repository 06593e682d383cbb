#include "channel_lookup.h"

#include <gtest/gtest.h>

#include "test_host.h"

namespace verdanta {
namespace {

using testhost::AsHost;
using testhost::FakeNode;
using testhost::FakeValue;

const int32_t kVerdanta = 1064031;

class ChannelLookup : public ::testing::Test {
 protected:
  FakeNode* NewShaderIn(FakeNode* owner) { return fake.NewNode(kVerdanta, owner); }
  FakeNode* NewLayerShader() { return fake.NewNode(NODE_TYPE_LAYER_SHADER, material); }

  testhost::FakeHost fake;
  FakeNode* material = fake.NewMaterial();
};

TEST_F(ChannelLookup, ANodeInTheColourChannelIsNotPlaced) {
  FakeNode* node = NewShaderIn(material);
  fake.PutInChannel(material, MATERIAL_CHANNEL_COLOR, node);
  EXPECT_FALSE(IsInChannel(AsHost(node), MATERIAL_CHANNEL_BUMP));
  EXPECT_FALSE(IsPlaced(AsHost(node)));
  EXPECT_EQ(AsHost(node), FindChannelShader(AsHost(node), MATERIAL_CHANNEL_COLOR));
}

TEST_F(ChannelLookup, ANodeDirectlyInTheBumpOrDisplacementChannelIsPlaced) {
  for (int32_t channel : {MATERIAL_CHANNEL_BUMP, MATERIAL_CHANNEL_DISPLACEMENT}) {
    FakeNode* node = NewShaderIn(material);
    fake.PutInChannel(material, channel, node);
    EXPECT_TRUE(IsInChannel(AsHost(node), channel));
    EXPECT_TRUE(IsPlaced(AsHost(node)));
  }
}

TEST_F(ChannelLookup, OnlyTheFirstNodeInALayerShaderCounts) {
  FakeNode* layers = NewLayerShader();
  FakeNode* first = NewShaderIn(material);
  FakeNode* second = NewShaderIn(material);
  fake.AddLayer(layers, LAYER_KIND_IMAGE);
  fake.AddLayer(layers, LAYER_KIND_FOLDER);
  fake.AddLayer(layers, LAYER_KIND_SHADER, fake.NewNode(NODE_TYPE_EDGE_GRADIENT_SHADER));
  fake.AddLayer(layers, LAYER_KIND_SHADER, first);
  fake.AddLayer(layers, LAYER_KIND_SHADER, second);
  fake.PutInChannel(material, MATERIAL_CHANNEL_DISPLACEMENT, layers);

  EXPECT_TRUE(IsPlaced(AsHost(first)));
  EXPECT_FALSE(IsPlaced(AsHost(second)));
  EXPECT_EQ(0, fake.liveValues);
}

TEST_F(ChannelLookup, NestedLayerShadersAreSearchedWhereTheyStand) {
  FakeNode* outer = NewLayerShader();
  FakeNode* inner = NewLayerShader();
  FakeNode* nested = NewShaderIn(material);
  FakeNode* later = NewShaderIn(material);
  fake.AddLayer(inner, LAYER_KIND_SHADER, nested);
  fake.AddLayer(outer, LAYER_KIND_SHADER, inner);
  fake.AddLayer(outer, LAYER_KIND_SHADER, later);
  fake.PutInChannel(material, MATERIAL_CHANNEL_BUMP, outer);
  EXPECT_EQ(AsHost(nested), FindInLayers(AsHost(outer)));
  EXPECT_TRUE(IsInChannel(AsHost(nested), MATERIAL_CHANNEL_BUMP));
}

TEST_F(ChannelLookup, LayerShadersThatLinkBackAreNotSearchedAgain) {
  FakeNode* self = NewLayerShader();
  FakeNode* a = NewLayerShader();
  FakeNode* b = NewLayerShader();
  FakeNode* node = NewShaderIn(material);
  fake.AddLayer(self, LAYER_KIND_SHADER, self);
  fake.AddLayer(self, LAYER_KIND_SHADER, a);
  fake.AddLayer(a, LAYER_KIND_SHADER, b);
  fake.AddLayer(b, LAYER_KIND_SHADER, a);
  fake.AddLayer(b, LAYER_KIND_SHADER, self);
  fake.AddLayer(a, LAYER_KIND_SHADER, node);
  fake.PutInChannel(material, MATERIAL_CHANNEL_DISPLACEMENT, self);

  EXPECT_EQ(AsHost(node), FindInLayers(AsHost(self)));
  EXPECT_EQ(3u, fake.CallCount("LayerFirst")) << "self, a and b, each entered once";
  EXPECT_TRUE(IsPlaced(AsHost(node)));
  EXPECT_EQ(AsHost(node), FindInLayers(AsHost(b)));

  FakeNode* left = NewLayerShader();
  FakeNode* right = NewLayerShader();
  fake.AddLayer(left, LAYER_KIND_SHADER, right);
  fake.AddLayer(right, LAYER_KIND_SHADER, left);
  fake.calls.clear();
  EXPECT_EQ(nullptr, FindInLayers(AsHost(left)));
  EXPECT_EQ(2u, fake.CallCount("LayerFirst"));
  EXPECT_EQ(0, fake.liveValues);
}

TEST_F(ChannelLookup, AVeryDeepNestingEndsTheSearch) {
  FakeNode* top = NewLayerShader();
  FakeNode* current = top;
  for (int depth = 0; depth < 100; ++depth) {
    FakeNode* next = NewLayerShader();
    fake.AddLayer(current, LAYER_KIND_SHADER, next);
    current = next;
  }
  fake.AddLayer(current, LAYER_KIND_SHADER, NewShaderIn(material));
  EXPECT_EQ(nullptr, FindInLayers(AsHost(top)));
}

TEST_F(ChannelLookup, AnOwnerThatIsNoStandardMaterialNeverPlaces) {
  FakeNode* other = fake.NewNode(5159);
  FakeNode* node = NewShaderIn(other);
  FakeValue link;
  link.type = DATA_TYPE_LINK;
  link.link = node;
  other->settings[MATERIAL_LINK_BUMP] = link;
  EXPECT_FALSE(IsPlaced(AsHost(node)));
  EXPECT_FALSE(IsPlaced(AsHost(fake.NewNode(kVerdanta))));
  EXPECT_FALSE(fake.Called("MaterialChannel"));
}

TEST_F(ChannelLookup, WithoutTheLayerLibraryLayerShadersHoldNothing) {
  fake.missingLibraries = {LIBRARY_LAYER_SHADER};
  fake.Install();
  FakeNode* layers = NewLayerShader();
  FakeNode* node = NewShaderIn(material);
  fake.AddLayer(layers, LAYER_KIND_SHADER, node);
  fake.PutInChannel(material, MATERIAL_CHANNEL_DISPLACEMENT, layers);
  EXPECT_FALSE(IsPlaced(AsHost(node)));
}

}  // namespace
}  // namespace verdanta
