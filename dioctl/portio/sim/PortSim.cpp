// The simulated machine: one parallel port per process, as with real hardware.
#include "portio/PortSim.h"

#include <cstdio>
#include <map>
#include <mutex>

#include "portio/PortIO.h"

namespace portsim {

namespace {

constexpr int32_t kSda = 64;
constexpr int32_t kScl = 128;
constexpr int32_t kIdleData = kSda | kScl;
constexpr int32_t kFloatingBus = 0xFF;

// An 8-bit expander: one address, eight quasi-bidirectional pins.
// It samples SDA while SCL is high and acts when SCL falls, so a start or
// stop inside a clock pulse cancels that pulse.
struct Chip {
    int address = 0;
    bool present = true;
    uint8_t outputs = 0xFF;
    PinDrive pins[8] = {};

    enum class State { Idle, Address, AddressAck, Write, WriteAck, Read, ReadAck };
    State state = State::Idle;
    int bits = 0;
    uint8_t shift = 0;
    uint8_t sending = 0;
    bool pullsSda = false;

    uint8_t Inputs() const {
        uint8_t v = 0;
        for (int i = 0; i < 8; ++i) {
            bool high = (outputs >> i & 1) && pins[i] != PinDrive::Low;
            if (high) v = static_cast<uint8_t>(v | 1 << i);
        }
        return v;
    }

    void Release() {
        state = State::Idle;
        pullsSda = false;
    }

    void OnStart() {
        if (!present) return;
        state = State::Address;
        bits = 0;
        shift = 0;
        pullsSda = false;
    }

    void SendNextBit() { pullsSda = !(sending & (0x80 >> bits)); }

    // One completed clock pulse whose SDA sample was `sda`.
    void OnPulse(bool sda) {
        if (!present) return;
        switch (state) {
            case State::Idle:
                return;
            case State::Address:
                shift = static_cast<uint8_t>(shift << 1 | sda);
                if (++bits < 8) return;
                if ((shift & 0xFE) == address) {
                    pullsSda = true;
                    state = State::AddressAck;
                } else {
                    state = State::Idle;
                }
                return;
            case State::AddressAck:
                pullsSda = false;
                bits = 0;
                if (shift & 1) {
                    sending = Inputs();
                    state = State::Read;
                    SendNextBit();
                } else {
                    shift = 0;
                    state = State::Write;
                }
                return;
            case State::Write:
                shift = static_cast<uint8_t>(shift << 1 | sda);
                if (++bits < 8) return;
                pullsSda = true;
                state = State::WriteAck;
                return;
            case State::WriteAck:
                pullsSda = false;
                outputs = shift;
                bits = 0;
                shift = 0;
                state = State::Write;
                return;
            case State::Read:
                if (++bits < 8) {
                    SendNextBit();
                    return;
                }
                pullsSda = false;
                state = State::ReadAck;
                return;
            case State::ReadAck:
                if (!sda) {  // the master wants another byte
                    sending = Inputs();
                    bits = 0;
                    state = State::Read;
                    SendNextBit();
                } else {
                    state = State::Idle;
                }
                return;
        }
    }
};

// Watches the lines like a bus analyser and writes down each transaction.
struct Decoder {
    std::vector<Transaction> done;
    Transaction current;
    bool active = false;
    int bits = 0;
    uint8_t shift = 0;

