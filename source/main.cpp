#include "main.h"

#include "application_operations.h"
#include "flavour.h"
#include "host_interface.h"
#include "library_operations.h"
#include "module_location.h"
#include "shader_base.h"
#include "verdanta.h"
#include "verdanta_ids.h"

extern "C" {
const ModuleDeclaration g_maxon = {sizeof(ModuleDeclaration), "net.verdanta.planet",
                                   verdanta::kRequiredApiVersion, verdanta::kFlavourName};
CpuYieldDelegate g_CpuYieldDelegate = {sizeof(CpuYieldDelegate), nullptr, nullptr};
}

namespace verdanta {
namespace {

const char kMainSource[] = "source/main.cpp";
const int32_t kRegistrationFailedLine = 35;
const int32_t kResourcesFailedLine = 53;
const char kDescriptionName[] = "XVerdanta";

// The host calls c4d_main from one thread at a time.
struct ModuleState {
  int32_t nesting;  // init actions not yet matched by end actions
  char* location;
  HostResource* resources;
  bool resourcesTried;  // loading is attempted once; later requests get the same answer
};

ModuleState moduleState;
NodeRegistration registration;

bool LoadModuleResources() {
  if (!moduleState.resourcesTried) {
    moduleState.resourcesTried = true;
    char* folder =
        moduleState.location != nullptr ? ResourceFolderBeside(moduleState.location) : nullptr;
    moduleState.resources = folder != nullptr ? host::ResourceLoad(folder) : nullptr;
    host::MemoryFree(folder);
  }
  return moduleState.resources != nullptr;
}

int32_t InitModule(const void* record, const char* location) {
  if (moduleState.nesting++ > 0) return MODULE_RESULT_OK;
  const auto* hostRecord = static_cast<const HostInterfaceRecord*>(record);
  if (hostRecord == nullptr || hostRecord->apiVersion < kRequiredApiVersion ||
      location == nullptr) {
    // A refused init is no init: the next one is checked again.
    moduleState.nesting = 0;
    return MODULE_RESULT_REFUSED;
  }
  host::SetHostInterface(hostRecord->application);
  moduleState.location = CopyLocation(location);
  return MODULE_RESULT_OK;
}

int32_t EndModule() {
  if (moduleState.nesting == 0) return MODULE_RESULT_OK;
  if (--moduleState.nesting > 0) return MODULE_RESULT_OK;
  ModuleEnd();
  host::ResourceFree(moduleState.resources);
  host::MemoryFree(moduleState.location);
  moduleState = ModuleState{};
  host::ClearHostInterface();
  return MODULE_RESULT_OK;
}

}  // namespace

bool RegisterVerdantaShader() {
  const char* name = host::ResourceString(moduleState.resources, VERDANTA_NAME_STRING);
  if (!host::DescriptionRegister(VERDANTA_PLUGIN_ID, kDescriptionName, moduleState.resources)) {
    return false;
  }
  host::FillNodeRegistration(&registration, AllocVerdantaShader, 0, 0);
  return host::PluginRegister(kRequiredApiVersion, PLUGIN_KIND_SHADER, VERDANTA_PLUGIN_ID, name,
                              &registration);
}

bool ModuleStart() {
  if (RegisterVerdantaShader()) return true;
  host::LogWrite("Failed to register the Verdanta shader.", kMainSource, kRegistrationFailedLine);
  return false;
}

bool ModuleMessage(int32_t id, void*) {
  if (id == 0) return true;
  if (id != MODULE_MESSAGE_LOAD_RESOURCES) return false;
  if (LoadModuleResources()) return true;
  host::LogWrite("Verdanta shader: failed to load resource file.", kMainSource,
                 kResourcesFailedLine);
  return false;
}

void ModuleEnd() {}

}  // namespace verdanta

int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  switch (action) {
    case MODULE_ACTION_INIT:
      return verdanta::InitModule(p1, static_cast<const char*>(p3));
    case MODULE_ACTION_START:
      return verdanta::ModuleStart() ? MODULE_RESULT_OK : MODULE_RESULT_FAILED;
    case MODULE_ACTION_END:
      return verdanta::EndModule();
    case MODULE_ACTION_QUERY:
      return MODULE_RESULT_QUERY;
    case MODULE_ACTION_MESSAGE: {
      const auto id = static_cast<int32_t>(reinterpret_cast<intptr_t>(p1));
      return verdanta::ModuleMessage(id, p2) ? MODULE_RESULT_OK : MODULE_RESULT_NOT_HANDLED;
    }
    default:
      return MODULE_RESULT_NOT_HANDLED;
  }
}
