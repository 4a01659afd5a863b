// logio: the reference host as a command-line program.
#include <CLI/CLI.hpp>

#include <cstdio>

#include "Commands.h"
#include "host/HostVersion.h"
#include "logio/facade/Version.h"
#include "platform/Module.h"
#include "platform/ui/ConsoleDriver.h"
#include "platform/ui/MessageBox.h"

namespace {
platform::ui::ConsoleDriver* g_console = nullptr;
}  // namespace

platform::ui::ConsoleDriver& ConsoleUi() { return *g_console; }

int main(int argc, char** argv) {
    AfxSetAppName("Corvane Zivo");
    // Messages and progress go to stderr; dialogs are answered by the presets
    // a subcommand registers from its options.
    platform::ui::ConsoleDriver console;
    g_console = &console;

    CLI::App app{
        "logio: import and export of drive-test logs, text files and network-element data"};
    app.require_subcommand(1);

    auto* version =
        app.add_subcommand("version", "Show the versions of logio and the host libraries");
    version->callback([] {
        std::printf("logio %s (host libraries %s)\n", LogioVersion(), HostVersion());
        std::printf("configuration: %s\n", platform::GetConfigDirectory().GetString());
    });

    AddProjectCommands(app);
    AddIECommands(app);
    AddLogCommands(app);

    CLI11_PARSE(app, argc, argv);
    return console.Errors().empty() ? 0 : 1;
}
