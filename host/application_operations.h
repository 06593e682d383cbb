// The host's application services: memory, logging and notices, registration, resources.
// Each answers its neutral fallback when the host does not offer it.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "host_abi.h"

namespace host {

void* MemoryAlloc(size_t size);  // cleared memory, or null
void MemoryFree(void* memory);

// Writes `text` to the host's default logger with the module's output flags and level 1.
void LogWrite(const char* text, const char* file, int32_t line);
void NoticeShow(const char* text, int32_t kind);
void ChangeNotify(int32_t flags);

bool PluginRegister(int32_t apiVersion, int32_t kind, int32_t id, const char* name,
                    const NodeRegistration* registration);
HostResource* ResourceLoad(const char* folder);
const char* ResourceString(HostResource* resources, int32_t id);  // never null
void ResourceFree(HostResource* resources);

}  // namespace host
