// Arbitrary bytes through the log store: as a whole file, as frames that
// check (so that record reading and decoding see the bytes), and as a record
// payload. Whatever reads must decode, list its IEs and write again.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <list>
#include <vector>

#include "host/logstore/Crc32c.h"
#include "host/logstore/LogFormat.h"
#include "host/logstore/RecordCodec.h"
#include "logio/host/DataStore.h"
#include "logio/host/Decode.h"
#include "logio/host/ImportFieldrunLog.h"
#include "logio/host/Testdata.h"

namespace {

const char* FilePath() {
    static char path[64];
    if (!path[0])
        std::snprintf(path, sizeof path, "/tmp/fuzz_logstore-%d.log", static_cast<int>(getpid()));
    return path;
}

void Exercise(CTestdataBase& r, CDecoder& decoder, int version) {
    if (!decoder.Decode(version, &r, &r)) return;
    std::list<pair_ie_id_value> ies;
    for (E_UE_MODE mode : {UE_MODE_TD, UE_MODE_GSM, UE_MODE_LTE, UE_MODE_LTE_SCANNER})
        r.GetAllIEs(ies, mode);
    std::list<CString> lines;
    decoder.DTDetailDecode(struct_STREAMINFO{}, r, lines);
    std::vector<unsigned char> again;
    if (CRecordCodec::Encode(r, again)) {
        CTestdataBase copy;
        if (!CRecordCodec::Read(again.data(), again.size(), copy) ||
            !CRecordCodec::Decode(copy, copy))
            __builtin_trap();  // what was read must read again
    }
}

void ReadFile() {
    CLogFileManager store;
    if (!store.OpenFile("/", FilePath() + 1, 0)) {
        SYSTEMTIME begin, end;
        CCSLogImportWrap::GetBeginEndTime(FilePath(), begin, end);
        return;
    }
    store.GetRecordStartTime();
    store.GetRecordEndTime();
    CDecoder decoder;
    CTestdataBase r;
    while (store.ReadFile(&r)) {
        store.GetCurPercent();
        Exercise(r, decoder, store.GetLogFileVersion());
    }
}

void WriteFile(const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(FilePath(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t mode = data[0] % 3;
    ++data, --size;
    if (mode == 0) {
        // The bytes as a file.
        WriteFile(std::vector<unsigned char>(data, data + size));
        ReadFile();
    } else if (mode == 1) {
        // A good header, then frames that check made of [length byte][bytes]
        // chunks; a zero length byte passes the next chunk through unframed.
        std::vector<unsigned char> file(logstore::kHeaderSize);
        logstore::LogHeader header;
        header.kind = size > 0 && (data[0] & 1) ? logstore::LOG_KIND_CS : logstore::LOG_KIND_STORED;
        logstore::EncodeHeader(header, file.data());
        size_t at = 0;
        while (at < size) {
            size_t len = data[at++];
            const bool raw = len == 0;
            if (raw) len = at < size ? data[at++] : 0;
            len = std::min(len * 4, size - at);
            if (!raw && len > 0) {
                const uint32_t n = static_cast<uint32_t>(len);
                unsigned char head[logstore::kFrameHead];
                std::memcpy(head, &logstore::kFrameSync, 4);
                std::memcpy(head + 8, &n, 4);
                const uint32_t crc =
                    logstore::Crc32c(data + at, len, logstore::Crc32c(head + 8, 4));
                std::memcpy(head + 4, &crc, 4);
                file.insert(file.end(), head, head + sizeof head);
            }
            file.insert(file.end(), data + at, data + at + len);
            at += len;
        }
        WriteFile(file);
        ReadFile();
    } else {
        // The bytes as one record's payload.
        CTestdataBase r;
        CDecoder decoder;
        if (CRecordCodec::Read(data, size, r)) Exercise(r, decoder, 160);
    }
    return 0;
}
