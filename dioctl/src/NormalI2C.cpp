#include "NormalI2C.h"

#include "ole/Errors.h"

namespace dioctl {

namespace {

uint8_t ToByte(int value) {
    if (value < 0 || value > 255) throw ole::RuntimeError(ole::kErrOverflow);
    return static_cast<uint8_t>(value);
}

}  // namespace

int32_t BitValue(int bit) {
    if (bit < 0) return 0;
    if (bit > 30) throw ole::RuntimeError(ole::kErrOverflow);
    return int32_t{1} << bit;
}

void NormalI2C::OutPort(int32_t value) {
    for (int i = 0; i < kRepeat; ++i) m_port.Write(portio::kDataPort, value);
}

void NormalI2C::I2CStart() {
    OutPort(kSda | kScl);
    OutPort(kScl);
    OutPort(0);
}

void NormalI2C::I2CStop() {
    OutPort(0);
    OutPort(kScl);
    OutPort(kSda | kScl);
}

void NormalI2C::SendBit(int32_t level) {
    OutPort(level);
    OutPort(level + kScl);
    OutPort(level);
}

int NormalI2C::SendByte(uint8_t b) {
    for (int bit = 7; bit >= 0; --bit) SendBit((b >> bit & 1) ? kSda : 0);
    return WaitAck();
}

int NormalI2C::WaitAck() {
    OutPort(kSda);
    OutPort(kSda | kScl);
    int result = kStatusSda;
    for (int i = 0; i < kAckPolls; ++i) {
        if ((m_port.Read(portio::kStatusPort) & kStatusSda) == 0) {
            result = 0;
            break;
        }
    }
    OutPort(kSda);
    return result;
}

uint8_t NormalI2C::ReceiveByte() {
    uint8_t b = 0;
    for (int bit = 7; bit >= 0; --bit) {
        OutPort(kSda | kScl);
        if (m_port.Read(portio::kStatusPort) & kStatusSda) b = static_cast<uint8_t>(b | 1 << bit);
        OutPort(kSda);
    }
    return b;
}

int NormalI2C::ReadDevice(int address) {
    const uint8_t readAddress = ToByte(address + 1);
    I2CStart();
    if (SendByte(readAddress) != 0) return kNoAck;
    uint8_t b = ReceiveByte();
    I2CStop();
    return b;
}

int NormalI2C::WriteDevice(int address, int data) {
    const uint8_t a = ToByte(address);
    const uint8_t d = ToByte(data);
    I2CStart();
    if (SendByte(a) != 0) return kNoAck;
    if (SendByte(d) != 0) return kNoAck;
    I2CStop();
    return 0;
}

int NormalI2C::ChangeDeviceBit(ole::VARIANT_BOOL state, int bit, int address) {
    const int current = ReadDevice(address);
    // Writing a value made from the failure code would switch the whole chip.
    if (current < 0) return current;
    const int32_t mask = BitValue(bit);
    const int32_t next = state ? (current | mask) : (current & ~mask);
    return WriteDevice(address, next);
}

}  // namespace dioctl
