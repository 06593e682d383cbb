// Scene documents as the stand-in host stores them: JSON of the form
//   {"format": "verdanta-scene", "version": 1, "materials": [...], "objects": [...],
//    "shaders": [...]}
// Materials name their channels' shaders by the ids their shader lists give; a plug-in
// node's parameters are keyed by its description's names, a built-in node's by id.
#pragma once

#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "document.h"

namespace standin {

nlohmann::json SaveScene(const Document& document);
// Written to a temporary file first, so `file` is either the whole scene or untouched.
void SaveScene(const Document& document, const std::filesystem::path& file);

// Creates each node and runs its Init before the stored values are applied, as the host
// does. A malformed document, an unknown type or parameter name, a value of the wrong type
// or a link to no node is an InputError naming `file` and the place; nothing is kept then.
std::unique_ptr<Document> LoadScene(const nlohmann::json& scene, const std::string& file);
std::unique_ptr<Document> LoadScene(const std::filesystem::path& file);

// One node's stored values in the scene's form (links are written as null), and applying
// such values to a node: a preset.
nlohmann::json SaveParameters(const Node& node);
void ApplyParameters(Node& node, const nlohmann::json& parameters, const std::string& file);

}  // namespace standin
