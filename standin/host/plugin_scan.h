// Finding the module file in a plug-in folder, as the host does at start-up.
#pragma once

#include <filesystem>

namespace standin {

// ".so", ".xdl64" or ".xlib": the module file suffix of the platform the host runs on.
const char* ModuleFileSuffix();

// The one module file in `folder`, which is either a module folder itself or a folder of module
// folders. Throws HostError when the folder is missing, holds no module file or several.
std::filesystem::path FindModuleFile(const std::filesystem::path& folder);

}  // namespace standin
