#include "host/logstore/LogWriter.h"

#include <unistd.h>

#include <cstring>

#include "host/logstore/Crc32c.h"
#include "host/logstore/RecordCodec.h"

namespace logstore {

CLogWriter::~CLogWriter() {
    if (m_file) std::fclose(m_file);
}

bool CLogWriter::Create(const CString& path, const LogHeader& header) {
    if (m_file) std::fclose(m_file);
    m_count = 0;
    m_file = std::fopen(path.GetString(), "wb");
    if (!m_file) return m_ok = false;
    std::setvbuf(m_file, nullptr, _IOFBF, 1 << 20);
    unsigned char bytes[kHeaderSize];
    EncodeHeader(header, bytes);
    m_ok = std::fwrite(bytes, 1, kHeaderSize, m_file) == kHeaderSize;
    return m_ok;
}

bool CLogWriter::Write(const CTestdataBase& record) {
    if (!m_file) return false;
    m_frame.resize(kFrameHead);
    if (!CRecordCodec::Encode(record, m_frame)) return false;
    const uint32_t len = static_cast<uint32_t>(m_frame.size() - kFrameHead);
    std::memcpy(m_frame.data(), &kFrameSync, 4);
    std::memcpy(m_frame.data() + 8, &len, 4);
    const uint32_t crc = Crc32c(m_frame.data() + 8, 4 + static_cast<size_t>(len));
    std::memcpy(m_frame.data() + 4, &crc, 4);
    if (std::fwrite(m_frame.data(), 1, m_frame.size(), m_file) != m_frame.size()) m_ok = false;
    ++m_count;
    return m_ok;
}

bool CLogWriter::WritePayload(const unsigned char* payload, uint32_t len) {
    if (!m_file || len == 0 || len > kMaxPayload) return false;
    unsigned char head[kFrameHead];
    std::memcpy(head, &kFrameSync, 4);
    std::memcpy(head + 8, &len, 4);
    const uint32_t crc = Crc32c(payload, len, Crc32c(head + 8, 4));
    std::memcpy(head + 4, &crc, 4);
    if (std::fwrite(head, 1, kFrameHead, m_file) != kFrameHead ||
        std::fwrite(payload, 1, len, m_file) != len)
        m_ok = false;
    ++m_count;
    return m_ok;
}

bool CLogWriter::Close() {
    if (!m_file) return false;
    if (std::fflush(m_file) != 0) m_ok = false;
    if (std::fclose(m_file) != 0) m_ok = false;
    m_file = nullptr;
    return m_ok;
}

CString TemporaryPathFor(const CString& target) {
    return CString::Formatted("%s.part-%d", target, static_cast<int>(getpid()));
}

}  // namespace logstore
