// Base structures of decoded records: the base of every IE block, the time of
// day a record carries, and the IE/value pairs a record can list.
#pragma once

#include <cstdint>

#include "platform/CString.h"

namespace FIELDRUN {

// Base of every IE block of a decoded record.
class CIEStruct {
public:
    CIEStruct() = default;
    CIEStruct(const CIEStruct&) = default;
    CIEStruct& operator=(const CIEStruct&) = default;
    virtual ~CIEStruct() = default;
    bool operator==(const CIEStruct&) const = default;
};

}  // namespace FIELDRUN

// Time of day of a record; the log's header carries the date. A log that runs
// past midnight starts again at 00:00.
struct sys_time {
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;
    uint16_t millisecond = 0;

    // Seconds since midnight, milliseconds in the fraction.
    double toSecond() const {
        return hour * 3600.0 + minute * 60.0 + second + millisecond / 1000.0;
    }
    // "HH:MM:SS.mmm", zero-padded so that texts sort as times do.
    CString toString() const;

    uint32_t ToMilliseconds() const {
        return ((hour * 60u + minute) * 60u + second) * 1000u + millisecond;
    }
    // Milliseconds of the day; values of a day or more wrap.
    static sys_time FromMilliseconds(uint32_t ms);

    bool operator==(const sys_time&) const = default;
};

// One IE of a record with its value (GetAllIEs).
struct pair_ie_id_value {
    int nIEID = 0;
    double dValue = 0;
    bool operator==(const pair_ie_id_value&) const = default;
};

// Which IEs GetAllIEs lists besides the header's.
enum E_UE_MODE {
    UE_MODE_HEADER = 0,       // the header only
    UE_MODE_TD = 1,           // TD-SCDMA serving cell
    UE_MODE_GSM = 2,          // GSM serving cell
    UE_MODE_LTE = 7,          // LTE serving cell
    UE_MODE_LTE_SCANNER = 8,  // the LTE scanner's cell lists
};
