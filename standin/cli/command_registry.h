// The commands of `verdanta`. Each command adds itself from its own file with a static
// CommandRegistrar, so a new command is a new file and nothing else changes.
#pragma once

#include <CLI/CLI.hpp>

namespace standin {

using CommandAdder = void (*)(CLI::App& app);

struct CommandRegistrar {
  CommandRegistrar(const char* name, CommandAdder add);
};

void AddRegisteredCommands(CLI::App& app);  // in name order, so that --help is stable

}  // namespace standin
