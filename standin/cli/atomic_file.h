// Output files appear whole or not at all: written beside their place, then renamed into it.
#pragma once

#include <filesystem>
#include <string>

namespace standin {

// Throws std::runtime_error with a one-line reason; the destination is then untouched.
void WriteFileAtomically(const std::filesystem::path& path, const std::string& bytes);

}  // namespace standin
