// verdanta panel: the parameter panel of one node of a scene, as the host builds it from the
// node's description and its answers where it sits.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "command_registry.h"
#include "descriptions.h"
#include "host.h"
#include "node_path.h"
#include "panel.h"
#include "plugin_folder.h"
#include "scene_file.h"

namespace standin {

namespace {

struct PanelOptions {
  std::string plugins;
  std::string scene;
  std::string node;
  bool json = false;
};

struct PanelGroup {
  const GroupResource* group;
  std::vector<const PanelEntry*> entries;
};

std::vector<PanelGroup> GroupsOf(const DescriptionResource& description,
                                 const std::vector<PanelEntry>& panel) {
  std::vector<PanelGroup> groups;
  for (const GroupResource& group : description.groups) {
    PanelGroup shown{&group, {}};
    for (const ParameterResource& parameter : group.parameters) {
      for (const PanelEntry& entry : panel) {
        if (entry.id == parameter.id) shown.entries.push_back(&entry);
      }
    }
    groups.push_back(std::move(shown));
  }
  return groups;
}

std::string Number(double value) {
  return nlohmann::json(value).dump();
}

std::string ValueText(const PanelEntry& entry) {
  if (entry.valueType == DATA_TYPE_BUTTON) return "button";
  const Value& value = entry.value;
  if (auto number = value.Get<double>()) return Number(*number);
  if (auto number = value.Get<int32_t>()) return std::to_string(*number);
  if (auto truth = value.Get<bool>()) return *truth ? "true" : "false";
  if (auto v = value.Get<Vector3>()) return Number(v->x) + " " + Number(v->y) + " " + Number(v->z);
  if (auto gradient = value.Get<Gradient>()) {
    return "gradient, " + std::to_string(gradient->knots.size()) + " knots";
  }
  if (auto curve = value.Get<SplineCurve>()) {
    return "spline, " + std::to_string(curve->knots.size()) + " knots";
  }
  if (auto link = value.Get<Link>()) return link->Target() ? "link" : "empty link";
  return "(none)";
}

std::string Padded(std::string text, size_t width) {
  text.resize(std::max(text.size() + 1, width), ' ');
  return text;
}

std::string TypeText(const Node& node) {
  return node.plugin ? node.plugin->name + " (type " + std::to_string(node.type) + ")"
                     : "type " + std::to_string(node.type);
}

std::string PanelText(const std::string& path, const Node& node,
                      const std::vector<PanelGroup>& groups) {
  std::string text = path + ": " + TypeText(node) + "\n";
  for (const PanelGroup& group : groups) {
    text += "\n" + group.group->label + "\n";
    for (const PanelEntry* entry : group.entries) {
      text += "  " + Padded(entry->name, 31) + Padded(entry->label, 29) +
              Padded(ValueText(*entry), 26) + Padded(entry->hidden ? "hidden" : "shown", 8) +
              (entry->enabled ? "enabled" : "disabled") + "\n";
    }
  }
  return text;
}

nlohmann::json PanelJson(const std::string& path, const Node& node,
                         const std::vector<PanelGroup>& groups) {
  // The values in the scene file's own form.
  const nlohmann::json stored = SaveParameters(node);
  nlohmann::json shownGroups = nlohmann::json::array();
  for (const PanelGroup& group : groups) {
    nlohmann::json parameters = nlohmann::json::array();
    for (const PanelEntry* entry : group.entries) {
      const char* type = ValueTypeName(entry->valueType);
      parameters.push_back({{"id", entry->id},
                            {"name", entry->name},
                            {"label", entry->label},
                            {"type", type ? type : std::to_string(entry->valueType)},
                            {"value", stored.value(entry->name, nlohmann::json())},
                            {"hidden", entry->hidden},
                            {"enabled", entry->enabled}});
    }
    shownGroups.push_back(
        {{"id", group.group->id}, {"label", group.group->label}, {"parameters", parameters}});
  }
  return {{"node", path},
          {"type", node.type},
          {"typeName", node.plugin ? node.plugin->name : ""},
          {"groups", shownGroups}};
}

void RunPanel(const PanelOptions& options) {
  Host host;
  host.Load(ResolvePluginFolder(options.plugins));
  Document& scene = host.AdoptDocument(LoadScene(std::filesystem::path(options.scene)));
  Node& node = FindNode(scene, options.node);
  std::shared_ptr<const DescriptionResource> description = RegisteredDescription(node.type);
  if (!description) {
    throw std::runtime_error("node '" + options.node + "' (" + TypeText(node) +
                             ") has no parameter description, so no panel");
  }
  const std::vector<PanelEntry> panel = BuildPanel(node);
  const std::vector<PanelGroup> groups = GroupsOf(*description, panel);
  std::string text = options.json ? PanelJson(options.node, node, groups).dump(2) + "\n"
                                  : PanelText(options.node, node, groups);
  std::fputs(text.c_str(), stdout);
}

void AddPanelCommand(CLI::App& app) {
  auto options = std::make_shared<PanelOptions>();
  CLI::App* command =
      app.add_subcommand("panel", "Show the parameter panel of one node of a scene");
  command->add_option("scene", options->scene, "Scene file (JSON)")->required();
  command->add_option("--node", options->node, "The node, by PATH (see below)")->required();
  command->add_flag("--json", options->json, "Print the panel as JSON");
  AddPluginFolderOption(*command, options->plugins);
  command->footer(
      std::string("Shows the node's parameters by group, with their labels, current values, "
                  "and whether each is hidden and enabled, as the node answers where it sits "
                  "(a shader in the bump or displacement channel shows other parameters than "
                  "one in the colour channel).\n") +
      kNodePathHelp +
      "A path that names no node, or a node without a parameter description, exits non-zero "
      "with a one-line reason.\n");
  command->callback([options] { RunPanel(*options); });
}

const CommandRegistrar registrar("panel", AddPanelCommand);

}  // namespace

}  // namespace standin
