#include "node_path.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "layer_shader.h"
#include "material.h"

namespace standin {

const char* const kNodePathHelp =
    "PATH names one node of the scene, segments joined by '/':\n"
    "  MATERIAL/CHANNEL       the shader linked in channel color, bump or displacement\n"
    "  MATERIAL/shaders/ID    a shader of the material's list, by its id in the scene file\n"
    "  shaders/ID             a shader the scene holds outside every material\n"
    "  NODE/layer/N           the shader that layer N (from 0) of layer shader NODE links;\n"
    "                         repeat for nested layer shaders\n"
    "MATERIAL is a material's name, else its index (from 0) in the scene's list.\n"
    "Examples: Planet/color, 0/bump, Planet/displacement/layer/2, Planet/shaders/s3\n";

namespace {

// The segments of a path, read front to back; every failure names the whole path.
class PathReader {
 public:
  explicit PathReader(const std::string& path) : path_(path) {
    size_t start = 0;
    while (true) {
      size_t end = path.find('/', start);
      segments_.push_back(path.substr(start, end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
  }

  bool AtEnd() const { return next_ == segments_.size(); }

  // The next segment; `wanted` says what was expected when there is none.
  const std::string& Next(const std::string& wanted) {
    if (AtEnd()) Fail("ends where " + wanted + " should follow");
    const std::string& segment = segments_[next_++];
    if (segment.empty()) Fail("has an empty segment where " + wanted + " should be");
    return segment;
  }

  // The path up to and with the segment read last.
  std::string ReadSoFar() const {
    std::string text;
    for (size_t i = 0; i < next_; ++i) text += (i ? "/" : "") + segments_[i];
    return text;
  }

  [[noreturn]] void Fail(const std::string& reason) const {
    throw std::runtime_error("node path '" + path_ + "': " + reason);
  }

 private:
  std::string path_;
  std::vector<std::string> segments_;
  size_t next_ = 0;
};

// A plain decimal number, no sign; none for anything else.
bool ParseIndex(const std::string& text, size_t& index) {
  if (text.empty() || text.size() > 9) return false;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  index = std::stoul(text);
  return true;
}

Node* FindMaterial(const Document& document, const std::string& segment, const PathReader& reader) {
  Node* named = nullptr;
  for (const auto& material : document.Materials()) {
    if (material->name != segment) continue;
    if (named) reader.Fail("more than one material is named '" + segment + "'; use its index");
    named = material.get();
  }
  if (named) return named;
  size_t index = 0;
  if (ParseIndex(segment, index) && index < document.Materials().size()) {
    return document.Materials()[index].get();
  }
  return nullptr;
}

Node& FindShader(const std::vector<std::unique_ptr<Node>>& shaders, PathReader& reader) {
  const std::string where = reader.ReadSoFar();
  const std::string& id = reader.Next("a shader id");
  for (const auto& shader : shaders) {
    if (shader->name == id) return *shader;
  }
  reader.Fail("no shader has the id '" + id + "' in " + where);
}

Node& ChannelNode(Node& material, const std::string& segment, const PathReader& reader) {
  for (const ChannelName& channel : kChannelNames) {
    if (segment != channel.name) continue;
    Node* shader = ChannelShader(*MaterialChannel(material, channel.number));
    if (!shader) reader.Fail("the " + segment + " channel links no shader");
    return *shader;
  }
  reader.Fail("'" + segment + "' is no channel (color, bump or displacement) nor 'shaders'");
}

Node& FirstNode(const Document& document, PathReader& reader) {
  const std::string& first = reader.Next("a material");
  if (Node* material = FindMaterial(document, first, reader)) {
    const std::string& second = reader.Next("a channel or 'shaders'");
    if (second == "shaders") return FindShader(material->shaders, reader);
    return ChannelNode(*material, second, reader);
  }
  if (first == "shaders") return FindShader(document.FreeNodes(), reader);
  reader.Fail("no material is named '" + first + "' or has that index, and it is not 'shaders'");
}

Node& LayerNode(Node& layerShader, PathReader& reader) {
  const std::string where = reader.ReadSoFar();
  if (reader.Next("'layer'") != "layer") reader.Fail("only 'layer' may follow a node");
  if (layerShader.type != NODE_TYPE_LAYER_SHADER) {
    reader.Fail(where + " is no layer shader (its type is " + std::to_string(layerShader.type) +
                ")");
  }
  const std::string& segment = reader.Next("a layer number");
  size_t index = 0;
  if (!ParseIndex(segment, index)) reader.Fail("'" + segment + "' is no layer number");
  if (index >= layerShader.layers.size()) {
    reader.Fail(where + " has " + std::to_string(layerShader.layers.size()) +
                " layers, numbered from 0");
  }
  const Layer& layer = *layerShader.layers[index];
  if (layer.kind != LAYER_KIND_SHADER) {
    reader.Fail("layer " + segment + " of " + where + " is no shader layer");
  }
  Node* shader = LayerShader(layer);
  if (!shader) reader.Fail("layer " + segment + " of " + where + " links no shader");
  return *shader;
}

}  // namespace

Node& FindNode(const Document& document, const std::string& path) {
  PathReader reader(path);
  Node* node = &FirstNode(document, reader);
  while (!reader.AtEnd()) node = &LayerNode(*node, reader);
  return *node;
}

}  // namespace standin
