// logio: the reference host as a command-line program.
#include <CLI/CLI.hpp>

#include <cstdio>

#include "Commands.h"
#include "host/HostVersion.h"
#include "logio/facade/Version.h"
#include "platform/Module.h"

int main(int argc, char** argv) {
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

    CLI11_PARSE(app, argc, argv);
    return 0;
}
