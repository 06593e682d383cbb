#include "atomic_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "temporary_folder.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::stringstream text;
  text << stream.rdbuf();
  return text.str();
}

size_t EntriesIn(const fs::path& folder) {
  return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

TEST(WriteFileAtomically, WritesOrReplacesTheWholeFileAndLeavesNoTemporary) {
  TemporaryFolder folder;
  fs::path file = folder.Path() / "image.png";
  std::string bytes("\x89PNG\r\n\x1a\n\0binary", 15);
  WriteFileAtomically(file, bytes);
  EXPECT_EQ(Contents(file), bytes);
  WriteFileAtomically(file, "short");
  EXPECT_EQ(Contents(file), "short");
  EXPECT_EQ(EntriesIn(folder.Path()), 1u);
}

TEST(WriteFileAtomically, AFailureLeavesTheDestinationAsItWas) {
  TemporaryFolder folder;
  fs::path folderInTheWay = folder.Path() / "taken";
  fs::create_directories(folderInTheWay / "inside");
  for (const fs::path& path : {folderInTheWay, folder.Path() / "missing" / "file.json"}) {
    try {
      WriteFileAtomically(path, "data");
      ADD_FAILURE() << "wrote " << path;
    } catch (const std::runtime_error& error) {
      std::string message = error.what();
      EXPECT_EQ(message.rfind("cannot write '" + path.string() + "': ", 0), 0u) << message;
    }
  }
  EXPECT_TRUE(fs::is_directory(folderInTheWay / "inside"));
  EXPECT_EQ(EntriesIn(folder.Path()), 1u);
}

}  // namespace
}  // namespace standin
