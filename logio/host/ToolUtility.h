// Byte buffers and byte-to-text helpers of the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/CString.h"

namespace FIELDRUN {

// A record's byte buffer: the layer-3 message of a message record, the text of
// a file mark. Keeps its storage when refilled.
class CAutoBuffer {
public:
    // Bytes from offset on; null when offset lies at or past the end.
    const unsigned char* GetBuffer(size_t offset = 0) const {
        return offset < m_data.size() ? m_data.data() + offset : nullptr;
    }
    size_t GetBufferLen() const { return m_data.size(); }
    void SetBuffer(const void* bytes, size_t len);
    void Clear() { m_data.clear(); }
    bool operator==(const CAutoBuffer&) const = default;

private:
    std::vector<unsigned char> m_data;
};

}  // namespace FIELDRUN

class CStreamAndString {
public:
    // Upper-case hexadecimal pairs, no separator: {0x0A, 0xFF} gives "0AFF".
    static CString numToString(const unsigned char* bytes, int len);
};
