#include "host_resources.h"

#include <atomic>
#include <exception>
#include <string>

#include "call_trace.h"
#include "controls.h"
#include "host_records.h"
#include "resource_folder.h"

namespace standin {

namespace {
std::atomic<size_t> liveResources{0};
}

HostResource* ResourceLoad(const char* folder) noexcept {
  Trace("ResourceLoad", std::string(folder ? folder : ""));
  if (Controls().failResourceLoad || !folder) return nullptr;
  try {
    auto* resources = new ResourceFolder(ResourceFolder::Load(folder));
    ++liveResources;
    return reinterpret_cast<HostResource*>(resources);
  } catch (const std::exception& error) {
    Records().hostLog.push_back(error.what());
    return nullptr;
  }
}

const char* ResourceString(HostResource* resources, int32_t id) noexcept {
  Trace("ResourceString", static_cast<const void*>(resources), id);
  if (!resources) return "";
  const std::string* text = reinterpret_cast<const ResourceFolder*>(resources)->FindString(id);
  return text ? text->c_str() : "";
}

void ResourceFree(HostResource* resources) noexcept {
  Trace("ResourceFree", static_cast<const void*>(resources));
  if (!resources) return;
  delete reinterpret_cast<ResourceFolder*>(resources);
  --liveResources;
}

size_t LiveResourceCount() {
  return liveResources.load();
}

}  // namespace standin
