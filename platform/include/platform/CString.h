// CString: the framework's string class over UTF-8 std::string.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

class CString {
public:
    CString() = default;
    CString(const char* s) : m_s(s ? s : "") {}
    CString(const char* s, int len)
        : m_s(s ? std::string(s, static_cast<size_t>(len)) : std::string()) {}
    CString(std::string s) : m_s(std::move(s)) {}
    CString(std::string_view s) : m_s(s) {}
    CString(char ch, int repeat = 1) : m_s(static_cast<size_t>(repeat > 0 ? repeat : 0), ch) {}

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int i) const { return m_s.at(static_cast<size_t>(i)); }
    void SetAt(int i, char ch) { m_s.at(static_cast<size_t>(i)) = ch; }
    char operator[](int i) const { return GetAt(i); }

    const char* GetString() const { return m_s.c_str(); }
    operator const char*() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    std::string& str() { return m_s; }

    // printf-style formatting; also understands %I32d, %I32u, %I32x and %I64d.
    // CString and std::string arguments may be passed to %s directly.
    template <typename... A>
    void Format(const char* fmt, const A&... args) {
        m_s = FormatRaw(fmt, Arg(args)...);
    }
    template <typename... A>
    void AppendFormat(const char* fmt, const A&... args) {
        m_s += FormatRaw(fmt, Arg(args)...);
    }
    template <typename... A>
    static CString Formatted(const char* fmt, const A&... args) {
        return CString(FormatRaw(fmt, Arg(args)...));
    }
    static std::string FormatV(const char* fmt, va_list ap);

    // Searching: positions are byte offsets, -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;

    // Slicing: out-of-range arguments are clamped as the framework does.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* chars) const;
    CString SpanExcluding(const char* chars) const;
    // Next token after position pos; pos becomes -1 when the text is used up.
    CString Tokenize(const char* delims, int& pos) const;

    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim(const char* chars);
    CString& TrimLeft(const char* chars);
    CString& TrimRight(const char* chars);
    CString& Trim(char ch);
    CString& TrimLeft(char ch);
    CString& TrimRight(char ch);

    int Replace(const char* old, const char* with);
    int Replace(char old, char with);
    int Remove(char ch);
    int Insert(int index, const char* s);
    int Insert(int index, char ch);
    int Delete(int index, int count = 1);
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;

    CString& operator+=(const CString& s) {
        m_s += s.m_s;
        return *this;
    }
    CString& operator+=(const char* s) {
        m_s += (s ? s : "");
        return *this;
    }
    CString& operator+=(char ch) {
        m_s += ch;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_s + b.m_s); }
    friend CString operator+(const CString& a, const char* b) {
        return CString(a.m_s + (b ? b : ""));
    }
    friend CString operator+(const char* a, const CString& b) {
        return CString((a ? a : "") + b.m_s);
    }
    friend CString operator+(const CString& a, char b) { return CString(a.m_s + b); }
    friend CString operator+(char a, const CString& b) { return CString(a + b.m_s); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.m_s == (b ? b : ""); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_s < b.m_s; }
    friend bool operator>(const CString& a, const CString& b) { return a.m_s > b.m_s; }

private:
    static std::string FormatRaw(const char* fmt, ...);
    template <typename T>
    static const T& Arg(const T& v) {
        return v;
    }
    static const char* Arg(const CString& v) { return v.GetString(); }
    static const char* Arg(const std::string& v) { return v.c_str(); }

    std::string m_s;
};

template <>
struct std::hash<CString> {
    size_t operator()(const CString& s) const noexcept { return std::hash<std::string>()(s.str()); }
};
