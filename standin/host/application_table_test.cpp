// The host's own entries of the application table and its library lookups, called as a
// module calls them: through the table the host hands out.
#include "application_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "document.h"
#include "host.h"
#include "host_libraries.h"
#include "host_log.h"
#include "host_memory.h"
#include "host_test_support.h"
#include "table_controls.h"
#include "temporary_folder.h"

namespace standin {
namespace {

const void* EntryAt(const void* table, size_t offset) {
  const void* entry = nullptr;
  std::memcpy(&entry, static_cast<const char*>(table) + offset, sizeof entry);
  return entry;
}

PluginNode* AllocateNothing() {
  return nullptr;
}

class ApplicationTable : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    host = std::make_unique<Host>();
  }
  void TearDown() override {
    host.reset();
    HostFixture::TearDown();
  }
  // The table as a module gets it, with the controls set so far.
  const HostApplicationTable& Table() {
    host->Open(ProbePlugins("good"));
    return host->ApplicationTable();
  }
  std::unique_ptr<Host> host;
};

TEST_F(ApplicationTable, FullTableHasEveryEntry) {
  HostApplicationTable table = FullApplicationTable();
  EXPECT_EQ(table.size, static_cast<int32_t>(sizeof table));
  for (const TableEntry& entry : EntriesOf(table)) {
    EXPECT_NE(EntryAt(&table, entry.offset), nullptr) << entry.name;
  }
}

TEST_F(ApplicationTable, HandsOutTheTableWithTheControlsApplied) {
  Controls().missingEntries = {"LogWrite", "NodeClone", "NoiseFbm"};
  const HostApplicationTable& table = Table();
  EXPECT_EQ(table.LogWrite, nullptr);
  EXPECT_EQ(table.NodeClone, nullptr);
  EXPECT_NE(table.StringCreate, nullptr);
  auto* noise = static_cast<const NoiseLibrary*>(table.LibraryLookup(LIBRARY_NOISE));
  ASSERT_NE(noise, nullptr);
  EXPECT_EQ(noise->NoiseFbm, nullptr);
  EXPECT_NE(noise->NoiseRidged, nullptr);
}

TEST_F(ApplicationTable, MemoryIsClearedCountedAndCanBeMadeToFail) {
  const HostApplicationTable& table = Table();
  const size_t before = LiveAllocationCount();
  auto* bytes = static_cast<unsigned char*>(table.MemoryAlloc(256));
  ASSERT_NE(bytes, nullptr);
  std::memset(bytes, 0xAB, 256);
  table.MemoryFree(bytes);
  bytes = static_cast<unsigned char*>(table.MemoryAlloc(256));
  ASSERT_NE(bytes, nullptr);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(bytes[i], 0) << i;
  void* empty = table.MemoryAlloc(0);
  EXPECT_NE(empty, nullptr);
  EXPECT_EQ(LiveAllocationCount(), before + 2);
  table.MemoryFree(empty);
  table.MemoryFree(bytes);
  table.MemoryFree(nullptr);
  EXPECT_EQ(LiveAllocationCount(), before);

  int notFromTheHost = 0;
  table.MemoryFree(&notFromTheHost);
  EXPECT_EQ(ForeignFreeCount(), 1u);

  Controls().failAllocations = true;
  EXPECT_EQ(table.MemoryAlloc(16), nullptr);
  EXPECT_EQ(LiveAllocationCount(), before);
}

TEST_F(ApplicationTable, LogWriteKeepsEveryFieldOfTheLine) {
  const HostApplicationTable& table = Table();
  HostLogger* logger = table.LoggerFind(DEFAULT_LOGGER);
  ASSERT_NE(logger, nullptr);
  EXPECT_EQ(table.LoggerFind("net.example.other"), nullptr);
  EXPECT_EQ(table.LoggerFind(nullptr), nullptr);

  HostString* text = table.StringCreate("first line");
  table.LogWrite(logger, LOG_OUTPUT_FLAGS, text, "source/main.cpp", 35, 1);
  table.StringFree(text);
  table.LogWrite(logger, 3, nullptr, nullptr, 7, 2);

  const std::vector<LogLine>& log = host->Records().moduleLog;
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].logger, DEFAULT_LOGGER);
  EXPECT_EQ(log[0].flags, LOG_OUTPUT_FLAGS);
  EXPECT_EQ(log[0].text, "first line");
  EXPECT_EQ(log[0].file, "source/main.cpp");
  EXPECT_EQ(log[0].line, 35);
  EXPECT_EQ(log[0].level, 1);
  EXPECT_EQ(log[1].text, "");
  EXPECT_EQ(log[1].file, "");
  EXPECT_EQ(log[1].flags, 3);
  EXPECT_EQ(LiveStringCount(), 0u);

  Controls().failStringCreation = true;
  EXPECT_EQ(table.StringCreate("lost"), nullptr);
}

TEST_F(ApplicationTable, NoticesAndChangesAreRecordedAlsoInTheActiveDocument) {
  const HostApplicationTable& table = Table();
  Document& document = host->AdoptDocument(std::make_unique<Document>());
  table.NoticeShow("There is another shader already present.", NOTICE_KIND_WARNING);
  table.ChangeNotify(0);
  ASSERT_EQ(host->Records().notices.size(), 1u);
  EXPECT_EQ(host->Records().notices[0].text, "There is another shader already present.");
  EXPECT_EQ(host->Records().notices[0].kind, NOTICE_KIND_WARNING);
  EXPECT_EQ(host->Records().changeNotifications, std::vector<int32_t>{0});
  ASSERT_EQ(document.Events().size(), 2u);
  EXPECT_EQ(document.Events()[0].kind, SceneEvent::Kind::notice);
  EXPECT_EQ(document.Events()[1].kind, SceneEvent::Kind::change);
}

