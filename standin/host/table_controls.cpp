#include "table_controls.h"

#include <cstring>

namespace standin {

namespace {

#define ENTRY(Table, name)       \
  TableEntry {                   \
#name, offsetof(Table, name) \
  }

std::vector<std::shared_ptr<const void>>& HandedOut() {
  static std::vector<std::shared_ptr<const void>> tables;
  return tables;
}

template <typename Table>
bool Names(const std::string& name) {
  const std::vector<TableEntry>& entries = EntriesOf(Table{});
  return std::any_of(entries.begin(), entries.end(),
                     [&](const TableEntry& entry) { return name == entry.name; });
}

}  // namespace

const std::vector<TableEntry>& EntriesOf(const HostApplicationTable&) {
  using T = HostApplicationTable;
  static const std::vector<TableEntry> entries = {
      ENTRY(T, MemoryAlloc),
      ENTRY(T, MemoryFree),
      ENTRY(T, LoggerFind),
      ENTRY(T, StringCreate),
      ENTRY(T, StringFree),
      ENTRY(T, LogWrite),
      ENTRY(T, NoticeShow),
      ENTRY(T, ChangeNotify),
      ENTRY(T, PluginRegister),
      ENTRY(T, ResourceLoad),
      ENTRY(T, ResourceString),
      ENTRY(T, ResourceFree),
      ENTRY(T, LibraryLookup),
      ENTRY(T, InterfaceLookup),
      ENTRY(T, NodeContainer),
      ENTRY(T, ContainerGetFloat),
      ENTRY(T, ContainerGetInt32),
      ENTRY(T, ContainerGetVector),
      ENTRY(T, ContainerGetData),
      ENTRY(T, ContainerSetFloat),
      ENTRY(T, ContainerSetInt32),
      ENTRY(T, ContainerSetBool),
      ENTRY(T, ContainerSetVector),
      ENTRY(T, ContainerSetData),
      ENTRY(T, ContainerSetLink),
      ENTRY(T, DataAlloc),
      ENTRY(T, DataFree),
      ENTRY(T, DataType),
      ENTRY(T, DataCustom),
      ENTRY(T, DataSetCustom),
      ENTRY(T, DataMakeCustom),
      ENTRY(T, NodeParamGet),
      ENTRY(T, NodeParamSet),
      ENTRY(T, NodeType),
      ENTRY(T, NodeOwner),
      ENTRY(T, NodeDocument),
      ENTRY(T, NodeMessage),
      ENTRY(T, ShaderNodeAlloc),
      ENTRY(T, NodeClone),
      ENTRY(T, NodeFree),
      ENTRY(T, MaterialChannel),
      ENTRY(T, ChannelShader),
      ENTRY(T, MaterialInsertShader),
      ENTRY(T, MaterialRefresh),
      ENTRY(T, LinkTarget),
      ENTRY(T, ObjectMatrix),
      ENTRY(T, ColorQuery),
      ENTRY(T, ColorSpaceConvert),
      ENTRY(T, ChildShaderInitRender),
      ENTRY(T, ChildShaderSample),
      ENTRY(T, ChildShaderFreeRender),
  };
  return entries;
}

const std::vector<TableEntry>& EntriesOf(const DescriptionLibrary&) {
  using T = DescriptionLibrary;
  static const std::vector<TableEntry> entries = {
      ENTRY(T, DescriptionRegister), ENTRY(T, DescriptionLoad), ENTRY(T, DescriptionFilter),
      ENTRY(T, DescriptionEntry),    ENTRY(T, ParamIdWithin),
  };
  return entries;
}

const std::vector<TableEntry>& EntriesOf(const LayerShaderLibrary&) {
  using T = LayerShaderLibrary;
  static const std::vector<TableEntry> entries = {
      ENTRY(T, LayerFirst),
      ENTRY(T, LayerNext),
      ENTRY(T, LayerKind),
      ENTRY(T, LayerParam),
  };
  return entries;
}

const std::vector<TableEntry>& EntriesOf(const NoiseLibrary&) {
  using T = NoiseLibrary;
  static const std::vector<TableEntry> entries = {
      ENTRY(T, NoiseAlloc),  ENTRY(T, NoiseFree), ENTRY(T, NoiseInitFbm),
      ENTRY(T, NoiseSample), ENTRY(T, NoiseFbm),  ENTRY(T, NoiseRidged),
  };
  return entries;
}

const std::vector<TableEntry>& EntriesOf(const GradientLibrary&) {
  using T = GradientLibrary;
  static const std::vector<TableEntry> entries = {
      ENTRY(T, GradientAlloc), ENTRY(T, GradientFree),      ENTRY(T, GradientSetData),
      ENTRY(T, InsertKnot),    ENTRY(T, KnotCount),         ENTRY(T, GetKnot),
      ENTRY(T, SetKnot),       ENTRY(T, PrepareRenderData),
  };
  return entries;
}

const std::vector<TableEntry>& EntriesOf(const GradientRenderDataInterface&) {
  using T = GradientRenderDataInterface;
  static const std::vector<TableEntry> entries = {
      ENTRY(T, CalcGradientPixel),
      ENTRY(T, RenderDataRetain),
      ENTRY(T, RenderDataRelease),
  };
  return entries;
}

const std::vector<TableEntry>& EntriesOf(const SplineLibrary&) {
  using T = SplineLibrary;
  static const std::vector<TableEntry> entries = {
      ENTRY(T, SplineSetKnotCount),
      ENTRY(T, SplineKnotCount),
      ENTRY(T, SplineKnotAt),
      ENTRY(T, SplineEvaluate),
  };
  return entries;
}

#undef ENTRY

bool IsKnownEntryName(const std::string& name) {
  return Names<HostApplicationTable>(name) || Names<DescriptionLibrary>(name) ||
         Names<LayerShaderLibrary>(name) || Names<NoiseLibrary>(name) ||
         Names<GradientLibrary>(name) || Names<GradientRenderDataInterface>(name) ||
         Names<SplineLibrary>(name);
}

void KeepHandedOut(std::shared_ptr<const void> table) {
  HandedOut().push_back(std::move(table));
}

void ReleaseHandedOutTables() {
  HandedOut().clear();
}

void NullEntry(void* table, size_t offset) {
  std::memset(static_cast<char*>(table) + offset, 0, sizeof(void (*)()));
}

}  // namespace standin
