// What `verdanta info` tells about a loaded module: who it is, what it registered, with which
// parameters, and what it wrote to the log.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "host.h"

namespace standin {

struct ParameterReport {
  int32_t id = 0;
  std::string name;
  std::string valueType;  // "float", "int32", "color", "gradient", "spline", "button"
};

struct ShaderTypeReport {
  int32_t id = 0;
  std::string name;         // display name, as registered
  std::string description;  // empty when the type has no description
  std::vector<ParameterReport> parameters;
};

struct ModuleReport {
  std::string moduleFile;
  std::string moduleId;
  int32_t apiVersion = 0;
  std::string flavour;
  std::vector<ShaderTypeReport> shaderTypes;
  std::vector<LogLine> moduleLog;
  std::vector<std::string> hostLog;
};

ModuleReport ReportModule(const Host& host);
nlohmann::json ReportJson(const ModuleReport& report);
std::string ReportText(const ModuleReport& report);

}  // namespace standin
