#include "material_view.h"

#include <algorithm>
#include <set>

#include "geometry.h"
#include "handles.h"
#include "layer_shader.h"
#include "material.h"

namespace standin {

namespace {

Node* ShaderIn(Node& material, int32_t channelNumber) {
  const Channel* channel = MaterialChannel(material, channelNumber);
  return channel ? ChannelShader(*channel) : nullptr;
}

// From the camera's origin-centred view: the distance of the centre plus the longest axis'
// stretch of the radius.
double BoundingRadius(const Node& object) {
  using geometry::Length;
  const Matrix34& m = object.globalMatrix;
  const double stretch = std::max({Length(m.axis1), Length(m.axis2), Length(m.axis3)});
  return Length(m.off) + object.radius * stretch;
}

// A layer shader that links back into the walk is passed by.
Node* FindShaderOfType(Node* shader, int32_t type, std::set<const Node*>& walked) {
  if (!shader || shader->type == type) return shader;
  if (!walked.insert(shader).second) return nullptr;
  for (const auto& layer : shader->layers) {
    if (Node* found = FindShaderOfType(LayerShader(*layer), type, walked)) return found;
  }
  return nullptr;
}

}  // namespace

ChannelShaders ChannelShadersOf(Node& material) {
  return {ShaderIn(material, MATERIAL_CHANNEL_COLOR), ShaderIn(material, MATERIAL_CHANNEL_BUMP),
          ShaderIn(material, MATERIAL_CHANNEL_DISPLACEMENT)};
}

Node* FindShaderOfType(Node* shader, int32_t type) {
  std::set<const Node*> walked;
  return FindShaderOfType(shader, type, walked);
}

Node& SphereObjectFor(Document& document, Node& material) {
  for (const auto& object : document.Objects()) {
    if (object->type == NODE_TYPE_SPHERE_OBJECT && object->material.Target() == &material) {
      return *object;
    }
  }
  Node& sphere = document.AddObject(Node::Create(NODE_TYPE_SPHERE_OBJECT));
  sphere.material = Link(&material);
  return sphere;
}

SceneView ViewOf(const Node& sphereObject) {
  SceneView view;
  view.sphere = {sphereObject.globalMatrix, sphereObject.radius, ToHost(&sphereObject)};
  view.camera = FramingCamera(BoundingRadius(sphereObject));
  return view;
}

}  // namespace standin
