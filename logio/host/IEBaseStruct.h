// Base structures of decoded records: the base of every IE block, the time of
// day a record carries, and the IE/value pairs a record can list.
#pragma once

#include <cstddef>
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

// A list of at most N entries kept inside its owner: the short lists inside
// list entries, which would otherwise allocate for every record.
template <class T, size_t N>
class CSmallList {
public:
    static constexpr size_t capacity() { return N; }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T* data() { return m_items; }
    const T* data() const { return m_items; }
    T* begin() { return m_items; }
    T* end() { return m_items + m_size; }
    const T* begin() const { return m_items; }
    const T* end() const { return m_items + m_size; }
    T& operator[](size_t i) { return m_items[i]; }
    const T& operator[](size_t i) const { return m_items[i]; }
    void clear() { m_size = 0; }
    // Sizes beyond N are cut to N.
    void resize(size_t n) {
        for (size_t i = m_size; i < n && i < N; ++i) m_items[i] = T();
        m_size = n < N ? n : N;
    }
    // False when the list is full.
    bool push_back(const T& item) {
        if (m_size == N) return false;
        m_items[m_size++] = item;
        return true;
    }
    bool operator==(const CSmallList& other) const {
        if (m_size != other.m_size) return false;
        for (size_t i = 0; i < m_size; ++i)
            if (!(m_items[i] == other.m_items[i])) return false;
        return true;
    }

private:
    size_t m_size = 0;
    T m_items[N] = {};
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
