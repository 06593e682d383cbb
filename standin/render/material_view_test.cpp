#include "material_view.h"

#include <gtest/gtest.h>

#include "layer_shader.h"
#include "material.h"

namespace standin {
namespace {

constexpr int32_t kWanted = NODE_TYPE_EDGE_GRADIENT_SHADER;

// A material whose shaders a test links into layers as it likes.
class MaterialFixture : public ::testing::Test {
 protected:
  Node& Add(int32_t type) { return *InsertShader(material, Node::Create(type), nullptr); }

  Document document;
  Node& material = document.AddMaterial(Node::Create(NODE_TYPE_STANDARD_MATERIAL));
};

using FindShaderOfTypeTest = MaterialFixture;

TEST_F(FindShaderOfTypeTest, FindsTheShaderItselfOrTheFirstInNestedLayers) {
  Node& wanted = Add(kWanted);
  Node& second = Add(kWanted);
  Node& inner = Add(NODE_TYPE_LAYER_SHADER);
  AddLayer(inner, LAYER_KIND_IMAGE);
  AddLayer(inner, LAYER_KIND_SHADER, 1.0, &wanted);
  AddLayer(inner, LAYER_KIND_SHADER, 1.0, &second);
  Node& outer = Add(NODE_TYPE_LAYER_SHADER);
  AddLayer(outer, LAYER_KIND_FOLDER);
  AddLayer(outer, LAYER_KIND_SHADER, 1.0, &inner);

  EXPECT_EQ(FindShaderOfType(&second, kWanted), &second);
  EXPECT_EQ(FindShaderOfType(&outer, kWanted), &wanted);
  EXPECT_EQ(FindShaderOfType(&outer, NODE_TYPE_STANDARD_MATERIAL), nullptr);
  EXPECT_EQ(FindShaderOfType(nullptr, kWanted), nullptr);
}

TEST_F(FindShaderOfTypeTest, EndsInLayerShadersThatLinkEachOther) {
  Node& first = Add(NODE_TYPE_LAYER_SHADER);
  Node& second = Add(NODE_TYPE_LAYER_SHADER);
  AddLayer(first, LAYER_KIND_SHADER, 1.0, &first);
  AddLayer(first, LAYER_KIND_SHADER, 1.0, &second);
  AddLayer(second, LAYER_KIND_SHADER, 1.0, &first);
  EXPECT_EQ(FindShaderOfType(&first, kWanted), nullptr);

  Node& wanted = Add(kWanted);
  AddLayer(second, LAYER_KIND_SHADER, 1.0, &wanted);
  EXPECT_EQ(FindShaderOfType(&first, kWanted), &wanted);
}

TEST_F(MaterialFixture, ChannelShadersAreWhatTheChannelsLink) {
  Node& colour = Add(kWanted);
  Node& bump = Add(NODE_TYPE_LAYER_SHADER);
  LinkChannel(material, MATERIAL_CHANNEL_COLOR, &colour);
  LinkChannel(material, MATERIAL_CHANNEL_BUMP, &bump);
  const ChannelShaders shaders = ChannelShadersOf(material);
  EXPECT_EQ(shaders.colour, &colour);
  EXPECT_EQ(shaders.bump, &bump);
  EXPECT_EQ(shaders.displacement, nullptr);
}

TEST_F(MaterialFixture, ASphereDrawnWithTheMaterialCarriesIt) {
  Node& other = document.AddMaterial(Node::Create(NODE_TYPE_STANDARD_MATERIAL));
  Node& otherSphere = document.AddObject(Node::Create(NODE_TYPE_SPHERE_OBJECT));
  otherSphere.material = Link(&other);
  Node& sphere = document.AddObject(Node::Create(NODE_TYPE_SPHERE_OBJECT));
  sphere.material = Link(&material);
  sphere.radius = 40.0;
  sphere.globalMatrix = {{5, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 2}};

  EXPECT_EQ(&SphereObjectFor(document, material), &sphere);
  EXPECT_EQ(document.Objects().size(), 2u);
  const SceneView view = ViewOf(sphere);
  EXPECT_EQ(view.sphere.node, reinterpret_cast<HostNode*>(&sphere));
  EXPECT_EQ(view.sphere.radius, 40.0);
  EXPECT_EQ(view.sphere.objectMatrix.off.x, 5.0);
  // Framed as a sphere of radius 5 + 2 x 40 at the origin would be.
  EXPECT_DOUBLE_EQ(view.camera.distance, FramingCamera(85.0).distance);
}

TEST_F(MaterialFixture, WithoutOneTheHostsDefaultSphereIsAdded) {
  Node& sphere = SphereObjectFor(document, material);
  ASSERT_EQ(document.Objects().size(), 1u);
  EXPECT_EQ(&sphere, document.Objects().front().get());
  EXPECT_EQ(sphere.type, NODE_TYPE_SPHERE_OBJECT);
  EXPECT_EQ(sphere.material.Target(), &material);
  EXPECT_EQ(sphere.radius, kDefaultSphereRadius);
  EXPECT_EQ(&SphereObjectFor(document, material), &sphere);
  EXPECT_DOUBLE_EQ(ViewOf(sphere).camera.distance, FramingCamera(kDefaultSphereRadius).distance);
}

}  // namespace
}  // namespace standin
