#include "ole/Guid.h"

#include <cstdio>

namespace ole {

std::string StringFromGUID(const GUID& g) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1,
                  g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4],
                  g.Data4[5], g.Data4[6], g.Data4[7]);
    return buf;
}

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at text[pos]; false on anything else.
bool ReadHex(std::string_view text, size_t pos, int digits, uint32_t& out) {
    out = 0;
    for (int i = 0; i < digits; ++i) {
        int d = HexDigit(text[pos + i]);
        if (d < 0) return false;
        out = out << 4 | static_cast<uint32_t>(d);
    }
    return true;
}

}  // namespace

std::optional<GUID> GUIDFromString(std::string_view t) {
    // {8-4-4-4-12}
    if (t.size() != 38 || t[0] != '{' || t[37] != '}' || t[9] != '-' || t[14] != '-' ||
        t[19] != '-' || t[24] != '-')
        return std::nullopt;
    GUID g;
    uint32_t v = 0;
    if (!ReadHex(t, 1, 8, v)) return std::nullopt;
    g.Data1 = v;
    if (!ReadHex(t, 10, 4, v)) return std::nullopt;
    g.Data2 = static_cast<uint16_t>(v);
    if (!ReadHex(t, 15, 4, v)) return std::nullopt;
    g.Data3 = static_cast<uint16_t>(v);
    static constexpr size_t kByteAt[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(t, kByteAt[i], 2, v)) return std::nullopt;
        g.Data4[i] = static_cast<uint8_t>(v);
    }
    return g;
}

}  // namespace ole
