#include "host_memory.h"

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <unordered_set>

#include "call_trace.h"
#include "controls.h"

namespace standin {

namespace {

struct Allocations {
  std::mutex mutex;
  std::unordered_set<void*> live;
  size_t foreignFrees = 0;
};

Allocations& TheAllocations() {
  static Allocations allocations;
  return allocations;
}

}  // namespace

void* MemoryAlloc(size_t size) noexcept {
  Trace("MemoryAlloc", static_cast<double>(size));
  if (Controls().failAllocations) return nullptr;
  // A zero-sized request still gets its own address, as from any allocator.
  void* memory = std::calloc(1, size ? size : 1);
  if (!memory) return nullptr;
  Allocations& allocations = TheAllocations();
  std::lock_guard<std::mutex> lock(allocations.mutex);
  allocations.live.insert(memory);
  return memory;
}

void MemoryFree(void* memory) noexcept {
  Trace("MemoryFree", static_cast<const void*>(memory));
  if (!memory) return;
  Allocations& allocations = TheAllocations();
  std::lock_guard<std::mutex> lock(allocations.mutex);
  // Freeing what was never handed out would corrupt the heap: count it and leave it.
  if (allocations.live.erase(memory) == 0) {
    ++allocations.foreignFrees;
    return;
  }
  std::free(memory);
}

size_t LiveAllocationCount() {
  Allocations& allocations = TheAllocations();
  std::lock_guard<std::mutex> lock(allocations.mutex);
  return allocations.live.size();
}

size_t ForeignFreeCount() {
  Allocations& allocations = TheAllocations();
  std::lock_guard<std::mutex> lock(allocations.mutex);
  return allocations.foreignFrees;
}

void ResetForeignFreeCount() {
  Allocations& allocations = TheAllocations();
  std::lock_guard<std::mutex> lock(allocations.mutex);
  allocations.foreignFrees = 0;
}

}  // namespace standin
