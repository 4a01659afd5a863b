// CRC-32C (Castagnoli) of the store's frames and header; the processor's
// instruction when it has one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace logstore {

// crc continues a previous result (0 to start).
uint32_t Crc32c(const void* data, size_t len, uint32_t crc = 0);

}  // namespace logstore
