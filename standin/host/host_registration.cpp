#include "host_registration.h"

#include <string>

#include "call_trace.h"
#include "host_records.h"
#include "plugin_types.h"

namespace standin {

HostBool PluginRegister(int32_t apiVersion, int32_t kind, int32_t id, const char* name,
                        const NodeRegistration* registration) noexcept {
  std::string typeName = name ? name : "";
  Trace("PluginRegister", apiVersion, kind, id, typeName, static_cast<const void*>(registration));
  // The host knows how to make shader nodes only.
  bool accepted = registration && kind == PLUGIN_KIND_SHADER &&
                  RegisterPluginType(id, typeName, *registration, apiVersion);
  Records().registrations.push_back({apiVersion, kind, id, typeName, accepted});
  return accepted;
}

}  // namespace standin
