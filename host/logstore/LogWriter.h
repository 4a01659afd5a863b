// Writes a stored log: the header, then one frame per record.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "host/logstore/LogFormat.h"
#include "logio/host/Testdata.h"

namespace logstore {

class CLogWriter {
public:
    CLogWriter() = default;
    ~CLogWriter();  // closes the file when Close was not called
    CLogWriter(const CLogWriter&) = delete;
    CLogWriter& operator=(const CLogWriter&) = delete;

    // Creates (or truncates) the file and writes the header.
    bool Create(const CString& path, const LogHeader& header);
    // False when the record does not fit the store's limits or writing failed;
    // a record that does not fit leaves the file as it was.
    bool Write(const CTestdataBase& record);
    bool WritePayload(const unsigned char* payload, uint32_t len);
    // False when any write failed.
    bool Close();
    uint64_t Count() const { return m_count; }

private:
    std::FILE* m_file = nullptr;
    std::vector<unsigned char> m_frame;
    bool m_ok = false;
    uint64_t m_count = 0;
};

// A file path beside target for writing it whole before it replaces target.
CString TemporaryPathFor(const CString& target);

}  // namespace logstore
