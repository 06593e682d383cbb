#include "module_location.h"

#include <gtest/gtest.h>

#include <string>

#include "application_operations.h"
#include "test_host.h"

namespace verdanta {
namespace {

TEST(FolderPartLength, EndsAfterTheLastSeparatorOfEitherKind) {
  struct Case {
    const char* path;
    size_t expected;
  } cases[] = {{"/plugins/Verdanta/Verdanta.so", 18},
               {"C:\\plugins\\Verdanta\\Verdanta.xdl64", 20},
               {"C:\\plugins/Verdanta\\V.xdl64", 20},
               {"Verdanta.so", 0},
               {"", 0},
               {"/", 1}};
  for (const Case& c : cases) EXPECT_EQ(c.expected, FolderPartLength(c.path)) << c.path;
}

TEST(ResourceFolderBeside, PutsResNextToTheModuleFile) {
  testhost::FakeHost fake;
  struct Case {
    const char* moduleFile;
    const char* expected;
  } cases[] = {{"/plugins/Verdanta/Verdanta.so", "/plugins/Verdanta/res"},
               {"D:\\p\\Verdanta.xdl64", "D:\\p\\res"},
               {"Verdanta.so", "res"}};
  for (const Case& c : cases) {
    char* folder = ResourceFolderBeside(c.moduleFile);
    ASSERT_NE(nullptr, folder);
    EXPECT_EQ(std::string(c.expected), folder);
    host::MemoryFree(folder);
  }
  EXPECT_EQ(0, fake.liveAllocations);
  fake.failAllocations = true;
  EXPECT_EQ(nullptr, ResourceFolderBeside("/a/b.so"));
  EXPECT_EQ(nullptr, CopyLocation("/a/b.so"));
}

}  // namespace
}  // namespace verdanta
