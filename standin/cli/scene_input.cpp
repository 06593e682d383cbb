#include "scene_input.h"

#include <map>
#include <stdexcept>

#include "button_press.h"
#include "descriptions.h"
#include "parameter_edits.h"
#include "planet_scene.h"
#include "plugin_folder.h"
#include "scene_file.h"

namespace standin {

namespace {

// What the copy buttons bring into line; the copies keep their own height, ice, clouds, child.
constexpr const char* kTerrainParameters[] = {
    "VERDANTA_TERRAIN_GRADIENT",   "VERDANTA_TERRAIN_SCALE",  "VERDANTA_TERRAIN_ROUGHNESS",
    "VERDANTA_TERRAIN_LACUNARITY", "VERDANTA_TERRAIN_DETAIL", "VERDANTA_SEED"};

struct CopyChannel {
  int32_t channel;
  const char* button;
  const char* name;
};
constexpr CopyChannel kCopyChannels[] = {
    {MATERIAL_CHANNEL_BUMP, "VERDANTA_COPY_TO_BUMP", "bump"},
    {MATERIAL_CHANNEL_DISPLACEMENT, "VERDANTA_COPY_TO_DISPLACEMENT", "displacement"},
};

int32_t ParameterId(const Node& shader, const char* name) {
  std::shared_ptr<const DescriptionResource> description = RegisteredDescription(shader.type);
  const ParameterResource* parameter = description ? description->FindParameter(name) : nullptr;
  if (!parameter) {
    throw std::runtime_error(std::string("the planet shader's description has no ") + name);
  }
  return parameter->id;
}

std::map<int32_t, Value> TerrainValues(const Node& shader) {
  std::map<int32_t, Value> values;
  for (const char* name : kTerrainParameters) {
    const int32_t id = ParameterId(shader, name);
    if (const Value* value = shader.settings.Find(id)) values[id] = *value;
  }
  return values;
}

Node* ShaderInChannel(Node& material, int32_t channel) {
  const ChannelShaders shaders = ChannelShadersOf(material);
  return channel == MATERIAL_CHANNEL_BUMP ? shaders.bump : shaders.displacement;
}

void PressCopyButton(Node& planet, Node& material, const CopyChannel& copy) {
  PressButton(planet, ParameterId(planet, copy.button));
  if (!FindShaderOfType(ShaderInChannel(material, copy.channel), kVerdantaNodeType)) {
    throw std::runtime_error(std::string("the planet shader linked no copy of itself into the ") +
                             copy.name + " channel");
  }
}

std::unique_ptr<Document> ReadScene(const SceneInput& input) {
  return input.sceneFile.empty() ? NewPlanetScene() : LoadScene(input.sceneFile);
}

std::string SceneName(const SceneInput& input) {
  return input.sceneFile.empty() ? "the default planet" : "'" + input.sceneFile + "'";
}

Node& FirstMaterial(const Document& document, const SceneInput& input) {
  if (document.Materials().empty()) {
    throw std::runtime_error(SceneName(input) + " holds no material");
  }
  return *document.Materials().front();
}

Node& PlanetShader(Node& material, const SceneInput& input) {
  Node* planet = FindShaderOfType(ChannelShadersOf(material).colour, kVerdantaNodeType);
  if (!planet) {
    throw std::runtime_error("the colour channel of the first material of " + SceneName(input) +
                             " holds no planet shader to edit");
  }
  return *planet;
}

void ApplyEdits(Node& material, const SceneInput& input) {
  if (input.preset.empty() && input.settings.empty()) return;
  Node& planet = PlanetShader(material, input);
  const std::map<int32_t, Value> terrainBefore = TerrainValues(planet);
  if (!input.preset.empty()) ApplyPreset(planet, input.preset);
  for (const std::string& setting : input.settings) ApplySetting(planet, setting);
  if (TerrainValues(planet) == terrainBefore) return;
  for (const CopyChannel& copy : kCopyChannels) {
    if (FindShaderOfType(ShaderInChannel(material, copy.channel), kVerdantaNodeType)) {
      PressCopyButton(planet, material, copy);
    }
  }
}

void RequireShader(const Node* shader, bool needed, const char* channel, const SceneInput& input) {
  if (needed && !shader) {
    throw std::runtime_error(std::string("the ") + channel + " channel of the first material of " +
                             SceneName(input) + " holds no shader");
  }
}

}  // namespace

void AddSceneInputOptions(CLI::App& command, SceneInput& input) {
  command.add_option("scene", input.sceneFile,
                     "Scene document (JSON, as `verdanta scene new` writes); without one, the "
                     "default planet");
  command.add_option("--set", input.settings,
                     "NAME=VALUE: a parameter of the planet shader by its name, the value as a "
                     "scene stores it (7, 0.25, [1, 0, 0], a gradient or spline object); may be "
                     "repeated; applied after --preset");
  command.add_option("--preset", input.preset,
                     "JSON file: an object of the planet shader's stored values by parameter "
                     "name, in the scene document's form, gradient and spline included");
  AddPluginFolderOption(command, input.plugins);
}

OpenedScene OpenSceneInput(Host& host, const SceneInput& input, ChannelNeeds needs) {
  OpenedScene scene;
  scene.document = &host.AdoptDocument(ReadScene(input));
  Node& material = FirstMaterial(*scene.document, input);
  if (input.sceneFile.empty()) {
    Node& planet = PlanetShader(material, input);
    PressCopyButton(planet, material, kCopyChannels[0]);
    if (needs.displacement) PressCopyButton(planet, material, kCopyChannels[1]);
  }
  ApplyEdits(material, input);
  scene.material = &material;
  scene.shaders = ChannelShadersOf(material);
  RequireShader(scene.shaders.bump, needs.bump, "bump", input);
  RequireShader(scene.shaders.displacement, needs.displacement, "displacement", input);
  scene.sphereObject = &SphereObjectFor(*scene.document, material);
  return scene;
}

}  // namespace standin
