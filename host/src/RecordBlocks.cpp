// Small members of the record blocks: refreshing a block from a record, the
// time of day, the byte buffer.
#include <cstdio>

#include "host/logstore/BlockTable.h"
#include "logio/host/HostDefs.h"
#include "logio/host/Testdata.h"

#define LOGSTORE_SETINFO(tag, type, member)                                 \
    void type::setinfo(const CTestdataBase& record) {                       \
        if (record.member && record.member != this) *this = *record.member; \
    }
LOGSTORE_ALL_BLOCKS(LOGSTORE_SETINFO)
#undef LOGSTORE_SETINFO

void CIE_Basic_Info::setinfo(const CTestdataBase& r, bool withPosition) {
    nRecordType = r.m_nRecordType;
    nUENo = r.m_nUENo;
    nDeviceType = r.m_nDeviceType;
    nNetworkMode = r.m_nNetworkMode;
    tRecordTime = r.m_RecordTime;
    nMessageID = r.m_nMessageID;
    if (withPosition) {
        dLongitude = r.m_dLongitude;
        dLatitude = r.m_dLatitude;
    }
}

bool CIE_Record_Block::IsFloatIE(int ie) {
    return (ie >= 21265 && ie <= 21268) || (ie >= 21271 && ie <= 21274) ||
           (ie >= 21277 && ie <= 21280) || ie == 21283 || ie == 21284 || ie == 21288 ||
           ie == 21289 || ie == 21295 || (ie >= 21314 && ie <= 21317) || ie == 21324;
}

CString CIE_GSM_8130E_Simple_Info::ChangeValue2CSText(int32_t value) {
    if (value == -1) return CString();
    if (value == -2) return CString(kNoValueText);
    return CString::Formatted("%d", value);
}

CString sys_time::toString() const {
    return CString::Formatted("%02u:%02u:%02u.%03u", static_cast<unsigned>(hour),
                              static_cast<unsigned>(minute), static_cast<unsigned>(second),
                              static_cast<unsigned>(millisecond));
}

sys_time sys_time::FromMilliseconds(uint32_t ms) {
    ms %= 86400000u;
    sys_time t;
    t.millisecond = static_cast<uint16_t>(ms % 1000);
    ms /= 1000;
    t.second = static_cast<uint8_t>(ms % 60);
    ms /= 60;
    t.minute = static_cast<uint8_t>(ms % 60);
    t.hour = static_cast<uint8_t>(ms / 60);
    return t;
}

void FIELDRUN::CAutoBuffer::SetBuffer(const void* bytes, size_t len) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    if (!p) len = 0;
    m_data.assign(p, p + len);
}

CString CStreamAndString::numToString(const unsigned char* bytes, int len) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    if (!bytes || len <= 0) return CString();
    text.resize(static_cast<size_t>(len) * 2);
    for (int i = 0; i < len; ++i) {
        text[2 * i] = kHex[bytes[i] >> 4];
        text[2 * i + 1] = kHex[bytes[i] & 15];
    }
    return CString(std::move(text));
}
