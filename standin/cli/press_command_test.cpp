#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "editing_command_test_support.h"
#include "host.h"
#include "material.h"
#include "run_command.h"
#include "scene_file.h"
#include "temporary_folder.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

const char kNotice[] =
    "verdanta: notice: There is another shader already present in the destination channel, "
    "which will not be deleted.";

CommandResult RunPress(const fs::path& scene, const std::string& node, const std::string& button,
                       const fs::path& output) {
  return RunVerdanta({"press", scene.string(), "--node", node, "--button", button, "-o",
                      output.string(), "--plugins", VERDANTA_PLUGIN_DIR});
}

nlohmann::json ReadJson(const fs::path& file) {
  std::ifstream stream(file);
  return nlohmann::json::parse(stream);
}

const nlohmann::json& ShaderById(const nlohmann::json& material, const std::string& id) {
  for (const nlohmann::json& shader : material["shaders"]) {
    if (shader["id"] == id) return shader;
  }
  static const nlohmann::json none;
  return none;
}

TEST(PressCommand, TheFirstPressWritesTheSceneWithACopyLinked) {
  TemporaryFolder folder;
  nlohmann::json scene = SmallScene();
  scene["materials"][0]["channels"].erase("bump");
  const fs::path input = WriteScene(folder, "scene.json", scene);
  const fs::path output = folder.Path() / "pressed.json";

  CommandResult result = RunPress(input, "Planet/color", "VERDANTA_COPY_TO_BUMP", output);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(Lines(result.out), (std::vector<std::string>{"Planet/bump: now links s3",
                                                         "Planet/shaders/s3: new shader of type "
                                                         "1064031"}));
  EXPECT_EQ(ReadJson(input), scene) << "the input stays as it was";

  // Read back as the host reads scenes: the node keeps its id, the copy is all of it.
  Host host;
  host.Load(VERDANTA_PLUGIN_DIR);
  std::unique_ptr<Document> pressed = LoadScene(output);
  Node& material = *pressed->Materials()[0];
  const Node* colour = ChannelShader(*MaterialChannel(material, 0));
  const Node* copy = ChannelShader(*MaterialChannel(material, 6));
  ASSERT_NE(colour, nullptr);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(colour->name, "s1");
  EXPECT_EQ(copy->name, "s3");
  EXPECT_TRUE(copy->settings == colour->settings);
  EXPECT_EQ(material.shaders.size(), 4u);
}

TEST(PressCommand, TheSecondPressReportsTheTerrainItCopied) {
  TemporaryFolder folder;
  const fs::path output = folder.Path() / "pressed.json";
  CommandResult result = RunPress(WriteScene(folder, "scene.json", SmallScene()), "Planet/color",
                                  "VERDANTA_COPY_TO_BUMP", output);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(Lines(result.out),
            (std::vector<std::string>{"Planet/shaders/s2: VERDANTA_SEED, VERDANTA_TERRAIN_SCALE "
                                      "changed"}));
  const nlohmann::json written = ReadJson(output);
  const nlohmann::json& material = written["materials"][0];
  EXPECT_EQ(material["channels"]["bump"], "s2");
  EXPECT_EQ(ShaderById(material, "s2")["parameters"]["VERDANTA_SEED"], 7);
  EXPECT_EQ(ShaderById(material, "s2")["parameters"]["VERDANTA_TERRAIN_SCALE"], 2.0);
}

TEST(PressCommand, ShowsTheNoticeOfAnotherShaderInTheChannel) {
  TemporaryFolder folder;
  nlohmann::json scene = SmallScene();
  scene["materials"][0]["channels"]["displacement"] = "rim";
  const fs::path output = folder.Path() / "pressed.json";
  CommandResult result = RunPress(WriteScene(folder, "scene.json", scene), "Planet/color",
                                  "VERDANTA_COPY_TO_DISPLACEMENT", output);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(Lines(result.err), std::vector<std::string>{kNotice});
  EXPECT_EQ(Lines(result.out)[0], "Planet/displacement: now links s3, was rim");
  const nlohmann::json written = ReadJson(output);
  const nlohmann::json& material = written["materials"][0];
  EXPECT_EQ(material["channels"]["displacement"], "s3");
  EXPECT_EQ(ShaderById(material, "rim")["type"], NODE_TYPE_EDGE_GRADIENT_SHADER);
}

TEST(PressCommand, RefusesWhatTheHostWouldNotDeliverAndWritesNothing) {
  TemporaryFolder folder;
  const fs::path input = WriteScene(folder, "scene.json", SmallScene());
  const fs::path output = folder.Path() / "pressed.json";
  struct Case {
    std::string node;
    std::string button;
    std::string reason;
  };
  const Case cases[] = {
      {"Planet/bump", "VERDANTA_COPY_TO_BUMP", "is disabled where the node sits"},
      {"Planet/color", "VERDANTA_SEED", "VERDANTA_SEED of node 'Planet/color' is no button"},
      {"Planet/color", "VERDANTA_COPY_TO_MOON", "node 'Planet/color' has no button"},
      {"Planet/shaders/rim", "VERDANTA_COPY_TO_BUMP", "has no button VERDANTA_COPY_TO_BUMP"},
      {"Planet/displacement", "VERDANTA_COPY_TO_BUMP", "the displacement channel links no"},
  };
  for (const Case& c : cases) {
    ExpectOneErrorLine(RunPress(input, c.node, c.button, output), c.reason);
    EXPECT_FALSE(fs::exists(output)) << c.reason;
  }
  CommandResult result = RunVerdanta(
      {"press", input.string(), "--node", "Planet/color", "--button", "VERDANTA_COPY_TO_BUMP"});
  EXPECT_NE(result.err.find("--output is required"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace standin
