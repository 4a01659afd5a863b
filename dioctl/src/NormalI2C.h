// The I2C bus bit-banged on the parallel port: data bit 6 is SDA, data bit 7
// SCL, status bit 5 reads SDA back. The bus is idle with both lines high.
#pragma once

#include <cstdint>

#include "PortLibrary.h"
#include "ole/Types.h"

namespace dioctl {

class NormalI2C {
public:
    // Repeating each write is the only timing of the bus.
    static constexpr int kRepeat = 100;
    static constexpr int kAckPolls = 1000;
    static constexpr int32_t kSda = 64;
    static constexpr int32_t kScl = 128;
    static constexpr int32_t kStatusSda = 32;
    static constexpr int kNoAck = -2;

    explicit NormalI2C(PortLibrary& port) : m_port(port) {}

    void OutPort(int32_t value);
    void I2CStart();
    void I2CStop();
    void SendBit(int32_t level);  // kSda for a one, 0 for a zero
    // Returns WaitAck's result.
    int SendByte(uint8_t b);
    // 0 when the device pulled SDA low, kStatusSda when it stayed high.
    int WaitAck();
    uint8_t ReceiveByte();

    // The byte read, or kNoAck. An address whose read address is no byte
    // raises Overflow before the bus is touched.
    int ReadDevice(int address);
    // 0, or kNoAck. Address and data must be bytes (else Overflow).
    int WriteDevice(int address, int data);
    // Reads the device, changes one bit and writes it back; a failed read is
    // returned as it is and nothing is written.
    int ChangeDeviceBit(ole::VARIANT_BOOL state, int bit, int address);

private:
    PortLibrary& m_port;
};

// 2 to the power of a bit number as a whole number: 0 for negative numbers
// (the fraction rounds away), Overflow from 31 up.
int32_t BitValue(int bit);

}  // namespace dioctl
