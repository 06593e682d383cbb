// The host's memory allocator as the module sees it, with a count of what is still out.
#pragma once

#include <cstddef>

namespace standin {

void* MemoryAlloc(size_t size) noexcept;  // cleared; null when Controls().failAllocations
void MemoryFree(void* memory) noexcept;

size_t LiveAllocationCount();  // handed out and not yet returned
size_t ForeignFreeCount();     // MemoryFree of memory the allocator never handed out
void ResetForeignFreeCount();

}  // namespace standin
