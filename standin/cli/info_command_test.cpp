#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "plugin_scan.h"
#include "run_command.h"
#include "temporary_folder.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

struct Parameter {
  int32_t id;
  std::string name;
  std::string type;
};

// The shader's parameters as the stored scene format has them.
const std::vector<Parameter>& ShaderParameters() {
  static const std::vector<Parameter> parameters = {
      {5000, "VERDANTA_TERRAIN_GRADIENT", "gradient"},
      {5001, "VERDANTA_TERRAIN_SCALE", "float"},
      {5002, "VERDANTA_TERRAIN_ROUGHNESS", "float"},
      {5003, "VERDANTA_TERRAIN_LACUNARITY", "float"},
      {5004, "VERDANTA_TERRAIN_DETAIL", "float"},
      {5005, "VERDANTA_SEED", "int32"},
      {5006, "VERDANTA_HEIGHT_SPLINE", "spline"},
      {5101, "VERDANTA_CHILD_COLOR", "color"},
      {5102, "VERDANTA_CHILD_STRENGTH", "float"},
      {5103, "VERDANTA_CHILD_FALLOFF", "float"},
      {5104, "VERDANTA_CLOUD_NOISE", "int32"},
      {5105, "VERDANTA_CLOUD_COVERAGE", "float"},
      {5106, "VERDANTA_CLOUD_INTENSITY", "float"},
      {5107, "VERDANTA_CLOUD_SCALE", "float"},
      {5301, "VERDANTA_ICE_V0_SIZE", "float"},
      {5302, "VERDANTA_ICE_V0_AMOUNT", "float"},
      {5303, "VERDANTA_ICE_V1_SIZE", "float"},
      {5304, "VERDANTA_ICE_V1_AMOUNT", "float"},
      {5305, "VERDANTA_ICE_THRESHOLD", "float"},
      {3001, "VERDANTA_COPY_TO_DISPLACEMENT", "button"},
      {3002, "VERDANTA_COPY_TO_BUMP", "button"},
  };
  return parameters;
}

