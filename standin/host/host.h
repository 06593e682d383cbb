// The stand-in host application: loads a plug-in folder's module, runs its actions in the host's
// order, serves what it asks for and unloads it again. One Host at a time: the module's calls
// reach the host through plain C entries, which share one set of records.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document.h"
#include "host_abi.h"
#include "host_records.h"
#include "loaded_module.h"

namespace standin {

class Host {
 public:
  Host();  // fresh records; throws HostError while another Host exists
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Opens the module and runs init, message 1 (load resources) and start. Throws HostError
  // with a one-line reason when any step fails; a module that failed to start stays loaded
  // (without a type) until Unload, one that refused init is unloaded at once.
  void Load(const std::filesystem::path& pluginFolder);

  // Opens the module and reads its declaration, nothing more: for tests that drive its
  // entry point themselves.
  void Open(const std::filesystem::path& pluginFolder);

  // c4d_main as it is. Inits that succeed are counted, so that Unload ends what was begun.
  int32_t CallAction(int32_t action, void* p1 = nullptr, void* p2 = nullptr, void* p3 = nullptr);
  int32_t Init();  // action 1 with the host's interface record and the module file's path

  // The host keeps the documents the user works in; the last one adopted is the active one.
  // They go before the module does, since their nodes call into it.
  Document& AdoptDocument(std::unique_ptr<Document> document);

  // Destroys the module's nodes, ends the module (action 3 for every init not yet ended),
  // forgets its types and closes the library. Harmless when nothing is loaded.
  void Unload();

  bool IsLoaded() const { return module != nullptr; }
  const LoadedModule& Module() const;  // throws HostError when nothing is loaded
  HostInterfaceRecord* InterfaceRecord() { return &interfaceRecord; }
  // The table the module was handed. A test may swap an entry to watch the module's calls.
  HostApplicationTable& ApplicationTable() { return *applicationTable; }
  const HostRecords& Records() const;

  // The answer of message 1, once Load has sent it.
  std::optional<int32_t> ResourceMessageResult() const { return resourceMessageResult; }

 private:
  void Start();

  std::unique_ptr<LoadedModule> module;
  std::vector<std::unique_ptr<Document>> documents;
  std::string modulePath;  // p3 of init: the module keeps its own copy
  HostApplicationTable* applicationTable = nullptr;
  HostInterfaceRecord interfaceRecord{};
  int32_t openInits = 0;
  std::optional<int32_t> resourceMessageResult;
};

}  // namespace standin