    void CloseCurrent(Transaction::End end) {
        if (!active) return;
        if (bits == 8) {
            current.bytes.push_back({shift, Ack::None});
        } else {
            current.danglingBits = bits;
        }
        current.end = end;
        done.push_back(std::move(current));
        current = Transaction{};
        active = false;
    }
    void OnStart() {
        CloseCurrent(Transaction::End::RepeatedStart);
        active = true;
        bits = 0;
        shift = 0;
    }
    void OnStop() { CloseCurrent(Transaction::End::Stop); }
    void OnPulse(bool sda) {
        if (!active) return;
        if (bits < 8) {
            shift = static_cast<uint8_t>(shift << 1 | sda);
            ++bits;
            return;
        }
        current.bytes.push_back({shift, sda ? Ack::Nack : Ack::Ack});
        bits = 0;
        shift = 0;
    }
};

struct Machine {
    std::mutex mutex;
    int32_t data = kIdleData;
    int32_t control = 0;
    bool scl = true;
    bool masterSda = true;
    bool sdaLine = true;
    bool pulseSample = false;  // SDA seen at the last SCL rise
    bool pulseOpen = false;    // SCL rose and no start or stop came since
    std::map<int, Chip> chips;
    Decoder decoder;
    std::vector<Access> accesses;
    std::map<int32_t, uint64_t> writes;
    std::map<int32_t, uint64_t> reads;

    Machine() { ResetLocked(); }

    void ResetLocked() {
        data = kIdleData;
        control = 0;
        scl = true;
        masterSda = true;
        sdaLine = true;
        pulseOpen = false;
        chips.clear();
        for (int a : {kRelayChipLow, kRelayChipHigh, kButtonChipLow, kButtonChipHigh}) {
            Chip c;
            c.address = a;
            if (a == kButtonChipLow || a == kButtonChipHigh)
                for (PinDrive& p : c.pins) p = PinDrive::Low;
            chips[a] = c;
        }
        ClearRecordsLocked();
    }

    void ClearRecordsLocked() {
        decoder = Decoder{};
        accesses.clear();
        writes.clear();
        reads.clear();
    }

    bool ComputeSda() const {
        bool line = masterSda;
        for (const auto& [a, c] : chips)
            if (c.present && c.pullsSda) line = false;
        return line;
    }

    void Record(int32_t direction, int32_t port, int32_t value) {
        (direction == portio::kWrite ? writes : reads)[port]++;
        if (!accesses.empty()) {
            Access& last = accesses.back();
            if (last.direction == direction && last.port == port && last.value == value) {
                ++last.count;
                return;
            }
        }
        accesses.push_back({direction, port, value, 1});
    }

    void Start() {
        pulseOpen = false;
        for (auto& [a, c] : chips) c.OnStart();
        decoder.OnStart();
    }
    void Stop() {
        pulseOpen = false;
        for (auto& [a, c] : chips) c.Release();
        decoder.OnStop();
    }

    // Data changes before a rising clock and after a falling one.
    void WriteData(int32_t value) {
        data = value & 0xFF;
        const bool newScl = data & kScl;
        const bool newSda = data & kSda;
        if (newScl && !scl) {
            masterSda = newSda;
            sdaLine = ComputeSda();
            scl = true;
            pulseSample = sdaLine;
            pulseOpen = true;
        } else if (!newScl && scl) {
            scl = false;
            if (pulseOpen) {
                pulseOpen = false;
                for (auto& [a, c] : chips) c.OnPulse(pulseSample);
                decoder.OnPulse(pulseSample);
            }
            masterSda = newSda;
            sdaLine = ComputeSda();
        } else {
            const bool before = sdaLine;
            masterSda = newSda;
            sdaLine = ComputeSda();
            if (scl && before && !sdaLine) Start();
            if (scl && !before && sdaLine) Stop();
            sdaLine = ComputeSda();
        }
    }

    int32_t Status() const { return kStatusIdleBits | (sdaLine ? kStatusSda : 0); }

    void PortIO(int32_t direction, int32_t port, int32_t* value) {
        if (direction == portio::kWrite) {
            if (port == portio::kDataPort) WriteData(*value);
            if (port == portio::kControlPort) control = *value & 0xFF;
            Record(direction, port, *value);
            return;
        }
        if (port == portio::kDataPort)
            *value = data;
        else if (port == portio::kStatusPort)
            *value = Status();
        else if (port == portio::kControlPort)
            *value = control;
        else
            *value = kFloatingBus;
        Record(direction, port, *value);
    }

