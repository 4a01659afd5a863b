// logio project init|show
#include <cstdio>
#include <string>

#include "Commands.h"
#include "logio/host/Project.h"

namespace {

void Init(const std::string& dir) {
    CString error;
    if (!g_project.Create(dir.c_str(), &error)) Fail(error.GetString());
    std::printf("新工程: %s\n", g_project.GetPath().GetString());
    g_project.Close();
}

void Show(const std::string& dir) {
    CString error;
    if (!g_project.Open(dir.c_str(), &error)) Fail(error.GetString());
    std::printf("工程: %s\n", g_project.GetPath().GetString());
    const auto& logs = g_project.GetNTLog().GetLogFiles();
    std::printf("日志文件 (%zu)\n", logs.size());
    for (const auto& [path, log] : logs) {
        std::printf("  %s  [%s] 手机类型 %d\n", log.GetLogFileName().GetString(), path.GetString(),
                    log.GetFacType());
        for (const auto& [name, s] : log.GetStreams())
            std::printf("    数据流 %s  类型 %s  协议 %s  过滤 %s\n", name.GetString(),
                        s.GetStreamType().GetString(), s.GetProtocol().GetString(),
                        s.GetFilterOperator().GetString());
        struct_BinningSetting b;
        if (g_project.GetBinningSetting(path, b)) {
            std::printf("    合并平均:");
            for (const auto& [key, value] : b.describe.ToTexts())
                std::printf(" %s=%s", key.GetString(), value.GetString());
            std::printf("\n");
        }
        const ImpIESettingMap ies = g_project.GetImpSettingByLogFile(path);
        if (!ies.empty()) {
            std::printf("    导入参数 (%zu):", ies.size());
            for (const auto& [key, ie] : ies)
                std::printf(" %s[%g,%g]", key.GetString(), ie.dMin, ie.dMax);
            std::printf("\n");
        }
    }
    const auto& txts = g_project.GetTxtFiles();
    std::printf("文本文件 (%zu)\n", txts.size());
    for (const auto& [name, f] : txts) {
        std::printf("  %s  [%s]\n", name.GetString(), f.GetTxtPath().GetString());
        for (const auto& [sname, s] : f.GetStreams())
            std::printf("    数据流 %s  类型 %s  协议 %s\n", sname.GetString(),
                        s.GetStreamType().GetString(), s.GetProtocol().GetString());
    }
    g_project.Close();
}

}  // namespace

void AddProjectCommands(CLI::App& app) {
    auto* project =
        app.add_subcommand("project", "Create and inspect projects (a folder with project.db)");
    project->require_subcommand(1);
    static std::string dir;
    auto* init = project->add_subcommand("init", "Make DIR a new, empty project");
    init->add_option("DIR", dir, "Project folder (created when missing)")->required();
    init->callback([] { Init(dir); });
    auto* show =
        project->add_subcommand("show", "List a project's logs, streams, text files and settings");
    show->add_option("DIR", dir, "Project folder")->required();
    show->callback([] { Show(dir); });
}
