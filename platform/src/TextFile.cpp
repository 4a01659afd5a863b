#include "platform/TextFile.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/Encoding.h"

namespace platform {

CTextFileReader::~CTextFileReader() { Close(); }

bool CTextFileReader::Open(const CString& path) {
    Close();
    m_file = std::fopen(path, "rb");
    if (!m_file) return false;
    struct stat st;
    m_size = ::fstat(fileno(m_file), &st) == 0 ? static_cast<long long>(st.st_size) : 0;
    m_first = true;
    m_bom = false;
    m_gbk = false;
    m_pos = 0;
    return true;
}

void CTextFileReader::Close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
    std::free(m_buf);
    m_buf = nullptr;
    m_bufSize = 0;
}

bool CTextFileReader::ReadLine(CString& line) {
    if (!m_file) return false;
    const ssize_t n = ::getline(&m_buf, &m_bufSize, m_file);
    if (n <= 0) return false;
    m_pos += n;
    m_raw.assign(m_buf, static_cast<size_t>(n));
    if (m_raw.back() == '\n') m_raw.pop_back();
    if (!m_raw.empty() && m_raw.back() == '\r') m_raw.pop_back();
    if (m_first) {
        m_first = false;
        if (m_raw.size() >= 3 && m_raw.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            m_raw.erase(0, 3);
            m_bom = true;
        }
    }
    // Without a BOM the encoding is decided line by line until a line proves
    // to be GBK; from then on the whole file is read as GBK.
    if (!m_bom && !m_gbk && !IsValidUtf8(m_raw)) m_gbk = true;
    if (m_gbk)
        line = CString(GbkToUtf8(m_raw));
    else if (m_bom)
        line = CString(MakeValidUtf8(m_raw));  // a damaged UTF-8 file still yields valid text
    else
        line = CString(m_raw);
    return true;
}

CTextFileWriter::~CTextFileWriter() { Close(); }

bool CTextFileWriter::Open(const CString& path, bool append) {
    Close();
    m_failed = false;
    m_file = std::fopen(path, append ? "ab" : "wb");
    return m_file != nullptr;
}

bool CTextFileWriter::Close() {
    if (!m_file) return !m_failed;
    if (std::fclose(m_file) != 0) m_failed = true;
    m_file = nullptr;
    return !m_failed;
}

bool CTextFileWriter::Write(const CString& text) {
    if (!m_file) return false;
    const size_t n = static_cast<size_t>(text.GetLength());
    if (n && std::fwrite(text.GetString(), 1, n, m_file) != n) m_failed = true;
    return !m_failed;
}

bool CTextFileWriter::WriteLine(const CString& line) {
    Write(line);
    return Write("\r\n");
}

bool ReadTextFile(const CString& path, std::string& utf8) {
    CTextFileReader r;
    if (!r.Open(path)) return false;
    utf8.clear();
    CString line;
    bool first = true;
    while (r.ReadLine(line)) {
        if (!first) utf8 += '\n';
        utf8 += line.str();
        first = false;
    }
    return true;
}

bool WriteTextFile(const CString& path, const std::string& utf8) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(utf8.data(), 1, utf8.size(), f) == utf8.size();
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

}  // namespace platform
