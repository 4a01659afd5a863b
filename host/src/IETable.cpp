#include "host/IETable.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/Encoding.h"
#include "platform/Path.h"
#include "platform/TextFile.h"

namespace {

// The blank-separated fields of a line.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
        out.push_back(line.substr(i, j - i));
        i = j;
    }
    return out;
}

// The line without its comment and surrounding blanks.
std::string_view StripComment(std::string_view line) {
    size_t hash = line.find('#');
    if (hash != std::string_view::npos) line = line.substr(0, hash);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    return line;
}

// Whole-field decimal integer, no sign unless allowed.
bool ParseInt(std::string_view s, long& value, bool allowSign = false) {
    if (s.empty() || s.size() > 9) return false;
    size_t i = 0;
    bool negative = false;
    if (allowSign && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        i = 1;
        if (s.size() == 1) return false;
    }
    long v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
    }
    value = negative ? -v : v;
    return true;
}

bool ParseDouble(std::string_view s, double& value) {
    if (s.empty() || s.size() > 40) return false;
    const std::string text(s);
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno != 0 || !std::isfinite(v)) return false;
    value = v;
    return true;
}

CString Where(const CString& file, int line) { return CString::Formatted("%s:%d: ", file, line); }

// Expands the placeholders of a family member's name or group: {N} is N + i,
// {N/D} is N + i / D and {N%D} is N + i % D. Returns false on a bad placeholder.
bool Expand(std::string_view pattern, int index, std::string& out, int* placeholders) {
    out.clear();
    int count = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '}') return false;
        if (c != '{') {
            out += c;
            continue;
        }
        const size_t close = pattern.find('}', i);
        if (close == std::string_view::npos) return false;
        std::string_view inner = pattern.substr(i + 1, close - i - 1);
        const size_t op = inner.find_first_of("/%");
        long start = 0;
        long value = 0;
        if (op == std::string_view::npos) {
            if (!ParseInt(inner, start)) return false;
            value = start + index;
        } else {
            long divisor = 0;
            if (!ParseInt(inner.substr(0, op), start) || !ParseInt(inner.substr(op + 1), divisor) ||
                divisor <= 0)
                return false;
            value = start + (inner[op] == '/' ? index / divisor : index % divisor);
        }
        out += std::to_string(value);
        ++count;
        i = close;
    }
    if (placeholders) *placeholders = count;
    return true;
}

