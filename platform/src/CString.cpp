#include "platform/CString.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <vector>

namespace {

// Rewrites the framework's explicit-width length modifiers into C99 ones:
// %I32d -> %d, %I64d -> %lld. Everything else passes through.
std::string TranslateFormat(const char* fmt) {
    std::string out;
    out.reserve(std::strlen(fmt) + 8);
    for (const char* p = fmt; *p;) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        out += *p++;
        if (*p == '%') {
            out += *p++;
            continue;
        }
        while (*p && std::strchr("-+ #0123456789.*", *p)) out += *p++;
        if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
            p += 3;
        } else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
            p += 3;
            out += "ll";
        }
    }
    return out;
}

bool InSet(char ch, const char* set) { return ch != '\0' && std::strchr(set, ch) != nullptr; }

}  // namespace

std::string CString::FormatV(const char* fmt, va_list ap) {
    if (!fmt) return {};
    const std::string f = TranslateFormat(fmt);
    va_list copy;
    va_copy(copy, ap);
    char small[256];
    int n = std::vsnprintf(small, sizeof small, f.c_str(), copy);
    va_end(copy);
    if (n < 0) return {};
    if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::vsnprintf(buf.data(), buf.size(), f.c_str(), ap);
    return std::string(buf.data(), static_cast<size_t>(n));
}

std::string CString::FormatRaw(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    std::string s = FormatV(fmt, ap);
    va_end(ap);
    return s;
}

int CString::Find(char ch, int start) const {
    if (start < 0) start = 0;
    if (static_cast<size_t>(start) >= m_s.size()) return -1;
    size_t p = m_s.find(ch, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const char* sub, int start) const {
    if (!sub) return -1;
    if (start < 0) start = 0;
    if (static_cast<size_t>(start) > m_s.size()) return -1;
    size_t p = m_s.find(sub, static_cast<size_t>(start));
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(char ch) const {
    size_t p = m_s.rfind(ch);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(const char* chars) const {
    if (!chars) return -1;
    size_t p = m_s.find_first_of(chars);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (count < 0) count = 0;
    if (first >= GetLength()) return CString();
    count = std::min(count, GetLength() - first);
    return CString(m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
    if (count < 0) count = 0;
    count = std::min(count, GetLength());
    return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(const char* chars) const {
    size_t i = 0;
    while (i < m_s.size() && InSet(m_s[i], chars ? chars : "")) ++i;
    return CString(m_s.substr(0, i));
}

CString CString::SpanExcluding(const char* chars) const {
    size_t i = 0;
    while (i < m_s.size() && !InSet(m_s[i], chars ? chars : "")) ++i;
    return CString(m_s.substr(0, i));
}

CString CString::Tokenize(const char* delims, int& pos) const {
    if (pos < 0) return CString();
    size_t i = static_cast<size_t>(pos);
    const char* d = delims ? delims : "";
    while (i < m_s.size() && InSet(m_s[i], d)) ++i;
    if (i >= m_s.size()) {
        pos = -1;
        return CString();
    }
    size_t j = i;
    while (j < m_s.size() && !InSet(m_s[j], d)) ++j;
    pos = static_cast<int>(j < m_s.size() ? j + 1 : j);
    return CString(m_s.substr(i, j - i));
}

static const char kSpace[] = " \t\r\n\v\f";

CString& CString::Trim() { return TrimLeft(kSpace).TrimRight(kSpace); }
CString& CString::TrimLeft() { return TrimLeft(kSpace); }
CString& CString::TrimRight() { return TrimRight(kSpace); }
CString& CString::Trim(const char* chars) { return TrimLeft(chars).TrimRight(chars); }

CString& CString::TrimLeft(const char* chars) {
    size_t i = 0;
    while (i < m_s.size() && InSet(m_s[i], chars ? chars : "")) ++i;
    m_s.erase(0, i);
    return *this;
}

CString& CString::TrimRight(const char* chars) {
    size_t n = m_s.size();
    while (n > 0 && InSet(m_s[n - 1], chars ? chars : "")) --n;
    m_s.resize(n);
    return *this;
}

CString& CString::Trim(char ch) { return TrimLeft(ch).TrimRight(ch); }
CString& CString::TrimLeft(char ch) {
    const char set[2] = {ch, '\0'};
    return TrimLeft(set);
}
CString& CString::TrimRight(char ch) {
    const char set[2] = {ch, '\0'};
    return TrimRight(set);
}

int CString::Replace(const char* old, const char* with) {
    if (!old || !*old) return 0;
    const std::string o(old), w(with ? with : "");
    int count = 0;
    std::string out;
    size_t pos = 0;
    for (size_t hit; (hit = m_s.find(o, pos)) != std::string::npos; pos = hit + o.size()) {
        out.append(m_s, pos, hit - pos);
        out += w;
        ++count;
    }
    if (count) {
        out.append(m_s, pos, std::string::npos);
        m_s.swap(out);
    }
    return count;
}

int CString::Replace(char old, char with) {
    int count = 0;
    for (char& c : m_s)
        if (c == old) {
            c = with;
            ++count;
        }
    return count;
}

int CString::Remove(char ch) {
    size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return static_cast<int>(before - m_s.size());
}

int CString::Insert(int index, const char* s) {
    index = std::clamp(index, 0, GetLength());
    m_s.insert(static_cast<size_t>(index), s ? s : "");
    return GetLength();
}

int CString::Insert(int index, char ch) {
    const char s[2] = {ch, '\0'};
    return Insert(index, s);
}

int CString::Delete(int index, int count) {
    if (index < 0) index = 0;
    if (count > 0 && index < GetLength())
        m_s.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

CString& CString::MakeUpper() {
    for (char& c : m_s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::MakeLower() {
    for (char& c : m_s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_s.begin(), m_s.end());
    return *this;
}

int CString::Compare(const char* s) const { return std::strcmp(m_s.c_str(), s ? s : ""); }

int CString::CompareNoCase(const char* s) const { return strcasecmp(m_s.c_str(), s ? s : ""); }
