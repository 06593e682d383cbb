#include "plugin_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_error.h"
#include "temporary_folder.h"

namespace standin {
namespace {

namespace fs = std::filesystem;

std::string Module(const std::string& stem) {
  return stem + ModuleFileSuffix();
}

TEST(FindModuleFile, FindsTheModuleInAModuleFolderOrOneLevelDown) {
  struct Case {
    std::vector<std::string> files;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{Module("Verdanta"), "res/strings_en-US/strings.json"}, Module("Verdanta")},
      {{"Verdanta/" + Module("Verdanta"), "Verdanta/res/description/XVerdanta.json"},
       "Verdanta/" + Module("Verdanta")},
      {{"readme.txt", "Verdanta/" + Module("Verdanta"), "Other/notes.txt"},
       "Verdanta/" + Module("Verdanta")},
      // A module beside the folders wins: the folder is a module folder then.
      {{Module("Top"), "Nested/" + Module("Nested")}, Module("Top")},
  };
  for (const Case& c : cases) {
    TemporaryFolder folder;
    for (const std::string& file : c.files) folder.Write(file, "x");
    EXPECT_EQ(FindModuleFile(folder.Path()), folder.Path() / c.expected) << c.expected;
  }
}

TEST(FindModuleFile, RefusesFoldersWithoutExactlyOneModule) {
  struct Case {
    std::vector<std::string> files;
    std::string subject;  // relative to the temporary folder
    std::string reason;
  };
  const std::vector<Case> cases = {
      {{}, "missing", "does not exist"},
      {{"plain.txt"}, "plain.txt", "is not a folder"},
      {{"readme.txt", "res/strings_en-US/strings.json"}, "", "no module file"},
      {{"Deep/Deeper/" + Module("Verdanta")}, "", "no module file"},
      {{"A/" + Module("A"), "B/" + Module("B")}, "", "several module files"},
      {{"Verdanta.dll", "Verdanta.so.txt"}, "", "no module file"},
  };
  for (const Case& c : cases) {
    TemporaryFolder folder;
    for (const std::string& file : c.files) folder.Write(file, "x");
    try {
      FindModuleFile(folder.Path() / c.subject);
      ADD_FAILURE() << "no error for " << c.reason;
    } catch (const HostError& error) {
      std::string message = error.what();
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
      EXPECT_NE(message.find((folder.Path() / c.subject).string()), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace standin
