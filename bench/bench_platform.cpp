// Text decoding cost of the line reader: UTF-8 lines against GBK lines.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include "platform/Encoding.h"
#include "platform/TextFile.h"

namespace {
CString MakeFile(bool gbk) {
    const CString path = CString::Formatted("/tmp/bench_text_%d_%d.txt", ::getpid(), gbk ? 1 : 0);
    std::string body;
    for (int i = 0; i < 100000; ++i)
        body += CString::Formatted("2009-06-01 08:30:%02d,116.%06d,39.%06d,-75.5,小区%d\r\n",
                                   i % 60, i, i, i % 7)
                    .str();
    platform::WriteTextFile(path, gbk ? platform::Utf8ToGbk(body) : body);
    return path;
}

void ReadLines(benchmark::State& state) {
    const CString path = MakeFile(state.range(0) != 0);
    long long bytes = 0;
    for (auto _ : state) {
        platform::CTextFileReader r;
        r.Open(path);
        CString line;
        while (r.ReadLine(line)) benchmark::DoNotOptimize(line.GetLength());
        bytes += r.Size();
    }
    state.SetBytesProcessed(bytes);
    ::unlink(path);
}
}  // namespace

BENCHMARK(ReadLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
