// The scene's part of the application table and the two scene libraries. No C++ exception
// ever leaves these entries; ObjectMatrix and ChildShaderSample may be called from many
// threads at once.
#pragma once

#include "host_abi.h"

namespace standin {

// Fills the container, data, node, material, link, object matrix, colour query and child
// shader entries; leaves every other entry as it is.
void FillSceneServices(HostApplicationTable& table);

const LayerShaderLibrary& LayerShaderLibraryTable();
// DescriptionRegister takes the resources handle as a ResourceFolder.
const DescriptionLibrary& DescriptionLibraryTable();

// What a render hands ColorQuery through RenderSetup.queryContext: whether the user's colours
// are to be kept as entered. A null context answers false.
struct ColorQueryContext {
  bool keepColors = false;
};

}  // namespace standin
