#include "host/logstore/Crc32c.h"

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <nmmintrin.h>
#endif

namespace logstore {
namespace {

constexpr uint32_t kPoly = 0x82F63B78u;  // reflected Castagnoli polynomial

// Slicing-by-8 tables.
struct Tables {
    uint32_t t[8][256];
    Tables() {
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (kPoly & (0u - (c & 1)));
            t[0][i] = c;
        }
        for (uint32_t i = 0; i < 256; ++i)
            for (int s = 1; s < 8; ++s) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
    }
};

uint32_t Software(const unsigned char* p, size_t len, uint32_t crc) {
    static const Tables tables;
    const auto& t = tables.t;
    while (len >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        word ^= crc;
        crc = t[7][word & 0xFF] ^ t[6][(word >> 8) & 0xFF] ^ t[5][(word >> 16) & 0xFF] ^
              t[4][(word >> 24) & 0xFF] ^ t[3][(word >> 32) & 0xFF] ^ t[2][(word >> 40) & 0xFF] ^
              t[1][(word >> 48) & 0xFF] ^ t[0][word >> 56];
        p += 8;
        len -= 8;
    }
    while (len--) crc = (crc >> 8) ^ t[0][(crc ^ *p++) & 0xFF];
    return crc;
}

#if defined(__x86_64__)
__attribute__((target("sse4.2"))) uint32_t Hardware(const unsigned char* p, size_t len,
                                                    uint32_t crc) {
    uint64_t c = crc;
    while (len >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        c = _mm_crc32_u64(c, word);
        p += 8;
        len -= 8;
    }
    uint32_t c32 = static_cast<uint32_t>(c);
    while (len--) c32 = _mm_crc32_u8(c32, *p++);
    return c32;
}

bool HasHardware() {
    static const bool has = __builtin_cpu_supports("sse4.2");
    return has;
}
#endif

}  // namespace

uint32_t Crc32c(const void* data, size_t len, uint32_t crc) {
    const auto* p = static_cast<const unsigned char*>(data);
    crc = ~crc;
#if defined(__x86_64__)
    if (HasHardware()) return ~Hardware(p, len, crc);
#endif
    return ~Software(p, len, crc);
}

}  // namespace logstore
