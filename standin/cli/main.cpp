// verdanta: the stand-in host's command line. Every failure ends in one line on stderr and a
// non-zero exit.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <string>

#include "command_registry.h"
#include "host_notices.h"

int main(int argc, char** argv) {
  CLI::App app{"Verdanta: loads the planet shader module into a stand-in host and runs it.",
               "verdanta"};
  app.require_subcommand(1);
  app.failure_message([](const CLI::App*, const CLI::Error& error) {
    return "verdanta: error: " + std::string(error.what()) + " (see --help)\n";
  });
  standin::AddRegisteredCommands(app);
  standin::SetNoticeEcho(true);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "verdanta: error: %s\n", error.what());
    return 1;
  }
  return 0;
}
