// The two copy buttons of a loaded Verdanta node: a copy linked into the bump or displacement
// channel of its material, or the terrain of the copy already there brought into line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls.h"
#include "editing_test_support.h"
#include "host_records.h"
#include "panel.h"
#include "shader_render.h"

namespace standin {
namespace {

constexpr int32_t kTerrainIds[] = {5001, 5002, 5003, 5004, 5005, 5000};
constexpr int32_t kHeightSpline = 5006;
const char kOtherShaderNotice[] =
    "There is another shader already present in the destination channel, which will not be "
    "deleted.";

struct Button {
  int32_t id;
  int32_t channel;
};
constexpr Button kButtons[] = {{kCopyToBump, MATERIAL_CHANNEL_BUMP},
                               {kCopyToDisplacement, MATERIAL_CHANNEL_DISPLACEMENT}};

// Terrain values other than the defaults, one per copied parameter.
void ReshapeTerrain(Node& node) {
  node.settings.Set(5001, 0.75);
  node.settings.Set(5002, 0.6);
  node.settings.Set(5003, 2.5);
  node.settings.Set(5004, 0.2);
  node.settings.Set(5005, int32_t{4711});
  Gradient gradient;
  gradient.Insert({{0.1, 0.2, 0.3}, 1.0, 0.0, 0.5, 0, GRADIENT_INTERPOLATION_LINEAR});
  gradient.Insert({{0.9, 0.8, 0.7}, 1.0, 1.0, 0.5, 1, GRADIENT_INTERPOLATION_LINEAR});
  node.settings.Set(5000, gradient);
}

SplineCurve StraightSpline(double height) {
  SplineCurve curve;
  curve.knots = {{{0, height, 0}, 0, {}, {}}, {{1, height, 0}, 0, {}, {}}};
  return curve;
}

std::vector<SceneEvent::Kind> EventKinds(const Document& document) {
  std::vector<SceneEvent::Kind> kinds;
  for (const SceneEvent& event : document.Events()) kinds.push_back(event.kind);
  return kinds;
}

class ChannelCopy : public EditingTest {
 protected:
  // The colour node of most tests: in the colour channel, with its own terrain.
  Node& ColourNode() {
    Node& node = Place(MATERIAL_CHANNEL_COLOR, NewShader());
    ReshapeTerrain(node);
    return node;
  }

