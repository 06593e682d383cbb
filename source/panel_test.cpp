#include <gtest/gtest.h>

#include <map>

#include "scene_operations.h"
#include "test_host.h"
#include "test_shader.h"
#include "verdanta.h"
#include "verdanta_ids.h"

namespace verdanta {
namespace {

using testhost::FakeDescription;

const int32_t kColourOnly[] = {VERDANTA_TERRAIN_GRADIENT, VERDANTA_CHILD_STRENGTH,
                               VERDANTA_CHILD_FALLOFF,    VERDANTA_CLOUD_NOISE,
                               VERDANTA_CLOUD_COVERAGE,   VERDANTA_CLOUD_INTENSITY,
                               VERDANTA_CLOUD_SCALE};
const int32_t kAlwaysEnabled[] = {VERDANTA_TERRAIN_SCALE, VERDANTA_SEED,
                                  VERDANTA_ICE_V0_SIZE,   VERDANTA_ICE_THRESHOLD,
                                  VERDANTA_CHILD_COLOR,   4242};

class Panel : public ::testing::Test {
 protected:
  // Moves the node from the colour channel into `channel` of its material.
  void MoveTo(int32_t channel) {
    placed.material->settings.erase(MATERIAL_LINK_COLOR);
    fake.PutInChannel(placed.material, channel, placed.node);
  }

  bool Enabled(int32_t id) {
    const ParamId paramId = host::OneLevelParamId(id);
    return placed.shader->IsParameterEnabled(Node(), &paramId, nullptr, nullptr);
  }

  bool Build(FakeDescription& description, int32_t& flags) {
    return placed.shader->BuildDescription(Node(), reinterpret_cast<HostDescription*>(&description),
                                           &flags);
  }

  // The hide flags the description got, by parameter id.
  static std::map<int32_t, bool> Hidden(const FakeDescription& description) {
    std::map<int32_t, bool> hidden;
    for (const auto& [id, entry] : description.entries) {
      hidden[id] = entry.at(DESCRIPTION_PROPERTY_HIDE).integer != 0;
    }
    return hidden;
  }

  HostNode* Node() { return testhost::AsHost(placed.node); }

  testhost::FakeHost fake;
  testhost::PlacedShader placed = testhost::NewShaderInColourChannel(fake);
};

TEST_F(Panel, InTheColourChannelOnlyTheHeightSplineIsHiddenAndDisabled) {
  FakeDescription description;
  int32_t flags = 0x10;
  EXPECT_FALSE(Build(description, flags)) << "the base answer, even when loaded";
  EXPECT_EQ(0x10 | DESCRIPTION_FLAG_LOADED, flags);
  std::map<int32_t, bool> expected = {{VERDANTA_HEIGHT_SPLINE, true},
                                      {VERDANTA_CHILD_COLOR, false}};
  for (int32_t id : kColourOnly) expected[id] = false;
  EXPECT_EQ(expected, Hidden(description));

  EXPECT_FALSE(Enabled(VERDANTA_HEIGHT_SPLINE));
  for (int32_t id : kColourOnly) EXPECT_TRUE(Enabled(id)) << id;
  for (int32_t id : kAlwaysEnabled) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_TRUE(Enabled(VERDANTA_COPY_TO_BUMP));
  EXPECT_TRUE(Enabled(VERDANTA_COPY_TO_DISPLACEMENT));
}

TEST_F(Panel, InAHeightChannelTheColourParametersGiveWayToTheSpline) {
  for (int32_t channel : {MATERIAL_CHANNEL_BUMP, MATERIAL_CHANNEL_DISPLACEMENT}) {
    MoveTo(channel);
    FakeDescription description;
    int32_t flags = 0;
    Build(description, flags);
    std::map<int32_t, bool> expected = {{VERDANTA_HEIGHT_SPLINE, false},
                                        {VERDANTA_CHILD_COLOR, true}};
    for (int32_t id : kColourOnly) expected[id] = true;
    EXPECT_EQ(expected, Hidden(description)) << channel;

    EXPECT_TRUE(Enabled(VERDANTA_HEIGHT_SPLINE));
    for (int32_t id : kColourOnly) EXPECT_FALSE(Enabled(id)) << id;
    for (int32_t id : kAlwaysEnabled) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(VERDANTA_COPY_TO_BUMP));
    EXPECT_FALSE(Enabled(VERDANTA_COPY_TO_DISPLACEMENT));
    placed.material->settings.erase(channel == MATERIAL_CHANNEL_BUMP ? MATERIAL_LINK_BUMP
                                                                     : MATERIAL_LINK_DISPLACEMENT);
  }
}

TEST_F(Panel, AFilterLimitsTheChangesToItsEntry) {
  FakeDescription description;
  description.filter = host::OneLevelParamId(VERDANTA_HEIGHT_SPLINE, DATA_TYPE_SPLINE);
  int32_t flags = 0;
  Build(description, flags);
  EXPECT_EQ((std::map<int32_t, bool>{{VERDANTA_HEIGHT_SPLINE, true}}), Hidden(description));
}

TEST_F(Panel, ADescriptionThatWillNotLoadIsLeftAlone) {
  FakeDescription description;
  description.loadable = false;
  int32_t flags = 0x10;
  EXPECT_FALSE(Build(description, flags));
  EXPECT_EQ(0x10, flags);
  EXPECT_TRUE(description.entries.empty());
}

}  // namespace
}  // namespace verdanta
