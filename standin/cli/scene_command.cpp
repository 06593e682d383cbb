// verdanta scene new: a scene document to start from, holding one standard material with a
// new planet shader in its colour channel.
#include <memory>
#include <string>

#include "atomic_file.h"
#include "command_registry.h"
#include "host.h"
#include "planet_scene.h"
#include "plugin_folder.h"
#include "scene_file.h"

namespace standin {

namespace {

struct SceneNewOptions {
  std::string plugins;
  std::string output;
};

void RunSceneNew(const SceneNewOptions& options) {
  Host host;
  host.Load(ResolvePluginFolder(options.plugins));
  // The shader's values are exactly what its Init stored.
  Document& scene = host.AdoptDocument(NewPlanetScene());
  WriteFileAtomically(options.output, SaveScene(scene).dump(2) + "\n");
}

void AddSceneCommand(CLI::App& app) {
  CLI::App* scene = app.add_subcommand("scene", "Work with scene documents (JSON)");
  scene->require_subcommand(1);
  auto options = std::make_shared<SceneNewOptions>();
  CLI::App* create = scene->add_subcommand("new", "Write a new scene to start from");
  create->add_option("-o,--output", options->output, "Scene file to write")->required();
  AddPluginFolderOption(*create, options->plugins);
  create->footer(
      "The scene holds one standard material with a new Verdanta shader in its colour "
      "channel, with the values the shader stores when it is made.\n"
      "The file is written whole or not at all; an unwritable path exits non-zero with a "
      "one-line reason.\n");
  create->callback([options] { RunSceneNew(*options); });
}

const CommandRegistrar registrar("scene", AddSceneCommand);

}  // namespace

}  // namespace standin
