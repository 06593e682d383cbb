#include "module_report.h"

#include <memory>

#include "descriptions.h"

namespace standin {

namespace {

ShaderTypeReport ReportType(const RegistrationRecord& registration) {
  ShaderTypeReport type{registration.id, registration.name, "", {}};
  std::shared_ptr<const DescriptionResource> description = RegisteredDescription(registration.id);
  if (!description) return type;
  type.description = description->name;
  for (const ParameterResource* parameter : description->Parameters()) {
    const char* valueType = ValueTypeName(parameter->valueType);
    type.parameters.push_back({parameter->id, parameter->name, valueType ? valueType : "?"});
  }
  return type;
}

std::string Padded(std::string text, size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

}  // namespace

ModuleReport ReportModule(const Host& host) {
  ModuleReport report;
  const ModuleIdentity& identity = host.Module().Identity();
  report.moduleFile = host.Module().File().string();
  report.moduleId = identity.moduleId;
  report.apiVersion = identity.apiVersion;
  report.flavour = identity.flavour;
  for (const RegistrationRecord& registration : host.Records().registrations) {
    if (registration.accepted) report.shaderTypes.push_back(ReportType(registration));
  }
  report.moduleLog = host.Records().moduleLog;
  report.hostLog = host.Records().hostLog;
  return report;
}

nlohmann::json ReportJson(const ModuleReport& report) {
  nlohmann::json types = nlohmann::json::array();
  for (const ShaderTypeReport& type : report.shaderTypes) {
    nlohmann::json parameters = nlohmann::json::array();
    for (const ParameterReport& parameter : type.parameters) {
      parameters.push_back(
          {{"id", parameter.id}, {"name", parameter.name}, {"type", parameter.valueType}});
    }
    types.push_back({{"id", type.id},
                     {"name", type.name},
                     {"description", type.description},
                     {"parameters", parameters}});
  }
  nlohmann::json log = nlohmann::json::array();
  for (const LogLine& line : report.moduleLog) {
    log.push_back({{"logger", line.logger},
                   {"flags", line.flags},
                   {"text", line.text},
                   {"file", line.file},
                   {"line", line.line},
                   {"level", line.level}});
  }
  return {{"moduleFile", report.moduleFile},
          {"moduleId", report.moduleId},
          {"apiVersion", report.apiVersion},
          {"flavour", report.flavour},
          {"shaderTypes", types},
          {"log", log},
          {"hostLog", report.hostLog}};
}

std::string ReportText(const ModuleReport& report) {
  std::string text;
  text += "module file    " + report.moduleFile + "\n";
  text += "module id      " + report.moduleId + "\n";
  text += "requires       host API version " + std::to_string(report.apiVersion) + "\n";
  text += "flavour        " + report.flavour + "\n";
  for (const ShaderTypeReport& type : report.shaderTypes) {
    text += "\nshader type " + std::to_string(type.id) + " \"" + type.name + "\", description " +
            (type.description.empty() ? "(none)" : type.description) + "\n";
    for (const ParameterReport& parameter : type.parameters) {
      text += "  " + Padded(std::to_string(parameter.id), 7) + Padded(parameter.name, 33) +
              parameter.valueType + "\n";
    }
  }
  text += report.moduleLog.empty() ? "\nmodule log     empty\n" : "\nmodule log\n";
  for (const LogLine& line : report.moduleLog) {
    text += "  flags " + std::to_string(line.flags) + "  " + line.file + ":" +
            std::to_string(line.line) + "  " + line.text + "\n";
  }
  if (!report.hostLog.empty()) text += "\nhost log\n";
  for (const std::string& line : report.hostLog) text += "  " + line + "\n";
  return text;
}

}  // namespace standin
