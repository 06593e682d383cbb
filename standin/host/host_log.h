// Loggers and host strings: how a module writes to the host's log. Like every entry a module
// calls, these never throw: running out of memory in the host ends the process.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host_abi.h"

namespace standin {

HostLogger* LoggerFind(const char* name) noexcept;    // null for a logger the host does not have
HostString* StringCreate(const char* utf8) noexcept;  // null when Controls().failStringCreation
void StringFree(HostString* text) noexcept;
void LogWrite(HostLogger* logger, int32_t flags, const HostString* text, const char* file,
              int32_t line, int32_t level) noexcept;

size_t LiveStringCount();  // made by StringCreate and not yet freed

}  // namespace standin