TEST_F(ApplicationTable, PluginRegisterRefusesWhatTheHostCannotUse) {
  const HostApplicationTable& table = Table();
  NodeRegistration usable{};
  usable.size = sizeof usable;
  usable.Allocate = AllocateNothing;
  usable.callbacks.size = sizeof usable.callbacks;
  NodeRegistration noAllocator = usable;
  noAllocator.Allocate = nullptr;

  struct Case {
    int32_t kind;
    int32_t id;
    const NodeRegistration* registration;
    bool accepted;
  };
  const std::vector<Case> cases = {
      {PLUGIN_KIND_SHADER, 1070001, nullptr, false},
      {PLUGIN_KIND_SHADER, 1070001, &noAllocator, false},
      {2, 1070001, &usable, false},
      {PLUGIN_KIND_SHADER, NODE_TYPE_EDGE_GRADIENT_SHADER, &usable, false},
      {PLUGIN_KIND_SHADER, 1070001, &usable, true},
      {PLUGIN_KIND_SHADER, 1070001, &usable, false},  // taken now
      {PLUGIN_KIND_SHADER, 1070002, &usable, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(table.PluginRegister(2026200, c.kind, c.id, "Type", c.registration) != 0, c.accepted)
        << c.id;
  }
  const std::vector<RegistrationRecord>& records = host->Records().registrations;
  ASSERT_EQ(records.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(records[i].id, cases[i].id);
    EXPECT_EQ(records[i].kind, cases[i].kind);
    EXPECT_EQ(records[i].accepted, cases[i].accepted) << i;
  }
}

TEST_F(ApplicationTable, LibrariesByIdHonourTheControls) {
  const std::map<int32_t, size_t> fullSizes = {{LIBRARY_DESCRIPTION, sizeof(DescriptionLibrary)},
                                               {LIBRARY_LAYER_SHADER, sizeof(LayerShaderLibrary)},
                                               {LIBRARY_NOISE, sizeof(NoiseLibrary)},
                                               {LIBRARY_GRADIENT, sizeof(GradientLibrary)},
                                               {LIBRARY_SPLINE, sizeof(SplineLibrary)}};
  Controls().missingLibraries = {LIBRARY_GRADIENT};
  Controls().libraryTableSize = {{LIBRARY_SPLINE, 16}};
  const HostApplicationTable& table = Table();
  for (const auto& [id, fullSize] : fullSizes) {
    auto* size = static_cast<const int32_t*>(table.LibraryLookup(id));
    if (id == LIBRARY_GRADIENT) {
      EXPECT_EQ(size, nullptr);
      continue;
    }
    ASSERT_NE(size, nullptr) << id;
    EXPECT_EQ(*size, id == LIBRARY_SPLINE ? 16 : static_cast<int32_t>(fullSize)) << id;
  }
  EXPECT_EQ(table.LibraryLookup(12345), nullptr);
}

TEST_F(ApplicationTable, ATestsOwnLibraryTableIsHandedOutAsItIs) {
  NoiseLibrary own{};
  own.size = sizeof own;
  Controls().libraryOverrides = {{LIBRARY_NOISE, &own}, {LIBRARY_SPLINE, &own}};
  Controls().missingLibraries = {LIBRARY_SPLINE};  // taken away wins over replaced
  const HostApplicationTable& table = Table();
  EXPECT_EQ(table.LibraryLookup(LIBRARY_NOISE), &own);
  EXPECT_EQ(table.LibraryLookup(LIBRARY_SPLINE), nullptr);
  EXPECT_NE(table.LibraryLookup(LIBRARY_GRADIENT), nullptr);
}

TEST_F(ApplicationTable, InterfacesByName) {
  Controls().missingEntries = {"RenderDataRetain"};
  const HostApplicationTable& table = Table();
  auto* renderData = static_cast<const GradientRenderDataInterface*>(
      table.InterfaceLookup(GRADIENT_RENDER_DATA_INTERFACE));
  ASSERT_NE(renderData, nullptr);
  EXPECT_EQ(renderData->size, static_cast<int32_t>(sizeof *renderData));
  EXPECT_NE(renderData->CalcGradientPixel, nullptr);
  EXPECT_EQ(renderData->RenderDataRetain, nullptr);
  EXPECT_EQ(table.InterfaceLookup("net.maxon.interface.other"), nullptr);
  EXPECT_EQ(table.InterfaceLookup(nullptr), nullptr);
}

TEST_F(ApplicationTable, HostEntriesAreTraced) {
  const HostApplicationTable& table = Table();
  TraceStart();
  table.MemoryFree(table.MemoryAlloc(8));
  HostString* text = table.StringCreate("x");
  table.LogWrite(table.LoggerFind(DEFAULT_LOGGER), 0, text, "f", 1, 1);
  table.StringFree(text);
  table.NoticeShow("n", NOTICE_KIND_WARNING);
  table.ChangeNotify(0);
  table.PluginRegister(1, 2, 3, "t", nullptr);
  table.ResourceFree(table.ResourceLoad("/no/such/folder"));
  table.ResourceString(nullptr, 20000);
  table.LibraryLookup(LIBRARY_NOISE);
  table.InterfaceLookup(GRADIENT_RENDER_DATA_INTERFACE);
  EXPECT_EQ(Operations(TraceTake()),
            (std::vector<std::string>{"MemoryAlloc", "MemoryFree", "StringCreate", "LoggerFind",
                                      "LogWrite", "StringFree", "NoticeShow", "ChangeNotify",
                                      "PluginRegister", "ResourceLoad", "ResourceFree",
                                      "ResourceString", "LibraryLookup", "InterfaceLookup"}));
}

}  // namespace
}  // namespace standin
