// Reads a stored log frame by frame. A damaged frame (bad length or checksum,
// cut short) is skipped: reading resumes at the next frame that checks, and
// the skipped records are counted.
#pragma once

#include <cstdint>
#include <vector>

#include "host/logstore/LogFormat.h"
#include "logio/host/Testdata.h"

namespace logstore {

class CLogReader {
public:
    CLogReader() = default;
    ~CLogReader();
    CLogReader(const CLogReader&) = delete;
    CLogReader& operator=(const CLogReader&) = delete;

    // False when the file is missing, unreadable or not a log of this format.
    bool Open(const CString& path);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    const LogHeader& Header() const { return m_header; }

    // The next intact frame's payload, valid until the next call; false at the end.
    bool NextPayload(const unsigned char*& payload, uint32_t& len);
    // The next record that reads (header and device blocks; the content stays
    // undecoded). False at the end.
    bool Next(CTestdataBase& record);

    // Damaged records skipped so far: one per frame start found in a damaged
    // stretch, at least one per stretch.
    uint64_t Skipped() const { return m_skipped; }
    // Share of the file read so far, 0 to 1.
    double Percent() const;
    uint64_t FileSize() const { return m_size; }

private:
    bool Fill(size_t need) { return m_end - m_begin >= need || Refill(need); }
    bool Refill(size_t need);
    void EndDamage();

    int m_fd = -1;
    LogHeader m_header;
    std::vector<unsigned char> m_buf;
    size_t m_begin = 0;        // next unread byte in m_buf
    size_t m_end = 0;          // end of the bytes in m_buf
    uint64_t m_bufOffset = 0;  // file offset of m_buf[0]
    uint64_t m_size = 0;
    bool m_eof = false;
    bool m_inDamage = false;
    uint64_t m_damageStarts = 0;
    uint64_t m_skipped = 0;
};

// The payload of the last intact frame of a log; false when it has none.
bool ReadLastPayload(const CString& path, std::vector<unsigned char>& payload);

}  // namespace logstore
