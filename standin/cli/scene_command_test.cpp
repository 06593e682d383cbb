#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "host.h"
#include "node.h"
#include "run_command.h"
#include "scene_file.h"
#include "temporary_folder.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

nlohmann::json ReadJson(const fs::path& file) {
  std::ifstream stream(file);
  return nlohmann::json::parse(stream);
}

// The stored values of a shader node right after its Init, made in this process.
nlohmann::json FreshShaderParameters() {
  Host host;
  host.Load(VERDANTA_PLUGIN_DIR);
  std::unique_ptr<Node> shader = Node::Create(1064031);
  return shader ? SaveParameters(*shader) : nlohmann::json();
}

TEST(SceneNew, WritesOneMaterialWithANewShaderInItsColourChannel) {
  TemporaryFolder folder;
  fs::path file = folder.Path() / "scene.json";
  CommandResult result =
      RunVerdanta({"scene", "new", "-o", file.string(), "--plugins", VERDANTA_PLUGIN_DIR});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(folder.NamesIn(), std::set<std::string>{"scene.json"});

  nlohmann::json scene = ReadJson(file);
  EXPECT_EQ(scene["format"], "verdanta-scene");
  ASSERT_EQ(scene["materials"].size(), 1u);
  const nlohmann::json& material = scene["materials"][0];
  ASSERT_TRUE(material["channels"].contains("color"));
  EXPECT_FALSE(material["channels"].contains("bump"));
  EXPECT_FALSE(material["channels"].contains("displacement"));
  ASSERT_EQ(material["shaders"].size(), 1u);
  const nlohmann::json& shader = material["shaders"][0];
  EXPECT_EQ(shader["id"], material["channels"]["color"]);
  EXPECT_EQ(shader["type"], 1064031);

  nlohmann::json fresh = FreshShaderParameters();
  ASSERT_FALSE(fresh.is_null());
  EXPECT_EQ(shader["parameters"], fresh);
  EXPECT_EQ(shader["parameters"]["VERDANTA_SEED"], 123);
  EXPECT_EQ(shader["parameters"]["VERDANTA_TERRAIN_GRADIENT"]["knots"].size(), 6u);
  EXPECT_EQ(shader["parameters"]["VERDANTA_HEIGHT_SPLINE"]["knots"].size(), 2u);
}

TEST(SceneNew, ReplacesAnExistingFileWhole) {
  TemporaryFolder folder;
  fs::path file = folder.Write("scene.json", std::string(100000, 'x'));
  CommandResult result =
      RunVerdanta({"scene", "new", "-o", file.string(), "--plugins", VERDANTA_PLUGIN_DIR});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(ReadJson(file)["format"], "verdanta-scene");
  EXPECT_EQ(folder.NamesIn(), std::set<std::string>{"scene.json"});
}

TEST(SceneNew, FailsWithOneLineAndWritesNothing) {
  TemporaryFolder folder;
  fs::create_directories(folder.Path() / "taken.json");
  fs::create_directories(folder.Path() / "locked");
  fs::permissions(folder.Path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  struct Case {
    fs::path output;
    std::string plugins;
    std::string reason;
  };
  std::vector<Case> cases = {
      {folder.Path() / "no" / "such" / "scene.json", VERDANTA_PLUGIN_DIR,
       "No such file or directory"},
      {folder.Path() / "taken.json", VERDANTA_PLUGIN_DIR, "it is a folder"},
      {folder.Path() / "scene.json", (folder.Path() / "nothing").string(), "does not exist"},
  };
  // The superuser writes anywhere, whatever a folder's permissions say; a Windows folder has
  // no such permissions.
#if !defined(_WIN32)
  if (geteuid() != 0) {
    cases.push_back(
        {folder.Path() / "locked" / "scene.json", VERDANTA_PLUGIN_DIR, "Permission denied"});
  }
#endif
  const std::set<std::string> before = folder.NamesIn();
  for (const Case& c : cases) {
    CommandResult result =
        RunVerdanta({"scene", "new", "-o", c.output.string(), "--plugins", c.plugins});
    EXPECT_NE(result.exitCode, 0) << c.reason;
    std::vector<std::string> lines = Lines(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_EQ(lines[0].rfind("verdanta: error: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find(c.reason), std::string::npos) << lines[0];
    EXPECT_EQ(folder.NamesIn(), before) << c.reason;
    EXPECT_TRUE(folder.NamesIn("locked").empty()) << c.reason;
  }
  fs::permissions(folder.Path() / "locked", fs::perms::owner_all);
}

TEST(SceneNew, AsksForTheOutputFile) {
  CommandResult result = RunVerdanta({"scene", "new", "--plugins", VERDANTA_PLUGIN_DIR});
  EXPECT_NE(result.exitCode, 0);
  EXPECT_NE(result.err.find("--output is required"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace standin
