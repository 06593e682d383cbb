// Test controls: what a test can take away from or break in the host before the module
// asks for it. Read by the host's services on the editing thread; not for render threads.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace standin {

struct HostControls {
  int32_t apiVersion = 2026200;       // what the init record reports
  bool failAllocations = false;       // MemoryAlloc answers null
  bool failStringCreation = false;    // StringCreate answers null
  bool failResourceLoad = false;      // ResourceLoad answers null
  bool failAllNodeCreation = false;   // ShaderNodeAlloc and NodeClone answer null
  std::set<int32_t> failNodeTypes;    // ... only for these node types
  std::set<int32_t> missingLibraries;           // LibraryLookup answers null
  std::map<int32_t, int32_t> libraryTableSize;  // a short table: the size it reports
  // a library replaced by a test's own table, e.g. a noise that answers known values
  std::map<int32_t, const void*> libraryOverrides;
  int32_t applicationTableSize = -1;            // -1: the full table
  std::set<std::string> missingEntries;  // entries (by ABI name) nulled in whichever table
};

HostControls& Controls();
void ResetControls();  // back to a complete, working host

}  // namespace standin