    Chip* Find(int address) {
        auto it = chips.find(address & 0xFE);
        return it == chips.end() ? nullptr : &it->second;
    }
};

Machine& TheMachine() {
    static Machine m;
    return m;
}

}  // namespace

void Reset() {
    Machine& m = TheMachine();
    std::lock_guard lock(m.mutex);
    m.ResetLocked();
}

void AddChip(int address) {
    Machine& m = TheMachine();
    std::lock_guard lock(m.mutex);
    if (Chip* c = m.Find(address)) {
        c->present = true;
        return;
    }
    Chip c;
    c.address = address & 0xFE;
    m.chips[c.address] = c;
}

void RemoveChip(int address) {
    Machine& m = TheMachine();
    std::lock_guard lock(m.mutex);
    if (Chip* c = m.Find(address)) {
        c->present = false;
        c->Release();
        m.sdaLine = m.ComputeSda();
    }
}

bool ChipPresent(int address) {
    Machine& m = TheMachine();
    std::lock_guard lock(m.mutex);
    Chip* c = m.Find(address);
    return c && c->present;
}

uint8_t ChipOutputs(int address) {
    Machine& m = TheMachine();
    std::lock_guard lock(m.mutex);
    Chip* c = m.Find(address);
    return c ? c->outputs : 0;
}

void SetPin(int address, int pin, PinDrive drive) {
    Machine& m = TheMachine();
    std::lock_guard lock(m.mutex);
    if (Chip* c = m.Find(address); c && pin >= 0 && pin < 8) c->pins[pin] = drive;
}

void PressButton(int button, bool pressed) {
    if (button < 0 || button > 15) return;
    SetPin(button < 8 ? kButtonChipLow : kButtonChipHigh, button % 8,
           pressed ? PinDrive::High : PinDrive::Low);
}

std::vector<Access> Accesses() {
    Machine& m = TheMachine();
    std::lock_guard lock(m.mutex);
    return m.accesses;
}

uint64_t WriteCount(int32_t port) {
    Machine& m = TheMachine();
    std::lock_guard lock(m.mutex);
    auto it = m.writes.find(port);
    return it == m.writes.end() ? 0 : it->second;
}

uint64_t ReadCount(int32_t port) {
    Machine& m = TheMachine();
    std::lock_guard lock(m.mutex);
    auto it = m.reads.find(port);
    return it == m.reads.end() ? 0 : it->second;
}

std::vector<Transaction> Transactions() {
    Machine& m = TheMachine();
    std::lock_guard lock(m.mutex);
    std::vector<Transaction> all = m.decoder.done;
    if (m.decoder.active) {
        Transaction open = m.decoder.current;
        open.danglingBits = m.decoder.bits;
        all.push_back(std::move(open));
    }
    return all;
}

void ClearRecords() {
    Machine& m = TheMachine();
    std::lock_guard lock(m.mutex);
    m.ClearRecordsLocked();
}

std::string Format(const Transaction& t) {
    std::string s = "S";
    char buf[8];
    for (const BusByte& b : t.bytes) {
        std::snprintf(buf, sizeof buf, " %02X %s", b.value,
                      b.ack == Ack::Ack    ? "A"
                      : b.ack == Ack::Nack ? "N"
                                           : "-");
        s += buf;
    }
    switch (t.end) {
        case Transaction::End::Stop:
            return s + " P";
        case Transaction::End::RepeatedStart:
            return s + " Sr";
        case Transaction::End::Open:
            return s + " ...";
    }
    return s;
}

}  // namespace portsim

extern "C" __attribute__((visibility("default"))) void vbPortIO(int32_t direction, int32_t port,
                                                                int32_t* value) {
    if (!value) return;
    portsim::Machine& m = portsim::TheMachine();
    std::lock_guard lock(m.mutex);
    m.PortIO(direction, port, value);
}
