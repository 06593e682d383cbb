// The host operations a loaded module called, in order, with their key arguments, so that
// tests can check what the module asked of the host. Off unless a test turns it on.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "host_abi.h"

namespace standin {

struct TraceEntry {
  std::string operation;  // the ABI entry's name, e.g. "NoiseFbm"
  std::string arguments;  // key arguments, comma separated, e.g. "1.5, 2, -3"
};

void TraceStart();  // clears the trace and starts recording
void TraceStop();
std::vector<TraceEntry> TraceTake();  // what was recorded so far; clears it

namespace detail {
extern std::atomic<bool> traceOn;
void TraceAppend(const char* operation, std::string arguments);
}  // namespace detail

std::string TraceText(double value);
std::string TraceText(int32_t value);
std::string TraceText(const Vector3& value);  // "(x, y, z)"
std::string TraceText(const void* handle);    // "null" or "handle"
std::string TraceText(const std::string& text);  // in double quotes

// Records `operation` with its arguments when tracing is on; costs one relaxed load when off.
template <typename... Args>
void Trace(const char* operation, const Args&... args) {
  if (!detail::traceOn.load(std::memory_order_relaxed)) return;
  std::string text;
  ((text += (text.empty() ? "" : ", ") + TraceText(args)), ...);
  detail::TraceAppend(operation, std::move(text));
}

}  // namespace standin
