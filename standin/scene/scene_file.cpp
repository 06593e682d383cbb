#include "scene_file.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>

#include "descriptions.h"
#include "input_error.h"
#include "json_reader.h"
#include "layer_shader.h"
#include "material.h"

namespace standin {

namespace {

constexpr const char* kFormat = "verdanta-scene";
constexpr int32_t kVersion = 1;

using NodeIds = std::map<const Node*, std::string>;  // writing: the id of each node in scope
using Scope = std::map<std::string, Node*>;          // reading: the node of each id in scope

const DescriptionResource* DescriptionOf(const Node& node) {
  return node.plugin ? RegisteredDescription(node.type).get() : nullptr;
}

// ---------------------------------------------------------------- writing

nlohmann::json NumberToJson(double number) {
  // JSON has no NaN or infinity; a file that cannot be read back must not be written
  if (!std::isfinite(number)) throw std::runtime_error("a stored number is not finite");
  return number;
}

nlohmann::json VectorToJson(const Vector3& v) {
  return {NumberToJson(v.x), NumberToJson(v.y), NumberToJson(v.z)};
}

nlohmann::json GradientToJson(const Gradient& gradient) {
  nlohmann::json knots = nlohmann::json::array();
  for (const GradientKnot& knot : gradient.knots) {
    knots.push_back({{"color", VectorToJson(knot.color)},
                     {"brightness", NumberToJson(knot.brightness)},
                     {"position", NumberToJson(knot.position)},
                     {"bias", NumberToJson(knot.bias)},
                     {"index", knot.index},
                     {"interpolation", knot.interpolation}});
  }
  return {{"mode", gradient.mode}, {"knots", knots}};
}

nlohmann::json SplineToJson(const SplineCurve& curve) {
  nlohmann::json knots = nlohmann::json::array();
  for (const SplineKnot& knot : curve.knots) {
    knots.push_back({{"position", VectorToJson(knot.position)},
                     {"flags", knot.flags},
                     {"leftTangent", VectorToJson(knot.leftTangent)},
                     {"rightTangent", VectorToJson(knot.rightTangent)}});
  }
  return {{"knots", knots}};
}

nlohmann::json LinkToJson(const Link& link, const NodeIds& ids) {
  auto id = ids.find(link.Target());
  return {{"link", id == ids.end() ? nlohmann::json() : nlohmann::json(id->second)}};
}

nlohmann::json ValueToJson(const Value& value, const NodeIds& ids) {
  return std::visit(
      [&ids](const auto& held) -> nlohmann::json {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, double>) return NumberToJson(held);
        if constexpr (std::is_same_v<Held, int32_t> || std::is_same_v<Held, bool>) return held;
        if constexpr (std::is_same_v<Held, Vector3>) return VectorToJson(held);
        if constexpr (std::is_same_v<Held, Gradient>) return GradientToJson(held);
        if constexpr (std::is_same_v<Held, SplineCurve>) return SplineToJson(held);
        if constexpr (std::is_same_v<Held, Link>) return LinkToJson(held, ids);
        return nullptr;
      },
      value.content);
}

nlohmann::json ParametersToJson(const Node& node, const NodeIds& ids,
                                const std::set<int32_t>& skipped = {}) {
  const DescriptionResource* description = DescriptionOf(node);
  nlohmann::json parameters = nlohmann::json::object();
  for (const auto& [id, value] : node.settings.Entries()) {
    if (skipped.count(id) || value.IsNone()) continue;
    const ParameterResource* parameter = description ? description->FindParameter(id) : nullptr;
    parameters[parameter ? parameter->name : std::to_string(id)] = ValueToJson(value, ids);
  }
  return parameters;
}

// Shaders keep the ids they were loaded with; the others get the first free "s<n>".
NodeIds IdsOf(const std::vector<std::unique_ptr<Node>>& shaders) {
  NodeIds ids;
  std::set<std::string> taken;
  for (const auto& shader : shaders) {
    if (!shader->name.empty() && taken.insert(shader->name).second)
      ids[shader.get()] = shader->name;
  }
  int next = 1;
  for (const auto& shader : shaders) {
    if (ids.count(shader.get())) continue;
    while (!taken.insert("s" + std::to_string(next)).second) ++next;
    ids[shader.get()] = "s" + std::to_string(next);
  }
  return ids;
}

nlohmann::json ShadersToJson(const std::vector<std::unique_ptr<Node>>& shaders,
                             const NodeIds& ids) {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& shader : shaders) {
    nlohmann::json entry = {{"id", ids.at(shader.get())},
                            {"type", shader->type},
                            {"parameters", ParametersToJson(*shader, ids)}};
    if (shader->type == NODE_TYPE_LAYER_SHADER) {
      entry["layers"] = nlohmann::json::array();
      for (const auto& layer : shader->layers) {
        nlohmann::json saved = {{"kind", layer->kind}, {"opacity", NumberToJson(layer->opacity)}};
        if (layer->kind == LAYER_KIND_SHADER) {
          saved["shader"] = LinkToJson(Link(LayerShader(*layer)), ids)["link"];
        }
        entry["layers"].push_back(saved);
      }
    }
    list.push_back(entry);
  }
  return list;
}

