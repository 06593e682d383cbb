#include "application_table.h"

#include "host_libraries.h"
#include "host_log.h"
#include "host_memory.h"
#include "host_notices.h"
#include "host_registration.h"
#include "host_resources.h"
#include "render_libraries.h"
#include "scene_services.h"

namespace standin {

HostApplicationTable FullApplicationTable() {
  HostApplicationTable table{};
  table.size = sizeof table;
  table.MemoryAlloc = MemoryAlloc;
  table.MemoryFree = MemoryFree;
  table.LoggerFind = LoggerFind;
  table.StringCreate = StringCreate;
  table.StringFree = StringFree;
  table.LogWrite = LogWrite;
  table.NoticeShow = NoticeShow;
  table.ChangeNotify = ChangeNotify;
  table.PluginRegister = PluginRegister;
  table.ResourceLoad = ResourceLoad;
  table.ResourceString = ResourceString;
  table.ResourceFree = ResourceFree;
  table.LibraryLookup = LibraryLookup;
  table.InterfaceLookup = InterfaceLookup;
  table.ColorSpaceConvert = HostColorSpaceConvert;
  FillSceneServices(table);
  return table;
}

}  // namespace standin
