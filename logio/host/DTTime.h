// The host's time: seconds since 1970 (UTC) as a double, milliseconds in the
// fraction. Calendar fields are local time; daylight saving is decided by
// the system.
#pragma once

#include "platform/CString.h"
#include "logio/host/HostDefs.h"
#include "platform/Time.h"

class CDTTime {
public:
    // ToString flags: one bit per field. The date fields are joined by "-", the
    // time fields by ":", date and time by a blank, milliseconds by "."; every
    // field is zero-padded (year 4, milliseconds 3, the others 2 digits), so
    // the texts sort by time as plain text.
    enum FormatFlags {
        DT_MILLISECOND = 1,
        DT_SECOND = 2,
        DT_MINUTE = 4,
        DT_HOUR = 8,
        DT_DAY = 16,
        DT_MONTH = 32,
        DT_YEAR = 64,
        DT_DATE = DT_YEAR | DT_MONTH | DT_DAY,          // "2024-03-05"
        DT_TIME = DT_HOUR | DT_MINUTE | DT_SECOND,      // "08:30:15"
        DT_DATETIME = DT_DATE | DT_TIME,                // 126: "2024-03-05 08:30:15"
        DT_DATETIME_MS = DT_DATETIME | DT_MILLISECOND,  // 127: "2024-03-05 08:30:15.250"
    };

    // No time: IsValid() is false.
    CDTTime() = default;
    // Seconds since 1970. -255, the no-value code, and values that are not
    // finite make no time.
    explicit CDTTime(double seconds);
    // A local calendar date and a wall-clock time of that day in seconds
    // (milliseconds in the fraction). On a day when the clocks change, 10:00
    // still means 10:00 on the clock. Seconds outside [0, 86400) count from
    // local midnight. An invalid date makes no time.
    CDTTime(int year, int month, int day, double secondsOfDay);
    // Local calendar fields with milliseconds; fields that name no real time
    // make no time.
    explicit CDTTime(const SYSTEMTIME& st);

    bool IsValid() const { return m_valid; }
    // Seconds since 1970; -255 when there is no time.
    double GetDblSecond() const;
    // Local calendar fields; false when there is no time.
    bool GetAsSystemTime(SYSTEMTIME& st) const;
    // The fields chosen by flags, as above; "-255" when there is no time and
    // "" when flags choose no field.
    CString ToString(int flags = DT_DATETIME_MS) const;

private:
    double m_seconds = kNoValueD;
    bool m_valid = false;
};
