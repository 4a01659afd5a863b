// The log store: reads and decodes a generated log of 2,000,000 records and
// compares it with a plain sequential read of the same file (read() in 1 MiB
// blocks). Reports records per second and the ratio to the plain read.
// LOGSTORE_BENCH_RECORDS changes the number of records.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "host/logstore/LogGenerator.h"
#include "logio/host/DataStore.h"
#include "logio/host/Decode.h"
#include "logio/host/Testdata.h"
#include "platform/Path.h"

namespace {

struct BenchLog {
    CString path;
    uint64_t records = 2000000;
    uint64_t bytes = 0;
    double plainSeconds = 0;  // best of three plain reads

    BenchLog() {
        if (const char* n = std::getenv("LOGSTORE_BENCH_RECORDS"))
            records = std::strtoull(n, nullptr, 10);
        const char* tmp = std::getenv("TMPDIR");
        path = CString::Formatted("%s/bench_logstore-%d.log", tmp && *tmp ? tmp : "/tmp",
                                  static_cast<int>(getpid()));
        logstore::LogGenOptions o;
        o.records = records;
        o.seed = 2024;
        o.stepMs = 10;  // stays within one day
        CString error;
        if (!logstore::GenerateLog(path, o, &error)) {
            std::fprintf(stderr, "%s\n", error.GetString());
            std::exit(1);
        }
        plainSeconds = 1e9;
        for (int i = 0; i < 3; ++i) {
            const auto start = std::chrono::steady_clock::now();
            bytes = PlainRead();
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            plainSeconds = std::min(plainSeconds, took.count());
        }
    }
    ~BenchLog() { std::remove(path.GetString()); }

    uint64_t PlainRead() const {
        const int fd = ::open(path.GetString(), O_RDONLY);
        std::vector<char> block(1 << 20);
        uint64_t total = 0;
        for (ssize_t got; (got = ::read(fd, block.data(), block.size())) > 0;) {
            total += static_cast<uint64_t>(got);
            benchmark::DoNotOptimize(block.data());
        }
        ::close(fd);
        return total;
    }
};

BenchLog& Log() {
    static BenchLog log;
    return log;
}

void Report(benchmark::State& state, uint64_t records, double seconds) {
    state.counters["records"] = static_cast<double>(records);
    state.counters["records_per_second"] = static_cast<double>(records) / seconds;
    state.counters["ratio_to_plain_read"] = seconds / Log().plainSeconds;
    state.counters["MB"] = static_cast<double>(Log().bytes) / 1e6;
}

void PlainRead(benchmark::State& state) {
    BenchLog& log = Log();
    for (auto _ : state) benchmark::DoNotOptimize(log.PlainRead());
    state.counters["MB_per_second"] = benchmark::Counter(
        static_cast<double>(log.bytes) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// One record read into again and again, as a tool reading a whole log does.
void ReadAndDecode(benchmark::State& state) {
    BenchLog& log = Log();
    const platform::PathParts parts = platform::SplitPath(log.path);
    std::unique_ptr<IDecoder> decoder(new CDecoder());
    uint64_t records = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        CLogFileManager store;
        store.OpenFile(parts.directory, parts.fileName, 0);
        const int version = store.GetLogFileVersion();
        CTestdataBase record;
        records = 0;
        while (store.ReadFile(&record)) {
            if (decoder->Decode(version, &record, &record)) ++records;
        }
        store.CloseReadingFile();
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (records != log.records) state.SkipWithError("not every record decoded");
    Report(state, records, seconds);
}

// Fresh records in arrays of 100, freed once the hundredth is done, as the
// log importer takes them.
void ReadAndDecodeFreshRecords(benchmark::State& state) {
    BenchLog& log = Log();
    const platform::PathParts parts = platform::SplitPath(log.path);
    CDecoder decoder;
    uint64_t records = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        CLogFileManager store;
        store.OpenFile(parts.directory, parts.fileName, 0);
        const int version = store.GetLogFileVersion();
        records = 0;
        std::unique_ptr<CTestdataBase[]> pool;
        int used = 100;
        for (;;) {
            if (used == 100) {
                pool.reset(new CTestdataBase[100]);
                used = 0;
            }
            CTestdataBase& record = pool[used++];
            if (!store.ReadFile(&record)) break;
            if (decoder.Decode(version, &record, &record)) ++records;
        }
        store.CloseReadingFile();
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (records != log.records) state.SkipWithError("not every record decoded");
    Report(state, records, seconds);
}

}  // namespace

BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReadAndDecode)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReadAndDecodeFreshRecords)->Unit(benchmark::kMillisecond)->Iterations(3);
