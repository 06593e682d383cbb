// verdanta press: press a button of one node's parameter panel, as a user would in the host,
// and write the scene that results.
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "atomic_file.h"
#include "command_registry.h"
#include "descriptions.h"
#include "host.h"
#include "node_callbacks.h"
#include "node_path.h"
#include "panel.h"
#include "plugin_folder.h"
#include "scene_file.h"

namespace standin {

namespace {

struct PressOptions {
  std::string plugins;
  std::string scene;
  std::string node;
  std::string button;
  std::string output;
};

// A host only delivers a press on a button its panel shows and enables.
int32_t PressableButton(Node& node, const PressOptions& options) {
  const std::string where = "node '" + options.node + "'";
  for (const PanelEntry& entry : BuildPanel(node)) {
    if (entry.name != options.button) continue;
    if (entry.valueType != DATA_TYPE_BUTTON) {
      throw std::runtime_error(options.button + " of " + where + " is no button");
    }
    if (entry.hidden || !entry.enabled) {
      throw std::runtime_error(options.button + " of " + where + " is " +
                               (entry.hidden ? "hidden" : "disabled") +
                               " where the node sits, so it cannot be pressed");
    }
    return entry.id;
  }
  throw std::runtime_error(where + " has no button " + options.button);
}

// ---------------------------------------------------------------- what the press changed

// The names of the parameters whose stored values differ, in name order.
std::string ChangedParameters(const nlohmann::json& before, const nlohmann::json& after) {
  std::set<std::string> names;
  for (const auto& [name, value] : before.items()) names.insert(name);
  for (const auto& [name, value] : after.items()) names.insert(name);
  std::string changed;
  for (const std::string& name : names) {
    if (before.value(name, nlohmann::json()) == after.value(name, nlohmann::json())) continue;
    changed += (changed.empty() ? "" : ", ") + name;
  }
  return changed;
}

void AddShaderChanges(const std::string& place, const nlohmann::json& before,
                      const nlohmann::json& after, std::vector<std::string>& changes) {
  auto byId = [](const nlohmann::json& shaders) {
    std::map<std::string, nlohmann::json> found;
    for (const nlohmann::json& shader : shaders) found[shader["id"]] = shader;
    return found;
  };
  const auto old = byId(before);
  const auto now = byId(after);
  for (const auto& [id, shader] : now) {
    auto was = old.find(id);
    if (was == old.end()) {
      changes.push_back(place + "/" + id + ": new shader of type " + shader["type"].dump());
      continue;
    }
    const std::string changed = ChangedParameters(was->second["parameters"], shader["parameters"]);
    if (!changed.empty()) changes.push_back(place + "/" + id + ": " + changed + " changed");
  }
  for (const auto& [id, shader] : old) {
    if (!now.count(id)) changes.push_back(place + "/" + id + ": gone");
  }
}

std::vector<std::string> SceneChanges(const nlohmann::json& before, const nlohmann::json& after) {
  std::vector<std::string> changes;
  const nlohmann::json& materials = after["materials"];
  for (size_t i = 0; i < materials.size(); ++i) {
    const nlohmann::json& now = materials[i];
    const nlohmann::json old =
        i < before["materials"].size() ? before["materials"][i] : nlohmann::json::object();
    const std::string name = now["name"].get<std::string>();
    const std::string material = name.empty() ? std::to_string(i) : name;
    for (const char* channel : {"color", "bump", "displacement"}) {
      nlohmann::json linked = now["channels"].value(channel, nlohmann::json());
      nlohmann::json was =
          old.value("channels", nlohmann::json::object()).value(channel, nlohmann::json());
      if (linked == was) continue;
      changes.push_back(material + "/" + channel + ": now " +
                        (linked.is_null() ? "empty" : "links " + linked.get<std::string>()) +
                        (was.is_null() ? "" : ", was " + was.get<std::string>()));
    }
    AddShaderChanges(material + "/shaders", old.value("shaders", nlohmann::json::array()),
                     now["shaders"], changes);
  }
  AddShaderChanges("shaders", before.value("shaders", nlohmann::json::array()),
                   after.value("shaders", nlohmann::json::array()), changes);
  return changes;
}

void RunPress(const PressOptions& options) {
  Host host;
  host.Load(ResolvePluginFolder(options.plugins));
  Document& scene = host.AdoptDocument(LoadScene(std::filesystem::path(options.scene)));
  Node& node = FindNode(scene, options.node);
  CommandMessage press{OneLevelParamId(PressableButton(node, options), DATA_TYPE_BUTTON)};
  const nlohmann::json before = SaveScene(scene);
  CallMessage(node, NODE_MESSAGE_COMMAND, &press);
  const nlohmann::json after = SaveScene(scene);
  WriteFileAtomically(options.output, after.dump(2) + "\n");
  std::vector<std::string> changes = SceneChanges(before, after);
  if (changes.empty()) changes.push_back("nothing changed");
  for (const std::string& change : changes) std::printf("%s\n", change.c_str());
}

void AddPressCommand(CLI::App& app) {
  auto options = std::make_shared<PressOptions>();
  CLI::App* command = app.add_subcommand(
      "press", "Press a button of one node's parameter panel and write the resulting scene");
  command->add_option("scene", options->scene, "Scene file (JSON)")->required();
  command->add_option("--node", options->node, "The node, by PATH (see below)")->required();
  command
      ->add_option("--button", options->button,
                   "The button, by name: VERDANTA_COPY_TO_BUMP or VERDANTA_COPY_TO_DISPLACEMENT")
      ->required();
  command->add_option("-o,--output", options->output, "Scene file to write")->required();
  AddPluginFolderOption(*command, options->plugins);
  command->footer(
      std::string(
          "Delivers the press to the node as the host does (a command message naming the "
          "button), then writes the whole scene as it is afterwards and prints what changed, "
          "one line each. Notices the node shows appear on stderr.\n"
          "VERDANTA_COPY_TO_BUMP and VERDANTA_COPY_TO_DISPLACEMENT link a copy of the shader "
          "into the bump or displacement channel of its material, or bring the terrain of the "
          "copy already there into line.\n") +
      kNodePathHelp +
      "A path that names no node, a button the node does not have, or one its panel hides "
      "or disables (as a shader in the bump or displacement channel does), exits non-zero "
      "with a one-line reason. The output is written whole or not at all.\n");
  command->callback([options] { RunPress(*options); });
}

const CommandRegistrar registrar("press", AddPressCommand);

}  // namespace

}  // namespace standin
