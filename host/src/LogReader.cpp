#include "host/logstore/LogReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "host/logstore/Crc32c.h"
#include "host/logstore/RecordCodec.h"

namespace logstore {
namespace {

// Reading ahead in stretches that stay in the processor's cache while their
// frames are checked and read; the buffer grows for a larger frame.
constexpr size_t kBufferSize = 256u << 10;

uint32_t Get32(const unsigned char* p) { return logstore::Get<uint32_t>(p); }

// The checksum covers the length field and the payload, which follow each other.
bool FrameChecks(const unsigned char* frame, uint32_t len) {
    return Get32(frame + 4) == Crc32c(frame + 8, 4 + static_cast<size_t>(len));
}

}  // namespace

CLogReader::~CLogReader() { Close(); }

bool CLogReader::Open(const CString& path) {
    Close();
    const int fd = ::open(path.GetString(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    unsigned char bytes[kHeaderSize];
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::pread(fd, bytes, kHeaderSize, 0) != static_cast<ssize_t>(kHeaderSize) ||
        !DecodeHeader(bytes, kHeaderSize, m_header)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_size = static_cast<uint64_t>(st.st_size);
    // A small log needs no more room than it has bytes.
    m_buf.resize(static_cast<size_t>(
        std::min<uint64_t>(kBufferSize, std::max<uint64_t>(m_size, kFrameHead))));
    m_begin = m_end = 0;
    m_bufOffset = kHeaderSize;
    m_eof = false;
    m_inDamage = false;
    m_damageStarts = 0;
    m_skipped = 0;
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

void CLogReader::Close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_buf.clear();
    m_buf.shrink_to_fit();
    m_begin = m_end = 0;
}

double CLogReader::Percent() const {
    if (m_fd < 0) return 0;
    if (m_size <= kHeaderSize) return 1;
    const double done = static_cast<double>(m_bufOffset + m_begin - kHeaderSize) /
                        static_cast<double>(m_size - kHeaderSize);
    return std::min(1.0, done);
}

bool CLogReader::Refill(size_t need) {
    if (need > m_buf.size()) m_buf.resize(std::min<size_t>(need, kFrameHead + kMaxPayload));
    if (m_begin > 0) {
        std::memmove(m_buf.data(), m_buf.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_bufOffset += m_begin;
        m_begin = 0;
    }
    while (!m_eof && m_end < need) {
        const ssize_t got = ::pread(m_fd, m_buf.data() + m_end, m_buf.size() - m_end,
                                    static_cast<off_t>(m_bufOffset + m_end));
        if (got <= 0) {
            m_eof = true;  // end of file, or a read error: what is there is all there is
            break;
        }
        m_end += static_cast<size_t>(got);
    }
    return m_end - m_begin >= need;
}

void CLogReader::EndDamage() {
    if (!m_inDamage) return;
    m_skipped += std::max<uint64_t>(1, m_damageStarts);
    m_inDamage = false;
    m_damageStarts = 0;
}

bool CLogReader::NextPayload(const unsigned char*& payload, uint32_t& len) {
    if (m_fd < 0) return false;
    for (;;) {
        if (!Fill(kFrameHead)) {
            if (m_end > m_begin) m_inDamage = true;  // a cut-off frame head at the end
            m_begin = m_end;
            EndDamage();
            return false;
        }
        const unsigned char* p = m_buf.data() + m_begin;
        if (Get32(p) == kFrameSync) {
            const uint32_t n = Get32(p + 8);
            if (n > 0 && n <= kMaxPayload && Fill(kFrameHead + n)) {
                p = m_buf.data() + m_begin;
                if (FrameChecks(p, n)) {
                    EndDamage();
                    payload = p + kFrameHead;
                    len = n;
                    m_begin += kFrameHead + n;
                    return true;
                }
            }
            m_inDamage = true;
            ++m_damageStarts;
            ++m_begin;
            continue;
        }
        // Damage: look for the next possible frame start.
        m_inDamage = true;
        const void* next =
            std::memchr(m_buf.data() + m_begin + 1, kFrameSync & 0xFF, m_end - m_begin - 1);
        m_begin = next ? static_cast<size_t>(static_cast<const unsigned char*>(next) - m_buf.data())
                       : m_end;
    }
}

bool CLogReader::Next(CTestdataBase& record) {
    const unsigned char* payload = nullptr;
    uint32_t len = 0;
    while (NextPayload(payload, len)) {
        if (CRecordCodec::Read(payload, len, record)) return true;
        ++m_skipped;
    }
    return false;
}

bool ReadLastPayload(const CString& path, std::vector<unsigned char>& payload) {
    const int fd = ::open(path.GetString(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    LogHeader header;
    unsigned char head[kHeaderSize];
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::pread(fd, head, kHeaderSize, 0) != static_cast<ssize_t>(kHeaderSize) ||
        !DecodeHeader(head, kHeaderSize, header)) {
        ::close(fd);
        return false;
    }
    const uint64_t size = static_cast<uint64_t>(st.st_size);
    // Look at a window at the end; widen it until a frame checks or the
    // window holds the whole log.
    uint64_t window = std::min<uint64_t>(size - kHeaderSize, 64u << 10);
    std::vector<unsigned char> bytes;
    bool found = false;
    for (;;) {
        const uint64_t start = size - window;
        bytes.resize(static_cast<size_t>(window));
        if (::pread(fd, bytes.data(), bytes.size(), static_cast<off_t>(start)) !=
            static_cast<ssize_t>(bytes.size()))
            break;
        for (size_t at = bytes.size() >= kFrameHead ? bytes.size() - kFrameHead + 1 : 0;
             at-- > 0;) {
            if (Get32(bytes.data() + at) != kFrameSync) continue;
            const uint32_t n = Get32(bytes.data() + at + 8);
            if (n == 0 || n > kMaxPayload || bytes.size() - at - kFrameHead < n) continue;
            if (!FrameChecks(bytes.data() + at, n)) continue;
            payload.assign(bytes.data() + at + kFrameHead, bytes.data() + at + kFrameHead + n);
            found = true;
            break;
        }
        if (found || start <= kHeaderSize) break;
        // The last frame may straddle the window's start: overlap by a frame.
        window = std::min<uint64_t>(size - kHeaderSize, window * 2 + kFrameHead + kMaxPayload);
    }
    ::close(fd);
    return found;
}

}  // namespace logstore
