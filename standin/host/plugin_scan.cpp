#include "plugin_scan.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "host_error.h"

namespace standin {

namespace fs = std::filesystem;

namespace {

bool IsModuleFile(const fs::directory_entry& entry) {
  std::error_code error;
  return entry.is_regular_file(error) && entry.path().extension() == ModuleFileSuffix();
}

// The entries of `folder` that `accept` takes, in name order so that the scan is repeatable.
template <typename Accept>
std::vector<fs::path> EntriesOf(const fs::path& folder, Accept accept) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) {
    throw HostError("cannot read plug-in folder '" + folder.string() + "': " + error.message());
  }
  std::vector<fs::path> found;
  for (const fs::directory_entry& entry : entries) {
    if (accept(entry)) found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::vector<fs::path> ModuleFilesIn(const fs::path& folder) {
  return EntriesOf(folder, IsModuleFile);
}

std::vector<fs::path> ModuleFilesInSubfolders(const fs::path& folder) {
  std::vector<fs::path> found;
  auto isFolder = [](const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_directory(error);
  };
  for (const fs::path& subfolder : EntriesOf(folder, isFolder)) {
    for (fs::path& file : ModuleFilesIn(subfolder)) found.push_back(std::move(file));
  }
  return found;
}

std::string Listed(const std::vector<fs::path>& files) {
  std::string text;
  for (const fs::path& file : files) text += (text.empty() ? "" : ", ") + file.string();
  return text;
}

}  // namespace

const char* ModuleFileSuffix() {
#if defined(_WIN32)
  return ".xdl64";
#elif defined(__APPLE__)
  return ".xlib";
#else
  return ".so";
#endif
}

fs::path FindModuleFile(const fs::path& folder) {
  std::error_code error;
  if (!fs::exists(folder, error)) {
    throw HostError("plug-in folder '" + folder.string() + "' does not exist");
  }
  if (!fs::is_directory(folder, error)) {
    throw HostError("plug-in folder '" + folder.string() + "' is not a folder");
  }
  std::vector<fs::path> files = ModuleFilesIn(folder);
  if (files.empty()) files = ModuleFilesInSubfolders(folder);
  if (files.empty()) {
    throw HostError("no module file (*" + std::string(ModuleFileSuffix()) +
                    ") in plug-in folder '" + folder.string() + "'");
  }
  if (files.size() > 1) {
    throw HostError("several module files in plug-in folder '" + folder.string() +
                    "': " + Listed(files));
  }
  return files.front();
}

}  // namespace standin
