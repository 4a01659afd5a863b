// Line-oriented text files. Reading accepts UTF-8 (with or without BOM) and
// GBK, and strips the CR of CRLF; writing produces UTF-8 with CRLF lines, as
// the Windows text-mode files of the original did.
#pragma once

#include <cstdio>
#include <string>

#include "platform/CString.h"

namespace platform {

class CTextFileReader {
public:
    CTextFileReader() = default;
    ~CTextFileReader();
    CTextFileReader(const CTextFileReader&) = delete;
    CTextFileReader& operator=(const CTextFileReader&) = delete;

    bool Open(const CString& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }
    // Next line without its line end, as UTF-8. False at end of file.
    bool ReadLine(CString& line);
    // True once a line had to be decoded as GBK.
    bool IsGbk() const { return m_gbk; }
    // Bytes consumed so far and the file's size, for progress.
    long long Position() const { return m_pos; }
    long long Size() const { return m_size; }

private:
    std::FILE* m_file = nullptr;
    char* m_buf = nullptr;
    size_t m_bufSize = 0;
    std::string m_raw;
    bool m_first = true;
    bool m_bom = false;
    bool m_gbk = false;
    long long m_pos = 0;
    long long m_size = 0;
};

class CTextFileWriter {
public:
    CTextFileWriter() = default;
    ~CTextFileWriter();
    CTextFileWriter(const CTextFileWriter&) = delete;
    CTextFileWriter& operator=(const CTextFileWriter&) = delete;

    bool Open(const CString& path, bool append = false);
    // Flushes and closes; false when any write failed.
    bool Close();
    bool IsOpen() const { return m_file != nullptr; }
    bool Write(const CString& text);
    bool WriteLine(const CString& line);

private:
    std::FILE* m_file = nullptr;
    bool m_failed = false;
};

// Whole-file helpers.
bool ReadTextFile(const CString& path, std::string& utf8);
bool WriteTextFile(const CString& path, const std::string& utf8);

}  // namespace platform