nlohmann::json MaterialToJson(const Node& material) {
  NodeIds ids = IdsOf(material.shaders);
  nlohmann::json channels = nlohmann::json::object();
  std::set<int32_t> linkIds;
  for (const Channel& channel : material.channels) {
    linkIds.insert(channel.linkId);
    auto id = ids.find(ChannelShader(channel));
    for (const ChannelName& name : kChannelNames) {
      if (name.number == channel.number && id != ids.end()) channels[name.name] = id->second;
    }
  }
  nlohmann::json saved = {{"name", material.name},
                          {"channels", channels},
                          {"shaders", ShadersToJson(material.shaders, ids)}};
  nlohmann::json parameters = ParametersToJson(material, ids, linkIds);
  if (!parameters.empty()) saved["parameters"] = parameters;
  return saved;
}

nlohmann::json ObjectToJson(const Node& object) {
  const Matrix34& m = object.globalMatrix;
  nlohmann::json saved = {{"name", object.name},
                          {"type", object.type},
                          {"radius", NumberToJson(object.radius)},
                          {"matrix",
                           {{"off", VectorToJson(m.off)},
                            {"axis1", VectorToJson(m.axis1)},
                            {"axis2", VectorToJson(m.axis2)},
                            {"axis3", VectorToJson(m.axis3)}}}};
  if (const Node* material = object.material.Target()) saved["material"] = material->name;
  return saved;
}

// ---------------------------------------------------------------- reading

Gradient ReadGradient(const JsonReader& reader) {
  reader.RequireObjectOf({"mode", "knots"});
  Gradient gradient;
  gradient.mode = reader.Member("mode").Int32();
  for (const JsonReader& entry : reader.Member("knots").Elements()) {
    entry.RequireObjectOf({"color", "brightness", "position", "bias", "index", "interpolation"});
    GradientKnot knot = FallbackKnot();
    knot.color = entry.Member("color").Vector();
    knot.position = entry.Member("position").Number();
    if (auto brightness = entry.FindMember("brightness")) knot.brightness = brightness->Number();
    if (auto bias = entry.FindMember("bias")) knot.bias = bias->Number();
    if (auto index = entry.FindMember("index")) knot.index = index->Int32();
    if (auto interpolation = entry.FindMember("interpolation")) {
      knot.interpolation = interpolation->Int32();
      if (knot.interpolation < GRADIENT_INTERPOLATION_STEP ||
          knot.interpolation > GRADIENT_INTERPOLATION_CUBIC) {
        interpolation->Fail("unknown interpolation " + std::to_string(knot.interpolation));
      }
    }
    gradient.Insert(knot);
  }
  return gradient;
}