void ExpectOneErrorLine(const CommandResult& result, const std::string& reason) {
  EXPECT_NE(result.exitCode, 0) << reason;
  std::vector<std::string> lines = Lines(result.err);
  ASSERT_EQ(lines.size(), 1u) << result.err;
  EXPECT_EQ(lines[0].rfind("verdanta: error: ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(reason), std::string::npos) << lines[0];
}

TEST(InfoCommand, ShowsTheModuleAndTheShaderTypeWithItsParameters) {
  CommandResult result = RunVerdanta({"info", "--plugins", VERDANTA_PLUGIN_DIR});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  const std::string& out = result.out;
  EXPECT_NE(out.find("module file    " + FindModuleFile(VERDANTA_PLUGIN_DIR).string() + "\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("module id      net.verdanta.planet\n"), std::string::npos) << out;
  EXPECT_NE(out.find("requires       host API version 202"), std::string::npos) << out;
  EXPECT_NE(out.find("shader type 1064031 \"Verdanta\", description XVerdanta\n"),
            std::string::npos)
      << out;
  for (const Parameter& parameter : ShaderParameters()) {
    std::string line = std::to_string(parameter.id) + "   " + parameter.name;
    size_t at = out.find(line);
    ASSERT_NE(at, std::string::npos) << line;
    std::string rest = out.substr(at, out.find('\n', at) - at);
    EXPECT_EQ(rest.substr(rest.rfind(' ') + 1), parameter.type) << rest;
  }
  EXPECT_NE(out.find("module log     empty\n"), std::string::npos) << out;
}

TEST(InfoCommand, ReportsTheSameAsJson) {
  for (const char* flavour : {"windows", "macos"}) {
    fs::path plugins = fs::path(VERDANTA_FLAVOUR_DIR) / flavour;
    CommandResult result = RunVerdanta({"info", "--json", "--plugins", plugins.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    nlohmann::json report = nlohmann::json::parse(result.out);
    EXPECT_EQ(report["moduleFile"], FindModuleFile(plugins).string());
    EXPECT_EQ(report["moduleId"], "net.verdanta.planet");
    EXPECT_EQ(report["apiVersion"], std::string(flavour) == "windows" ? 2026200 : 2026000);
    EXPECT_EQ(report["flavour"], flavour);
    EXPECT_EQ(report["log"], nlohmann::json::array());
    ASSERT_EQ(report["shaderTypes"].size(), 1u);
    const nlohmann::json& type = report["shaderTypes"][0];
    EXPECT_EQ(type["id"], 1064031);
    EXPECT_EQ(type["name"], "Verdanta");
    EXPECT_EQ(type["description"], "XVerdanta");
    std::map<int32_t, std::pair<std::string, std::string>> listed;
    for (const nlohmann::json& parameter : type["parameters"]) {
      listed[parameter["id"]] = {parameter["name"], parameter["type"]};
    }
    EXPECT_EQ(listed.size(), type["parameters"].size()) << "an id listed twice";
    std::map<int32_t, std::pair<std::string, std::string>> expected;
    for (const Parameter& parameter : ShaderParameters()) {
      expected[parameter.id] = {parameter.name, parameter.type};
    }
    EXPECT_EQ(listed, expected) << flavour;
  }
}

TEST(InfoCommand, FindsThePluginFolderByOptionEnvironmentOrBesideTheExecutable) {
  const std::string probe = (fs::path(PROBE_PLUGIN_DIR) / "good").string();
  const std::string verdanta = FindModuleFile(VERDANTA_PLUGIN_DIR).string();
  const std::string probeFile = FindModuleFile(probe).string();
  TemporaryFolder elsewhere;
  struct Case {
    std::vector<std::string> arguments;
    std::map<std::string, std::string> environment;
    std::string moduleFile;
  };
  const std::vector<Case> cases = {
      {{}, {}, verdanta},
      {{}, {{"VERDANTA_PLUGINS", probe}}, probeFile},
      {{"--plugins", VERDANTA_PLUGIN_DIR}, {{"VERDANTA_PLUGINS", probe}}, verdanta},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"info", "--json"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    CommandResult result = RunVerdanta(arguments, c.environment, elsewhere.Path());
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // The same file, however the platform spells the path it found.
    std::string moduleFile = nlohmann::json::parse(result.out)["moduleFile"];
    EXPECT_TRUE(fs::equivalent(moduleFile, c.moduleFile)) << moduleFile << " vs " << c.moduleFile;
  }
}

TEST(InfoCommand, FailsWithOneLineWhenThereIsNoUsableModule) {
  TemporaryFolder empty;
  const fs::path probes = PROBE_PLUGIN_DIR;
  struct Case {
    std::string plugins;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {(empty.Path() / "missing").string(), "does not exist"},
      {empty.Path().string(), "no module file"},
      {(probes / "no_main").string(), "has no entry point c4d_main"},
      {(probes / "refuse_init").string(), "refused to start: init answered -3"},
      {(probes / "fail_start").string(), "failed to register (start answered 0)"},
  };
  for (const Case& c : cases) {
    ExpectOneErrorLine(RunVerdanta({"info", "--plugins", c.plugins}), c.reason);
  }
}

TEST(InfoCommand, ShowsTheLogOfAModuleThatFailedToRegister) {
  TemporaryFolder plugins;
  fs::path module = FindModuleFile(VERDANTA_PLUGIN_DIR);
  fs::create_directories(plugins.Path() / "Verdanta");
  fs::copy_file(module, plugins.Path() / "Verdanta" / module.filename());  // and no res/

  CommandResult result = RunVerdanta({"info", "--plugins", plugins.Path().string()});
  ExpectOneErrorLine(result, "Failed to register the Verdanta shader.");
  EXPECT_NE(result.out.find("  flags 14  source/main.cpp:53  Verdanta shader: failed to load "
                            "resource file.\n"
                            "  flags 14  source/main.cpp:35  Failed to register the Verdanta "
                            "shader.\n"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("host log\n  " + (plugins.Path() / "Verdanta" / "res").string()),
            std::string::npos)
      << result.out;
}

}  // namespace
}  // namespace standin
