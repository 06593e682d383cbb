#include "host_interface.h"

namespace host {
namespace {

// One lookup answer, kept once it is known. Render threads may be first to look, so the slot
// is written and read with atomics: two threads that both look store the same answer.
struct CachedTable {
  const void* table;
  int32_t known;
};

const HostApplicationTable* application = nullptr;

const int32_t kLibraryIds[] = {LIBRARY_DESCRIPTION, LIBRARY_LAYER_SHADER, LIBRARY_NOISE,
                               LIBRARY_GRADIENT, LIBRARY_SPLINE};
const int kLibraryCount = sizeof(kLibraryIds) / sizeof(kLibraryIds[0]);

CachedTable libraryCache[kLibraryCount];
CachedTable gradientRenderDataCache;

void Forget(CachedTable& slot) {
  __atomic_store_n(&slot.known, 0, __ATOMIC_RELEASE);
  __atomic_store_n(&slot.table, static_cast<const void*>(nullptr), __ATOMIC_RELAXED);
}

template <typename Lookup, typename Key>
const void* Cached(CachedTable& slot, Lookup lookup, Key key) {
  if (__atomic_load_n(&slot.known, __ATOMIC_ACQUIRE)) {
    return __atomic_load_n(&slot.table, __ATOMIC_RELAXED);
  }
  const void* table = lookup != nullptr ? lookup(key) : nullptr;
  __atomic_store_n(&slot.table, table, __ATOMIC_RELAXED);
  __atomic_store_n(&slot.known, 1, __ATOMIC_RELEASE);
  return table;
}

// Every host table starts with its size.
const void* WithSize(const void* table, size_t minimumSize) {
  if (table == nullptr || !Covers(*static_cast<const int32_t*>(table), minimumSize)) {
    return nullptr;
  }
  return table;
}

}  // namespace

void SetHostInterface(const HostApplicationTable* table) {
  application = table;
  for (CachedTable& slot : libraryCache) Forget(slot);
  Forget(gradientRenderDataCache);
}

void ClearHostInterface() {
  SetHostInterface(nullptr);
}

const HostApplicationTable* Application() {
  return application;
}

const void* LibraryFind(int32_t id, size_t minimumSize) {
  auto lookup = ApplicationEntry(&HostApplicationTable::LibraryLookup);
  for (int slot = 0; slot < kLibraryCount; ++slot) {
    if (kLibraryIds[slot] == id) {
      return WithSize(Cached(libraryCache[slot], lookup, id), minimumSize);
    }
  }
  return WithSize(lookup != nullptr ? lookup(id) : nullptr, minimumSize);
}

const GradientRenderDataInterface* GradientRenderDataFind(size_t minimumSize) {
  auto lookup = ApplicationEntry(&HostApplicationTable::InterfaceLookup);
  return static_cast<const GradientRenderDataInterface*>(WithSize(
      Cached(gradientRenderDataCache, lookup, GRADIENT_RENDER_DATA_INTERFACE), minimumSize));
}

}  // namespace host
