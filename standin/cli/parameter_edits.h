// Parameter values for one node from the command line, in the scene document's value form:
// 7, 0.25, [1, 0, 0], a gradient {"mode": ..., "knots": [...]}, a spline {"knots": [...]}.
#pragma once

#include <filesystem>
#include <string>

#include "node.h"

namespace standin {

// A preset: a JSON object of stored values by parameter name, as a scene stores a node's.
// Throws InputError naming the file and the place for bad JSON, an unknown name or a value
// of the wrong type; the node is then unchanged.
void ApplyPreset(Node& node, const std::filesystem::path& preset);

// One `NAME=VALUE` edit, NAME a parameter of the node's description. Throws InputError for an
// unknown name, a value that is not JSON or one of the wrong type; the node is then unchanged.
void ApplySetting(Node& node, const std::string& assignment);

}  // namespace standin
