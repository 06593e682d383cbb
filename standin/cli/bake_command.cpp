// verdanta bake: equirectangular colour and height maps of the planet shader, sampled without
// a ray hit, as PNG files.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "bake.h"
#include "command_registry.h"
#include "host.h"
#include "node_shading.h"
#include "output_check.h"
#include "plugin_folder.h"
#include "png_io.h"
#include "prepared_shaders.h"
#include "progress_line.h"
#include "scene_input.h"

namespace standin {

namespace {

constexpr int kMaxMapSide = 16384;
constexpr int kMaxThreads = 1024;

struct BakeOptions {
  SceneInput scene;
  int width = 2048;
  int height = 1024;
  int threads = 0;
  std::string colourMap;
  std::string heightMap;
  std::string heightChannel = "bump";
  HeightRange heightRange{0.0, 2.0};
};

std::string Task(const char* map, const BakeOptions& options) {
  return std::string("baking the ") + map + " map " + std::to_string(options.width) + "x" +
         std::to_string(options.height);
}

void CheckOutputs(const BakeOptions& options) {
  if (options.colourMap.empty() && options.heightMap.empty()) {
    throw std::runtime_error(
        "nothing to bake: name a --colour-map FILE, a --height-map FILE or both");
  }
  const auto place = [](const std::string& file) {
    return std::filesystem::absolute(file).lexically_normal();
  };
  if (!options.colourMap.empty() && !options.heightMap.empty() &&
      place(options.colourMap) == place(options.heightMap)) {
    throw std::runtime_error("the colour and height maps need two different files");
  }
  if (!(options.heightRange.low < options.heightRange.high)) {
    throw std::runtime_error("--height-range: the low end must lie below the high end");
  }
  for (const std::string& map : {options.colourMap, options.heightMap}) {
    if (!map.empty()) CheckWritable(map);
  }
}

// Heights the map cannot hold are clamped; the user should know how many.
void WarnOfClampedHeights(const GreyImage& heights, HeightRange range) {
  size_t outside = 0;
  for (double height : heights.pixels) {
    if (!(height >= range.low && height <= range.high)) ++outside;
  }
  if (outside == 0) return;
  std::fprintf(stderr,
               "verdanta: warning: %zu of %zu heights lie outside %g to %g and were clamped; "
               "widen --height-range\n",
               outside, heights.pixels.size(), range.low, range.high);
}

void RunBake(const BakeOptions& options) {
  CheckOutputs(options);
  Host host;
  host.Load(ResolvePluginFolder(options.scene.plugins));
  const bool colour = !options.colourMap.empty();
  const bool height = !options.heightMap.empty();
  const bool bump = options.heightChannel == "bump";
  const OpenedScene scene = OpenSceneInput(host, options.scene, {height && bump, height && !bump});
  Node* colourShader = colour ? scene.shaders.colour : nullptr;
  Node* heightShader = !height ? nullptr : bump ? scene.shaders.bump : scene.shaders.displacement;
  if (colour && !colourShader) {
    throw std::runtime_error("the colour channel of the first material holds no shader");
  }

  const BakeSettings settings{options.width, options.height, options.threads};
  Image colourMap;
  GreyImage heightMap;
  {
    const PreparedShaders prepared(
        {colourShader, heightShader},
        LinearRenderSetup(scene.document, ResolveThreadCount(options.threads)));
    if (colour) {
      ProgressLine progress(Task("colour", options));
      colourMap = BakeColour(NodeShading(*colourShader), settings, progress.Reporter());
    }
    if (height) {
      ProgressLine progress(Task("height", options));
      heightMap = BakeHeight(NodeShading(*heightShader),
                             bump ? HeightChannel::kBump : HeightChannel::kDisplacement, settings,
                             progress.Reporter());
    }
  }
  if (colour) WriteColourPng(options.colourMap, colourMap);
  if (height) {
    WriteHeightPng(options.heightMap, heightMap, options.heightRange);
    WarnOfClampedHeights(heightMap, options.heightRange);
  }
}

// "LOW:HIGH", two finite numbers.
std::string ParseHeightRange(const std::string& text, HeightRange& range) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) return "expected LOW:HIGH, e.g. 0:2";
  try {
    size_t lowEnd = 0, highEnd = 0;
    const std::string lowText = text.substr(0, colon), highText = text.substr(colon + 1);
    const double low = std::stod(lowText, &lowEnd), high = std::stod(highText, &highEnd);
    if (lowEnd != lowText.size() || highEnd != highText.size()) return "expected LOW:HIGH";
    if (!std::isfinite(low) || !std::isfinite(high)) return "the ends must be finite";
    range = {low, high};
    return "";
  } catch (const std::exception&) {
    return "expected LOW:HIGH, two numbers";
  }
}

void AddBakeCommand(CLI::App& app) {
  auto options = std::make_shared<BakeOptions>();
  CLI::App* command =
      app.add_subcommand("bake", "Bake equirectangular colour and height maps as PNG files");
  AddSceneInputOptions(*command, options->scene);
  command->add_option("--colour-map,--colour", options->colourMap,
                      "8-bit sRGB PNG of the colour channel");
  command->add_option("--height-map", options->heightMap, "16-bit grey PNG of the height channel");
  command
      ->add_option("--height-channel", options->heightChannel,
                   "Channel whose shader answers the heights, in that channel")
      ->check(CLI::IsMember({"bump", "displacement"}))
      ->capture_default_str();
  command
      ->add_option_function<std::string>(
          "--height-range",
          [options](const std::string& text) {
            const std::string problem = ParseHeightRange(text, options->heightRange);
            if (!problem.empty()) throw CLI::ValidationError("--height-range", problem);
          },
          "LOW:HIGH: the heights that map onto 0 and 65535; heights outside are clamped")
      ->default_str("0:2");
  command->add_option("--width", options->width, "Map width in texels")
      ->check(CLI::Range(1, kMaxMapSide))
      ->capture_default_str();
  command->add_option("--height", options->height, "Map height in texels")
      ->check(CLI::Range(1, kMaxMapSide))
      ->capture_default_str();
  command->add_option("--threads", options->threads, "Bake threads; 0: one per core")
      ->check(CLI::Range(0, kMaxThreads))
      ->capture_default_str();
  command->footer(
      "Texel (x, y) is sampled without a ray hit at the texture position ((x + 0.5) / W, "
      "(y + 0.5) / H): u across, v down, so the top row lies at the v = 0 pole.\n"
      "The colour map holds the colour channel's planet shader, linear colour clamped to 0..1 "
      "and encoded as sRGB. The height map holds the grey height that the --height-channel's "
      "shader answers in that channel; heights from 0 to 2 (or --height-range LOW:HIGH) map "
      "linearly onto 0..65535, and a warning tells how many were clamped.\n"
      "Without SCENE the default planet is baked, set up as `verdanta render --help` tells; "
      "--set and --preset edit it the same way.\n"
      "Bad arguments, scenes or presets exit non-zero with a one-line reason; each map is "
      "written whole or not at all.\n");
  command->callback([options] { RunBake(*options); });
}

const CommandRegistrar registrar("bake", AddBakeCommand);

}  // namespace

}  // namespace standin
