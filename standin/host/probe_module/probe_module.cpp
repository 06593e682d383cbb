// A small module for the loader's edge cases. It writes every action it receives to the host's
// log, so a test can read the host's order and arguments back. Compile definitions make the
// faulty variants: PROBE_NO_MAIN, PROBE_NO_DECLARATION, PROBE_REFUSE_INIT, PROBE_FAIL_START.
#include <stdint.h>
#include <stdio.h>

#include "host_abi.h"

// The faulty start asks for the id of a type the host has already.
#if defined(PROBE_FAIL_START)
enum { PROBE_TYPE_ID = NODE_TYPE_STANDARD_MATERIAL };
#else
enum { PROBE_TYPE_ID = 1064999 };
#endif

enum { PROBE_API_VERSION = 2026000 };

namespace {

const HostApplicationTable* application = nullptr;
NodeRegistration registration;

void Log(const char* text) {
  if (!application) return;
  HostString* string = application->StringCreate(text);
  application->LogWrite(application->LoggerFind(DEFAULT_LOGGER), 0, string, "probe", 1, 1);
  application->StringFree(string);
}

PluginNode* AllocateProbeNode() {
  return static_cast<PluginNode*>(application->MemoryAlloc(sizeof(int64_t)));
}

int32_t Init(const HostInterfaceRecord* record, const char* path) {
#if defined(PROBE_REFUSE_INIT)
  (void)record;
  (void)path;
  return MODULE_RESULT_REFUSED;
#else
  if (!record || record->apiVersion < PROBE_API_VERSION || !path) return MODULE_RESULT_REFUSED;
  application = record->application;
  char text[512];
  snprintf(text, sizeof text, "init version %d size %d table size %d path %s", record->apiVersion,
           record->size, application->size, path);
  Log(text);
  return MODULE_RESULT_OK;
#endif
}

int32_t Start() {
  Log("start");
  registration.size = sizeof registration;
  registration.Allocate = AllocateProbeNode;
  registration.callbacks.size = sizeof registration.callbacks;
  if (!application->PluginRegister(PROBE_API_VERSION, PLUGIN_KIND_SHADER, PROBE_TYPE_ID, "Probe",
                                   &registration)) {
    Log("probe: the host refused the registration");
    return MODULE_RESULT_FAILED;
  }
  return MODULE_RESULT_OK;
}

int32_t Message(intptr_t id) {
  char text[64];
  snprintf(text, sizeof text, "message %d", static_cast<int>(id));
  Log(text);
  return MODULE_RESULT_OK;
}

}  // namespace

extern "C" {

#if !defined(PROBE_NO_DECLARATION)
MODULE_EXPORT ModuleDeclaration g_maxon = {sizeof(ModuleDeclaration), "net.verdanta.probe",
                                           PROBE_API_VERSION, "probe"};
#endif

MODULE_EXPORT CpuYieldDelegate g_CpuYieldDelegate = {sizeof(CpuYieldDelegate), nullptr, nullptr};

// The faulty variant exports its entry point under a name the host does not look for.
#if defined(PROBE_NO_MAIN)
#define PROBE_MAIN c4d_main_
#else
#define PROBE_MAIN c4d_main
#endif

MODULE_EXPORT int32_t PROBE_MAIN(int32_t action, void* p1, void* p2, void* p3) {
  (void)p2;
  switch (action) {
    case MODULE_ACTION_INIT:
      return Init(static_cast<const HostInterfaceRecord*>(p1), static_cast<const char*>(p3));
    case MODULE_ACTION_MESSAGE:
      return Message(reinterpret_cast<intptr_t>(p1));
    case MODULE_ACTION_START:
      return Start();
    case MODULE_ACTION_END:
      Log("end");
      return MODULE_RESULT_OK;
    default:
      return MODULE_RESULT_NOT_HANDLED;
  }
}

}  // extern "C"
