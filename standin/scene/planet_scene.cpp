#include "planet_scene.h"

#include <stdexcept>
#include <string>

#include "material.h"

namespace standin {

std::unique_ptr<Document> NewPlanetScene() {
  std::unique_ptr<Node> shader = Node::Create(kVerdantaNodeType);
  if (!shader) {
    throw std::runtime_error("no planet shader (type " + std::to_string(kVerdantaNodeType) +
                             ") can be made: is the module loaded?");
  }
  auto document = std::make_unique<Document>();
  Node& material = document->AddMaterial(Node::Create(NODE_TYPE_STANDARD_MATERIAL));
  material.name = "Planet";
  Node* planet = InsertShader(material, std::move(shader), nullptr);
  LinkChannel(material, MATERIAL_CHANNEL_COLOR, planet);
  return document;
}

}  // namespace standin
