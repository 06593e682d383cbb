// Long work first makes sure its results can be written where the user asked, so that a bad
// path fails at once rather than after the work.
#pragma once

#include <filesystem>

namespace standin {

// Throws std::runtime_error "cannot write 'PATH': reason" when the path names a folder, or
// its folder does not exist or may not be written. The final write can still fail; the
// writers leave nothing half-written then.
void CheckWritable(const std::filesystem::path& file);

}  // namespace standin
