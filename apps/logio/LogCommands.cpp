// logio gen-log, logio log info
#include <cstdio>
#include <string>

#include "Commands.h"
#include "host/logstore/LogGenerator.h"
#include "host/logstore/LogSummary.h"

namespace {

struct GenArgs {
    std::string path;
    uint64_t seed = 1;
    uint64_t records = 10000;
    uint32_t version = 160;
    int testType = 1;
    std::string kind = "stored";
    std::string date = "2024-03-05";
    std::string start = "09:00:00";
    uint32_t stepMs = 250;
    int handsets = 4;
    bool noLte = false;
    bool noScanners = false;
    bool unknownHandset = false;
};

void Generate(const GenArgs& a) {
    logstore::LogGenOptions o;
    o.seed = a.seed;
    o.records = a.records;
    o.header.version = a.version;
    o.header.testType = a.testType;
    if (a.kind == "stored")
        o.header.kind = logstore::LOG_KIND_STORED;
    else if (a.kind == "cs")
        o.header.kind = logstore::LOG_KIND_CS;
    else if (a.kind == "cmcc")
        o.header.kind = logstore::LOG_KIND_CMCC;
    else
        Fail("--kind must be stored, cs or cmcc");
    int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0;
    if (std::sscanf(a.date.c_str(), "%d-%d-%d", &y, &m, &d) != 3 || y < 1900 || y > 9999 || m < 1 ||
        m > 12 || d < 1 || d > 31)
        Fail("--date must be YYYY-MM-DD");
    if (std::sscanf(a.start.c_str(), "%d:%d:%d", &hh, &mm, &ss) != 3 || hh < 0 || hh > 23 ||
        mm < 0 || mm > 59 || ss < 0 || ss > 59)
        Fail("--start must be HH:MM:SS");
    o.header.year = static_cast<uint16_t>(y);
    o.header.month = static_cast<uint8_t>(m);
    o.header.day = static_cast<uint8_t>(d);
    o.startMs = ((hh * 60u + mm) * 60u + ss) * 1000u;
    o.stepMs = a.stepMs;
    o.handsets = a.handsets;
    o.lte = !a.noLte;
    o.scanners = !a.noScanners;
    o.unknownHandset = a.unknownHandset;
    CString error;
    if (!logstore::GenerateLog(a.path.c_str(), o, &error)) Fail(error.GetString());
    std::printf("%s: %llu records, %s, version %u, test type %d (%s)\n", a.path.c_str(),
                static_cast<unsigned long long>(a.records), logstore::LogKindName(o.header.kind),
                a.version, a.testType, logstore::TestTypeName(a.testType));
}

void Info(const std::string& path) {
    logstore::LogSummary s;
    CString error;
    if (!logstore::SummarizeLog(path.c_str(), s, &error)) Fail(error.GetString());
    const auto& h = s.header;
    std::printf("file:        %s (%llu bytes)\n", path.c_str(),
                static_cast<unsigned long long>(s.fileSize));
    std::printf("kind:        %s\n", logstore::LogKindName(h.kind));
    std::printf("version:     %u%s\n", h.version, h.version >= 600 ? " (merged)" : "");
    std::printf("test type:   %d (%s)\n", h.testType, logstore::TestTypeName(h.testType));
    std::printf("date:        %04u-%02u-%02u\n", h.year, h.month, h.day);
    std::printf("handset:     type %d\n", h.handsetType);
    if (s.hasRecords)
        std::printf("time range:  %s - %s\n", s.first.toString().GetString(),
                    s.last.toString().GetString());
    else
        std::printf("time range:  none\n");
    std::printf("records:     %llu\n", static_cast<unsigned long long>(s.records));
    for (const auto& [type, count] : s.byType)
        std::printf("  type %-3d %-24s %llu\n", type, logstore::RecordTypeName(type),
                    static_cast<unsigned long long>(count));
    std::printf("damaged records skipped: %llu\n", static_cast<unsigned long long>(s.skipped));
    if (s.undecodable)
        std::printf("records that do not decode: %llu\n",
                    static_cast<unsigned long long>(s.undecodable));
}

}  // namespace

void AddLogCommands(CLI::App& app) {
    static GenArgs gen;
    auto* g = app.add_subcommand(
        "gen-log", "Write a synthetic drive-test log (the same options give the same log)");
    g->add_option("FILE", gen.path, "The log to write")->required();
    g->add_option("--seed", gen.seed, "Seed of the random values")->capture_default_str();
    g->add_option("--records", gen.records, "Number of records")->capture_default_str();
    g->add_option("--version", gen.version, "Log version (110 .. 160, 600 accepted)")
        ->capture_default_str();
    g->add_option("--test-type", gen.testType, "0 unknown, 1 outdoor, 2 indoor")
        ->capture_default_str();
    g->add_option("--kind", gen.kind, "stored, cs (automatic drive test) or cmcc")
        ->capture_default_str();
    g->add_option("--date", gen.date, "Recording date YYYY-MM-DD")->capture_default_str();
    g->add_option("--start", gen.start, "Time of the first record HH:MM:SS")->capture_default_str();
    g->add_option("--step-ms", gen.stepMs, "Mean milliseconds between records")
        ->capture_default_str();
    g->add_option("--handsets", gen.handsets, "TD-SCDMA/GSM handsets, 0 to 4")
        ->capture_default_str();
    g->add_flag("--no-lte", gen.noLte, "Without LTE handsets");
    g->add_flag("--no-scanners", gen.noScanners, "Without scanners");
    g->add_flag("--unknown-handset", gen.unknownHandset, "The first handset reports no type");
    g->callback([] { Generate(gen); });

    auto* log = app.add_subcommand("log", "Stored drive-test logs");
    log->require_subcommand(1);
    static std::string infoPath;
    auto* info =
        log->add_subcommand("info", "Show a log's kind, version, date, time range and records");
    info->add_option("FILE", infoPath, "The log")->required();
    info->callback([] { Info(infoPath); });
}
