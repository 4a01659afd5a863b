#include "logio/host/DTTime.h"
#include "logio/host/HostDefs.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double kNoTime = kNoValueD;
// Times from 1900 to 9999, with a day to spare for any local offset: the
// calendar fields must fit their 16-bit slots.
constexpr double kMinSeconds = -2208988800.0 + 86400;
constexpr double kMaxSeconds = 253402300799.0 - 86400;

bool InRange(double seconds) { return seconds >= kMinSeconds && seconds <= kMaxSeconds; }

// Whole seconds (rounded down) and milliseconds of a time, rounded to the
// nearest millisecond first so that 0.9996 shows as the next second.
void Split(double seconds, int64_t& whole, int& ms) {
    const int64_t totalMs = std::llround(seconds * 1000.0);
    whole = totalMs / 1000;
    int64_t rest = totalMs % 1000;
    if (rest < 0) {
        rest += 1000;
        --whole;
    }
    ms = static_cast<int>(rest);
}

}  // namespace

CDTTime::CDTTime(double seconds) {
    if (seconds != kNoTime && InRange(seconds)) {
        m_seconds = seconds;
        m_valid = true;
    }
}

CDTTime::CDTTime(int year, int month, int day, double secondsOfDay) {
    if (!std::isfinite(secondsOfDay)) return;
    int64_t base;
    double offset;
    if (secondsOfDay >= 0 && secondsOfDay < 86400) {
        // Wall-clock time: converted as a whole, so a daylight saving change
        // earlier that day does not shift it.
        const int whole = static_cast<int>(secondsOfDay);
        if (!platform::LocalTimeToSeconds(year, month, day, whole / 3600, whole / 60 % 60,
                                          whole % 60, base))
            return;
        offset = secondsOfDay - whole;
    } else {
        if (!platform::LocalTimeToSeconds(year, month, day, 0, 0, 0, base)) return;
        offset = secondsOfDay;
    }
    const double seconds = static_cast<double>(base) + offset;
    if (InRange(seconds)) {
        m_seconds = seconds;
        m_valid = true;
    }
}

CDTTime::CDTTime(const SYSTEMTIME& st) {
    int64_t base;
    if (st.wMilliseconds > 999 ||
        !platform::LocalTimeToSeconds(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
                                      st.wSecond, base))
        return;
    const double seconds = static_cast<double>(base) + st.wMilliseconds / 1000.0;
    if (InRange(seconds)) {
        m_seconds = seconds;
        m_valid = true;
    }
}

double CDTTime::GetDblSecond() const { return m_valid ? m_seconds : kNoTime; }

bool CDTTime::GetAsSystemTime(SYSTEMTIME& st) const {
    if (!m_valid) return false;
    int64_t whole;
    int ms;
    Split(m_seconds, whole, ms);
    if (!platform::SecondsToLocal(whole, st)) return false;
    st.wMilliseconds = static_cast<uint16_t>(ms);
    return true;
}

CString CDTTime::ToString(int flags) const {
    SYSTEMTIME st;
    if (!GetAsSystemTime(st)) return CString(kNoValueText);
    struct Field {
        int flag;
        int value;
        const char* format;
        char separator;  // before this field when another precedes it
    };
    const Field fields[] = {
        {DT_YEAR, st.wYear, "%04d", '-'},
        {DT_MONTH, st.wMonth, "%02d", '-'},
        {DT_DAY, st.wDay, "%02d", '-'},
        {DT_HOUR, st.wHour, "%02d", ':'},
        {DT_MINUTE, st.wMinute, "%02d", ':'},
        {DT_SECOND, st.wSecond, "%02d", ':'},
        {DT_MILLISECOND, st.wMilliseconds, "%03d", '.'},
    };
    CString text;
    bool anyDate = false, anyTime = false;
    for (const Field& f : fields) {
        if (!(flags & f.flag)) continue;
        const bool isDate = f.flag >= DT_DAY;
        if (!text.IsEmpty()) {
            // The first time field after a date is set off by a blank.
            text +=
                (!isDate && anyDate && !anyTime && f.flag != DT_MILLISECOND) ? ' ' : f.separator;
        }
        text.AppendFormat(f.format, f.value);
        (isDate ? anyDate : anyTime) = true;
    }
    return text;
}