SplineCurve ReadSpline(const JsonReader& reader) {
  reader.RequireObjectOf({"knots"});
  SplineCurve curve;
  std::vector<JsonReader> entries = reader.Member("knots").Elements();
  if (entries.size() > static_cast<size_t>(SplineCurve::kMaxKnots)) {
    reader.Member("knots").Fail("more knots than a spline can hold");
  }
  for (const JsonReader& entry : entries) {
    entry.RequireObjectOf({"position", "flags", "leftTangent", "rightTangent"});
    SplineKnot knot{};
    knot.position = entry.Member("position").Vector();
    if (auto flags = entry.FindMember("flags")) knot.flags = flags->Int32();
    if (auto left = entry.FindMember("leftTangent")) knot.leftTangent = left->Vector();
    if (auto right = entry.FindMember("rightTangent")) knot.rightTangent = right->Vector();
    curve.knots.push_back(knot);
  }
  return curve;
}

Node* ReadNodeId(const JsonReader& reader, const Scope& scope) {
  if (reader.Json().is_null()) return nullptr;
  std::string id = reader.String();
  auto found = scope.find(id);
  if (found == scope.end()) reader.Fail("no node has the id \"" + id + "\"");
  return found->second;
}

Link ReadLink(const JsonReader& reader, const Scope& scope) {
  reader.RequireObjectOf({"link"});
  return Link(ReadNodeId(reader.Member("link"), scope));
}

// The shape tells the type when nothing else does.
int32_t TypeByShape(const JsonReader& reader) {
  const nlohmann::json& json = reader.Json();
  if (json.is_boolean()) return DATA_TYPE_BOOL;
  if (json.is_number_integer()) return DATA_TYPE_INT32;
  if (json.is_number()) return DATA_TYPE_FLOAT;
  if (json.is_array()) return DATA_TYPE_VECTOR;
  if (json.is_object() && json.contains("link")) return DATA_TYPE_LINK;
  if (json.is_object() && json.contains("mode")) return DATA_TYPE_GRADIENT;
  if (json.is_object() && json.contains("knots")) return DATA_TYPE_SPLINE;
  reader.Fail("not a value a node can hold");
}

Value ReadValue(const JsonReader& reader, int32_t valueType, const Scope& scope) {
  switch (valueType ? valueType : TypeByShape(reader)) {
    case DATA_TYPE_FLOAT:
      return reader.Number();
    case DATA_TYPE_INT32:
      return reader.Int32();
    case DATA_TYPE_BOOL:
      return reader.Bool();
    case DATA_TYPE_VECTOR:
    case DATA_TYPE_COLOR:
      return reader.Vector();
    case DATA_TYPE_GRADIENT:
      return ReadGradient(reader);
    case DATA_TYPE_SPLINE:
      return ReadSpline(reader);
    case DATA_TYPE_LINK:
      return ReadLink(reader, scope);
    default:
      reader.Fail("a parameter of this type has no stored value");
  }
}

int32_t BuiltInParameterType(int32_t nodeType, int32_t id) {
  if (nodeType == NODE_TYPE_EDGE_GRADIENT_SHADER && id == EDGE_GRADIENT_PARAM_GRADIENT) {
    return DATA_TYPE_GRADIENT;
  }
  bool channelLink =
      id == MATERIAL_LINK_COLOR || id == MATERIAL_LINK_BUMP || id == MATERIAL_LINK_DISPLACEMENT;
  return nodeType == NODE_TYPE_STANDARD_MATERIAL && channelLink ? DATA_TYPE_LINK : 0;
}

// All values are read before any is stored, so a bad one leaves the node as it was.
void ReadParameters(Node& node, const JsonReader& reader, const Scope& scope) {
  const DescriptionResource* description = DescriptionOf(node);
  std::vector<std::pair<int32_t, Value>> values;
  for (const auto& [key, entry] : reader.Members()) {
    const ParameterResource* parameter = description ? description->FindParameter(key) : nullptr;
    std::optional<int32_t> id = parameter ? parameter->id : ParseInt32(key);
    if (!id) {
      reader.FailAtMember(
          key, "node type " + std::to_string(node.type) + " has no parameter \"" + key + "\"");
    }
    if (!parameter && description) parameter = description->FindParameter(*id);
    int32_t valueType = parameter ? parameter->valueType : BuiltInParameterType(node.type, *id);
    values.emplace_back(*id, ReadValue(entry, valueType, scope));
  }
  for (auto& [id, value] : values) node.settings.Set(id, std::move(value));
}

