#include "platform/Time.h"

#include <sys/time.h>

namespace platform {

bool LocalTimeToSeconds(int year, int month, int day, int hour, int minute, int second,
                        int64_t& out) {
    if (year < 1900 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    // mktime normalises 31 February into March; such a date is invalid.
    if (tm.tm_mday != day || tm.tm_mon != month - 1) return false;
    out = static_cast<int64_t>(t);
    return true;
}

int64_t LocalMidnight(int year, int month, int day) {
    int64_t t;
    return LocalTimeToSeconds(year, month, day, 0, 0, 0, t) ? t : -1;
}

bool SecondsToLocal(int64_t seconds, SYSTEMTIME& st) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (!localtime_r(&t, &tm)) return false;
    st.wYear = static_cast<uint16_t>(tm.tm_year + 1900);
    st.wMonth = static_cast<uint16_t>(tm.tm_mon + 1);
    st.wDayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    st.wDay = static_cast<uint16_t>(tm.tm_mday);
    st.wHour = static_cast<uint16_t>(tm.tm_hour);
    st.wMinute = static_cast<uint16_t>(tm.tm_min);
    st.wSecond = static_cast<uint16_t>(tm.tm_sec);
    st.wMilliseconds = 0;
    return true;
}

void GetLocalTime(SYSTEMTIME& st) {
    struct timeval tv;
    ::gettimeofday(&tv, nullptr);
    SecondsToLocal(tv.tv_sec, st);
    st.wMilliseconds = static_cast<uint16_t>(tv.tv_usec / 1000);
}

}  // namespace platform

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const SYSTEMTIME& st) {
    SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

COleDateTime COleDateTime::FromSeconds(int64_t seconds) {
    COleDateTime d;
    if (!platform::SecondsToLocal(seconds, d.m_st)) d.m_status = invalid;
    return d;
}

COleDateTime COleDateTime::GetCurrentTime() {
    return FromSeconds(static_cast<int64_t>(std::time(nullptr)));
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    int64_t t;
    if (!platform::LocalTimeToSeconds(year, month, day, hour, minute, second, t)) {
        m_st = SYSTEMTIME{};
        m_status = invalid;
        return 1;
    }
    m_st = SYSTEMTIME{};
    platform::SecondsToLocal(t, m_st);
    // Keep the fields as given: a wall time skipped by a daylight-saving change
    // still names the date the caller meant.
    m_st.wYear = static_cast<uint16_t>(year);
    m_st.wMonth = static_cast<uint16_t>(month);
    m_st.wDay = static_cast<uint16_t>(day);
    m_st.wHour = static_cast<uint16_t>(hour);
    m_st.wMinute = static_cast<uint16_t>(minute);
    m_st.wSecond = static_cast<uint16_t>(second);
    m_status = valid;
    return 0;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const {
    if (m_status != valid) return false;
    st = m_st;
    return true;
}

int64_t COleDateTime::ToSeconds() const {
    int64_t t;
    if (m_status != valid ||
        !platform::LocalTimeToSeconds(m_st.wYear, m_st.wMonth, m_st.wDay, m_st.wHour, m_st.wMinute,
                                      m_st.wSecond, t))
        return -1;
    return t;
}

CString COleDateTime::Format(const char* fmt) const {
    if (m_status != valid) return CString();
    std::tm tm{};
    tm.tm_year = m_st.wYear - 1900;
    tm.tm_mon = m_st.wMonth - 1;
    tm.tm_mday = m_st.wDay;
    tm.tm_hour = m_st.wHour;
    tm.tm_min = m_st.wMinute;
    tm.tm_sec = m_st.wSecond;
    tm.tm_wday = m_st.wDayOfWeek;
    tm.tm_isdst = -1;
    char buf[128];
    const size_t n = std::strftime(buf, sizeof buf, fmt, &tm);
    return CString(buf, static_cast<int>(n));
}