  // What a change of the material announces: message 5, a full refresh, a change notice.
  void ExpectAnnounced() {
    const std::vector<SceneEvent>& events = document->Events();
    ASSERT_EQ(EventKinds(*document),
              (std::vector<SceneEvent::Kind>{SceneEvent::Kind::message, SceneEvent::Kind::refresh,
                                             SceneEvent::Kind::change}));
    EXPECT_EQ(events[0].node, material);
    EXPECT_EQ(events[0].code, MATERIAL_MESSAGE_UPDATE);
    EXPECT_EQ(events[1].node, material);
    EXPECT_TRUE(events[1].shaders && events[1].preview);
    EXPECT_EQ(events[2].code, 0);
  }
};

TEST_F(ChannelCopy, OtherCommandsAndMessagesChangeNothing) {
  Node& node = ColourNode();
  const nlohmann::json before = Saved();
  struct Case {
    int32_t type;
    int32_t id;
  };
  const Case cases[] = {{NODE_MESSAGE_COMMAND, 3003},
                        {NODE_MESSAGE_COMMAND, 5001},
                        {NODE_MESSAGE_COMMAND, 0},
                        {MATERIAL_MESSAGE_UPDATE, kCopyToBump},
                        {NODE_MESSAGE_COMMAND + 1, kCopyToDisplacement}};
  for (const Case& c : cases) {
    EXPECT_TRUE(Press(node, c.id, c.type)) << c.type << " " << c.id;
  }
  EXPECT_TRUE(CallMessage(node, NODE_MESSAGE_COMMAND, nullptr));
  EXPECT_EQ(Saved(), before);
  EXPECT_TRUE(document->Events().empty());
}

TEST_F(ChannelCopy, TheFirstPressLinksACopyThatTheMaterialOwns) {
  for (const Button& button : kButtons) {
    SCOPED_TRACE(button.id);
    Node& node = ColourNode();
    document->ClearEvents();
    EXPECT_TRUE(Press(node, button.id));

    Node* copy = Linked(button.channel);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, &node);
    EXPECT_EQ(copy->type, kVerdantaType);
    EXPECT_EQ(copy->owner, material);
    EXPECT_EQ(copy->document, document);
    EXPECT_TRUE(copy->settings == node.settings) << "a full copy, not just the terrain";
    EXPECT_EQ(Linked(MATERIAL_CHANNEL_COLOR), &node) << "the node stays where it was";
    EXPECT_EQ(node.owner, material);
    ExpectAnnounced();
    EXPECT_TRUE(host.Records().notices.empty());

    // From now on the copy counts as placed: its own buttons are disabled.
    for (const PanelEntry& entry : BuildPanel(*copy)) {
      if (entry.id == kCopyToBump || entry.id == kCopyToDisplacement) {
        EXPECT_FALSE(entry.enabled) << entry.name;
      }
    }
  }
  EXPECT_EQ(material->shaders.size(), 4u) << "two colour nodes, one copy each";
}

TEST_F(ChannelCopy, TheSecondPressCopiesTheTerrainOnly) {
  for (const Button& button : kButtons) {
    SCOPED_TRACE(button.id);
    Node& node = ColourNode();
    ASSERT_TRUE(Press(node, button.id));
    Node* copy = Linked(button.channel);
    ASSERT_NE(copy, nullptr);
    const size_t shaderCount = material->shaders.size();

    // The copy has a height of its own; the node gets new terrain and other settings.
    copy->settings.Set(kHeightSpline, StraightSpline(0.25));
    const Container copyBefore = copy->settings;
    node.settings.Set(5001, 3.0);
    node.settings.Set(5005, int32_t{99});
    node.settings.Set(5000, Gradient());
    node.settings.Set(kHeightSpline, StraightSpline(0.75));
    node.settings.Set(5102, 1.5);
    node.settings.Set(5301, 0.9);
    document->ClearEvents();
    EXPECT_TRUE(Press(node, button.id));

    EXPECT_EQ(Linked(button.channel), copy) << "no second copy";
    EXPECT_EQ(material->shaders.size(), shaderCount);
    for (const auto& [id, value] : copy->settings.Entries()) {
      bool terrain =
          std::find(std::begin(kTerrainIds), std::end(kTerrainIds), id) != std::end(kTerrainIds);
      const Value* expected = terrain ? node.settings.Find(id) : copyBefore.Find(id);
      ASSERT_NE(expected, nullptr) << id;
      EXPECT_TRUE(value == *expected) << id << (terrain ? " is terrain" : " is the copy's own");
    }
    EXPECT_EQ(copy->settings.Entries().size(), copyBefore.Entries().size());
    ExpectAnnounced();
  }
}

TEST_F(ChannelCopy, ALayerShaderGetsTheTerrainInItsFirstShaderOfThisType) {
  Node& node = ColourNode();
  Node& first = NewShader();
  Node& second = NewShader();
  Node& layers = NewLayerShader({nullptr, &first, &second});
  Place(MATERIAL_CHANNEL_DISPLACEMENT, layers);
  const Container secondBefore = second.settings;
  const size_t shaderCount = material->shaders.size();

  EXPECT_TRUE(Press(node, kCopyToDisplacement));

  for (int32_t id : kTerrainIds) EXPECT_TRUE(*first.settings.Find(id) == *node.settings.Find(id));
  EXPECT_TRUE(second.settings == secondBefore);
  EXPECT_EQ(Linked(MATERIAL_CHANNEL_DISPLACEMENT), &layers);
  EXPECT_EQ(material->shaders.size(), shaderCount);
  ExpectAnnounced();
}

TEST_F(ChannelCopy, AnotherShaderInTheChannelStaysInTheMaterialUnlinked) {
  struct Case {
    const char* what;
    int32_t type;
  };
  const Case cases[] = {{"edge gradient", NODE_TYPE_EDGE_GRADIENT_SHADER},
                        {"layer shader without one of this type", NODE_TYPE_LAYER_SHADER}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Node& node = ColourNode();
    Node& other = Place(MATERIAL_CHANNEL_BUMP, NewShader(c.type));
    if (c.type == NODE_TYPE_LAYER_SHADER) {
      AddLayer(other, LAYER_KIND_SHADER, 1.0, &NewShader(NODE_TYPE_EDGE_GRADIENT_SHADER));
    }
    const size_t shaderCount = material->shaders.size();
    standin::Records().notices.clear();
    document->ClearEvents();

    EXPECT_TRUE(Press(node, kCopyToBump));

    Node* copy = Linked(MATERIAL_CHANNEL_BUMP);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->type, kVerdantaType);
    EXPECT_EQ(copy->owner, material);
    EXPECT_EQ(other.owner, material) << "kept, not deleted";
    EXPECT_EQ(material->shaders.size(), shaderCount + 1);
    ASSERT_EQ(host.Records().notices.size(), 1u);
    EXPECT_EQ(host.Records().notices[0].text, kOtherShaderNotice);
    EXPECT_EQ(host.Records().notices[0].kind, NOTICE_KIND_WARNING);
    const std::vector<SceneEvent::Kind> kinds = EventKinds(*document);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), SceneEvent::Kind::notice), 1);
  }
}

