// `verdanta render` as a user meets it: the built executable loading the built module.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "button_press.h"
#include "host.h"
#include "material_view.h"
#include "planet_scene.h"
#include "png_io.h"
#include "run_command.h"
#include "scene_file.h"
#include "temporary_folder.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

CommandResult Render(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "render");
  arguments.insert(arguments.end(), {"--plugins", VERDANTA_PLUGIN_DIR});
  return RunVerdanta(arguments);
}

double Brightness(const PngPixels& png, int x, int y) {
  const size_t at = (static_cast<size_t>(y) * png.width + x) * 3;
  return (png.samples[at] + png.samples[at + 1] + png.samples[at + 2]) / 3.0;
}

// Mean brightness of a rectangle of pixels, 0..255.
double MeanBrightness(const PngPixels& png, int x0, int y0, int x1, int y1) {
  double sum = 0.0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) sum += Brightness(png, x, y);
  }
  return sum / ((x1 - x0) * (y1 - y0));
}

// How many pixels of the rows y0..y1 are brighter in `a` than in `b`, and darker.
std::pair<int, int> BrighterAndDarker(const PngPixels& a, const PngPixels& b, int y0, int y1) {
  std::pair<int, int> counts{0, 0};
  for (int y = y0; y < y1; ++y) {
    for (int x = 0; x < a.width; ++x) {
      const double difference = Brightness(a, x, y) - Brightness(b, x, y);
      if (difference > 0) ++counts.first;
      if (difference < 0) ++counts.second;
    }
  }
  return counts;
}

std::vector<std::string> With(std::vector<std::string> arguments,
                              const std::vector<std::string>& more) {
  arguments.insert(arguments.end(), more.begin(), more.end());
  return arguments;
}

class RenderCommandTest : public ::testing::Test {
 protected:
  std::string OutputFile() const { return (folder.Path() / "planet.png").string(); }

  PngPixels RenderToPng(std::vector<std::string> arguments) {
    arguments.insert(arguments.end(), {"-o", OutputFile()});
    const CommandResult result = Render(arguments);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return ReadPng(OutputFile());
  }

  // The planet scene saved as a user would: with or without the bump button pressed.
  std::string SavedPlanet(const std::string& name, bool bumpCopy) {
    Host host;
    host.Load(VERDANTA_PLUGIN_DIR);
    Document& document = host.AdoptDocument(NewPlanetScene());
    if (bumpCopy) PressButton(*ChannelShadersOf(*document.Materials().front()).colour, 3002);
    const fs::path file = folder.Path() / name;
    SaveScene(document, file);
    return file.string();
  }

  TemporaryFolder folder;
};

// The planet's disk in a 160 x 160 image: centre (80, 80), radius 160 / 2 / 1.15 = 69.6.
TEST_F(RenderCommandTest, TheDefaultPlanetIsLitWithIcyPolesAndAGlowingRimOnBlack) {
  const PngPixels png = RenderToPng({"--width", "160", "--height", "160"});
  ASSERT_EQ(png.width, 160);
  ASSERT_EQ(png.height, 160);
  ASSERT_EQ(png.channels, 3);
  ASSERT_EQ(png.bitDepth, 8);
  EXPECT_EQ(MeanBrightness(png, 0, 0, 12, 12), 0.0);
  EXPECT_EQ(MeanBrightness(png, 148, 148, 160, 160), 0.0);
  EXPECT_GT(MeanBrightness(png, 60, 70, 100, 90), 20.0);
  // The child's glow at the rim on the lit side outshines the surface just inside it.
  EXPECT_GT(MeanBrightness(png, 11, 76, 14, 84), MeanBrightness(png, 24, 76, 27, 84) + 20.0);

  // Ice only brightens, and only towards the two ends of v: the small cap at the top (v = 0),
  // which the camera sees edge-on, and the larger one at the bottom (v = 1).
  const PngPixels iceFree =
      RenderToPng({"--width", "160", "--height", "160", "--set", "VERDANTA_ICE_V0_AMOUNT=0",
                   "--set", "VERDANTA_ICE_V1_AMOUNT=0"});
  const auto [topBrighter, topDarker] = BrighterAndDarker(png, iceFree, 0, 24);
  EXPECT_GE(topBrighter, 5);
  EXPECT_EQ(topDarker, 0);
  EXPECT_EQ(BrighterAndDarker(png, iceFree, 24, 120), std::make_pair(0, 0));
  const auto [bottomBrighter, bottomDarker] = BrighterAndDarker(png, iceFree, 120, 160);
  EXPECT_GE(bottomBrighter, 100);
  EXPECT_EQ(bottomDarker, 0);
}

