#include "flavour.h"

#include <gtest/gtest.h>

#include <string>

#include "main.h"
#include "test_host.h"
#include "test_shader.h"
#include "verdanta_ids.h"

namespace verdanta {
namespace {

// What each build promises: the host version it needs and how it draws the seed offsets.
struct FlavourPromise {
  const char* name;
  int32_t apiVersion;
  OffsetDrawOrder order;
};

const FlavourPromise kPromises[] = {{"windows", 2026200, OffsetDrawOrder::kFirstAndLastSwapped},
                                    {"macos", 2026000, OffsetDrawOrder::kInOrder}};

const FlavourPromise& ThisBuild() {
  for (const FlavourPromise& promise : kPromises) {
    if (std::string(promise.name) == g_maxon.flavour) return promise;
  }
  ADD_FAILURE() << "unknown flavour " << g_maxon.flavour;
  return kPromises[0];
}

TEST(Flavour, TheModuleDeclaresItself) {
  EXPECT_EQ(int32_t{sizeof(ModuleDeclaration)}, g_maxon.size);
  EXPECT_EQ(ThisBuild().apiVersion, g_maxon.apiVersion);
  EXPECT_STREQ("net.verdanta.planet", g_maxon.moduleId);
  EXPECT_EQ(int32_t{sizeof(CpuYieldDelegate)}, g_CpuYieldDelegate.size);
  EXPECT_EQ(nullptr, g_CpuYieldDelegate.Yield);
}

TEST(Flavour, InitNeedsTheBuildsHostVersion) {
  testhost::FakeHost fake;
  HostInterfaceRecord record = {ThisBuild().apiVersion - 1, sizeof(HostInterfaceRecord),
                                &fake.application};
  char location[] = "/plugins/Verdanta/Verdanta.so";
  EXPECT_EQ(MODULE_RESULT_REFUSED, c4d_main(MODULE_ACTION_INIT, &record, nullptr, location));
  record.apiVersion = ThisBuild().apiVersion;
  EXPECT_EQ(MODULE_RESULT_OK, c4d_main(MODULE_ACTION_INIT, &record, nullptr, location));
  EXPECT_EQ(MODULE_RESULT_OK, c4d_main(MODULE_ACTION_START, nullptr, nullptr, nullptr));
  ASSERT_EQ(1u, fake.registrations.size());
  EXPECT_EQ(ThisBuild().apiVersion, fake.registrations[0].apiVersion);
  c4d_main(MODULE_ACTION_END, nullptr, nullptr, nullptr);
}

TEST(Flavour, RendersDrawTheOffsetsInTheBuildsOrder) {
  testhost::FakeHost fake;
  testhost::FakeNode* node = fake.NewNode(VERDANTA_PLUGIN_ID);
  testhost::ShaderPointer shader = testhost::NewShader();
  shader->Init(testhost::AsHost(node));
  node->settings[VERDANTA_SEED] = testhost::Int32Value(0);
  RenderSetup setup = {};
  ASSERT_EQ(0, shader->InitRender(testhost::AsHost(node), &setup));
  const Vector3 expected = SeedOffset(0, ThisBuild().order);
  EXPECT_EQ(expected.x, shader->offset.x);
  EXPECT_EQ(expected.y, shader->offset.y);
  EXPECT_EQ(expected.z, shader->offset.z);
  EXPECT_NE(SeedOffset(0, OffsetDrawOrder::kInOrder).x,
            SeedOffset(0, OffsetDrawOrder::kFirstAndLastSwapped).x);
  shader->FreeRender(testhost::AsHost(node));
}

}  // namespace
}  // namespace verdanta