// Names stand as element names in the parameter tree file: a letter or '_',
// then letters, digits, '_', '-' or '.'.
bool IsValidName(std::string_view s) {
    if (s.empty()) return false;
    auto alpha = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    if (!alpha(s[0])) return false;
    for (char c : s) {
        if (!alpha(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.') return false;
    }
    return true;
}

bool IsValidGroup(std::string_view s) {
    if (s.empty() || s == "-") return false;
    size_t start = 0;
    while (start <= s.size()) {
        size_t comma = s.find(',', start);
        std::string_view path =
            s.substr(start, comma == std::string_view::npos ? s.npos : comma - start);
        size_t p = 0;
        int parts = 0;
        while (p <= path.size()) {
            size_t slash = path.find('/', p);
            std::string_view part =
                path.substr(p, slash == std::string_view::npos ? path.npos : slash - p);
            if (!IsValidName(part)) return false;
            ++parts;
            if (slash == std::string_view::npos) break;
            p = slash + 1;
        }
        if (parts < 2) return false;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return true;
}

std::vector<std::string_view> Lines(const std::string& text) {
    std::vector<std::string_view> lines;
    std::string_view all(text);
    size_t start = 0;
    while (start <= all.size()) {
        size_t nl = all.find('\n', start);
        if (nl == std::string_view::npos) {
            lines.push_back(all.substr(start));
            break;
        }
        lines.push_back(all.substr(start, nl - start));
        start = nl + 1;
    }
    return lines;
}

bool ReadFile(const CString& path, std::string& text, CString* error) {
    // A folder opens like a file but reads as nothing: that must not pass for an
    // empty table.
    if (platform::PathIsDirectory(path) || !platform::ReadTextFile(path, text)) {
        if (error) *error = CString::Formatted("%s: cannot read the file", path);
        return false;
    }
    return true;
}

bool Fail(CString* error, const CString& message) {
    if (error) *error = message;
    return false;
}

}  // namespace

std::vector<CString> IEInfo::Groups() const {
    std::vector<CString> out;
    int pos = 0;
    while (pos >= 0 && pos <= group.GetLength()) {
        int comma = group.Find(',', pos);
        CString part = comma < 0 ? group.Mid(pos) : group.Mid(pos, comma - pos);
        if (!part.IsEmpty()) out.push_back(part);
        pos = comma < 0 ? -1 : comma + 1;
    }
    return out;
}

void CIETable::Clear() { m_entries.Clear(); }

bool CIETable::Load(const CString& path, CString* error) {
    std::string text;
    if (!ReadFile(path, text, error)) {
        Clear();
        return false;
    }
    return LoadText(text, path, error);
}

bool CIETable::LoadText(const std::string& text, const CString& name, CString* error) {
    Clear();
    std::vector<IEInfo> all;
    std::vector<int> lineOf;  // source line of each entry, for duplicate messages
    const std::vector<std::string_view> lines = Lines(text);
    std::string expanded;
    for (size_t n = 0; n < lines.size(); ++n) {
        const int lineNo = static_cast<int>(n) + 1;
        const std::string_view line = StripComment(lines[n]);
        if (line.empty()) continue;
        const CString where = Where(name, lineNo);
        const std::vector<std::string_view> f = Fields(line);
        if (f.size() < 7 || f.size() > 8)
            return Fail(error, where + CString::Formatted("expected 7 or 8 fields, found %d",
                                                          static_cast<int>(f.size())));

        // Number, or a family as BASE*COUNT.
        long base = 0;
        long count = 1;
        bool family = false;
        const size_t star = f[0].find('*');
        if (star != std::string_view::npos) {
            family = true;
            if (!ParseInt(f[0].substr(0, star), base) || !ParseInt(f[0].substr(star + 1), count))
                return Fail(error, where + "bad family number \"" + CString(f[0]) + "\"");
            if (count < 1 || count > kMaxFamily)
                return Fail(error,
                            where + CString::Formatted("family size must be 1 to %d", kMaxFamily));
        } else if (!ParseInt(f[0], base)) {
            return Fail(error, where + "bad IE number \"" + CString(f[0]) + "\"");
        }
        if (base < 1 || base + count - 1 > kMaxNumber)
            return Fail(error,
                        where + CString::Formatted("IE numbers must lie in 1..%d", kMaxNumber));

        long type = 0;
        if (!ParseInt(f[2], type) || type < MEMTABLE_FIELD_BOOL || type > MEMTABLE_FIELD_FLOAT)
            return Fail(error,
                        where + "memory type must be 1 to 5, found \"" + CString(f[2]) + "\"");

        double minValue = kNoValueD;
        double maxValue = kNoValueD;
        if (f[4] != "-" && !ParseDouble(f[4], minValue))
            return Fail(error, where + "bad minimum \"" + CString(f[4]) + "\"");
        if (f[5] != "-" && !ParseDouble(f[5], maxValue))
            return Fail(error, where + "bad maximum \"" + CString(f[5]) + "\"");
        if (f[4] != "-" && f[5] != "-" && minValue > maxValue)
            return Fail(error, where + "minimum above maximum");

        bool checked = false;
        if (f.size() == 8) {
            if (f[7] != "check")
                return Fail(error, where + "unknown flag \"" + CString(f[7]) + "\"");
            checked = true;
        }

        for (long i = 0; i < count; ++i) {
            IEInfo info;
            info.number = static_cast<int>(base + i);
            int placeholders = 0;
            if (!Expand(f[1], static_cast<int>(i), expanded, &placeholders))
                return Fail(error, where + "bad placeholder in name \"" + CString(f[1]) + "\"");
            if (family != (placeholders > 0))
                return Fail(error, where + (family ? "a family name needs a {N} placeholder"
                                                   : "only a family name may hold placeholders"));
            if (!IsValidName(expanded))
                return Fail(error, where + "bad IE name \"" + CString(expanded) + "\"");
            info.name = CString(expanded);
            info.memType = static_cast<int>(type);
            info.unit = f[3] == "-" ? CString() : CString(f[3]);
            info.minValue = minValue;
            info.maxValue = maxValue;
            if (!Expand(f[6], static_cast<int>(i), expanded, &placeholders) ||
                (!family && placeholders > 0))
                return Fail(error, where + "bad placeholder in group \"" + CString(f[6]) + "\"");
            // A trailing "/*" files a family under a group named after its stem
            // (the name up to its first placeholder, without the joining '_').
            if (expanded.size() >= 2 && expanded.compare(expanded.size() - 2, 2, "/*") == 0) {
                std::string_view pattern = f[1];
                size_t brace = pattern.find('{');
                if (!family || brace == 0)
                    return Fail(error, where + "\"/*\" needs a family name with a stem");
                std::string_view stem = pattern.substr(0, brace);
                while (!stem.empty() && stem.back() == '_') stem.remove_suffix(1);
                expanded.replace(expanded.size() - 1, 1, std::string(stem));
            }
            if (!IsValidGroup(expanded))
                return Fail(error, where + "bad group \"" + CString(expanded) + "\"");
            info.group = CString(expanded);
            info.checked = checked;
            all.push_back(std::move(info));
            lineOf.push_back(lineNo);
        }
    }

    // Index by number and by name; duplicates are errors.
    std::vector<size_t> order(all.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return all[a].number < all[b].number; });
    for (size_t k = 1; k < order.size(); ++k) {
        if (all[order[k]].number == all[order[k - 1]].number)
            return Fail(error, Where(name, lineOf[order[k]]) +
                                   CString::Formatted("IE number %d already defined on line %d",
                                                      all[order[k]].number, lineOf[order[k - 1]]));
    }
    std::vector<IEInfo> sorted;
    sorted.reserve(all.size());
    std::unordered_map<CString, int> byName;
    byName.reserve(all.size());
    for (size_t k = 0; k < order.size(); ++k) {
        const IEInfo& info = all[order[k]];
        auto [it, inserted] = byName.emplace(info.name, static_cast<int>(k));
        if (!inserted)
            return Fail(error,
                        Where(name, lineOf[order[k]]) + "IE name \"" + info.name +
                            CString::Formatted("\" already used by IE %d",
                                               sorted[static_cast<size_t>(it->second)].number));
        sorted.push_back(info);
    }
    m_entries.Assign(std::move(sorted), std::move(byName));
    return true;
}

const IEInfo* CIETable::FindByNumber(int number) const { return m_entries.FindByNumber(number); }

const IEInfo* CIETable::FindByName(const CString& name) const { return m_entries.FindByName(name); }

int CIETable::MemType(int number) const {
    const IEInfo* info = FindByNumber(number);
    return info ? info->memType : 0;
}

void CEventTable::Clear() { m_entries.Clear(); }

bool CEventTable::Load(const CString& path, CString* error) {
    std::string text;
    if (!ReadFile(path, text, error)) {
        Clear();
        return false;
    }
    return LoadText(text, path, error);
}

bool CEventTable::LoadText(const std::string& text, const CString& name, CString* error) {
    Clear();
    std::vector<EventInfo> all;
    std::vector<int> lineOf;
    const std::vector<std::string_view> lines = Lines(text);
    for (size_t n = 0; n < lines.size(); ++n) {
        const int lineNo = static_cast<int>(n) + 1;
        const std::string_view line = StripComment(lines[n]);
        if (line.empty()) continue;
        const CString where = Where(name, lineNo);
        // The number, then the name: the rest of the line, which may hold blanks.
        size_t end = line.find_first_of(" \t");
        long number = 0;
        if (!ParseInt(line.substr(0, end), number) || number < 1 || number > kMaxNumber)
            return Fail(error, where + CString::Formatted("bad event number (1..%d)", kMaxNumber));
        std::string_view rest =
            end == std::string_view::npos ? std::string_view() : line.substr(end);
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
            rest.remove_prefix(1);
        if (rest.empty()) return Fail(error, where + "missing event name");
        for (unsigned char c : rest) {
            if (c < ' ' && c != '\t') return Fail(error, where + "control character in event name");
        }
        if (!platform::IsValidUtf8(std::string(rest)))
            return Fail(error, where + "event name is not UTF-8 text");
        all.push_back(EventInfo{static_cast<int>(number), CString(rest)});
        lineOf.push_back(lineNo);
    }

    std::vector<size_t> order(all.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return all[a].number < all[b].number; });
    std::vector<EventInfo> sorted;
    std::unordered_map<CString, int> byName;
    for (size_t k = 0; k < order.size(); ++k) {
        const EventInfo& e = all[order[k]];
        if (k > 0 && e.number == sorted.back().number)
            return Fail(error, Where(name, lineOf[order[k]]) +
                                   CString::Formatted("event %d already defined on line %d",
                                                      e.number, lineOf[order[k - 1]]));
        auto [it, inserted] = byName.emplace(e.name, static_cast<int>(k));
        if (!inserted)
            return Fail(error,
                        Where(name, lineOf[order[k]]) + "event name \"" + e.name +
                            CString::Formatted("\" already used by event %d",
                                               sorted[static_cast<size_t>(it->second)].number));
        sorted.push_back(e);
    }
    m_entries.Assign(std::move(sorted), std::move(byName));
    return true;
}

const EventInfo* CEventTable::FindByNumber(int number) const {
    return m_entries.FindByNumber(number);
}

const EventInfo* CEventTable::FindByName(const CString& name) const {
    return m_entries.FindByName(name);
}
