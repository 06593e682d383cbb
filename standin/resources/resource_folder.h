// A module's resource folder (res/): its string table and its parameter descriptions.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "description_resource.h"

namespace standin {

class ResourceFolder {
 public:
  // Reads <folder>/strings_<language>/strings.json and <folder>/description/*.json. A missing
  // part is simply empty; a bad file is an InputError naming it and the place.
  static ResourceFolder Load(const std::filesystem::path& folder,
                             const std::string& language = "en-US");

  const std::filesystem::path& Path() const { return path_; }
  const StringTable& Strings() const { return strings_; }
  const std::string* FindString(int32_t id) const;  // null when the table has no such string
  const std::vector<DescriptionResource>& Descriptions() const { return descriptions_; }
  const DescriptionResource* FindDescription(std::string_view name) const;

 private:
  std::filesystem::path path_;
  StringTable strings_;
  std::vector<DescriptionResource> descriptions_;
};

}  // namespace standin
