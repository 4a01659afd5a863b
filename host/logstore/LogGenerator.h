// Synthetic drive-test logs: a drive (or a walk, indoors) with handsets,
// LTE handsets, scanners, events, messages and marks. The same options give
// the same log, byte for byte; records are made and written one at a time.
#pragma once

#include <cstdint>
#include <memory>

#include "host/logstore/LogFormat.h"
#include "logio/host/Testdata.h"

namespace logstore {

struct LogGenOptions {
    uint64_t seed = 1;
    uint64_t records = 10000;
    // Version, test type, date and kind of the log; the handset type is that
    // of the first handset (0 with unknownHandset).
    LogHeader header;
    uint32_t startMs = 9u * 3600u * 1000u;  // time of day of the first record
    uint32_t stepMs = 250;                  // mean time between records
    int handsets = 4;                       // TD-SCDMA/GSM handsets on UE 1.. (0 to 4)
    bool lte = true;                        // LTE handsets of subtypes 14 and 15
    bool scanners = true;                   // scanners of every model and the LTE scanner
    bool unknownHandset = false;            // the first handset reports type 0
};

struct SplitMix64 {
    uint64_t state;
    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
};

class CLogGenerator {
public:
    explicit CLogGenerator(const LogGenOptions& options);
    ~CLogGenerator();
    CLogGenerator(const CLogGenerator&) = delete;
    CLogGenerator& operator=(const CLogGenerator&) = delete;

    // The header the log gets.
    const LogHeader& Header() const;
    // The next record; false once options.records were made.
    bool Next(CTestdataBase& record);

    struct State;

private:
    std::unique_ptr<State> m_state;
};

// Writes a generated log to path. False, with a reason, when it cannot.
bool GenerateLog(const CString& path, const LogGenOptions& options, CString* error = nullptr);

}  // namespace logstore
