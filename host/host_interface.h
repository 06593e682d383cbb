// The host's tables as the module found them: the application table taken at init, and the
// libraries and interfaces looked up by id or name, each cached at first use.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "host_abi.h"

namespace host {

// Takes the application table and forgets every cached library, so that a module initialised
// again looks its libraries up anew.
void SetHostInterface(const HostApplicationTable* application);
void ClearHostInterface();
const HostApplicationTable* Application();

// A library's table, or null when the host has none or its table is shorter than minimumSize.
const void* LibraryFind(int32_t id, size_t minimumSize);
const GradientRenderDataInterface* GradientRenderDataFind(size_t minimumSize);

// A table of zeros: measures where an entry ends without touching a host table.
template <typename Table>
inline constexpr Table kZeroTable = {};

template <typename Table, typename Entry>
size_t EntryEnd(Entry Table::*entry) {
  const char* start = reinterpret_cast<const char*>(&kZeroTable<Table>);
  const char* at = reinterpret_cast<const char*>(&(kZeroTable<Table>.*entry));
  return static_cast<size_t>(at - start) + sizeof(Entry);
}

inline bool Covers(int32_t tableSize, size_t end) {
  return tableSize >= 0 && static_cast<size_t>(tableSize) >= end;
}

// The entry, or null when the table is missing, too short to hold it, or holds none.
template <typename Table, typename Entry>
Entry EntryOf(const Table* table, Entry Table::*entry) {
  if (table == nullptr || !Covers(table->size, EntryEnd(entry))) return nullptr;
  return table->*entry;
}

template <typename Entry>
Entry ApplicationEntry(Entry HostApplicationTable::*entry) {
  return EntryOf(Application(), entry);
}

// The library each table belongs to.
template <typename Table>
inline constexpr int32_t kLibraryOf = 0;
template <>
inline constexpr int32_t kLibraryOf<DescriptionLibrary> = LIBRARY_DESCRIPTION;
template <>
inline constexpr int32_t kLibraryOf<LayerShaderLibrary> = LIBRARY_LAYER_SHADER;
template <>
inline constexpr int32_t kLibraryOf<NoiseLibrary> = LIBRARY_NOISE;
template <>
inline constexpr int32_t kLibraryOf<GradientLibrary> = LIBRARY_GRADIENT;
template <>
inline constexpr int32_t kLibraryOf<SplineLibrary> = LIBRARY_SPLINE;

template <typename Table, typename Entry>
Entry LibraryEntry(Entry Table::*entry) {
  static_assert(kLibraryOf<Table> != 0, "not a library table");
  return EntryOf(static_cast<const Table*>(LibraryFind(kLibraryOf<Table>, EntryEnd(entry))), entry);
}

template <typename Entry>
Entry GradientRenderDataEntry(Entry GradientRenderDataInterface::*entry) {
  return EntryOf(GradientRenderDataFind(EntryEnd(entry)), entry);
}

}  // namespace host
