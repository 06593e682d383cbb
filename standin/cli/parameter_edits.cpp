#include "parameter_edits.h"

#include "descriptions.h"
#include "input_error.h"
#include "json_reader.h"
#include "scene_file.h"

namespace standin {

namespace {

constexpr const char* kSetOption = "--set";

bool HasParameter(const Node& node, const std::string& name) {
  std::shared_ptr<const DescriptionResource> description = RegisteredDescription(node.type);
  return description && description->FindParameter(name);
}

}  // namespace

void ApplyPreset(Node& node, const std::filesystem::path& preset) {
  ApplyParameters(node, ReadJsonFile(preset), preset.string());
}

void ApplySetting(Node& node, const std::string& assignment) {
  const size_t equals = assignment.find('=');
  if (equals == std::string::npos || equals == 0) {
    throw InputError(kSetOption, assignment, "expected NAME=VALUE");
  }
  const std::string name = assignment.substr(0, equals);
  // Only names: a number would reach ids the description does not have.
  if (!HasParameter(node, name)) {
    throw InputError(kSetOption, name, "the shader has no parameter of this name");
  }
  const nlohmann::json value =
      ParseJsonText(assignment.substr(equals + 1), std::string(kSetOption) + " " + name);
  ApplyParameters(node, nlohmann::json{{name, value}}, kSetOption);
}

}  // namespace standin
