// The simulated port on its own, driven by a bus master written here
// (one port write per line change), so that it checks the DIO against an
// independent model.
#include <gtest/gtest.h>

#include "portio/PortIO.h"
#include "portio/PortSim.h"

extern "C" void vbPortIO(int32_t direction, int32_t port, int32_t* value);

namespace {

using namespace portsim;

void Out(int32_t v) { vbPortIO(portio::kWrite, portio::kDataPort, &v); }
bool Sda() {
    int32_t v = 0;
    vbPortIO(portio::kRead, portio::kStatusPort, &v);
    return v & kStatusSda;
}

// SDA is data bit 6, SCL data bit 7.
void Start() {
    Out(192);
    Out(128);
    Out(0);
}
void Stop() {
    Out(0);
    Out(128);
    Out(192);
}
bool WriteByte(uint8_t b) {
    for (int i = 7; i >= 0; --i) {
        int32_t d = (b >> i & 1) ? 64 : 0;
        Out(d);
        Out(d | 128);
        Out(d);
    }
    Out(64);
    Out(192);
    bool ack = !Sda();
    Out(64);
    return ack;
}
uint8_t ReadByte(bool ack) {
    uint8_t b = 0;
    for (int i = 7; i >= 0; --i) {
        Out(192);
        if (Sda()) b = static_cast<uint8_t>(b | 1 << i);
        Out(64);
    }
    int32_t d = ack ? 0 : 64;
    Out(d);
    Out(d | 128);
    Out(d);
    return b;
}

class DioPortSimTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
};

TEST_F(DioPortSimTest, ExpanderTakesWrittenBytesAndReadsItsPins) {
    Start();
    ASSERT_TRUE(WriteByte(64));
    ASSERT_TRUE(WriteByte(0x5A));
    ASSERT_TRUE(WriteByte(0xF0));  // a second byte replaces the first
    Stop();
    EXPECT_EQ(ChipOutputs(64), 0xF0);

    // A pin whose output is low reads low even when driven high from outside.
    SetPin(64, 0, PinDrive::High);
    SetPin(64, 4, PinDrive::Low);
    Start();
    ASSERT_TRUE(WriteByte(65));
    EXPECT_EQ(ReadByte(true), 0xE0);
    EXPECT_EQ(ReadByte(false), 0xE0);
    Stop();

    const std::vector<Transaction> t = Transactions();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(Format(t[0]), "S 40 A 5A A F0 A P");
    EXPECT_EQ(Format(t[1]), "S 41 A E0 A E0 N P");
}

TEST_F(DioPortSimTest, ButtonsDriveTheirInputsAndMissingChipsDoNotAnswer) {
    PressButton(3);
    PressButton(15);
    Start();
    ASSERT_TRUE(WriteByte(69));
    EXPECT_EQ(ReadByte(false), 0x08);
    Stop();
    Start();
    ASSERT_TRUE(WriteByte(71));
    EXPECT_EQ(ReadByte(false), 0x80);
    Stop();

    RemoveChip(68);
    EXPECT_FALSE(ChipPresent(68));
    Start();
    EXPECT_FALSE(WriteByte(69));
    Stop();
    // Nobody answers at other addresses either.
    Start();
    EXPECT_FALSE(WriteByte(0x90));
    Stop();
    AddChip(68);
    Start();
    EXPECT_TRUE(WriteByte(69));
    Stop();
}

TEST_F(DioPortSimTest, StatusPortAndRecords) {
    int32_t v = 0;
    vbPortIO(portio::kRead, portio::kStatusPort, &v);
    EXPECT_EQ(v, kStatusIdleBits | kStatusSda);
    vbPortIO(portio::kRead, portio::kDataPort, &v);
    EXPECT_EQ(v, 192);
    vbPortIO(portio::kRead, 0x278, &v);  // nothing there
    EXPECT_EQ(v, 0xFF);

    ClearRecords();
    for (int i = 0; i < 3; ++i) Out(0);
    Out(64);
    const std::vector<Access> a = Accesses();
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].value, 0);
    EXPECT_EQ(a[0].count, 3u);
    EXPECT_EQ(a[1].value, 64);
    EXPECT_EQ(WriteCount(portio::kDataPort), 4u);
    EXPECT_EQ(ReadCount(portio::kStatusPort), 0u);
}

}  // namespace
