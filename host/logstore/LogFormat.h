// Constants and the header of the stored-log format (see FORMAT beside this).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/CString.h"

namespace logstore {

// Fixed-width values at a byte position of the store, in the machine's order.
template <class T>
inline void Put(unsigned char* at, T value) {
    std::memcpy(at, &value, sizeof value);
}
template <class T>
inline T Get(const unsigned char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

static_assert(std::endian::native == std::endian::little,
              "the store writes its numbers in the machine's order, little-endian");

constexpr unsigned char kMagic[8] = {0x89, 'D', 'T', 'L', 'G', '\r', '\n', 0x1A};
constexpr uint16_t kFormatVersion = 1;
constexpr size_t kHeaderSize = 64;
// Frames: sync word, CRC-32C of length and payload, payload length, payload.
constexpr uint32_t kFrameSync = 0x3CC35AA5u;  // bytes A5 5A C3 3C
constexpr size_t kFrameHead = 12;
constexpr uint32_t kMaxPayload = 1u << 20;
// Fixed part of a record's payload (see FORMAT).
constexpr size_t kRecordHead = 60;

// Kinds of log of the format family.
enum LogKindEnum : uint8_t {
    LOG_KIND_STORED = 0,  // stored drive-test log (CLogFileManager)
    LOG_KIND_CS = 3,      // automatic drive-test log (CCSLogImportWrap)
    LOG_KIND_CMCC = 5,    // China Mobile log (CCMCCLogImportWrap)
};

// Version of logs that merging made.
constexpr uint32_t kMergedVersion = 600;

struct LogHeader {
    uint32_t version = 160;
    int32_t testType = 1;  // 0 unknown, 1 outdoor, 2 indoor
    uint16_t year = 2024;
    uint8_t month = 1;
    uint8_t day = 1;
    int32_t handsetType = 0;
    uint8_t kind = LOG_KIND_STORED;
    bool operator==(const LogHeader&) const = default;
};

// The header's 64 bytes.
void EncodeHeader(const LogHeader& header, unsigned char out[kHeaderSize]);
// False when the bytes are not a header of this format (magic, size,
// checksum or format version).
bool DecodeHeader(const unsigned char* bytes, size_t len, LogHeader& header);
// Reads the header of a file; false when it is missing or not one.
bool ReadHeader(const CString& path, LogHeader& header);

}  // namespace logstore
