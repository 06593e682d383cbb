// What the host kept of a module's requests: log lines, notices, change notifications and
// registrations. The CLI shows them; tests read them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

struct LogLine {
  std::string logger;
  int32_t flags = 0;
  std::string text;
  std::string file;
  int32_t line = 0;
  int32_t level = 0;
};

struct Notice {
  std::string text;
  int32_t kind = 0;
};

struct RegistrationRecord {
  int32_t apiVersion = 0;
  int32_t kind = 0;
  int32_t id = 0;
  std::string name;
  bool accepted = false;
};

struct HostRecords {
  std::vector<LogLine> moduleLog;    // every LogWrite
  std::vector<std::string> hostLog;  // the host's own reasons, e.g. why resources did not load
  std::vector<Notice> notices;
  std::vector<int32_t> changeNotifications;
  std::vector<RegistrationRecord> registrations;  // every PluginRegister, accepted or not
};

HostRecords& Records();
void ResetRecords();

}  // namespace standin
