// The Verdanta module's life as the host sees it, in both build flavours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "host.h"
#include "host_log.h"
#include "host_memory.h"
#include "host_resources.h"
#include "host_test_support.h"

namespace standin {
namespace {

constexpr int32_t kShaderId = 1064031;
const char* const kRegistrationText = "Failed to register the Verdanta shader.";
const char* const kResourceText = "Verdanta shader: failed to load resource file.";

struct Flavour {
  std::string name;
  int32_t requiredVersion;
};

void PrintTo(const Flavour& flavour, std::ostream* out) {
  *out << flavour.name;
}

void* MessageId(intptr_t id) {
  return reinterpret_cast<void*>(id);
}

class ModuleLife : public HostFixture, public ::testing::WithParamInterface<Flavour> {
 protected:
  std::filesystem::path Plugins() const { return FlavourPlugins(GetParam().name); }

  // Opened and initialised, as the host leaves a module before its first message.
  void Initialise(Host& host) {
    host.Open(Plugins());
    ASSERT_EQ(host.Init(), MODULE_RESULT_OK);
  }

  int32_t LoadResources(Host& host) {
    return host.CallAction(MODULE_ACTION_MESSAGE, MessageId(MODULE_MESSAGE_LOAD_RESOURCES));
  }
};

void ExpectModuleLogLine(const LogLine& line, const std::string& text, int32_t lineNumber) {
  EXPECT_EQ(line.logger, DEFAULT_LOGGER);
  EXPECT_EQ(line.flags, LOG_OUTPUT_FLAGS);
  EXPECT_EQ(line.text, text);
  EXPECT_EQ(std::filesystem::path(line.file).stem(), "main") << line.file;
  EXPECT_EQ(line.line, lineNumber);
  EXPECT_EQ(line.level, 1);
}

TEST_P(ModuleLife, DeclaresItsFlavourAndTheVersionItRequires) {
  Host host;
  host.Open(Plugins());
  EXPECT_EQ(host.Module().Identity().flavour, GetParam().name);
  EXPECT_EQ(host.Module().Identity().apiVersion, GetParam().requiredVersion);
  EXPECT_NE(host.Module().Identity().moduleId.find('.'), std::string::npos);
}

TEST_P(ModuleLife, FirstInitRefusesAHostOlderThanRequired) {
  struct Case {
    int32_t hostVersion;
    int32_t answer;
  };
  const int32_t required = GetParam().requiredVersion;
  for (const Case& c : std::vector<Case>{{required - 1, MODULE_RESULT_REFUSED},
                                         {required, MODULE_RESULT_OK},
                                         {required + 1, MODULE_RESULT_OK}}) {
    Controls().apiVersion = c.hostVersion;
    Host host;
    host.Open(Plugins());
    EXPECT_EQ(host.Init(), c.answer) << c.hostVersion;
  }
}

TEST_P(ModuleLife, FirstInitRefusesANullRecordOrLocation) {
  for (bool nullRecord : {true, false}) {
    Host host;
    host.Open(Plugins());
    std::string path = host.Module().File().string();
    void* record = nullRecord ? nullptr : host.InterfaceRecord();
    void* location = nullRecord ? path.data() : nullptr;
    EXPECT_EQ(host.CallAction(MODULE_ACTION_INIT, record, nullptr, location), MODULE_RESULT_REFUSED)
        << (nullRecord ? "null record" : "null location");
  }
}

TEST_P(ModuleLife, AnEndBeforeAnyInitLeavesTheNextInitChecked) {
  Host host;
  host.Open(Plugins());
  EXPECT_EQ(host.CallAction(MODULE_ACTION_END), MODULE_RESULT_OK);
  host.InterfaceRecord()->apiVersion = GetParam().requiredVersion - 1;
  EXPECT_EQ(host.Init(), MODULE_RESULT_REFUSED);
}

TEST_P(ModuleLife, LaterInitsOnlyCountAndTheEndWorkWaitsForTheLastEnd) {
  Host host;
  Initialise(host);
  EXPECT_EQ(host.CallAction(MODULE_ACTION_INIT, nullptr, nullptr, nullptr), MODULE_RESULT_OK);
  ASSERT_EQ(LoadResources(host), MODULE_RESULT_OK);
  EXPECT_EQ(LiveResourceCount(), 1u);

  TraceStart();
  EXPECT_EQ(host.CallAction(MODULE_ACTION_END), MODULE_RESULT_OK);
  EXPECT_EQ(CountOf(TraceTake(), "ResourceFree"), 0);
  EXPECT_EQ(LiveResourceCount(), 1u);
  EXPECT_GT(LiveAllocationCount(), 0u);  // the module's copy of its location

  EXPECT_EQ(host.CallAction(MODULE_ACTION_END), MODULE_RESULT_OK);
  EXPECT_EQ(CountOf(TraceTake(), "ResourceFree"), 1);
  EXPECT_EQ(LiveResourceCount(), 0u);
  EXPECT_EQ(LiveAllocationCount(), 0u);
}

TEST_P(ModuleLife, AnswersMessagesAndOtherActions) {
  Host host;
  Initialise(host);
  TraceStart();
  EXPECT_EQ(host.CallAction(MODULE_ACTION_MESSAGE, MessageId(0)), MODULE_RESULT_OK);
  EXPECT_EQ(CountOf(TraceTake(), "ResourceLoad"), 0);

  struct Case {
    int32_t action;
    intptr_t message;
    int32_t answer;
  };
  const std::vector<Case> cases = {
      {MODULE_ACTION_MESSAGE, 1, MODULE_RESULT_OK},
      {MODULE_ACTION_MESSAGE, 2, MODULE_RESULT_NOT_HANDLED},
      {MODULE_ACTION_MESSAGE, 7, MODULE_RESULT_NOT_HANDLED},
      {MODULE_ACTION_MESSAGE, -1, MODULE_RESULT_NOT_HANDLED},
      {0, 0, MODULE_RESULT_NOT_HANDLED},
      {MODULE_ACTION_QUERY, 0, MODULE_RESULT_QUERY},
      {5, 0, MODULE_RESULT_NOT_HANDLED},
      {7, 0, MODULE_RESULT_NOT_HANDLED},
      {-2, 0, MODULE_RESULT_NOT_HANDLED},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(host.CallAction(c.action, MessageId(c.message)), c.answer)
        << "action " << c.action << " message " << c.message;
  }
  EXPECT_TRUE(host.Records().moduleLog.empty());
}

TEST_P(ModuleLife, RepeatedResourceMessageGivesTheFirstAnswerWithoutLoadingAgain) {
  for (bool loadFails : {true, false}) {
    Controls().failResourceLoad = loadFails;
    Host host;
    Initialise(host);
    TraceStart();
    int32_t answer = loadFails ? MODULE_RESULT_NOT_HANDLED : MODULE_RESULT_OK;
    EXPECT_EQ(LoadResources(host), answer);
    EXPECT_EQ(LoadResources(host), answer);
    EXPECT_EQ(CountOf(TraceTake(), "ResourceLoad"), 1);
    // A failed load is reported each time it is asked for.
    EXPECT_EQ(host.Records().moduleLog.size(), loadFails ? 2u : 0u);
    for (const LogLine& line : host.Records().moduleLog)
      ExpectModuleLogLine(line, kResourceText, 53);
  }
}

TEST_P(ModuleLife, StartWithoutResourcesAsksForTheDescriptionWithNone) {
  Host host;
  Initialise(host);
  TraceStart();
  // This host keeps no description without resources, so the registration fails.
  EXPECT_EQ(host.CallAction(MODULE_ACTION_START), MODULE_RESULT_FAILED);
  std::vector<TraceEntry> trace = TraceTake();
  auto find = [&](const std::string& operation) {
    return std::find_if(trace.begin(), trace.end(),
                        [&](const TraceEntry& entry) { return entry.operation == operation; });
  };
  ASSERT_NE(find("DescriptionRegister"), trace.end());
  EXPECT_EQ(find("DescriptionRegister")->arguments, "1064031, \"XVerdanta\", null");
  EXPECT_EQ(find("PluginRegister"), trace.end());
  ASSERT_EQ(host.Records().moduleLog.size(), 1u);
  ExpectModuleLogLine(host.Records().moduleLog.front(), kRegistrationText, 35);
}

TEST_P(ModuleLife, LogsWhyItFailedWithTheExactLines) {
  struct Case {
    std::string cause;
    int32_t failingAction;
    std::string text;
    int32_t line;
  };
  const std::vector<Case> cases = {
      {"resources", MODULE_ACTION_MESSAGE, kResourceText, 53},
      {"description library", MODULE_ACTION_START, kRegistrationText, 35},
      {"id taken", MODULE_ACTION_START, kRegistrationText, 35},
  };
  for (const Case& c : cases) {
    ResetControls();
    Controls().failResourceLoad = c.cause == "resources";
    if (c.cause == "description library") Controls().missingLibraries = {LIBRARY_DESCRIPTION};
    Host host;
    Initialise(host);
    if (c.cause == "id taken") {
      NodeRegistration other{};
      other.size = sizeof other;
      other.Allocate = [] { return static_cast<PluginNode*>(nullptr); };
      ASSERT_TRUE(host.ApplicationTable().PluginRegister(
          GetParam().requiredVersion, PLUGIN_KIND_SHADER, kShaderId, "Other", &other));
    }
    bool failsAtStart = c.failingAction == MODULE_ACTION_START;
    if (failsAtStart) {
      ASSERT_EQ(LoadResources(host), MODULE_RESULT_OK) << c.cause;
    }
    int32_t answer = failsAtStart ? host.CallAction(MODULE_ACTION_START) : LoadResources(host);
    EXPECT_EQ(answer, failsAtStart ? MODULE_RESULT_FAILED : MODULE_RESULT_NOT_HANDLED) << c.cause;
    ASSERT_EQ(host.Records().moduleLog.size(), 1u) << c.cause;
    ExpectModuleLogLine(host.Records().moduleLog.front(), c.text, c.line);
  }
}

TEST_P(ModuleLife, LogsAnEmptyTextWhenTheHostCannotMakeTheString) {
  Controls().failResourceLoad = true;
  Controls().failStringCreation = true;
  Host host;
  Initialise(host);
  EXPECT_EQ(LoadResources(host), MODULE_RESULT_NOT_HANDLED);
  ASSERT_EQ(host.Records().moduleLog.size(), 1u);
  ExpectModuleLogLine(host.Records().moduleLog.front(), "", 53);
}

TEST_P(ModuleLife, WholeLifeRegistersTheShaderAndLeavesNothingBehind) {
  {
    Host host;
    host.Load(Plugins());
    ASSERT_EQ(host.Records().registrations.size(), 1u);
    const RegistrationRecord& registration = host.Records().registrations.front();
    EXPECT_EQ(registration.apiVersion, GetParam().requiredVersion);
    EXPECT_EQ(registration.kind, PLUGIN_KIND_SHADER);
    EXPECT_EQ(registration.id, kShaderId);
    EXPECT_EQ(registration.name, "Verdanta");
    EXPECT_TRUE(registration.accepted);
    EXPECT_TRUE(host.Records().moduleLog.empty());
  }
  EXPECT_EQ(LiveAllocationCount(), 0u);
  EXPECT_EQ(LiveStringCount(), 0u);
  EXPECT_EQ(LiveResourceCount(), 0u);
  EXPECT_EQ(ForeignFreeCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Flavours, ModuleLife,
                         ::testing::Values(Flavour{"windows", 2026200}, Flavour{"macos", 2026000}),
                         [](const ::testing::TestParamInfo<Flavour>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace standin
