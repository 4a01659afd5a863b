#include "logio/host/ClassDescribe.h"

#include <cstdlib>
#include <typeinfo>

#include "logio/host/ProjectRecords.h"

void CClassDescribe::AddDescription(const CString& key, void* address, const char* typeName,
                                    int flag) {
    m_items.push_back({key, address, typeName ? typeName : "", flag});
}

namespace {
bool ParseLong(const CString& text, long& out) {
    if (text.IsEmpty()) return false;
    char* end = nullptr;
    out = std::strtol(text, &end, 10);
    return end && *end == '\0';
}
}  // namespace

std::map<CString, CString> CClassDescribe::ToTexts() const {
    std::map<CString, CString> texts;
    for (const Description& d : m_items) {
        CString& t = texts[d.key];
        if (d.typeName == typeid(CString).name())
            t = *static_cast<const CString*>(d.address);
        else if (d.typeName == typeid(double).name())
            t.Format("%.17g", *static_cast<const double*>(d.address));
        else if (d.typeName == typeid(float).name())
            t.Format("%.9g", static_cast<double>(*static_cast<const float*>(d.address)));
        else if (d.typeName == typeid(bool).name())
            t = *static_cast<const bool*>(d.address) ? "1" : "0";
        else if (d.typeName == typeid(unsigned).name())
            t.Format("%u", *static_cast<const unsigned*>(d.address));
        else
            t.Format("%d", *static_cast<const int*>(d.address));
    }
    return texts;
}

bool CClassDescribe::FromTexts(const std::map<CString, CString>& texts) const {
    bool ok = true;
    for (const Description& d : m_items) {
        auto it = texts.find(d.key);
        if (it == texts.end()) continue;
        const CString& t = it->second;
        if (d.typeName == typeid(CString).name()) {
            *static_cast<CString*>(d.address) = t;
            continue;
        }
        if (d.typeName == typeid(double).name() || d.typeName == typeid(float).name()) {
            char* end = nullptr;
            const double v = std::strtod(t, &end);
            if (t.IsEmpty() || !end || *end) {
                ok = false;
                continue;
            }
            if (d.typeName == typeid(double).name())
                *static_cast<double*>(d.address) = v;
            else
                *static_cast<float*>(d.address) = static_cast<float>(v);
            continue;
        }
        long v;
        if (!ParseLong(t, v)) {
            ok = false;
            continue;
        }
        if (d.typeName == typeid(bool).name())
            *static_cast<bool*>(d.address) = v != 0;
        else if (d.typeName == typeid(unsigned).name())
            *static_cast<unsigned*>(d.address) = static_cast<unsigned>(v);
        else
            *static_cast<int*>(d.address) = static_cast<int>(v);
    }
    return ok;
}

struct_BinningSetting::struct_BinningSetting() { Describe(); }

struct_BinningSetting::struct_BinningSetting(const struct_BinningSetting& other) {
    *this = other;
    Describe();
}

struct_BinningSetting& struct_BinningSetting::operator=(const struct_BinningSetting& other) {
    eBinningType = other.eBinningType;
    eValueType = other.eValueType;
    nBinningTime = other.nBinningTime;
    nSpare = other.nSpare;
    nBinningDistance = other.nBinningDistance;
    nGridHeight = other.nGridHeight;
    nGridWidth = other.nGridWidth;
    strUEParam = other.strUEParam;
    strScannerParam = other.strScannerParam;
    return *this;  // the description keeps naming this object's own fields
}

void struct_BinningSetting::Describe() {
    describe.AddDescription("BiningType", &eBinningType, typeid(BinningTypeEnum).name(), 1);
    describe.AddDescription("ValueType", &eValueType, typeid(BinningValueTypeEnum).name(), 1);
    describe.AddDescription("BinningTime", &nBinningTime, typeid(int).name(), 1);
    describe.AddDescription("BinningDistance", &nBinningDistance, typeid(int).name(), 1);
    describe.AddDescription("GridHeight", &nGridHeight, typeid(int).name(), 1);
    describe.AddDescription("GridWidth", &nGridWidth, typeid(int).name(), 1);
    describe.AddDescription("UEParam", &strUEParam, typeid(CString).name(), 1);
    describe.AddDescription("ScannerParam", &strScannerParam, typeid(CString).name(), 1);
}
