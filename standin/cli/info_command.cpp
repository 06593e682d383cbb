// verdanta info: load the module and show what it declares, registers and logs.
#include <cstdio>
#include <memory>
#include <string>

#include "command_registry.h"
#include "host.h"
#include "host_error.h"
#include "module_report.h"
#include "plugin_folder.h"

namespace standin {

namespace {

struct InfoOptions {
  std::string plugins;
  bool json = false;
};

void PrintReport(const Host& host, const InfoOptions& options) {
  ModuleReport report = ReportModule(host);
  std::string text = options.json ? ReportJson(report).dump(2) + "\n" : ReportText(report);
  std::fputs(text.c_str(), stdout);
}

void RunInfo(const InfoOptions& options) {
  Host host;
  try {
    host.Load(ResolvePluginFolder(options.plugins));
  } catch (const HostError&) {
    // A module that failed to register is still there: its log says why.
    if (host.IsLoaded()) PrintReport(host, options);
    throw;
  }
  PrintReport(host, options);
}

void AddInfoCommand(CLI::App& app) {
  auto options = std::make_shared<InfoOptions>();
  CLI::App* command =
      app.add_subcommand("info", "Show what the module declares, registers and logs");
  AddPluginFolderOption(*command, options->plugins);
  command->add_flag("--json", options->json, "Print the report as JSON");
  command->footer(
      "Loads the module as the host does and shows its file, identifier, required host API "
      "version and flavour, the shader type it registers with its parameters (id, name, value "
      "type), and every line it wrote to the log.\n"
      "Exits non-zero with a one-line reason when the plug-in folder or the module is "
      "missing, the module has no c4d_main, refuses to start or fails to register.\n");
  command->callback([options] { RunInfo(*options); });
}

const CommandRegistrar registrar("info", AddInfoCommand);

}  // namespace

}  // namespace standin
