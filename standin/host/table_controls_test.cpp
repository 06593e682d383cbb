#include "table_controls.h"

#include <gtest/gtest.h>

#include <set>

#include "controls.h"

namespace standin {
namespace {

// Every slot after the size is a named entry, once and in order: a table layout that grows
// without its list would escape the controls.
template <typename Table>
void ExpectListCoversLayout() {
  const std::vector<TableEntry>& entries = EntriesOf(Table{});
  ASSERT_FALSE(entries.empty());
  size_t expectedOffset = sizeof(void*);  // after the int32_t size, aligned
  std::set<std::string> names;
  for (const TableEntry& entry : entries) {
    EXPECT_EQ(entry.offset, expectedOffset) << entry.name;
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    expectedOffset += sizeof(void*);
  }
  EXPECT_EQ(expectedOffset, sizeof(Table));
}

TEST(TableControls, EachTableListNamesEverySlot) {
  ExpectListCoversLayout<HostApplicationTable>();
  ExpectListCoversLayout<DescriptionLibrary>();
  ExpectListCoversLayout<LayerShaderLibrary>();
  ExpectListCoversLayout<NoiseLibrary>();
  ExpectListCoversLayout<GradientLibrary>();
  ExpectListCoversLayout<GradientRenderDataInterface>();
  ExpectListCoversLayout<SplineLibrary>();
}

TEST(TableControls, KnowsEntryNamesOfEveryTable) {
  for (const char* name :
       {"MemoryAlloc", "ChildShaderFreeRender", "DescriptionRegister", "LayerParam", "NoiseRidged",
        "PrepareRenderData", "RenderDataRelease", "SplineEvaluate"}) {
    EXPECT_TRUE(IsKnownEntryName(name)) << name;
  }
  for (const char* name : {"", "size", "memoryAlloc", "Destruct", "NoiseFbmX"}) {
    EXPECT_FALSE(IsKnownEntryName(name)) << name;
  }
}

double FakeFbm(const HostNoise*, const Vector3*, double, double, int32_t) {
  return 0.5;
}
HostNoise* FakeAlloc(int32_t) {
  return nullptr;
}

class HandOutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetControls();
    full.size = sizeof full;
    full.NoiseAlloc = FakeAlloc;
    full.NoiseFbm = FakeFbm;
  }
  void TearDown() override {
    ResetControls();
    ReleaseHandedOutTables();
  }
  NoiseLibrary full{};
};

TEST_F(HandOutTest, NullsOnlyTheNamedEntriesOfACopy) {
  Controls().missingEntries = {"NoiseFbm", "MemoryAlloc"};
  const NoiseLibrary* copy = HandOut(full, -1);
  EXPECT_NE(copy, &full);
  EXPECT_EQ(copy->size, full.size);
  EXPECT_EQ(copy->NoiseFbm, nullptr);
  EXPECT_EQ(copy->NoiseAlloc, FakeAlloc);
  EXPECT_EQ(full.NoiseFbm, FakeFbm);
}

TEST_F(HandOutTest, ReportsAShortSizeButNeverALongerOne) {
  int32_t shortSize = static_cast<int32_t>(offsetof(NoiseLibrary, NoiseFbm));
  EXPECT_EQ(HandOut(full, shortSize)->size, shortSize);
  EXPECT_EQ(HandOut(full, 0)->size, 0);
  EXPECT_EQ(HandOut(full, full.size + 64)->size, full.size);
}

TEST_F(HandOutTest, CopiesStayValidUntilReleased) {
  const NoiseLibrary* first = HandOut(full, -1);
  Controls().missingEntries = {"NoiseAlloc"};
  const NoiseLibrary* second = HandOut(full, -1);
  EXPECT_EQ(first->NoiseAlloc, FakeAlloc);
  EXPECT_EQ(second->NoiseAlloc, nullptr);
}

}  // namespace
}  // namespace standin
