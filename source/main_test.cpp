#include "main.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "test_host.h"
#include "test_shader.h"

namespace {

using testhost::FakeHost;

void* Message(intptr_t id) {
  return reinterpret_cast<void*>(id);
}

class ModuleLife : public ::testing::Test {
 protected:
  void TearDown() override {
    // Back to an unloaded module for the next test.
    for (int i = 0; i < 4; ++i) c4d_main(MODULE_ACTION_END, nullptr, nullptr, nullptr);
  }

  int32_t Init(int32_t apiVersion, const char* location = "/plugins/Verdanta/Verdanta.so") {
    record = HostInterfaceRecord{apiVersion, sizeof(HostInterfaceRecord), &fake.application};
    return c4d_main(MODULE_ACTION_INIT, &record, nullptr, const_cast<char*>(location));
  }

  int32_t Call(int32_t action, void* p1 = nullptr) {
    return c4d_main(action, p1, nullptr, nullptr);
  }

  FakeHost fake;
  HostInterfaceRecord record;
};

TEST_F(ModuleLife, InitTestsTheHostVersionAndTheLocation) {
  EXPECT_EQ(MODULE_RESULT_REFUSED, Init(g_maxon.apiVersion - 1));
  EXPECT_EQ(MODULE_RESULT_REFUSED, Init(g_maxon.apiVersion, nullptr));
  EXPECT_EQ(MODULE_RESULT_OK, Init(g_maxon.apiVersion));
}

TEST_F(ModuleLife, InitWithoutARecordIsRefused) {
  EXPECT_EQ(MODULE_RESULT_REFUSED,
            c4d_main(MODULE_ACTION_INIT, nullptr, nullptr, const_cast<char*>("/m/V.so")));
  EXPECT_EQ(MODULE_RESULT_OK, Init(g_maxon.apiVersion));
}

TEST_F(ModuleLife, ARefusedInitLeavesTheNextOneToBeChecked) {
  EXPECT_EQ(MODULE_RESULT_REFUSED, Init(g_maxon.apiVersion - 1));
  EXPECT_EQ(MODULE_RESULT_REFUSED, Init(g_maxon.apiVersion - 1));
}

TEST_F(ModuleLife, LaterInitsOnlyCountAndTheLastEndReleases) {
  ASSERT_EQ(MODULE_RESULT_OK, Init(g_maxon.apiVersion));
  EXPECT_EQ(MODULE_RESULT_OK, c4d_main(MODULE_ACTION_INIT, nullptr, nullptr, nullptr));
  ASSERT_EQ(MODULE_RESULT_OK, Call(MODULE_ACTION_MESSAGE, Message(1)));
  EXPECT_EQ(1, fake.liveAllocations) << "the kept location";

  EXPECT_EQ(MODULE_RESULT_OK, Call(MODULE_ACTION_END));
  EXPECT_FALSE(fake.Called("ResourceFree"));
  EXPECT_EQ(1, fake.liveAllocations);

  EXPECT_EQ(MODULE_RESULT_OK, Call(MODULE_ACTION_END));
  EXPECT_EQ(1u, fake.CallCount("ResourceFree"));
  EXPECT_EQ(0, fake.liveAllocations);
}

TEST_F(ModuleLife, AnEndWithoutInitDoesNotCountBelowZero) {
  EXPECT_EQ(MODULE_RESULT_OK, Call(MODULE_ACTION_END));
  EXPECT_EQ(MODULE_RESULT_OK, Call(MODULE_ACTION_END));
  EXPECT_EQ(MODULE_RESULT_REFUSED, Init(g_maxon.apiVersion - 1)) << "still the first init";
  EXPECT_FALSE(fake.Called("ResourceFree"));
}

TEST_F(ModuleLife, ActionsAndMessagesAnswerTheirCodes) {
  ASSERT_EQ(MODULE_RESULT_OK, Init(g_maxon.apiVersion));
  struct Case {
    int32_t action;
    intptr_t p1;
    int32_t expected;
  } cases[] = {{0, 0, -1}, {4, 0, 5},  {5, 0, -1},  {7, 0, -1}, {-2, 0, -1},
               {6, 0, 1},  {6, 2, -1}, {6, 99, -1}, {6, -1, -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, Call(c.action, Message(c.p1))) << c.action << " " << c.p1;
  }
  EXPECT_FALSE(fake.Called("ResourceLoad")) << "only message 1 loads";
}

TEST_F(ModuleLife, ResourcesAreLoadedOnceFromBesideTheModule) {
  ASSERT_EQ(MODULE_RESULT_OK, Init(g_maxon.apiVersion, "C:\\plugins\\Verdanta\\Verdanta.xdl64"));
  EXPECT_EQ(MODULE_RESULT_OK, Call(MODULE_ACTION_MESSAGE, Message(1)));
  EXPECT_EQ(MODULE_RESULT_OK, Call(MODULE_ACTION_MESSAGE, Message(1)));
  ASSERT_EQ(1u, fake.loadedFolders.size());
  EXPECT_EQ("C:\\plugins\\Verdanta\\res", fake.loadedFolders[0]);
  EXPECT_TRUE(fake.log.empty());
}

TEST_F(ModuleLife, AFailedLoadIsReportedEachTimeButTriedOnce) {
  fake.failResourceLoad = true;
  ASSERT_EQ(MODULE_RESULT_OK, Init(g_maxon.apiVersion));
  EXPECT_EQ(MODULE_RESULT_NOT_HANDLED, Call(MODULE_ACTION_MESSAGE, Message(1)));
  EXPECT_EQ(MODULE_RESULT_NOT_HANDLED, Call(MODULE_ACTION_MESSAGE, Message(1)));
  EXPECT_EQ(1u, fake.CallCount("ResourceLoad"));
  ASSERT_EQ(2u, fake.log.size());
  for (const testhost::LogLine& line : fake.log) {
    EXPECT_EQ("Verdanta shader: failed to load resource file.", line.text);
    EXPECT_EQ(14, line.flags);
    EXPECT_EQ("source/main.cpp", line.file);
    EXPECT_EQ(53, line.line);
    EXPECT_EQ(1, line.level);
  }
}

TEST_F(ModuleLife, StartRegistersTheShaderType) {
  ASSERT_EQ(MODULE_RESULT_OK, Init(g_maxon.apiVersion));
  ASSERT_EQ(MODULE_RESULT_OK, Call(MODULE_ACTION_MESSAGE, Message(1)));
  EXPECT_EQ(MODULE_RESULT_OK, Call(MODULE_ACTION_START));

  ASSERT_EQ(std::vector<std::string>{"XVerdanta with resources"}, fake.registeredDescriptions);
  ASSERT_EQ(1u, fake.registrations.size());
  const FakeHost::Registration& registration = fake.registrations[0];
  EXPECT_EQ(g_maxon.apiVersion, registration.apiVersion);
  EXPECT_EQ(PLUGIN_KIND_SHADER, registration.kind);
  EXPECT_EQ(1064031, registration.id);
  EXPECT_EQ("Verdanta", registration.name);
  EXPECT_EQ(int32_t{sizeof(NodeRegistration)}, registration.record.size);
  EXPECT_EQ(0, registration.record.infoFlags);
  EXPECT_EQ(0, registration.record.diskLevel);
  EXPECT_NE(nullptr, registration.record.Allocate);
  const NodeCallbacks& callbacks = registration.record.callbacks;
  EXPECT_EQ(int32_t{sizeof(NodeCallbacks)}, callbacks.size);
  EXPECT_TRUE(fake.log.empty());
}

TEST_F(ModuleLife, StartWithoutResourcesRegistersWithAnEmptyName) {
  ASSERT_EQ(MODULE_RESULT_OK, Init(g_maxon.apiVersion));
  EXPECT_EQ(MODULE_RESULT_OK, Call(MODULE_ACTION_START));
  EXPECT_EQ(std::vector<std::string>{"XVerdanta without resources"}, fake.registeredDescriptions);
  ASSERT_EQ(1u, fake.registrations.size());
  EXPECT_EQ("", fake.registrations[0].name);
}

void ExpectRegistrationFailureLogged(const FakeHost& fake) {
  ASSERT_EQ(1u, fake.log.size());
  EXPECT_EQ("Failed to register the Verdanta shader.", fake.log[0].text);
  EXPECT_EQ("source/main.cpp", fake.log[0].file);
  EXPECT_EQ(35, fake.log[0].line);
  EXPECT_EQ(14, fake.log[0].flags);
}

TEST_F(ModuleLife, ARefusedDescriptionFailsTheStartBeforeRegistration) {
  fake.descriptionRegisterAnswer = false;
  ASSERT_EQ(MODULE_RESULT_OK, Init(g_maxon.apiVersion));
  EXPECT_EQ(MODULE_RESULT_FAILED, Call(MODULE_ACTION_START));
  EXPECT_FALSE(fake.Called("PluginRegister"));
  ExpectRegistrationFailureLogged(fake);
}

TEST_F(ModuleLife, ARefusedRegistrationFailsTheStart) {
  fake.registerAnswer = false;
  ASSERT_EQ(MODULE_RESULT_OK, Init(g_maxon.apiVersion));
  EXPECT_EQ(MODULE_RESULT_FAILED, Call(MODULE_ACTION_START));
  ExpectRegistrationFailureLogged(fake);
}

TEST_F(ModuleLife, TheRegisteredCallbacksDriveANodeInHostMemory) {
  ASSERT_EQ(MODULE_RESULT_OK, Init(g_maxon.apiVersion));
  ASSERT_EQ(MODULE_RESULT_OK, Call(MODULE_ACTION_START));
  const NodeRegistration& registration = fake.registrations.at(0).record;
  const NodeCallbacks& callbacks = registration.callbacks;
  const int baseline = fake.liveAllocations;

  PluginNode* self = registration.Allocate();
  ASSERT_NE(nullptr, self);
  testhost::FakeNode* node = fake.NewNode(1064031);
  testhost::FakeNode* target = fake.NewNode(5703);
  HostNode* hostNode = testhost::AsHost(node);

  EXPECT_EQ(1, callbacks.Init(self, hostNode));
  EXPECT_EQ(48, callbacks.GetRenderInfo(self, hostNode));
  EXPECT_EQ(1, callbacks.ReadStored(self, hostNode, nullptr, 0));
  EXPECT_EQ(0, callbacks.TranslateId(self, hostNode, nullptr, nullptr));
  const VersionRange versions = callbacks.StoredVersions(self, hostNode);
  EXPECT_EQ(0, versions.lowest);
  EXPECT_EQ(1, versions.highest);
  EXPECT_EQ(nullptr, callbacks.ResolveDocument(self, hostNode));
  EXPECT_EQ(1, callbacks.Message(self, hostNode, 99, nullptr));
  EXPECT_EQ(1, callbacks.ForwardMessage(self, hostNode, testhost::AsHost(target), 42, nullptr));
  EXPECT_EQ("NodeMessage 42", fake.calls.back()) << "passed on to the given object";
  EXPECT_EQ(0, callbacks.IsBaked(self, hostNode));
  callbacks.Free(self, hostNode);
  callbacks.Destruct(self);
  EXPECT_EQ(baseline, fake.liveAllocations);

  fake.failAllocations = true;
  EXPECT_EQ(nullptr, registration.Allocate());
}

}  // namespace
