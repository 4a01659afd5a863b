#include "host/logstore/LogFormat.h"

#include <cstdio>
#include <cstring>

#include "host/logstore/Crc32c.h"

namespace logstore {

void EncodeHeader(const LogHeader& h, unsigned char out[kHeaderSize]) {
    std::memset(out, 0, kHeaderSize);
    std::memcpy(out, kMagic, sizeof kMagic);
    Put<uint16_t>(out + 8, kFormatVersion);
    Put<uint16_t>(out + 10, static_cast<uint16_t>(kHeaderSize));
    Put<uint32_t>(out + 12, h.version);
    Put<int32_t>(out + 16, h.testType);
    Put<uint16_t>(out + 20, h.year);
    Put<uint8_t>(out + 22, h.month);
    Put<uint8_t>(out + 23, h.day);
    Put<int32_t>(out + 24, h.handsetType);
    Put<uint8_t>(out + 28, h.kind);
    Put<uint32_t>(out + 60, Crc32c(out, 60));
}

bool DecodeHeader(const unsigned char* bytes, size_t len, LogHeader& h) {
    if (len < kHeaderSize || std::memcmp(bytes, kMagic, sizeof kMagic) != 0) return false;
    if (Get<uint16_t>(bytes + 8) != kFormatVersion || Get<uint16_t>(bytes + 10) != kHeaderSize)
        return false;
    if (Get<uint32_t>(bytes + 60) != Crc32c(bytes, 60)) return false;
    h.version = Get<uint32_t>(bytes + 12);
    h.testType = Get<int32_t>(bytes + 16);
    h.year = Get<uint16_t>(bytes + 20);
    h.month = Get<uint8_t>(bytes + 22);
    h.day = Get<uint8_t>(bytes + 23);
    h.handsetType = Get<int32_t>(bytes + 24);
    h.kind = Get<uint8_t>(bytes + 28);
    return true;
}

bool ReadHeader(const CString& path, LogHeader& header) {
    std::FILE* f = std::fopen(path.GetString(), "rb");
    if (!f) return false;
    unsigned char bytes[kHeaderSize];
    const size_t got = std::fread(bytes, 1, kHeaderSize, f);
    std::fclose(f);
    return DecodeHeader(bytes, got, header);
}

}  // namespace logstore
