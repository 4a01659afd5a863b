// Local calendar time. Daylight saving is always decided by the system
// (tm_isdst = -1), so results follow the TZ the process runs under.
#pragma once

#include <cstdint>
#include <ctime>

#include "platform/CString.h"

// The calendar record the original's time functions filled.
struct SYSTEMTIME {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
};

namespace platform {

// Seconds since 1970 of local midnight of the given date; -1 when the date is invalid.
int64_t LocalMidnight(int year, int month, int day);
// Seconds since 1970 of a local date and time; false when the fields name no real time.
bool LocalTimeToSeconds(int year, int month, int day, int hour, int minute, int second,
                        int64_t& out);
// Local calendar fields of seconds since 1970.
bool SecondsToLocal(int64_t seconds, SYSTEMTIME& st);
void GetLocalTime(SYSTEMTIME& st);

}  // namespace platform

// A local date and time with a validity status, as the date-time pickers and
// automation variants carry it. Whole seconds.
class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    explicit COleDateTime(const SYSTEMTIME& st);
    static COleDateTime FromSeconds(int64_t seconds);
    static COleDateTime GetCurrentTime();

    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus s) { m_status = s; }

    int GetYear() const { return m_st.wYear; }
    int GetMonth() const { return m_st.wMonth; }
    int GetDay() const { return m_st.wDay; }
    int GetHour() const { return m_st.wHour; }
    int GetMinute() const { return m_st.wMinute; }
    int GetSecond() const { return m_st.wSecond; }
    int GetDayOfWeek() const { return m_st.wDayOfWeek + 1; }  // 1 = Sunday
    bool GetAsSystemTime(SYSTEMTIME& st) const;
    // Seconds since 1970; -1 unless valid.
    int64_t ToSeconds() const;
    // strftime-style format; empty unless valid.
    CString Format(const char* fmt = "%Y-%m-%d %H:%M:%S") const;

    friend bool operator==(const COleDateTime& a, const COleDateTime& b) {
        return a.m_status == b.m_status && a.ToSeconds() == b.ToSeconds();
    }
    friend bool operator<(const COleDateTime& a, const COleDateTime& b) {
        return a.ToSeconds() < b.ToSeconds();
    }

private:
    SYSTEMTIME m_st;
    DateTimeStatus m_status = valid;
};
