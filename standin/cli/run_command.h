// Test support: runs the built `verdanta` in a child process, as a user would, and keeps what
// it printed and how it exited.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace standin {

struct CommandResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// VERDANTA_PLUGINS is taken out of the environment unless `environment` sets it. The command
// runs in `workingFolder`, or in the test's own when that is empty.
CommandResult RunVerdanta(const std::vector<std::string>& arguments,
                          const std::map<std::string, std::string>& environment = {},
                          const std::filesystem::path& workingFolder = {});

// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text);

}  // namespace standin