std::unique_ptr<Node> CreateShader(const JsonReader& entry) {
  JsonReader typeReader = entry.Member("type");
  int32_t type = typeReader.Int32();
  if (!IsShaderType(type)) typeReader.Fail("no shader type " + std::to_string(type) + " is known");
  std::unique_ptr<Node> shader = Node::Create(type);
  if (!shader) entry.Fail("the node could not be made");
  return shader;
}

void ReadLayers(Node& layerShader, const JsonReader& reader, const Scope& scope) {
  if (layerShader.type != NODE_TYPE_LAYER_SHADER) reader.Fail("only a layer shader has layers");
  for (const JsonReader& entry : reader.Elements()) {
    entry.RequireObjectOf({"kind", "opacity", "shader"});
    JsonReader kindReader = entry.Member("kind");
    int32_t kind = kindReader.Int32();
    if (kind < LAYER_KIND_IMAGE || kind > LAYER_KIND_ADJUSTMENT) {
      kindReader.Fail("unknown layer kind " + std::to_string(kind));
    }
    double opacity = 1.0;
    if (auto opacityReader = entry.FindMember("opacity")) {
      opacity = opacityReader->Number();
      if (opacity < 0 || opacity > 1) opacityReader->Fail("the opacity lies outside 0 to 1");
    }
    const Node* shader = nullptr;
    if (auto shaderReader = entry.FindMember("shader")) {
      if (kind != LAYER_KIND_SHADER) shaderReader->Fail("only a shader layer links a shader");
      shader = ReadNodeId(*shaderReader, scope);
    }
    AddLayer(layerShader, kind, opacity, shader);
  }
}

// Every node first, so that links may point forwards; then what each node holds.
Scope ReadShaders(const JsonReader& reader, Node* material, Document& document) {
  Scope scope;
  std::vector<JsonReader> entries = reader.Elements();
  Node* previous = nullptr;
  for (const JsonReader& entry : entries) {
    entry.RequireObjectOf({"id", "type", "parameters", "layers"});
    JsonReader idReader = entry.Member("id");
    std::string id = idReader.String();
    if (id.empty() || scope.count(id)) idReader.Fail("the id \"" + id + "\" is empty or taken");
    std::unique_ptr<Node> shader = CreateShader(entry);
    shader->name = id;
    previous = material ? InsertShader(*material, std::move(shader), previous)
                        : &document.AddFreeNode(std::move(shader));
    scope[id] = previous;
  }
  for (const JsonReader& entry : entries) {
    Node& shader = *scope.at(entry.Member("id").String());
    if (auto parameters = entry.FindMember("parameters"))
      ReadParameters(shader, *parameters, scope);
    if (auto layers = entry.FindMember("layers")) ReadLayers(shader, *layers, scope);
  }
  return scope;
}

void ReadMaterial(const JsonReader& reader, Document& document) {
  reader.RequireObjectOf({"name", "channels", "shaders", "parameters"});
  Node& material = document.AddMaterial(Node::Create(NODE_TYPE_STANDARD_MATERIAL));
  if (auto name = reader.FindMember("name")) material.name = name->String();
  Scope scope;
  if (auto shaders = reader.FindMember("shaders"))
    scope = ReadShaders(*shaders, &material, document);
  if (auto parameters = reader.FindMember("parameters")) {
    ReadParameters(material, *parameters, scope);
  }
  if (auto channels = reader.FindMember("channels")) {
    channels->RequireObjectOf({"color", "bump", "displacement"});
    for (const ChannelName& channel : kChannelNames) {
      if (auto shader = channels->FindMember(channel.name)) {
        LinkChannel(material, channel.number, ReadNodeId(*shader, scope));
      }
    }
  }
}

