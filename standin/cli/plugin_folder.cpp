#include "plugin_folder.h"

#include <system_error>
#include <vector>

#include "host_error.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace standin {

namespace fs = std::filesystem;

namespace {

fs::path ExecutableFile() {
#if defined(_WIN32)
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? fs::path(path) : fs::path();
#else
  std::error_code error;
  fs::path path = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : path;
#endif
}

std::vector<fs::path> DefaultPluginFolders() {
  std::vector<fs::path> folders;
  fs::path executable = ExecutableFile();
  if (!executable.empty()) folders.push_back(executable.parent_path().parent_path() / "plugins");
  folders.push_back(fs::current_path() / "plugins");
  return folders;
}

}  // namespace

void AddPluginFolderOption(CLI::App& command, std::string& folder) {
  command
      .add_option("--plugins", folder,
                  "Plug-in folder: a folder of module folders, or one module folder. Default: "
                  "plugins/ beside the executable's build folder, then ./plugins")
      ->envname("VERDANTA_PLUGINS");
}

fs::path ResolvePluginFolder(const std::string& option) {
  if (!option.empty()) return option;
  std::string looked;
  for (const fs::path& folder : DefaultPluginFolders()) {
    std::error_code error;
    if (fs::is_directory(folder, error)) return folder;
    looked += (looked.empty() ? "" : ", ") + folder.string();
  }
  throw HostError("no plug-in folder found (looked in " + looked +
                  "); name one with --plugins DIR or VERDANTA_PLUGINS");
}

}  // namespace standin
