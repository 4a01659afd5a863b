// Arbitrary bytes through the text line reader and the encoding helpers.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/Encoding.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    static const CString path = CString::Formatted("/tmp/fuzz_text_reader_%d.txt", ::getpid());
    platform::WriteTextFile(path, bytes);
    platform::CTextFileReader r;
    if (r.Open(path)) {
        CString line;
        while (r.ReadLine(line)) {
            if (!platform::IsValidUtf8(line.str())) __builtin_trap();
        }
    }
    (void)platform::GbkByteCount(bytes);
    (void)platform::Utf16ToUtf8(platform::Utf8ToUtf16(bytes));
    return 0;
}
