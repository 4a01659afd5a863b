// A simulated parallel port with an I2C bus on it: data bit 6 drives SDA,
// data bit 7 drives SCL and status bit 5 reads SDA back. 8-bit port
// expanders sit on the bus; every port access and every bus transaction is
// recorded. The simulator library exports vbPortIO like the real one; this
// interface lets tests and the dio command set the scene and look at it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace portsim {

// Expander addresses (8-bit, read/write bit clear) of the standard set-up.
constexpr int kRelayChipLow = 64;
constexpr int kRelayChipHigh = 66;
constexpr int kButtonChipLow = 68;
constexpr int kButtonChipHigh = 70;

// Status bits other than SDA read as an idle port with nothing attached.
constexpr int32_t kStatusIdleBits = 0x58;
constexpr int32_t kStatusSda = 0x20;

// What drives an expander pin from outside. A pin whose output latch is 0
// reads 0; with latch 1 (weak pull-up) it reads the outside drive, 1 if none.
enum class PinDrive { None, Low, High };

enum class Ack { Ack, Nack, None };  // None: no ninth clock was given

struct BusByte {
    uint8_t value;
    Ack ack;
    friend bool operator==(const BusByte&, const BusByte&) = default;
};

struct Transaction {
    enum class End { Stop, RepeatedStart, Open };
    std::vector<BusByte> bytes;
    End end = End::Open;
    int danglingBits = 0;  // clock pulses after the last whole byte
};

// Consecutive identical accesses are kept as one entry with a count.
struct Access {
    int32_t direction;
    int32_t port;
    int32_t value;
    uint64_t count;
};

// Back to the standard set-up: data port 192 (bus idle), relay chips at 64
// and 66 with outputs 0xFF and nothing attached, button chips at 68 and 70
// with every button released (inputs driven low), empty records.
void Reset();

// Adds a chip (pins undriven, outputs 0xFF) or puts a removed one back.
void AddChip(int address);
// A removed chip no longer answers; its state is kept for when it returns.
void RemoveChip(int address);
bool ChipPresent(int address);
// The chip's output latch: the last byte it received.
uint8_t ChipOutputs(int address);
void SetPin(int address, int pin, PinDrive drive);
// Buttons 0 to 7 are the pins of chip 68, 8 to 15 those of chip 70; a
// pressed button drives its input high.
void PressButton(int button, bool pressed = true);

std::vector<Access> Accesses();
uint64_t WriteCount(int32_t port);
uint64_t ReadCount(int32_t port);
std::vector<Transaction> Transactions();
void ClearRecords();

// "S 45 A 08 - P": start, bytes in hex with A (ack), N (no ack) or - (no
// ninth clock), then P (stop), Sr (ended by a repeated start) or ... (open).
std::string Format(const Transaction& t);

}  // namespace portsim