const Node* FindMaterial(const JsonReader& reader, const Document& document) {
  std::string name = reader.String();
  const Node* found = nullptr;
  for (const auto& material : document.Materials()) {
    if (material->name != name) continue;
    if (found) reader.Fail("more than one material is named \"" + name + "\"");
    found = material.get();
  }
  if (!found) reader.Fail("no material is named \"" + name + "\"");
  return found;
}

void ReadObject(const JsonReader& reader, Document& document) {
  reader.RequireObjectOf({"name", "type", "radius", "matrix", "material"});
  JsonReader typeReader = reader.Member("type");
  if (typeReader.Int32() != NODE_TYPE_SPHERE_OBJECT) {
    typeReader.Fail("no object type " + std::to_string(typeReader.Int32()) + " is known");
  }
  Node& object = document.AddObject(Node::Create(NODE_TYPE_SPHERE_OBJECT));
  if (auto name = reader.FindMember("name")) object.name = name->String();
  if (auto radius = reader.FindMember("radius")) {
    object.radius = radius->Number();
    if (!(object.radius > 0)) radius->Fail("the radius must be above 0");
  }
  if (auto matrix = reader.FindMember("matrix")) {
    matrix->RequireObjectOf({"off", "axis1", "axis2", "axis3"});
    object.globalMatrix = {matrix->Member("off").Vector(), matrix->Member("axis1").Vector(),
                           matrix->Member("axis2").Vector(), matrix->Member("axis3").Vector()};
  }
  if (auto material = reader.FindMember("material")) {
    object.material = Link(FindMaterial(*material, document));
  }
}

}  // namespace

nlohmann::json SaveScene(const Document& document) {
  nlohmann::json scene = {{"format", kFormat}, {"version", kVersion}};
  scene["materials"] = nlohmann::json::array();
  for (const auto& material : document.Materials()) {
    scene["materials"].push_back(MaterialToJson(*material));
  }
  scene["objects"] = nlohmann::json::array();
  for (const auto& object : document.Objects()) scene["objects"].push_back(ObjectToJson(*object));
  if (!document.FreeNodes().empty()) {
    scene["shaders"] = ShadersToJson(document.FreeNodes(), IdsOf(document.FreeNodes()));
  }
  return scene;
}

void SaveScene(const Document& document, const std::filesystem::path& file) {
  std::string text = SaveScene(document).dump(2) + "\n";
  std::filesystem::path temporary = file;
  temporary += ".partial";
  {
    std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
    stream << text;
    if (!stream.flush()) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      throw std::runtime_error(file.string() + ": cannot write the file");
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    throw std::runtime_error(file.string() + ": cannot write the file");
  }
}

std::unique_ptr<Document> LoadScene(const nlohmann::json& scene, const std::string& file) {
  JsonReader reader(scene, file);
  reader.RequireObjectOf({"format", "version", "materials", "objects", "shaders"});
  JsonReader format = reader.Member("format");
  if (format.String() != kFormat) format.Fail(std::string("not a ") + kFormat + " document");
  JsonReader version = reader.Member("version");
  if (version.Int32() != kVersion) {
    version.Fail("version " + std::to_string(version.Int32()) + " is not known");
  }
  auto document = std::make_unique<Document>();
  if (auto materials = reader.FindMember("materials")) {
    for (const JsonReader& material : materials->Elements()) ReadMaterial(material, *document);
  }
  if (auto objects = reader.FindMember("objects")) {
    for (const JsonReader& object : objects->Elements()) ReadObject(object, *document);
  }
  if (auto shaders = reader.FindMember("shaders")) ReadShaders(*shaders, nullptr, *document);
  return document;
}

std::unique_ptr<Document> LoadScene(const std::filesystem::path& file) {
  return LoadScene(ReadJsonFile(file), file.string());
}

nlohmann::json SaveParameters(const Node& node) {
  return ParametersToJson(node, {});
}

void ApplyParameters(Node& node, const nlohmann::json& parameters, const std::string& file) {
  ReadParameters(node, JsonReader(parameters, file), {});
}

}  // namespace standin
