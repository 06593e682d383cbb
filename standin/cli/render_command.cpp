// verdanta render: a lit planet as a PNG image, from the default planet or a scene document.
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "command_registry.h"
#include "host.h"
#include "node_shading.h"
#include "output_check.h"
#include "plugin_folder.h"
#include "png_io.h"
#include "prepared_shaders.h"
#include "progress_line.h"
#include "renderer.h"
#include "scene_input.h"

namespace standin {

namespace {

constexpr int kMaxImageSide = 16384;
constexpr int kMaxThreads = 1024;

struct RenderOptions {
  SceneInput scene;
  int width = 640;
  int height = 480;
  int threads = 0;
  std::string channel = "colour";
  bool displacement = false;
  std::string output = "planet.png";
};

// The shading of a node the render uses; null when it uses none.
const SurfaceShading* Use(std::optional<NodeShading>& slot, const Node* shader) {
  return shader ? &slot.emplace(*shader) : nullptr;
}

std::string Task(const RenderOptions& options) {
  return "rendering " + std::to_string(options.width) + "x" + std::to_string(options.height);
}

ChannelView ViewOfChannel(const std::string& channel) {
  const std::map<std::string, ChannelView> views = {{"colour", ChannelView::kColour},
                                                    {"bump", ChannelView::kBump},
                                                    {"displacement", ChannelView::kDisplacement}};
  return views.at(channel);
}

RenderSettings SettingsOf(const RenderOptions& options) {
  RenderSettings settings;
  settings.width = options.width;
  settings.height = options.height;
  settings.threads = options.threads;
  settings.view = ViewOfChannel(options.channel);
  settings.displacement = options.displacement;
  return settings;
}

void RunRender(const RenderOptions& options) {
  CheckWritable(options.output);
  const RenderSettings settings = SettingsOf(options);
  const bool colour = settings.view == ChannelView::kColour;
  const bool bump = colour || settings.view == ChannelView::kBump;
  const bool displacement = settings.displacement || settings.view == ChannelView::kDisplacement;
  Host host;
  host.Load(ResolvePluginFolder(options.scene.plugins));
  const OpenedScene scene =
      OpenSceneInput(host, options.scene, {settings.view == ChannelView::kBump, displacement});
  Node* const colourShader = colour ? scene.shaders.colour : nullptr;
  Node* const bumpShader = bump ? scene.shaders.bump : nullptr;
  Node* const displacementShader = displacement ? scene.shaders.displacement : nullptr;

  SceneView view = ViewOf(*scene.sphereObject);
  std::optional<NodeShading> colourShading, bumpShading, displacementShading;
  view.colour = Use(colourShading, colourShader);
  view.bump = Use(bumpShading, bumpShader);
  view.displacement = Use(displacementShading, displacementShader);
  Image image;
  {
    const PreparedShaders prepared(
        {colourShader, bumpShader, displacementShader},
        LinearRenderSetup(scene.document, ResolveThreadCount(options.threads)));
    ProgressLine progress(Task(options));
    image = Render(view, settings, progress.Reporter());
  }
  WriteColourPng(options.output, image);
}

void AddRenderCommand(CLI::App& app) {
  auto options = std::make_shared<RenderOptions>();
  CLI::App* command = app.add_subcommand("render", "Render a lit planet as a PNG image");
  AddSceneInputOptions(*command, options->scene);
  command->add_option("-o,--output", options->output, "PNG file to write")->capture_default_str();
  command->add_option("--width", options->width, "Image width in pixels")
      ->check(CLI::Range(1, kMaxImageSide))
      ->capture_default_str();
  command->add_option("--height", options->height, "Image height in pixels")
      ->check(CLI::Range(1, kMaxImageSide))
      ->capture_default_str();
  command->add_option("--threads", options->threads, "Render threads; 0: one per core")
      ->check(CLI::Range(0, kMaxThreads))
      ->capture_default_str();
  command
      ->add_option("--channel", options->channel,
                   "What the image shows: colour (lit, with the bump channel's relief), or the "
                   "bump or displacement channel's height, unlit")
      ->check(CLI::IsMember({"colour", "bump", "displacement"}))
      ->capture_default_str();
  command->add_flag("--displacement", options->displacement,
                    "Move the surface by the displacement channel's height");
  command->footer(
      "Without SCENE the default planet is rendered, set up as a user would: a new planet "
      "shader in the colour channel of a standard material, its VERDANTA_COPY_TO_BUMP button "
      "pressed so that a copy gives the relief (and VERDANTA_COPY_TO_DISPLACEMENT too when "
      "displacement is asked for). --set and --preset edit the colour channel's planet shader; "
      "when they change its terrain, its copies are brought into line as the buttons do.\n"
      "With SCENE the document's first material is rendered on the first sphere object drawn "
      "with it (its radius and matrix), or on a default sphere of radius 100 when none is.\n"
      "Bad arguments, scenes or presets exit non-zero with a one-line reason; the image is "
      "written whole or not at all.\n");
  command->callback([options] { RunRender(*options); });
}

const CommandRegistrar registrar("render", AddRenderCommand);

}  // namespace

}  // namespace standin
