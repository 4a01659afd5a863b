// Inner parts of the log generator: its random numbers and the makers of
// each block, shared by its source files.
#pragma once

#include <cstdint>

#include "host/logstore/LogGenerator.h"

namespace logstore::gen {

class Rng {
public:
    explicit Rng(uint64_t seed) : m_s{seed} {}
    uint64_t Next() { return m_s.Next(); }
    // 0 .. n - 1 (n > 0).
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    // a .. b inclusive.
    int Range(int a, int b) { return a + Below(b - a + 1); }
    bool Percent(int p) { return Below(100) < p; }
    double Real() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    float Realf(double a, double b) { return static_cast<float>(a + (b - a) * Real()); }

private:
    SplitMix64 m_s;
};

// What a handset's measurements follow from record to record.
struct Serving {
    int cellParameterID = 0;  // TD-SCDMA cell parameter 0..127
    int uarfcn = 10055;
    int cellKey = 0;
    int rscp = -80;  // dBm, drifts
    int bcch = 60;   // GSM
    int bsic = 21;
    int lac = 4100;
    int ci = 20001;
    int rxlev = -75;  // dBm, drifts
};

// Lengths of lists the importer must handle: empty, single, at and past each
// limit it cuts at.
constexpr int kMeasListLengths[] = {0, 1, 3, 31, 32, 40, 400, 450};
constexpr int kCellParaLengths[] = {0, 1, 2, 3};
constexpr int kTDNeighbourLengths[] = {0, 1, 3, 6};  // and now and then 32
constexpr int kGSMNeighbourLengths[] = {0, 3, 6, 7, 9};
constexpr int kAllocLengths[] = {1, 5, 20, 21};

void FillTDBlocks(Rng& rng, Serving& s, CTestdataBase& r, bool rich);
void FillGSMBlocks(Rng& rng, Serving& s, CTestdataBase& r);
void FillLTEBlocks(Rng& rng, CTestdataBase& r, int subtype);
void FillScanner(Rng& rng, CTestdataBase& r, int model, bool variant, bool summary);
void FillLTEScanner(Rng& rng, CTestdataBase& r);
void FillDoubleProtocol(Rng& rng, CTestdataBase& r, int kind);
void FillRecordBlock(Rng& rng, CTestdataBase& r);
// A layer-3 message of the given name into the record's message part.
void FillRRCMessage(Rng& rng, CTestdataBase& r, int which);
void FillGSMMessage(Rng& rng, CTestdataBase& r);
void FillLTEMessage(Rng& rng, CTestdataBase& r);

}  // namespace logstore::gen