TEST_F(RenderCommandTest, AnotherSeedMakesAnotherPlanet) {
  const PngPixels first = RenderToPng({"--width", "48", "--height", "36"});
  const PngPixels seven =
      RenderToPng({"--width", "48", "--height", "36", "--set", "VERDANTA_SEED=7"});
  const PngPixels again = RenderToPng({"--width", "48", "--height", "36"});
  EXPECT_NE(first.samples, seven.samples);
  EXPECT_EQ(first.samples, again.samples);
}

TEST_F(RenderCommandTest, ASceneShowsItsFirstMaterialOnItsSphere) {
  const std::string withCopy = SavedPlanet("with_copy.json", true);
  const std::string withoutCopy = SavedPlanet("without_copy.json", false);
  const std::vector<std::string> size = {"--width", "48", "--height", "36"};
  // The default planet is such a scene, set up in memory.
  EXPECT_EQ(RenderToPng(With(size, {withCopy})).samples, RenderToPng(size).samples);
  EXPECT_NE(RenderToPng(With(size, {withoutCopy})).samples, RenderToPng(size).samples);

  const CommandResult noBump =
      Render(With(size, {withoutCopy, "--channel", "bump", "-o", OutputFile()}));
  EXPECT_NE(noBump.exitCode, 0);
  EXPECT_EQ(Lines(noBump.err), std::vector<std::string>{
                                   "verdanta: error: the bump channel of the first material of '" +
                                   withoutCopy + "' holds no shader"});
}

TEST_F(RenderCommandTest, BadArgumentsFailWithOneLineAndWriteNothing) {
  const fs::path out = folder.Path() / "out.png";
  const std::string malformed = folder.Write("malformed.json", "{\"VERDANTA_SEED\": 7,").string();
  const std::string unknown = folder.Write("unknown.json", "{\"VERDANTA_SEDE\": 7}").string();
  fs::create_directories(folder.Path() / "taken.png");
  struct Case {
    std::vector<std::string> arguments;
    std::string reason;
  };
  std::vector<Case> cases = {
      {{"--set", "VERDANTA_SEDE=7"}, "VERDANTA_SEDE: the shader has no parameter"},
      {{"--set", "VERDANTA_SEED=seven"}, "--set VERDANTA_SEED: line 1, column 1"},
      {{"--set", "VERDANTA_TERRAIN_SCALE=[1, 2]"}, "/VERDANTA_TERRAIN_SCALE: expected a number"},
      {{"--width", "0"}, "--width"},
      {{"--height", "-4"}, "--height"},
      {{"--width", "16385"}, "--width"},
      {{"--width", "wide"}, "--width"},
      {{"--threads", "-1"}, "--threads"},
      {{"--channel", "normal"}, "--channel"},
      {{"--preset", malformed}, malformed + ": line 1"},
      {{"--preset", unknown}, "has no parameter \"VERDANTA_SEDE\""},
      {{"--preset", (folder.Path() / "absent.json").string()}, "absent.json"},
      {{(folder.Path() / "absent_scene.json").string()}, "absent_scene.json"},
      {{"-o", (folder.Path() / "no" / "such" / "out.png").string()}, "No such file or directory"},
      {{"-o", (folder.Path() / "taken.png").string()}, "it is a folder"},
  };
  for (Case& c : cases) {
    if (std::find(c.arguments.begin(), c.arguments.end(), "-o") == c.arguments.end()) {
      c.arguments.insert(c.arguments.end(), {"-o", out.string()});
    }
  }
  // The superuser writes anywhere, whatever a folder's permissions say.
  if (geteuid() != 0) {
    fs::create_directories(folder.Path() / "locked");
    fs::permissions(folder.Path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    cases.push_back({{"-o", (folder.Path() / "locked" / "out.png").string()}, "Permission denied"});
  }
  const std::set<std::string> before = folder.NamesIn();
  for (const Case& c : cases) {
    const CommandResult result = Render(c.arguments);
    EXPECT_NE(result.exitCode, 0) << c.reason;
    const std::vector<std::string> lines = Lines(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_EQ(lines[0].rfind("verdanta: error: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(c.reason), std::string::npos) << lines[0];
    EXPECT_EQ(folder.NamesIn(), before) << c.reason;
  }
  if (geteuid() != 0) {
    EXPECT_TRUE(folder.NamesIn("locked").empty());
    fs::permissions(folder.Path() / "locked", fs::perms::owner_all);
  }
}

}  // namespace
}  // namespace standin
