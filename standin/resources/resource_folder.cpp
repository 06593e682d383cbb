#include "resource_folder.h"

#include <algorithm>

#include "input_error.h"
#include "json_reader.h"

namespace standin {

namespace {

StringTable ReadStrings(const std::filesystem::path& file) {
  StringTable strings;
  if (!std::filesystem::exists(file)) return strings;
  nlohmann::json document = ReadJsonFile(file);
  JsonReader reader(document, file.string());
  for (const auto& [key, text] : reader.Members()) {
    int32_t id = reader.Int32Key(key);
    // "020000" and "20000" would otherwise both claim string 20000
    if (!strings.emplace(id, text.String()).second) {
      text.Fail("the string " + std::to_string(id) + " is given twice");
    }
  }
  return strings;
}

std::vector<std::filesystem::path> DescriptionFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(folder)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file() && entry.path().extension() == ".json") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

ResourceFolder ResourceFolder::Load(const std::filesystem::path& folder,
                                    const std::string& language) {
  if (!std::filesystem::is_directory(folder)) {
    throw InputError(folder.string(), "/", "no such resource folder");
  }
  ResourceFolder resources;
  resources.path_ = folder;
  resources.strings_ = ReadStrings(folder / ("strings_" + language) / "strings.json");
  for (const std::filesystem::path& file : DescriptionFiles(folder / "description")) {
    nlohmann::json document = ReadJsonFile(file);
    DescriptionResource description = ParseDescription(document, file.string(), resources.strings_);
    if (const DescriptionResource* earlier = resources.FindDescription(description.name)) {
      throw InputError(file.string(), "/name",
                       "the description " + description.name + " is also in " + earlier->file);
    }
    resources.descriptions_.push_back(std::move(description));
  }
  return resources;
}

const std::string* ResourceFolder::FindString(int32_t id) const {
  auto found = strings_.find(id);
  return found == strings_.end() ? nullptr : &found->second;
}

const DescriptionResource* ResourceFolder::FindDescription(std::string_view name) const {
  for (const DescriptionResource& description : descriptions_) {
    if (description.name == name) return &description;
  }
  return nullptr;
}

}  // namespace standin
