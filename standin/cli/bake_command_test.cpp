// `verdanta bake` as a user meets it: the built executable loading the built module.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "png_io.h"
#include "run_command.h"
#include "temporary_folder.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

CommandResult Bake(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "bake");
  arguments.insert(arguments.end(), {"--plugins", VERDANTA_PLUGIN_DIR});
  return RunVerdanta(arguments);
}

class BakeCommandTest : public ::testing::Test {
 protected:
  TemporaryFolder folder;
  const std::string colourFile = (folder.Path() / "colour.png").string();
  const std::string heightFile = (folder.Path() / "height.png").string();
};

TEST_F(BakeCommandTest, WritesMapsOfAnySizeAsEightBitColourAndSixteenBitHeight) {
  struct Size {
    int width;
    int height;
  };
  for (const Size size : {Size{64, 32}, Size{31, 7}, Size{1, 1}}) {
    const CommandResult result =
        Bake({"--width", std::to_string(size.width), "--height", std::to_string(size.height),
              "--colour-map", colourFile, "--height-map", heightFile});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const PngPixels colourMap = ReadPng(colourFile);
    EXPECT_EQ(colourMap.width, size.width);
    EXPECT_EQ(colourMap.height, size.height);
    EXPECT_EQ(colourMap.channels, 3);
    EXPECT_EQ(colourMap.bitDepth, 8);
    const PngPixels heightMap = ReadPng(heightFile);
    EXPECT_EQ(heightMap.width, size.width);
    EXPECT_EQ(heightMap.height, size.height);
    EXPECT_EQ(heightMap.channels, 1);
    EXPECT_EQ(heightMap.bitDepth, 16);
  }
}

TEST_F(BakeCommandTest, HeightsSpreadOverTheSixteenBitRange) {
  const CommandResult result =
      Bake({"--width", "64", "--height", "32", "--height-map", heightFile});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_FALSE(fs::exists(colourFile));
  const PngPixels heights = ReadPng(heightFile);
  const auto [low, high] = std::minmax_element(heights.samples.begin(), heights.samples.end());
  // Far finer steps than 8 bits could hold, and nothing clamped at either end.
  EXPECT_GT(*high - *low, 1000);
  EXPECT_GT(*low, 0);
  EXPECT_LT(*high, 65535);
}

TEST_F(BakeCommandTest, TheDisplacementChannelIsBakedFromItsOwnCopy) {
  const CommandResult bump = Bake({"--width", "32", "--height", "16", "--height-map", heightFile});
  ASSERT_EQ(bump.exitCode, 0) << bump.err;
  const PngPixels bumpHeights = ReadPng(heightFile);
  const CommandResult displacement = Bake({"--width", "32", "--height", "16", "--height-map",
                                           heightFile, "--height-channel", "displacement"});
  ASSERT_EQ(displacement.exitCode, 0) << displacement.err;
  // Both copies hold the terrain as the colour shader does, and neither moves samples without
  // a hit: the same heights.
  EXPECT_EQ(ReadPng(heightFile).samples, bumpHeights.samples);
}

TEST_F(BakeCommandTest, BadArgumentsFailWithOneLineAndWriteNothing) {
  struct Case {
    std::vector<std::string> arguments;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {{}, "nothing to bake"},
      {{"--colour-map", colourFile, "--height-map", colourFile}, "two different files"},
      {{"--colour-map", colourFile, "--height-map", (folder.Path() / "." / "colour.png").string()},
       "two different files"},
      {{"--height-map", heightFile, "--height-range", "2:1"}, "--height-range"},
      {{"--height-map", heightFile, "--height-range", "low"}, "--height-range"},
      {{"--height-map", heightFile, "--height-channel", "colour"}, "--height-channel"},
      {{"--colour-map", colourFile, "--width", "0"}, "--width"},
      {{"--colour-map", colourFile, "--height", "20000"}, "--height"},
      {{"--colour-map", (folder.Path() / "none" / "c.png").string()}, "No such file"},
      {{"--colour-map", colourFile, "--set", "VERDANTA_SEDE=1"}, "VERDANTA_SEDE"},
  };
  for (const Case& c : cases) {
    const CommandResult result = Bake(c.arguments);
    EXPECT_NE(result.exitCode, 0) << c.reason;
    const std::vector<std::string> lines = Lines(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_EQ(lines[0].rfind("verdanta: error: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(c.reason), std::string::npos) << lines[0];
    EXPECT_TRUE(fs::is_empty(folder.Path())) << c.reason;
  }
}

}  // namespace
}  // namespace standin
