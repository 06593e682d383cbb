#include "host.h"

#include <atomic>

#include "application_table.h"
#include "controls.h"
#include "descriptions.h"
#include "host_error.h"
#include "host_memory.h"
#include "plugin_scan.h"
#include "plugin_types.h"
#include "table_controls.h"

namespace standin {

namespace {

std::atomic<bool> hostExists{false};

void CheckMissingEntryNames() {
  for (const std::string& name : Controls().missingEntries) {
    if (!IsKnownEntryName(name)) throw HostError("no host entry is named '" + name + "'");
  }
}

// The last lines of the module's log and of the host's own say best why a module failed.
std::string LastLogLines() {
  const HostRecords& records = standin::Records();
  std::string text;
  if (!records.moduleLog.empty()) text += ": " + records.moduleLog.back().text;
  if (!records.hostLog.empty()) text += "; host: " + records.hostLog.back();
  return text;
}

}  // namespace

Host::Host() {
  if (hostExists.exchange(true)) throw HostError("a host is already running in this process");
  ResetRecords();
  ResetForeignFreeCount();
}

Host::~Host() {
  Unload();
  hostExists.store(false);
}

void Host::Open(const std::filesystem::path& pluginFolder) {
  if (module) throw HostError("a module is already loaded");
  CheckMissingEntryNames();
  std::filesystem::path file = FindModuleFile(pluginFolder);
  module = std::make_unique<LoadedModule>(file);
  modulePath = file.string();
  applicationTable = HandOut(FullApplicationTable(), Controls().applicationTableSize);
  interfaceRecord = {Controls().apiVersion, static_cast<int32_t>(sizeof(HostInterfaceRecord)),
                     applicationTable};
}

void Host::Load(const std::filesystem::path& pluginFolder) {
  Open(pluginFolder);
  int32_t initResult = Init();
  if (initResult != MODULE_RESULT_OK) {
    std::string reason = "module '" + modulePath + "' refused to start: init answered " +
                         std::to_string(initResult) + " (it requires host API version " +
                         std::to_string(module->Identity().apiVersion) + ", the host offers " +
                         std::to_string(interfaceRecord.apiVersion) + ")";
    Unload();
    throw HostError(reason);
  }
  resourceMessageResult =
      CallAction(MODULE_ACTION_MESSAGE, reinterpret_cast<void*>(MODULE_MESSAGE_LOAD_RESOURCES));
  Start();
}

void Host::Start() {
  int32_t startResult = CallAction(MODULE_ACTION_START);
  if (startResult == MODULE_RESULT_OK) return;
  // The module stays loaded without a type, as a host leaves it, so its log can be shown.
  throw HostError("module '" + modulePath + "' failed to register (start answered " +
                  std::to_string(startResult) + ")" + LastLogLines());
}

int32_t Host::Init() {
  return CallAction(MODULE_ACTION_INIT, &interfaceRecord, nullptr, modulePath.data());
}

int32_t Host::CallAction(int32_t action, void* p1, void* p2, void* p3) {
  int32_t result = Module().CallAction(action, p1, p2, p3);
  if (action == MODULE_ACTION_INIT && result == MODULE_RESULT_OK) ++openInits;
  if (action == MODULE_ACTION_END && openInits > 0) --openInits;
  return result;
}

Document& Host::AdoptDocument(std::unique_ptr<Document> document) {
  documents.push_back(std::move(document));
  SetActiveDocument(documents.back().get());
  return *documents.back();
}

void Host::Unload() {
  SetActiveDocument(nullptr);
  documents.clear();
  if (!module) return;
  while (openInits > 0) CallAction(MODULE_ACTION_END);
  ClearPluginTypes();
  ClearDescriptions();
  module.reset();
  applicationTable = nullptr;
  interfaceRecord = {};
  ReleaseHandedOutTables();
}

const LoadedModule& Host::Module() const {
  if (!module) throw HostError("no module is loaded");
  return *module;
}

const HostRecords& Host::Records() const {
  return standin::Records();
}

}  // namespace standin
