#include "call_trace.h"

#include <cstdio>
#include <mutex>

namespace standin {

namespace detail {
std::atomic<bool> traceOn{false};
}

namespace {
std::mutex traceMutex;
std::vector<TraceEntry> traceEntries;
}  // namespace

void TraceStart() {
  std::lock_guard<std::mutex> lock(traceMutex);
  traceEntries.clear();
  detail::traceOn.store(true);
}

void TraceStop() { detail::traceOn.store(false); }

std::vector<TraceEntry> TraceTake() {
  std::lock_guard<std::mutex> lock(traceMutex);
  std::vector<TraceEntry> taken;
  taken.swap(traceEntries);
  return taken;
}

void detail::TraceAppend(const char* operation, std::string arguments) {
  std::lock_guard<std::mutex> lock(traceMutex);
  traceEntries.push_back({operation, std::move(arguments)});
}

std::string TraceText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string TraceText(int32_t value) { return std::to_string(value); }

std::string TraceText(const Vector3& value) {
  return "(" + TraceText(value.x) + ", " + TraceText(value.y) + ", " + TraceText(value.z) + ")";
}

std::string TraceText(const void* handle) { return handle ? "handle" : "null"; }

std::string TraceText(const std::string& text) { return "\"" + text + "\""; }

}  // namespace standin
