#include "logio/host/Decode.h"

#include <cstring>

#include "host/logstore/RecordCodec.h"
#include "logio/host/Testdata.h"

namespace {

// The field dictionary of the layer-3 detail encoding. Codes are stored in
// messages: never change or reuse one.
struct L3Field {
    uint8_t code;
    const char* name;
    L3Element::Kind kind;
    std::vector<const char*> values;  // texts of an enumeration, by index
};

const std::vector<L3Field>& Dictionary() {
    static const std::vector<L3Field> fields = {
        {1, "rrc-TransactionIdentifier", L3Element::INTEGER, {}},
        {2, "initialUE-Identity", L3Element::CONTAINER, {}},
        {3, "imsi", L3Element::TEXT, {}},
        {4, "new-U-RNTI", L3Element::INTEGER, {}},
        {5,
         "rrc-StateIndicator",
         L3Element::ENUMERATED,
         {"cell-DCH", "cell-FACH", "cell-PCH", "ura-PCH"}},
        {6, "ul-AddReconfTransChInfoList", L3Element::CONTAINER, {}},
        {7, "dl-AddReconfTransChInfoList", L3Element::CONTAINER, {}},
        {8, "ul-TransportChannelType", L3Element::ENUMERATED, {"dch", "usch"}},
        {9, "transportChannelIdentity", L3Element::INTEGER, {}},
        {10, "dl-TransportChannelType", L3Element::ENUMERATED, {"dch", "fach", "dsch"}},
        {11, "dl-transportChannelIdentity", L3Element::INTEGER, {}},
        {12, "sameAsULTrCH", L3Element::INTEGER, {}},
        {13, "transportFormatSet", L3Element::CONTAINER, {}},
        {14, "crc-Size", L3Element::ENUMERATED, {"crc0", "crc8", "crc12", "crc16", "crc24"}},
        {15,
         "transmissionTimeInterval",
         L3Element::ENUMERATED,
         {"tti10", "tti20", "tti40", "tti80"}},
        {16, "rb-Identity", L3Element::INTEGER, {}},
        {17, "rb-InformationSetupList", L3Element::CONTAINER, {}},
        {18, "activationTime", L3Element::INTEGER, {}},
        {19, "measurementIdentity", L3Element::INTEGER, {}},
        {20, "measuredResults", L3Element::CONTAINER, {}},
        {21, "primaryCCPCH-RSCP", L3Element::INTEGER, {}},
        {22, "cellParametersID", L3Element::INTEGER, {}},
        {23, "uarfcn", L3Element::INTEGER, {}},
        {24,
         "establishmentCause",
         L3Element::ENUMERATED,
         {"originatingConversationalCall", "terminatingConversationalCall", "registration",
          "originatingBackgroundCall"}},
    };
    return fields;
}

const L3Field* ByCode(uint8_t code) {
    for (const auto& f : Dictionary())
        if (f.code == code) return &f;
    return nullptr;
}

const L3Field* ByName(const CString& name) {
    for (const auto& f : Dictionary())
        if (name == f.name) return &f;
    return nullptr;
}

constexpr int kMaxDepth = 15;

}  // namespace

bool EncodeL3Detail(const std::vector<L3Element>& elements, std::vector<unsigned char>& bytes) {
    bytes.clear();
    int previous = -1;
    for (const L3Element& e : elements) {
        const L3Field* f = ByName(e.strName);
        if (!f || e.nDepth < 0 || e.nDepth > kMaxDepth || e.nDepth > previous + 1) return false;
        previous = e.nDepth;
        bytes.push_back(f->code);
        bytes.push_back(static_cast<unsigned char>(e.nDepth));
        switch (f->kind) {
            case L3Element::CONTAINER:
                break;
            case L3Element::INTEGER: {
                const int32_t v = static_cast<int32_t>(e.nValue);
                unsigned char b[4];
                std::memcpy(b, &v, 4);
                bytes.insert(bytes.end(), b, b + 4);
                break;
            }
            case L3Element::ENUMERATED: {
                size_t index = f->values.size();
                for (size_t i = 0; i < f->values.size(); ++i)
                    if (e.strValue == f->values[i]) index = i;
                if (index == f->values.size()) return false;
                bytes.push_back(static_cast<unsigned char>(index));
                break;
            }
            case L3Element::TEXT:
                if (e.strValue.GetLength() > 255) return false;
                bytes.push_back(static_cast<unsigned char>(e.strValue.GetLength()));
                bytes.insert(bytes.end(), e.strValue.GetString(),
                             e.strValue.GetString() + e.strValue.GetLength());
                break;
        }
    }
    return true;
}

bool CDecoder::Decode(int version, CTestdataBase* in, CTestdataBase* out) {
    if (!in || !out || version < 100 || version > 999) {
        ++m_failed;
        return false;
    }
    const bool ok = CRecordCodec::Decode(*in, *out);
    ++(ok ? m_decoded : m_failed);
    return ok;
}

void CDecoder::Reset(int, int) { m_decoded = m_failed = 0; }

bool CDecoder::DTDetailDecode(const struct_STREAMINFO&, const CTestdataBase& record,
                              std::list<CString>& lines) {
    lines.clear();
    const unsigned char* p = record.m_Buffer.GetBuffer();
    const size_t len = record.m_Buffer.GetBufferLen();
    if (!p || record.m_MsgInfo.strMsgName.empty()) return false;
    size_t at = 0;
    int previous = -1;
    while (at < len) {
        if (len - at < 2) return false;
        const L3Field* f = ByCode(p[at]);
        const int depth = p[at + 1];
        at += 2;
        if (!f || depth > kMaxDepth || depth > previous + 1) return false;
        previous = depth;
        CString line(' ', depth * 2);
        line += f->name;
        switch (f->kind) {
            case L3Element::CONTAINER:
                break;
            case L3Element::INTEGER: {
                if (len - at < 4) return false;
                int32_t v;
                std::memcpy(&v, p + at, 4);
                at += 4;
                line.AppendFormat(": %d", v);
                break;
            }
            case L3Element::ENUMERATED: {
                if (len - at < 1 || p[at] >= f->values.size()) return false;
                line.AppendFormat(": %s", f->values[p[at]]);
                at += 1;
                break;
            }
            case L3Element::TEXT: {
                if (len - at < 1 || len - at - 1 < p[at]) return false;
                line += ": ";
                line += CString(reinterpret_cast<const char*>(p + at + 1), p[at]);
                at += 1 + p[at];
                break;
            }
        }
        lines.push_back(line);
    }
    return true;
}
