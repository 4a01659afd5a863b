// A record's payload in the store: its encoding, its reading and the
// decoding of its measurement content (see FORMAT).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/logstore/BlockTable.h"
#include "logio/host/Testdata.h"

// Blocks a record keeps for reuse after Clear, one per kind.
struct CTestdataSpares {
    FIELDRUN::CIEStruct* blocks[kLogstoreBlockKinds] = {};
    CTestdataSpares() = default;
    CTestdataSpares(const CTestdataSpares&) = delete;
    CTestdataSpares& operator=(const CTestdataSpares&) = delete;
    ~CTestdataSpares() {
        for (auto* block : blocks) delete block;
    }
};

class CRecordCodec {
public:
    // Appends the record's payload. False when a list or text is longer than
    // the store keeps (nothing is appended then).
    static bool Encode(const CTestdataBase& record, std::vector<unsigned char>& out);
    // Header and device blocks; the measurement content is kept undecoded.
    // False when the payload is malformed (the record is cleared then).
    static bool Read(const unsigned char* payload, size_t len, CTestdataBase& record);
    // Decodes the content that Read kept, into out (which may be in; when it
    // is not, out receives in's header first). False when it is malformed.
    static bool Decode(CTestdataBase& in, CTestdataBase& out);

    // What merging, cutting and listing need of a payload, without reading it.
    struct Peek {
        int32_t recordType = 0;
        int8_t ueNumber = 0;
        uint32_t msOfDay = 0;
    };
    static bool PeekHeader(const unsigned char* payload, size_t len, Peek& peek);

    // Detaches every block, keeping its storage for the record's next use.
    static void DetachBlocks(CTestdataBase& record);
    static void DeleteBlocks(CTestdataBase& record);
    static void CopyBlocks(const CTestdataBase& from, CTestdataBase& to);
    static void CopyHeader(const CTestdataBase& from, CTestdataBase& to);
};
