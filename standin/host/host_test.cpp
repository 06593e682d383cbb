#include "host.h"

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
// A macro of windows.h that would rewrite the yield delegate's field.
#undef Yield
#else
#include <dlfcn.h>
#endif

#include <string>
#include <vector>

#include "host_error.h"
#include "host_memory.h"
#include "host_test_support.h"
#include "temporary_folder.h"

namespace standin {
namespace {

std::vector<std::string> ModuleLogTexts() {
  std::vector<std::string> texts;
  for (const LogLine& line : Records().moduleLog) texts.push_back(line.text);
  return texts;
}

bool IsStillLoaded(const std::filesystem::path& file) {
#if defined(_WIN32)
  return GetModuleHandleW(file.wstring().c_str()) != nullptr;
#else
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
#endif
}

using HostLoading = HostFixture;

TEST_F(HostLoading, RunsInitThenLoadResourcesThenStartAndEndsAtUnload) {
  std::string path;
  {
    Host host;
    host.Load(ProbePlugins("good"));
    path = host.Module().File().string();
    EXPECT_EQ(host.Module().Identity().moduleId, "net.verdanta.probe");
    EXPECT_EQ(host.Module().Identity().apiVersion, 2026000);
    EXPECT_EQ(host.Module().Identity().flavour, "probe");
    EXPECT_EQ(host.ResourceMessageResult(), MODULE_RESULT_OK);
    ASSERT_EQ(host.Records().registrations.size(), 1u);
    const RegistrationRecord& registration = host.Records().registrations.front();
    EXPECT_EQ(registration.apiVersion, 2026000);
    EXPECT_EQ(registration.kind, PLUGIN_KIND_SHADER);
    EXPECT_EQ(registration.id, 1064999);
    EXPECT_EQ(registration.name, "Probe");
    EXPECT_TRUE(registration.accepted);
  }
  std::string init = "init version 2026200 size " + std::to_string(sizeof(HostInterfaceRecord)) +
                     " table size " + std::to_string(sizeof(HostApplicationTable)) + " path " +
                     path;
  EXPECT_EQ(ModuleLogTexts(), (std::vector<std::string>{init, "message 1", "start", "end"}));
  EXPECT_FALSE(IsStillLoaded(path));
}

TEST_F(HostLoading, InitRecordReportsTheControlledVersionAndTableSize) {
  Controls().apiVersion = 2026123;
  Controls().applicationTableSize = 96;
  Host host;
  host.Load(ProbePlugins("good"));
  ASSERT_FALSE(host.Records().moduleLog.empty());
  EXPECT_EQ(host.Records().moduleLog.front().text.rfind("init version 2026123 size ", 0), 0u);
  EXPECT_NE(host.Records().moduleLog.front().text.find(" table size 96 "), std::string::npos);
  EXPECT_EQ(host.InterfaceRecord()->application->size, 96);
}

TEST_F(HostLoading, RefusesWhatItCannotLoadWithOneLineAndLeavesNothingLoaded) {
  TemporaryFolder empty;
  struct Case {
    std::filesystem::path folder;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {empty.Path() / "missing", "does not exist"},
      {empty.Path(), "no module file"},
      {ProbePlugins("no_main"), "has no entry point c4d_main"},
      {ProbePlugins("no_declaration"), "has no declaration (g_maxon)"},
      {ProbePlugins("refuse_init"),
       "refused to start: init answered -3 (it requires host API version 2026000, the host "
       "offers 2026200)"},
      {ProbePlugins("fail_start"),
       "failed to register (start answered 0): probe: the host refused the registration"},
  };
  for (const Case& c : cases) {
    Host host;
    try {
      host.Load(c.folder);
      ADD_FAILURE() << "loaded " << c.folder;
    } catch (const HostError& error) {
      std::string message = error.what();
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
      EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
    host.Unload();
    EXPECT_EQ(LiveAllocationCount(), 0u) << c.reason;
  }
}

TEST_F(HostLoading, AModuleThatFailedToStartStaysLoadedUntilUnload) {
  Host host;
  EXPECT_THROW(host.Load(ProbePlugins("fail_start")), HostError);
  EXPECT_TRUE(host.IsLoaded());
  host.Unload();
  std::vector<std::string> texts = ModuleLogTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.back(), "end");
}

TEST_F(HostLoading, AModuleThatRefusedInitIsUnloadedAtOnce) {
  Host host;
  EXPECT_THROW(host.Load(ProbePlugins("refuse_init")), HostError);
  EXPECT_FALSE(host.IsLoaded());
}

TEST_F(HostLoading, UnloadEndsEveryInitThatSucceeded) {
  {
    Host host;
    host.Open(ProbePlugins("good"));
    EXPECT_EQ(host.Init(), MODULE_RESULT_OK);
    EXPECT_EQ(host.Init(), MODULE_RESULT_OK);
    EXPECT_EQ(host.CallAction(MODULE_ACTION_END), MODULE_RESULT_OK);
    EXPECT_EQ(host.CallAction(MODULE_ACTION_INIT), MODULE_RESULT_REFUSED);  // nothing to end
  }
  std::vector<std::string> texts = ModuleLogTexts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "end"), 2);
}

TEST_F(HostLoading, SetsTheModulesYieldDelegate) {
  Host host;
  host.Open(ProbePlugins("good"));
  auto* delegate = static_cast<const CpuYieldDelegate*>(host.Module().Symbol(MODULE_YIELD_SYMBOL));
  ASSERT_NE(delegate, nullptr);
  ASSERT_NE(delegate->Yield, nullptr);
  delegate->Yield(delegate->context);
}

TEST_F(HostLoading, RefusesASecondHostAndUnknownEntryNames) {
  Host host;
  EXPECT_THROW(Host(), HostError);
  Controls().missingEntries = {"MemoryAllocate"};
  EXPECT_THROW(host.Open(ProbePlugins("good")), HostError);
}

}  // namespace
}  // namespace standin
