#include "node_path.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "scene_file.h"

namespace standin {
namespace {

constexpr int kEdge = NODE_TYPE_EDGE_GRADIENT_SHADER;
constexpr int kLayers = NODE_TYPE_LAYER_SHADER;

nlohmann::json Shader(const std::string& id, int type, nlohmann::json layers = nullptr) {
  nlohmann::json shader = {{"id", id}, {"type", type}};
  if (!layers.is_null()) shader["layers"] = layers;
  return shader;
}

nlohmann::json ShaderLayer(const nlohmann::json& shader) {
  return {{"kind", LAYER_KIND_SHADER}, {"shader", shader}};
}

// Planet: colour "c", bump the layer shader "L" (an image, "e", the layer shader "M" holding
// "f", an empty shader layer). Two materials named Moon, one named "0", and a free shader.
nlohmann::json PathScene() {
  nlohmann::json planetShaders = {
      Shader("c", kEdge),
      Shader(
          "L", kLayers,
          {{{"kind", LAYER_KIND_IMAGE}}, ShaderLayer("e"), ShaderLayer("M"), ShaderLayer(nullptr)}),
      Shader("e", kEdge), Shader("M", kLayers, {ShaderLayer("f")}), Shader("f", kEdge)};
  nlohmann::json moon = {{"name", "Moon"}, {"shaders", {Shader("s1", kEdge)}}};
  return {{"format", "verdanta-scene"},
          {"version", 1},
          {"materials",
           {{{"name", "Planet"},
             {"channels", {{"color", "c"}, {"bump", "L"}}},
             {"shaders", planetShaders}},
            moon,
            moon,
            {{"name", "0"}, {"shaders", {Shader("z", kEdge)}}}}},
          {"shaders", {Shader("free", kEdge)}}};
}

class NodePath : public ::testing::Test {
 protected:
  const Node* Held(size_t material, const std::string& id) const {
    for (const auto& shader : document->Materials()[material]->shaders) {
      if (shader->name == id) return shader.get();
    }
    return nullptr;
  }

  std::string Failure(const std::string& path) const {
    try {
      FindNode(*document, path);
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "found";
  }

  std::unique_ptr<Document> document = LoadScene(PathScene(), "scene.json");
};

TEST_F(NodePath, NamesChannelsListsAndLayers) {
  struct Case {
    std::string path;
    const Node* node;
  };
  const Case cases[] = {
      {"Planet/color", Held(0, "c")},
      {"Planet/bump", Held(0, "L")},
      {"Planet/shaders/e", Held(0, "e")},
      {"Planet/bump/layer/1", Held(0, "e")},
      {"Planet/bump/layer/2", Held(0, "M")},
      {"Planet/bump/layer/2/layer/0", Held(0, "f")},
      {"Planet/shaders/M/layer/0", Held(0, "f")},
      {"1/shaders/s1", Held(1, "s1")},
      {"2/shaders/s1", Held(2, "s1")},
      {"0/shaders/z", Held(3, "z")},  // a name before an index
      {"3/shaders/z", Held(3, "z")},
      {"shaders/free", document->FreeNodes()[0].get()},
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.node, nullptr) << c.path;
    EXPECT_EQ(&FindNode(*document, c.path), c.node) << c.path;
  }
  EXPECT_NE(Held(1, "s1"), Held(2, "s1"));
}

TEST_F(NodePath, APathThatNamesNothingFailsWithItsReason) {
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {
      {"", "has an empty segment where a material should be"},
      {"Planet//color", "has an empty segment where a channel or 'shaders' should be"},
      {"Nowhere/color",
       "no material is named 'Nowhere' or has that index, and it is not 'shaders'"},
      {"9/color", "no material is named '9' or has that index, and it is not 'shaders'"},
      {"Moon/shaders/s1", "more than one material is named 'Moon'; use its index"},
      {"Planet", "ends where a channel or 'shaders' should follow"},
      {"Planet/colour", "'colour' is no channel (color, bump or displacement) nor 'shaders'"},
      {"Planet/displacement", "the displacement channel links no shader"},
      {"Planet/shaders", "ends where a shader id should follow"},
      {"Planet/shaders/zz", "no shader has the id 'zz' in Planet/shaders"},
      {"shaders/c", "no shader has the id 'c' in shaders"},
      {"Planet/color/layer/0", "Planet/color is no layer shader (its type is 1011103)"},
      {"Planet/bump/layers/1", "only 'layer' may follow a node"},
      {"Planet/bump/layer", "ends where a layer number should follow"},
      {"Planet/bump/layer/-1", "'-1' is no layer number"},
      {"Planet/bump/layer/4", "Planet/bump has 4 layers, numbered from 0"},
      {"Planet/bump/layer/0", "layer 0 of Planet/bump is no shader layer"},
      {"Planet/bump/layer/3", "layer 3 of Planet/bump links no shader"},
      {"Planet/bump/layer/2/layer/0/layer/0",
       "Planet/bump/layer/2/layer/0 is no layer shader (its type is 1011103)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Failure(c.path), "node path '" + c.path + "': " + c.reason);
  }
}

}  // namespace
}  // namespace standin
