#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "editing_command_test_support.h"
#include "run_command.h"
#include "temporary_folder.h"

namespace standin {
namespace {

CommandResult RunPanel(const std::filesystem::path& scene, const std::string& node,
                       bool json = false) {
  std::vector<std::string> arguments = {"panel", scene.string(), "--node",
                                        node,    "--plugins",    VERDANTA_PLUGIN_DIR};
  if (json) arguments.push_back("--json");
  return RunVerdanta(arguments);
}

// The row of the parameter `name`: two spaces, then the name.
std::string Row(const std::string& text, const std::string& name) {
  for (const std::string& line : Lines(text)) {
    if (line.rfind("  " + name + " ", 0) == 0) return line;
  }
  return "";
}

std::string LastTwoWords(const std::string& line) {
  std::istringstream words(line);
  std::vector<std::string> all;
  for (std::string word; words >> word;) all.push_back(word);
  return all.size() < 2 ? "" : all[all.size() - 2] + " " + all.back();
}

TEST(PanelCommand, ShowsGroupsLabelsValuesAndStates) {
  TemporaryFolder folder;
  CommandResult result = RunPanel(WriteScene(folder, "scene.json", SmallScene()), "Planet/color");
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "Planet/color: Verdanta (type 1064031)");

  std::vector<std::string> groups;
  for (const std::string& line : lines) {
    if (!line.empty() && line[0] != ' ' && line != lines[0]) groups.push_back(line);
  }
  EXPECT_EQ(groups, (std::vector<std::string>{"Terrain", "Height", "Atmosphere", "Clouds", "Ice",
                                              "Channels"}));

  struct Case {
    std::string name;
    std::string label;
    std::string value;
    std::string state;
  };
  const Case cases[] = {
      {"VERDANTA_SEED", "Seed", "7", "shown enabled"},
      {"VERDANTA_TERRAIN_SCALE", "Scale", "2.0", "shown enabled"},
      {"VERDANTA_TERRAIN_GRADIENT", "Terrain Gradient", "gradient, 6 knots", "shown enabled"},
      {"VERDANTA_HEIGHT_SPLINE", "Height Profile", "spline, 2 knots", "hidden disabled"},
      {"VERDANTA_CHILD_COLOR", "Atmosphere Color", "0.8412 0.898 0.9272", "shown enabled"},
      {"VERDANTA_ICE_THRESHOLD", "Ice Threshold", "0.35", "shown enabled"},
      {"VERDANTA_COPY_TO_BUMP", "Copy to Bump Channel", "button", "shown enabled"},
  };
  for (const Case& c : cases) {
    const std::string row = Row(result.out, c.name);
    ASSERT_FALSE(row.empty()) << c.name << "\n" << result.out;
    EXPECT_NE(row.find(" " + c.label + " "), std::string::npos) << row;
    EXPECT_NE(row.find(" " + c.value + " "), std::string::npos) << row;
    EXPECT_EQ(LastTwoWords(row), c.state) << row;
  }
}

TEST(PanelCommand, JsonShowsTheNodeWhereItSits) {
  TemporaryFolder folder;
  CommandResult result =
      RunPanel(WriteScene(folder, "scene.json", SmallScene()), "0/bump", /*json=*/true);
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const nlohmann::json panel = nlohmann::json::parse(result.out);
  EXPECT_EQ(panel["node"], "0/bump");
  EXPECT_EQ(panel["type"], 1064031);
  EXPECT_EQ(panel["typeName"], "Verdanta");
  ASSERT_EQ(panel["groups"].size(), 6u);
  EXPECT_EQ(panel["groups"][1]["label"], "Height");

  std::map<std::string, nlohmann::json> byName;
  for (const nlohmann::json& group : panel["groups"]) {
    for (const nlohmann::json& parameter : group["parameters"]) {
      byName[parameter["name"]] = parameter;
    }
  }
  ASSERT_EQ(byName.size(), 21u);
  // In the bump channel: the height spline comes, the colour parameters and buttons go.
  const std::map<std::string, std::pair<bool, bool>> states = {
      {"VERDANTA_HEIGHT_SPLINE", {false, true}}, {"VERDANTA_CHILD_COLOR", {true, true}},
      {"VERDANTA_CLOUD_SCALE", {true, false}},   {"VERDANTA_TERRAIN_GRADIENT", {true, false}},
      {"VERDANTA_COPY_TO_BUMP", {false, false}}, {"VERDANTA_SEED", {false, true}}};
  for (const auto& [name, state] : states) {
    EXPECT_EQ(byName[name]["hidden"], state.first) << name;
    EXPECT_EQ(byName[name]["enabled"], state.second) << name;
  }
  const nlohmann::json& seed = byName["VERDANTA_SEED"];
  EXPECT_EQ(seed["id"], 5005);
  EXPECT_EQ(seed["label"], "Seed");
  EXPECT_EQ(seed["type"], "int32");
  EXPECT_EQ(seed["value"], 123);
  EXPECT_EQ(byName["VERDANTA_TERRAIN_GRADIENT"]["value"]["knots"].size(), 6u);
  EXPECT_EQ(byName["VERDANTA_COPY_TO_BUMP"]["type"], "button");
  EXPECT_TRUE(byName["VERDANTA_COPY_TO_BUMP"]["value"].is_null());
}

TEST(PanelCommand, FailsWithOneLineForANodeWithoutPanel) {
  TemporaryFolder folder;
  const std::filesystem::path scene = WriteScene(folder, "scene.json", SmallScene());
  struct Case {
    std::filesystem::path scene;
    std::string node;
    std::string reason;
  };
  const Case cases[] = {
      {scene, "Planet/displacement", "the displacement channel links no shader"},
      {scene, "Nowhere/color", "no material is named 'Nowhere'"},
      {scene, "Planet/shaders/rim", "has no parameter description, so no panel"},
      {folder.Path() / "missing.json", "Planet/color", "cannot read the file"},
  };
  for (const Case& c : cases) ExpectOneErrorLine(RunPanel(c.scene, c.node), c.reason);
  EXPECT_NE(RunVerdanta({"panel", scene.string()}).err.find("--node is required"),
            std::string::npos);
}

}  // namespace
}  // namespace standin
