// Helpers of the log store tests: records with every field set at random,
// record comparison, and temporary paths of the test's own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "host/logstore/BlockTable.h"
#include "logio/host/Testdata.h"
#include "platform/CString.h"

namespace logstore_test {

// Sets every field it visits to a random value (finite floats, short texts,
// short lists).
class Filler {
public:
    explicit Filler(uint64_t seed) : m_rng(seed) {}

    template <class T>
    requires std::is_arithmetic_v<T>
    void operator()(T& value) {
        if constexpr (std::is_floating_point_v<T>)
            value = static_cast<T>(static_cast<int>(m_rng() % 20001) - 10000) / 8;
        else
            value = static_cast<T>(m_rng());
    }
    template <class T, size_t N>
    void operator()(T (&array)[N]) {
        for (auto& item : array) (*this)(item);
    }
    void operator()(std::string& text) {
        text.assign(m_rng() % 24, 'a');
        for (auto& c : text) c = static_cast<char>('a' + m_rng() % 26);
    }
    template <class T>
    requires(!std::is_arithmetic_v<T> && !std::is_array_v<T> &&
             !std::is_same_v<T, std::string>) void
    operator()(T& item) {
        item.Visit(*this);
    }
    template <class L>
    void List(L& items, size_t max) {
        items.resize(m_rng() % (max < 6 ? max + 1 : 6));
        for (auto& item : items) (*this)(item);
    }
    uint64_t Next() { return m_rng(); }

private:
    std::mt19937_64 m_rng;
};

// A record of the given type with a random header and, with probability
// `share` in 256, each block.
inline void FillRecord(CTestdataBase& r, uint64_t seed, unsigned share = 128) {
    Filler f(seed);
    r.Clear();
    f(r.m_nRecordType), f(r.m_nUENo), f(r.m_nDeviceType), f(r.m_nNetworkMode);
    r.m_RecordTime = sys_time::FromMilliseconds(static_cast<uint32_t>(f.Next() % 86400000u));
    f(r.m_nMessageID), f(r.m_dLongitude), f(r.m_dLatitude), f(r.m_strRecordText), f(r.m_nChannel);
    f(r.m_nStatus), f(r.m_nSequenceNumber), f(r.m_nSubType), f(r.m_nTimeStamp);
    r.m_bSegment = f.Next() & 1;
    f(r.m_nEventID);
    if (f.Next() % 256 < share) {
        f(r.m_MsgInfo);
        if (r.m_MsgInfo.strMsgName.empty()) r.m_MsgInfo.strMsgName = "x";
    }
    if (f.Next() % 256 < share) {
        std::string bytes;
        f(bytes);
        r.m_Buffer.SetBuffer(bytes.data(), bytes.size());
    }
#define FILL_BLOCK(tag, type, member) \
    if (f.Next() % 256 < share) {     \
        r.Attach(r.member);           \
        f(*r.member);                 \
    }
    LOGSTORE_ALL_BLOCKS(FILL_BLOCK)
#undef FILL_BLOCK
}

inline void ExpectSameHeader(const CTestdataBase& a, const CTestdataBase& b) {
    EXPECT_EQ(a.m_nRecordType, b.m_nRecordType);
    EXPECT_EQ(a.m_nUENo, b.m_nUENo);
    EXPECT_EQ(a.m_nDeviceType, b.m_nDeviceType);
    EXPECT_EQ(a.m_nNetworkMode, b.m_nNetworkMode);
    EXPECT_EQ(a.m_RecordTime, b.m_RecordTime);
    EXPECT_EQ(a.m_nMessageID, b.m_nMessageID);
    EXPECT_EQ(a.m_dLongitude, b.m_dLongitude);
    EXPECT_EQ(a.m_dLatitude, b.m_dLatitude);
    EXPECT_EQ(a.m_strRecordText, b.m_strRecordText);
    EXPECT_EQ(a.m_nChannel, b.m_nChannel);
    EXPECT_EQ(a.m_nStatus, b.m_nStatus);
    EXPECT_EQ(a.m_nSequenceNumber, b.m_nSequenceNumber);
    EXPECT_EQ(a.m_nSubType, b.m_nSubType);
    EXPECT_EQ(a.m_nTimeStamp, b.m_nTimeStamp);
    EXPECT_EQ(a.m_bSegment, b.m_bSegment);
    EXPECT_EQ(a.m_nEventID, b.m_nEventID);
}

// Header, message part, buffer and every block (both absent or equal).
inline void ExpectSameRecord(const CTestdataBase& a, const CTestdataBase& b) {
    ExpectSameHeader(a, b);
    EXPECT_EQ(a.m_MsgInfo, b.m_MsgInfo);
    EXPECT_EQ(a.m_Buffer, b.m_Buffer);
#define SAME_BLOCK(tag, type, member)                             \
    EXPECT_EQ(a.member == nullptr, b.member == nullptr) << #type; \
    if (a.member && b.member) {                                   \
        EXPECT_TRUE(*a.member == *b.member) << #type;             \
    }
    LOGSTORE_ALL_BLOCKS(SAME_BLOCK)
#undef SAME_BLOCK
}

// A path in the temporary folder that no other test process uses.
inline CString TempPath(const char* name) {
    const char* dir = std::getenv("TMPDIR");
    return CString::Formatted("%s/logstore-%d-%s", dir && *dir ? dir : "/tmp",
                              static_cast<int>(getpid()), name);
}

}  // namespace logstore_test
