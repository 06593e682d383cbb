// Test support for tests that load modules into a Host: where the built modules are, a fixture
// that starts every test with a complete host and no trace, and trace helpers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "call_trace.h"
#include "controls.h"

namespace standin {

inline std::filesystem::path VerdantaPlugins() {
  return VERDANTA_PLUGIN_DIR;
}

// "windows" or "macos": the module built in that flavour.
inline std::filesystem::path FlavourPlugins(const std::string& flavour) {
  return std::filesystem::path(VERDANTA_FLAVOUR_DIR) / flavour;
}

// "good", "no_main", "no_declaration", "refuse_init" or "fail_start".
inline std::filesystem::path ProbePlugins(const std::string& variant) {
  return std::filesystem::path(PROBE_PLUGIN_DIR) / variant;
}

inline std::vector<std::string> Operations(const std::vector<TraceEntry>& trace) {
  std::vector<std::string> operations;
  for (const TraceEntry& entry : trace) operations.push_back(entry.operation);
  return operations;
}

inline long CountOf(const std::vector<TraceEntry>& trace, const std::string& operation) {
  return std::count_if(trace.begin(), trace.end(),
                       [&](const TraceEntry& entry) { return entry.operation == operation; });
}

class HostFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetControls();
    TraceStop();
    TraceTake();
  }
  void TearDown() override {
    TraceStop();
    ResetControls();
  }
};

}  // namespace standin
