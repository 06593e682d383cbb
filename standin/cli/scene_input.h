// The scene a render or a bake works on: a scene document as it is, or the default planet set
// up as a user would, with the command line's parameter edits made to its colour shader.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "document.h"
#include "host.h"
#include "material_view.h"

namespace standin {

struct SceneInput {
  std::string plugins;
  std::string sceneFile;  // empty: the default planet
  std::string preset;
  std::vector<std::string> settings;  // NAME=VALUE, applied after the preset
};

// SCENE, --set, --preset and --plugins, with their help.
void AddSceneInputOptions(CLI::App& command, SceneInput& input);

// The channels a command reads besides the colour channel.
struct ChannelNeeds {
  bool bump = false;
  bool displacement = false;
};

struct OpenedScene {
  Document* document = nullptr;
  Node* material = nullptr;      // the document's first material
  Node* sphereObject = nullptr;  // the object that carries it
  ChannelShaders shaders;
};

// The default planet is a new planet scene whose shader has linked a copy of itself into the
// bump channel (the VERDANTA_COPY_TO_BUMP button), and into the displacement channel when that
// is needed (VERDANTA_COPY_TO_DISPLACEMENT). Edits go to the planet shader of the colour
// channel; when they change its terrain, the copies in the bump and displacement channels are
// brought into line by pressing their buttons again. The host adopts the document.
// Throws with a one-line reason for a bad scene, preset or edit, or a needed channel that
// holds no shader.
OpenedScene OpenSceneInput(Host& host, const SceneInput& input, ChannelNeeds needs);

}  // namespace standin
