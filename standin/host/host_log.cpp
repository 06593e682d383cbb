#include "host_log.h"

#include <atomic>
#include <cstring>
#include <string>

#include "call_trace.h"
#include "controls.h"
#include "host_records.h"

namespace standin {

namespace {

struct Logger {
  const char* name;
};

struct HostText {
  std::string text;
};

Logger defaultLogger{DEFAULT_LOGGER};
std::atomic<size_t> liveStrings{0};

const char* TextOf(const HostString* text) {
  return text ? reinterpret_cast<const HostText*>(text)->text.c_str() : "";
}

}  // namespace

HostLogger* LoggerFind(const char* name) noexcept {
  Trace("LoggerFind", std::string(name ? name : ""));
  if (!name || std::strcmp(name, defaultLogger.name) != 0) return nullptr;
  return reinterpret_cast<HostLogger*>(&defaultLogger);
}

HostString* StringCreate(const char* utf8) noexcept {
  Trace("StringCreate", std::string(utf8 ? utf8 : ""));
  if (Controls().failStringCreation) return nullptr;
  ++liveStrings;
  return reinterpret_cast<HostString*>(new HostText{utf8 ? utf8 : ""});
}

void StringFree(HostString* text) noexcept {
  Trace("StringFree", static_cast<const void*>(text));
  if (!text) return;
  delete reinterpret_cast<HostText*>(text);
  --liveStrings;
}

void LogWrite(HostLogger* logger, int32_t flags, const HostString* text, const char* file,
              int32_t line, int32_t level) noexcept {
  Trace("LogWrite", static_cast<const void*>(logger), flags, std::string(TextOf(text)),
        std::string(file ? file : ""), line, level);
  const char* loggerName = logger ? reinterpret_cast<const Logger*>(logger)->name : "";
  Records().moduleLog.push_back({loggerName, flags, TextOf(text), file ? file : "", line, level});
}

size_t LiveStringCount() {
  return liveStrings.load();
}

}  // namespace standin
