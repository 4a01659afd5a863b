// Arbitrary texts through path preparation (File_new and what it shows of the path) and
// wildcard matching. The first byte chooses how the rest becomes a wide text: as UTF-8
// (as names come from the system) or as raw 32-bit characters (as a caller may pass).
#include <cstdint>
#include <cstring>
#include <string>

#include "Path.h"
#include "fileio/File.h"

namespace {

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

std::wstring Take(wchar_t* text) {
    std::wstring s = text != nullptr ? text : L"";
    Mem_free(text, __FILE__, __LINE__);
    return s;
}

void CheckPath(const std::wstring& path) {
    File_T f = File_new(path.c_str());
    if (f == nullptr) return;
    const std::wstring dir = Take(File_getDirectoryName(f));
    const std::wstring name = Take(File_getFileName(f));
    const std::wstring full = Take(File_getFullName(f));
    Check(!dir.empty() && dir.front() == L'/' && dir.back() == L'/');
    Check(name.find(L'/') == std::wstring::npos);
    Check(full == dir + name);
    Check(f->directorySize == static_cast<int32_t>(dir.size()) + 1);
    Check(f->fileNameSize == static_cast<int32_t>(name.size()) + 1);
    Check(File_isAbsolute(f) == (path[0] == L'/' ? 1 : 0));
    Check(full.find(L"//") == std::wstring::npos);
    Check(full == L"/" || full.back() != L'/');
    // No "." or ".." parts are left.
    for (size_t start = 1; start < full.size();) {
        size_t end = full.find(L'/', start);
        if (end == std::wstring::npos) end = full.size();
        const std::wstring part = full.substr(start, end - start);
        Check(part != L"." && part != L"..");
        start = end + 1;
    }
    // Preparing a prepared path changes nothing.
    File_T again = File_new(full.c_str());
    Check(again != nullptr);
    Check(Take(File_getFullName(again)) == full);
    File_free(&again);
    File_T parent = File_getParent(f);
    Check(parent != nullptr);
    const std::wstring above = Take(File_getFullName(parent));
    Check(above == (dir.size() > 1 ? dir.substr(0, dir.size() - 1) : dir));
    File_free(&parent);
    File_free(&f);
}

void CheckPattern(const std::wstring& text) {
    const size_t bar = text.find(L'|');
    if (bar == std::wstring::npos) return;
    const std::wstring pattern = text.substr(0, bar);
    const std::wstring name = text.substr(bar + 1);
    const int matches = FilePath_matches(pattern.c_str(), name.c_str());
    Check(matches == 0 || matches == 1);
    if (!name.empty()) Check(FilePath_matches(L"*", name.c_str()) == 1);
    if (name.find_first_of(L"*?") == std::wstring::npos)
        Check(FilePath_matches(name.c_str(), name.c_str()) == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const long blocks = Mem_report(nullptr);
    std::wstring text;
    if (data[0] & 1) {
        for (size_t i = 1; i + 4 <= size; i += 4) {
            uint32_t c;
            std::memcpy(&c, data + i, 4);
            if (c == 0) break;
            text += static_cast<wchar_t>(c);
        }
    } else {
        text = Take(FilePath_decode(reinterpret_cast<const char*>(data + 1), size - 1));
        text = text.substr(0, text.find(L'\0'));
    }
    if (!text.empty()) {
        CheckPath(text);
        CheckPattern(text);
    }
    Check(Mem_report(nullptr) == blocks);
    return 0;
}
