// Row storage: builds 1,000,000 rows of 100 IEs each in a stream and reports
// the build time and the heap bytes per IE value (the floor is 12: a 4-byte
// IE number and an 8-byte value word).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

#include "logio/host/StreamManager.h"

namespace {

constexpr int kRows = 1000000;
constexpr int kIEs = 100;

size_t HeapInUse() { return mallinfo2().uordblks + mallinfo2().hblkhd; }

void BuildRows(benchmark::State& state) {
    const bool reserve = state.range(0) != 0;
    for (int ie = 0; ie < kIEs; ++ie)
        g_memDataType.SetType(1000 + ie, ie % 4 ? MEMTABLE_FIELD_INT : MEMTABLE_FIELD_FLOAT);
    double bytesPerIE = 0;
    for (auto _ : state) {
        const size_t before = HeapInUse();
        std::unique_ptr<IDataStream> stream(
            CStreamManagerCreator::CreateStreamManager()->CreateStream("bench", 1));
        auto& rows = stream->GetRows();
        for (int r = 1; r <= kRows; ++r) {
            auto* row = new CMemDataRow;
            if (reserve) row->Reserve(kIEs);
            row->SetRecordTime(1.2e9 + r);
            row->SetSynFieldValue(r);
            for (int ie = 0; ie < kIEs; ++ie) row->QuickAddIE(1000 + ie, IntFieldValue(r + ie));
            if (!reserve) row->Shrink();
            rows.emplace_hint(rows.end(), r, row);
        }
        state.PauseTiming();
        bytesPerIE =
            static_cast<double>(HeapInUse() - before) / (static_cast<double>(kRows) * kIEs);
        stream.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_IE"] = bytesPerIE;
    state.counters["IEs_per_second"] = benchmark::Counter(
        static_cast<double>(kRows) * kIEs, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

// 0: rows grow and are shrunk when full; 1: rows reserve their size first.
BENCHMARK(BuildRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
