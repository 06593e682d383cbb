// Naming one node of a scene document on the command line. A path is segments joined by '/':
//
//   MATERIAL/CHANNEL          the shader that channel color, bump or displacement links
//   MATERIAL/shaders/ID       a shader of the material's list, by its id in the scene file
//   shaders/ID                a shader the document holds outside every material
//   NODE/layer/N              the shader that layer N (from 0) of the layer shader NODE links,
//                             repeated for nested layer shaders
//
// MATERIAL is a material's name, or its index (from 0) in the scene's list of materials.
#pragma once

#include <string>

#include "document.h"

namespace standin {

// What a command line prints about node paths in its --help.
extern const char* const kNodePathHelp;

// Throws std::runtime_error with a one-line reason when the path names no node.
Node& FindNode(const Document& document, const std::string& path);

}  // namespace standin
