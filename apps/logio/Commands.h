// Subcommands of the logio command, one group per file.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

// Reports a failure of the running subcommand on stderr and ends it with status 1.
[[noreturn]] inline void Fail(const std::string& message) {
    std::fprintf(stderr, "logio: %s\n", message.c_str());
    throw CLI::RuntimeError(1);
}

namespace platform::ui {
class ConsoleDriver;
}
// The command's UI driver: subcommands register their dialog answers here.
platform::ui::ConsoleDriver& ConsoleUi();

void AddProjectCommands(CLI::App& app);
void AddIECommands(CLI::App& app);
void AddLogCommands(CLI::App& app);
