// logio ie list|show
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Commands.h"
#include "host/IETable.h"
#include "logio/host/Project.h"

namespace {

const CIETable& Table() {
    const CIETable* table = g_sysProject.GetIETable();
    if (!table || table->All().empty()) Fail("IE 表为空或无法加载");
    return *table;
}

void PrintIE(const IEInfo& ie) {
    std::printf("%-6d %-32s type %d  unit %-6s range ", ie.number, ie.name.GetString(), ie.memType,
                ie.unit.IsEmpty() ? "-" : ie.unit.GetString());
    if (ie.HasRange())
        std::printf("[%g, %g]", ie.minValue, ie.maxValue);
    else
        std::printf("-");
    std::printf("  %s\n", ie.group.GetString());
}

}  // namespace

void AddIECommands(CLI::App& app) {
    auto* ie = app.add_subcommand("ie", "The system IE table");
    ie->require_subcommand(1);
    static std::string filter;
    auto* list =
        ie->add_subcommand("list", "List every IE (optionally those whose name contains TEXT)");
    list->add_option("TEXT", filter, "Part of the name");
    list->callback([] {
        int shown = 0;
        for (const IEInfo& info : Table().All()) {
            if (!filter.empty() && info.name.Find(filter.c_str()) < 0) continue;
            PrintIE(info);
            ++shown;
        }
        std::printf("%d IE\n", shown);
    });
    static std::string key;
    auto* show = ie->add_subcommand("show", "Show one IE by name or number");
    show->add_option("NAME|NUMBER", key, "IE name or number")->required();
    show->callback([] {
        const CIETable& table = Table();
        char* end = nullptr;
        const long number = std::strtol(key.c_str(), &end, 10);
        const IEInfo* info = (!key.empty() && end && *end == '\0')
                                 ? table.FindByNumber(static_cast<int>(number))
                                 : table.FindByName(key.c_str());
        if (!info) Fail("未知的 IE: " + key);
        PrintIE(*info);
    });
}
