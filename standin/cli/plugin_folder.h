// Where a command finds the plug-in folder: --plugins, else VERDANTA_PLUGINS, else `plugins/`
// beside the build folder of the executable, else `./plugins`.
#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <string>

namespace standin {

void AddPluginFolderOption(CLI::App& command, std::string& folder);

// The folder the option names, or the first default that exists. Throws HostError when the
// option is empty and no default exists.
std::filesystem::path ResolvePluginFolder(const std::string& option);

}  // namespace standin
