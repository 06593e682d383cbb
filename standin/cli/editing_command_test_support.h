// Test support for the commands that edit a scene's nodes: a small scene written to a file,
// and the shape of a failure.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "host_abi.h"
#include "run_command.h"
#include "temporary_folder.h"

namespace standin {

// Material "Planet": shader s1 (seed 7, scale 2) in the colour channel, s2 (defaults) in the
// bump channel and the edge gradient "rim" in neither.
inline nlohmann::json SmallScene() {
  return {{"format", "verdanta-scene"},
          {"version", 1},
          {"materials",
           {{{"name", "Planet"},
             {"channels", {{"color", "s1"}, {"bump", "s2"}}},
             {"shaders",
              {{{"id", "s1"},
                {"type", 1064031},
                {"parameters", {{"VERDANTA_SEED", 7}, {"VERDANTA_TERRAIN_SCALE", 2.0}}}},
               {{"id", "s2"}, {"type", 1064031}},
               {{"id", "rim"}, {"type", NODE_TYPE_EDGE_GRADIENT_SHADER}}}}}}},
          {"objects", nlohmann::json::array()}};
}

inline std::filesystem::path WriteScene(const TemporaryFolder& folder, const std::string& name,
                                        const nlohmann::json& scene) {
  return folder.Write(name, scene.dump(2) + "\n");
}

inline void ExpectOneErrorLine(const CommandResult& result, const std::string& reason) {
  EXPECT_NE(result.exitCode, 0) << reason;
  std::vector<std::string> lines = Lines(result.err);
  ASSERT_EQ(lines.size(), 1u) << result.err;
  EXPECT_EQ(lines[0].rfind("verdanta: error: ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(reason), std::string::npos) << lines[0];
}

}  // namespace standin
