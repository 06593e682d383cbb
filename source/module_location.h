// The module file's location and the resource folder beside it.
#pragma once

#include <stddef.h>

namespace verdanta {

// Length of the folder part of a path, its last separator ('/' or '\') included; 0 without one.
size_t FolderPartLength(const char* path);

// Copies in host memory, null when the host has none; give them back with host::MemoryFree.
char* CopyLocation(const char* location);
char* ResourceFolderBeside(const char* moduleFile);

}  // namespace verdanta
