// The host hands out copies of its service tables with the test controls applied: a short
// size, or named entries taken away. One list of entry names and offsets per table layout
// serves every table.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls.h"
#include "host_abi.h"

namespace standin {

struct TableEntry {
  const char* name;  // as in host_abi.h
  size_t offset;
};

const std::vector<TableEntry>& EntriesOf(const HostApplicationTable&);
const std::vector<TableEntry>& EntriesOf(const DescriptionLibrary&);
const std::vector<TableEntry>& EntriesOf(const LayerShaderLibrary&);
const std::vector<TableEntry>& EntriesOf(const NoiseLibrary&);
const std::vector<TableEntry>& EntriesOf(const GradientLibrary&);
const std::vector<TableEntry>& EntriesOf(const GradientRenderDataInterface&);
const std::vector<TableEntry>& EntriesOf(const SplineLibrary&);

bool IsKnownEntryName(const std::string& name);

// Keeps a handed-out table alive until ReleaseHandedOutTables: the module may hold on to it.
void KeepHandedOut(std::shared_ptr<const void> table);
void ReleaseHandedOutTables();

void NullEntry(void* table, size_t offset);

// A copy of `table` with the entries named in Controls().missingEntries nulled and, when
// `reportedSize` is not negative, that size (at most the full one) in its size field.
template <typename Table>
Table* HandOut(const Table& table, int32_t reportedSize) {
  auto copy = std::make_shared<Table>(table);
  for (const TableEntry& entry : EntriesOf(table)) {
    if (Controls().missingEntries.count(entry.name)) NullEntry(copy.get(), entry.offset);
  }
  if (reportedSize >= 0) copy->size = std::min(reportedSize, copy->size);
  KeepHandedOut(copy);
  return copy.get();
}

}  // namespace standin
