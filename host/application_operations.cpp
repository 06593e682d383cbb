#include "application_operations.h"

#include "host_interface.h"

namespace host {

void* MemoryAlloc(size_t size) {
  auto alloc = ApplicationEntry(&HostApplicationTable::MemoryAlloc);
  return alloc != nullptr ? alloc(size) : nullptr;
}

void MemoryFree(void* memory) {
  auto free = ApplicationEntry(&HostApplicationTable::MemoryFree);
  if (free != nullptr && memory != nullptr) free(memory);
}

void LogWrite(const char* text, const char* file, int32_t line) {
  auto find = ApplicationEntry(&HostApplicationTable::LoggerFind);
  auto write = ApplicationEntry(&HostApplicationTable::LogWrite);
  HostLogger* logger = find != nullptr ? find(DEFAULT_LOGGER) : nullptr;
  if (logger == nullptr || write == nullptr) return;
  auto create = ApplicationEntry(&HostApplicationTable::StringCreate);
  auto release = ApplicationEntry(&HostApplicationTable::StringFree);
  // Without a host string the line still goes out, with an empty text.
  HostString* message = create != nullptr ? create(text) : nullptr;
  write(logger, LOG_OUTPUT_FLAGS, message, file, line, 1);
  if (message != nullptr && release != nullptr) release(message);
}

void NoticeShow(const char* text, int32_t kind) {
  auto show = ApplicationEntry(&HostApplicationTable::NoticeShow);
  if (show != nullptr) show(text, kind);
}

void ChangeNotify(int32_t flags) {
  auto notify = ApplicationEntry(&HostApplicationTable::ChangeNotify);
  if (notify != nullptr) notify(flags);
}

bool PluginRegister(int32_t apiVersion, int32_t kind, int32_t id, const char* name,
                    const NodeRegistration* registration) {
  auto enroll = ApplicationEntry(&HostApplicationTable::PluginRegister);
  return enroll != nullptr && enroll(apiVersion, kind, id, name, registration) != 0;
}

HostResource* ResourceLoad(const char* folder) {
  auto load = ApplicationEntry(&HostApplicationTable::ResourceLoad);
  return load != nullptr ? load(folder) : nullptr;
}

const char* ResourceString(HostResource* resources, int32_t id) {
  auto lookup = ApplicationEntry(&HostApplicationTable::ResourceString);
  const char* text = lookup != nullptr && resources != nullptr ? lookup(resources, id) : nullptr;
  return text != nullptr ? text : "";
}

void ResourceFree(HostResource* resources) {
  auto release = ApplicationEntry(&HostApplicationTable::ResourceFree);
  if (release != nullptr && resources != nullptr) release(resources);
}

}  // namespace host
