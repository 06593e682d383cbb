// Malformed resource folders: the host refuses them with one line naming the file and the
// place, and neither the host nor the module crashes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host.h"
#include "host_error.h"
#include "host_resources.h"
#include "host_test_support.h"
#include "plugin_scan.h"
#include "temporary_folder.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

const char* const kStrings = R"({"20000": "Verdanta", "20001": "Terrain", "20101": "Scale"})";

std::string Description(const std::string& parameters) {
  return R"({"name": "XVerdanta", "groups": [{"id": 1001, "label": 20001, "parameters": [)" +
         parameters + "]}]}";
}

const char* const kScale =
    R"({"id": 5001, "name": "VERDANTA_TERRAIN_SCALE", "type": "float", "label": 20101})";

struct BadFolder {
  std::string what;
  std::string file;  // the file the error must name, relative to res/
  std::string strings;
  std::string description;
  std::string place;
};

const std::vector<BadFolder>& BadFolders() {
  static const std::vector<BadFolder> folders = {
      {"strings not JSON", "strings_en-US/strings.json", R"({"20000": "Verdanta",)",
       Description(kScale), "line 1"},
      {"strings not an object", "strings_en-US/strings.json", R"(["Verdanta"])",
       Description(kScale), "/"},
      {"description cut short", "description/XVerdanta.json", kStrings,
       R"({"name": "XVerdanta", "groups": [)", "line 1"},
      {"id given as text", "description/XVerdanta.json", kStrings,
       Description(
           R"({"id": "5001", "name": "VERDANTA_TERRAIN_SCALE", "type": "float", "label": 20101})"),
       "/groups/0/parameters/0/id"},
      {"unknown value type", "description/XVerdanta.json", kStrings,
       Description(
           R"({"id": 5001, "name": "VERDANTA_TERRAIN_SCALE", "type": "float3", "label": 20101})"),
       "/groups/0/parameters/0"},
      {"id used twice", "description/XVerdanta.json", kStrings,
       Description(std::string(kScale) + "," +
                   R"({"id": 5001, "name": "VERDANTA_SEED", "type": "int32", "label": 20101})"),
       "/groups/0/parameters/1"},
      {"label without a string", "description/XVerdanta.json", kStrings,
       Description(
           R"({"id": 5001, "name": "VERDANTA_TERRAIN_SCALE", "type": "float", "label": 29999})"),
       "/groups/0/parameters/0"},
      {"min above max", "description/XVerdanta.json", kStrings,
       Description(R"({"id": 5001, "name": "VERDANTA_TERRAIN_SCALE", "type": "float",
                       "label": 20101, "min": 2, "max": 1})"),
       "/groups/0/parameters/0/min"},
      {"empty description file", "description/XVerdanta.json", kStrings, "", "line 1"},
  };
  return folders;
}

// A plug-in folder holding a copy of the module with `res` written from `folder`.
fs::path PluginWithResources(const TemporaryFolder& temporary, const BadFolder& folder) {
  fs::path moduleFolder = temporary.Path() / "Verdanta";
  temporary.Write("Verdanta/res/strings_en-US/strings.json", folder.strings);
  temporary.Write("Verdanta/res/description/XVerdanta.json", folder.description);
  fs::path module = FindModuleFile(VerdantaPlugins());
  fs::copy_file(module, moduleFolder / module.filename());
  return temporary.Path();
}

// Files are named with the platform's own separators.
void ExpectOneLineNaming(const std::string& line, fs::path file, const std::string& place,
                         const std::string& what) {
  EXPECT_EQ(line.rfind(file.make_preferred().string() + ": " + place, 0), 0u)
      << what << ": " << line;
  EXPECT_EQ(line.find('\n'), std::string::npos) << what << ": " << line;
}

using BadResources = HostFixture;

TEST_F(BadResources, ResourceLoadRefusesThemAndLogsWhy) {
  for (const BadFolder& folder : BadFolders()) {
    TemporaryFolder temporary;
    temporary.Write("res/strings_en-US/strings.json", folder.strings);
    temporary.Write("res/description/XVerdanta.json", folder.description);
    Host host;
    host.Open(ProbePlugins("good"));
    fs::path res = temporary.Path() / "res";
    EXPECT_EQ(host.ApplicationTable().ResourceLoad(res.string().c_str()), nullptr) << folder.what;
    ASSERT_EQ(host.Records().hostLog.size(), 1u) << folder.what;
    ExpectOneLineNaming(host.Records().hostLog.front(), res / folder.file, folder.place,
                        folder.what);
    EXPECT_EQ(LiveResourceCount(), 0u);
  }
}

TEST_F(BadResources, TheModuleStartsNoShaderAndTheHostSaysWhy) {
  for (const BadFolder& folder : BadFolders()) {
    TemporaryFolder temporary;
    fs::path plugins = PluginWithResources(temporary, folder);
    Host host;
    try {
      host.Load(plugins);
      ADD_FAILURE() << folder.what << ": loaded";
    } catch (const HostError& error) {
      std::string message = error.what();
      EXPECT_NE(message.find("Failed to register the Verdanta shader."), std::string::npos)
          << message;
      EXPECT_NE(message.find(fs::path(folder.file).make_preferred().string()), std::string::npos)
          << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
    ASSERT_EQ(host.Records().moduleLog.size(), 2u) << folder.what;
    EXPECT_EQ(host.Records().moduleLog[0].line, 53);
    EXPECT_EQ(host.Records().moduleLog[1].line, 35);
  }
}

TEST_F(BadResources, AMissingResourceFolderIsRefusedToo) {
  TemporaryFolder temporary;
  Host host;
  host.Open(ProbePlugins("good"));
  fs::path res = temporary.Path() / "res";
  EXPECT_EQ(host.ApplicationTable().ResourceLoad(res.string().c_str()), nullptr);
  EXPECT_EQ(host.ApplicationTable().ResourceLoad(nullptr), nullptr);
  ASSERT_EQ(host.Records().hostLog.size(), 1u);
  ExpectOneLineNaming(host.Records().hostLog.front(), res, "/", "missing folder");
}

}  // namespace
}  // namespace standin
