#include "module_location.h"

#include "application_operations.h"

namespace verdanta {
namespace {

const char kResourceFolder[] = "res";

size_t TextLength(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

// `head` cut to headLength, then `tail`, as one text in host memory.
char* Join(const char* head, size_t headLength, const char* tail) {
  const size_t tailLength = TextLength(tail);
  auto* text = static_cast<char*>(host::MemoryAlloc(headLength + tailLength + 1));
  if (text == nullptr) return nullptr;
  for (size_t i = 0; i < headLength; ++i) text[i] = head[i];
  for (size_t i = 0; i < tailLength; ++i) text[headLength + i] = tail[i];
  text[headLength + tailLength] = '\0';
  return text;
}

}  // namespace

size_t FolderPartLength(const char* path) {
  size_t folder = 0;
  for (size_t i = 0; path[i] != '\0'; ++i) {
    if (path[i] == '/' || path[i] == '\\') folder = i + 1;
  }
  return folder;
}

char* CopyLocation(const char* location) {
  return Join(location, TextLength(location), "");
}

char* ResourceFolderBeside(const char* moduleFile) {
  return Join(moduleFile, FolderPartLength(moduleFile), kResourceFolder);
}

}  // namespace verdanta
