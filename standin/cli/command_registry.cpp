#include "command_registry.h"

#include <map>
#include <string>

namespace standin {

namespace {

// Filled during static initialisation: a function-local static is built on first use, so the
// order in which the command files initialise does not matter.
std::map<std::string, CommandAdder>& Commands() {
  static std::map<std::string, CommandAdder> commands;
  return commands;
}

}  // namespace

CommandRegistrar::CommandRegistrar(const char* name, CommandAdder add) {
  Commands()[name] = add;
}

void AddRegisteredCommands(CLI::App& app) {
  for (const auto& [name, add] : Commands()) add(app);
}

}  // namespace standin