TEST_F(ChannelCopy, NothingChangesWhenTheCopyCannotBeMade) {
  Node& node = ColourNode();
  Place(MATERIAL_CHANNEL_BUMP, NewShader(NODE_TYPE_EDGE_GRADIENT_SHADER));
  const nlohmann::json before = Saved();
  const int64_t liveNodes = LiveNodeCount();
  Controls().failAllNodeCreation = true;
  for (const Button& button : kButtons) EXPECT_TRUE(Press(node, button.id));
  EXPECT_EQ(Saved(), before);
  EXPECT_EQ(LiveNodeCount(), liveNodes);
  EXPECT_TRUE(document->Events().empty());
  EXPECT_TRUE(host.Records().notices.empty()) << "nothing was put anywhere";
}

TEST_F(ChannelCopy, ANodeOwnedByNoStandardMaterialPressesInVain) {
  Node& holder = Place(MATERIAL_CHANNEL_COLOR, NewShader(NODE_TYPE_LAYER_SHADER));
  holder.shaders.push_back(Node::Create(kVerdantaType));
  Node& held = *holder.shaders.back();
  held.owner = &holder;
  held.document = document;
  Node& loose = document->AddFreeNode(Node::Create(kVerdantaType));
  const nlohmann::json before = Saved();
  for (Node* node : {&held, &loose}) {
    for (const Button& button : kButtons) EXPECT_TRUE(Press(*node, button.id));
  }
  EXPECT_EQ(Saved(), before);
  EXPECT_TRUE(document->Events().empty());
  EXPECT_TRUE(host.Records().notices.empty());
}

// ---------------------------------------------------------------- relief

// The node's grey heights in the bump channel: four sub-samples each, with and without a hit.
std::vector<Vector3> BumpHeights(Node& node) {
  EXPECT_EQ(ShaderInitRender(node, RenderSetup{}), 0);
  std::vector<Vector3> heights;
  for (int i = 0; i < 64; ++i) {
    const Vector3 uv = {(i % 8 + 0.5) / 8, (i / 8 + 0.5) / 8, 0};
    const HitContext hit = {
        {uv.x * 200 - 100, uv.y * 200 - 100, 40}, nullptr, {0, 0, 1}, {0, 0, -1}};
    for (const HitContext* where : {static_cast<const HitContext*>(nullptr), &hit}) {
      for (int32_t direction = 0; direction < 4; ++direction) {
        ChannelSample sample{};
        sample.position = uv;
        sample.flags = MATERIAL_CHANNEL_BUMP << CHANNEL_SAMPLE_CHANNEL_SHIFT |
                       direction << CHANNEL_SAMPLE_BUMP_SHIFT;
        sample.hit = where;
        heights.push_back(ShaderSample(node, sample));
      }
    }
  }
  ShaderFreeRender(node);
  return heights;
}

bool SameHeights(const std::vector<Vector3>& a, const std::vector<Vector3>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].z != b[i].z) return false;
  }
  return true;
}

TEST_F(ChannelCopy, TheCopyInTheBumpChannelHasTheReliefOfTheColourNode) {
  Node& node = ColourNode();
  ASSERT_TRUE(Press(node, kCopyToBump));
  Node* copy = Linked(MATERIAL_CHANNEL_BUMP);
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(SameHeights(BumpHeights(*copy), BumpHeights(node)));

  node.settings.Set(5005, int32_t{31337});
  node.settings.Set(5001, 1.25);
  ASSERT_FALSE(SameHeights(BumpHeights(*copy), BumpHeights(node))) << "new terrain";
  ASSERT_TRUE(Press(node, kCopyToBump));
  EXPECT_TRUE(SameHeights(BumpHeights(*copy), BumpHeights(node)));
}

}  // namespace
}  // namespace standin
