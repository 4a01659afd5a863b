// DIO end to end on the simulated port: created by its programmatic
// identifier, called through _DIO and through late binding.
#include <gtest/gtest.h>

#include <set>

#include "TestSupport.h"
#include "dioctl/DIO.h"
#include "ole/Com.h"
#include "ole/Dispatch.h"
#include "portio/PortSim.h"

using namespace ole;
using dioctl_test::RecordingArbiter;
using dioctl_test::ScopedEnv;
using dioctl_test::TempRegistry;

namespace {

// Port writes of the bus procedures: every OutPort writes 100 times.
constexpr uint64_t kOut = 100;
constexpr uint64_t kStartWrites = 3 * kOut;
constexpr uint64_t kStopWrites = 3 * kOut;
constexpr uint64_t kBitWrites = 3 * kOut;
constexpr uint64_t kSendByteWrites = 8 * kBitWrites + 3 * kOut;  // with WaitAck
constexpr uint64_t kReceiveByteWrites = 8 * 2 * kOut;
constexpr uint64_t kReadDeviceWrites =
    kStartWrites + kSendByteWrites + kReceiveByteWrites + kStopWrites;
constexpr uint64_t kWriteDeviceWrites = kStartWrites + 2 * kSendByteWrites + kStopWrites;

class DIOTest : public ::testing::Test {
protected:
    void SetUp() override {
        portsim::Reset();
        ASSERT_EQ(RegisterServer(DIOCTL_SERVER_PATH), S_OK);
        dio = CreateObject(kDioProgID);
        ASSERT_EQ(dio.As(IID__DIO, vt), S_OK);
    }

    int32_t WriteIO(int16_t relay, bool state) {
        int32_t r = 99;
        EXPECT_EQ(vt->WriteIO(relay, state ? VARIANT_TRUE : VARIANT_FALSE, &r), S_OK);
        return r;
    }
    int16_t ReadIO(int16_t button) {
        int16_t r = 99;
        EXPECT_EQ(vt->ReadIO(button, &r), S_OK);
        return r;
    }
    int16_t ReadI2CPort(VARIANT address) {
        int16_t r = 99;
        EXPECT_EQ(vt->ReadI2CPort(&address, &r), S_OK);
        return r;
    }
    int16_t InitPort(int16_t type) {
        int16_t r = 99;
        EXPECT_EQ(vt->InitPort(type, &r), S_OK);
        return r;
    }
    void SetAllOutputs(int32_t expected) {
        int32_t r = 99;
        ASSERT_EQ(expected ? vt->OpenAll(&r) : vt->CloseAll(&r), S_OK);
        ASSERT_EQ(r, 0);
    }
    // An arbiter that notes the data port writes made before each call.
    RecordingArbiter* UseArbiter() {
        auto* a = new RecordingArbiter;
        a->mark = [] { return static_cast<long long>(portsim::WriteCount(portio::kDataPort)); };
        IDispatch* d = a;
        EXPECT_EQ(vt->putref_MuteObject(&d), S_OK);
        a->Release();  // the object holds it now
        return a;
    }

    TempRegistry reg;
    ScopedEnv port{portio::kLibraryEnv, portio::kSimulatorLibrary};
    ComPtr<IDispatch> dio;
    ComPtr<_DIO> vt;
};

TEST_F(DIOTest, RelaysMapToTheBitsOfTheirExpanders) {
    SetAllOutputs(0);
    struct Case {
        int16_t relay;
        int chip;
        uint8_t bits;
    };
    for (const Case& c :
         {Case{0, 64, 0x01}, Case{7, 64, 0x80}, Case{8, 66, 0x01}, Case{15, 66, 0x80}}) {
        EXPECT_EQ(WriteIO(c.relay, true), 0) << c.relay;
        EXPECT_EQ(portsim::ChipOutputs(c.chip), c.bits) << c.relay;
        EXPECT_EQ(WriteIO(c.relay, false), 0) << c.relay;
        EXPECT_EQ(portsim::ChipOutputs(c.chip), 0) << c.relay;
    }
    // Switching one relay leaves the others of its chip alone.
    EXPECT_EQ(WriteIO(3, true), 0);
    EXPECT_EQ(WriteIO(5, true), 0);
    EXPECT_EQ(WriteIO(3, false), 0);
    EXPECT_EQ(portsim::ChipOutputs(64), 0x20);
    EXPECT_EQ(portsim::ChipOutputs(66), 0x00);

    SetAllOutputs(1);
    EXPECT_EQ(portsim::ChipOutputs(64), 0xFF);
    EXPECT_EQ(portsim::ChipOutputs(66), 0xFF);
}

TEST_F(DIOTest, ButtonsReadAsTheValueOfTheirBit) {
    struct Case {
        int16_t button;
        int16_t pressed;
    };
    for (const Case& c : {Case{0, 1}, Case{3, 8}, Case{7, 128}, Case{8, 1}, Case{15, 128}}) {
        EXPECT_EQ(ReadIO(c.button), 0) << c.button;
        portsim::PressButton(c.button);
        EXPECT_EQ(ReadIO(c.button), c.pressed) << c.button;
        EXPECT_EQ(ReadIO(c.button ^ 1), 0) << "neighbour of " << c.button;
        portsim::PressButton(c.button, false);
    }
    portsim::PressButton(3);
    EXPECT_EQ(ReadI2CPort(VARIANT::I2(68)), 8);
    EXPECT_EQ(ReadI2CPort(VARIANT::BStr("68")), 8);
}

TEST_F(DIOTest, InitPortResultsAndPortTypeThreeTouchesNoPort) {
    for (auto [type, result] :
         {std::pair<int16_t, int16_t>{1, 0}, {3, -1}, {4, -1}, {0, 0}, {2, 0}, {-1, 0}})
        EXPECT_EQ(InitPort(type), result) << type;

    // Without hardware the library is not even loaded.
    ScopedEnv missing(portio::kLibraryEnv, "no_such_portio");
    portsim::PressButton(3);
    for (int16_t type : {3, 4, 0}) {
        InitPort(type);
        EXPECT_EQ(ReadI2CPort(VARIANT::I2(68)), 0) << type;
        EXPECT_EQ(ReadIO(3), 0) << type;
        EXPECT_EQ(WriteIO(3, true), 0) << type;
        int16_t r = 99;
        EXPECT_EQ(vt->SetI2C_Bit(VARIANT_TRUE, 1, 64, &r), S_OK) << type;
        EXPECT_EQ(r, 0);
        int32_t all = 99;
        EXPECT_EQ(vt->OpenAll(&all), S_OK);
        EXPECT_EQ(all, 0);
    }
    EXPECT_TRUE(portsim::Accesses().empty());
}

TEST_F(DIOTest, MissingChipGivesItsFailureCodes) {
    portsim::RemoveChip(68);
    portsim::RemoveChip(64);
    EXPECT_EQ(ReadIO(3), -4);
    EXPECT_EQ(ReadI2CPort(VARIANT::I2(64)), -2);

    portsim::ClearRecords();
    EXPECT_EQ(WriteIO(2, true), -2);
    // Only the failed read went on the bus; nothing was written to any chip.
    const std::vector<portsim::Transaction> t = portsim::Transactions();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(portsim::Format(t[0]), "S 41 N ...");

    int16_t r = 99;
    GetErrorInfo();
    EXPECT_EQ(vt->SetI2C_Bit(VARIANT_TRUE, 1, 64, &r), CTL_E_OVERFLOW);
    std::optional<RuntimeError> why = GetErrorInfo();
    ASSERT_TRUE(why);
    EXPECT_EQ(why->Number(), 6);
    EXPECT_EQ(why->Description(), "Overflow");
    EXPECT_EQ(why->Source(), "dioctl.DIO");
    try {
        CallMethod(dio.Get(), "SetI2C_Bit", {VARIANT::Bool(true), VARIANT::I2(1), VARIANT::I2(64)});
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), 6);
    }

    // The other relay chip still works, and CloseAll reports the last relay's result.
    int32_t all = 99;
    ASSERT_EQ(vt->CloseAll(&all), S_OK);
    EXPECT_EQ(all, 0);
    EXPECT_EQ(portsim::ChipOutputs(66), 0x00);
    portsim::RemoveChip(66);
    portsim::AddChip(64);
    ASSERT_EQ(vt->OpenAll(&all), S_OK);
    EXPECT_EQ(all, -2);
    EXPECT_EQ(portsim::ChipOutputs(64), 0xFF);
}

TEST_F(DIOTest, SetI2CBitChangesOneBitOfAnyChip) {
    portsim::AddChip(0x4E);
    SetAllOutputs(0);
    int16_t r = 99;
    ASSERT_EQ(vt->SetI2C_Bit(VARIANT_TRUE, 5, 66, &r), S_OK);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(portsim::ChipOutputs(66), 0x20);
    ASSERT_EQ(vt->SetI2C_Bit(VARIANT_FALSE, 7, 0x4E, &r), S_OK);
    EXPECT_EQ(portsim::ChipOutputs(0x4E), 0x7F);
    // A C caller's 1 for true is taken as true.
    ASSERT_EQ(vt->SetI2C_Bit(1, 7, 0x4E, &r), S_OK);
    EXPECT_EQ(portsim::ChipOutputs(0x4E), 0xFF);

    // Bit 8 does not fit in the chip's byte: Overflow, and nothing is written.
    portsim::ClearRecords();
    EXPECT_EQ(vt->SetI2C_Bit(VARIANT_TRUE, 8, 66, &r), CTL_E_OVERFLOW);
    for (const portsim::Transaction& t : portsim::Transactions())
        EXPECT_EQ(t.bytes.at(0).value & 1, 1) << "a write: " << portsim::Format(t);
    EXPECT_EQ(portsim::ChipOutputs(66), 0x20);
}

TEST_F(DIOTest, BusTransactionsOfOneRelaySwitch) {
    portsim::ClearRecords();
    ASSERT_EQ(WriteIO(3, false), 0);  // outputs start at 0xFF

    const std::vector<portsim::Transaction> t = portsim::Transactions();
    ASSERT_EQ(t.size(), 2u);
    // Read: address + 1 acknowledged, the byte without a ninth clock, stop.
    EXPECT_EQ(portsim::Format(t[0]), "S 41 A FF - P");
    // Write: address and data acknowledged, stop.
    EXPECT_EQ(portsim::Format(t[1]), "S 40 A F7 A P");

    EXPECT_EQ(portsim::WriteCount(portio::kDataPort), kReadDeviceWrites + kWriteDeviceWrites);
    EXPECT_EQ(kBitWrites, 300u);
    EXPECT_EQ(kSendByteWrites, 2700u);
    // Three acknowledges seen at the first poll, eight bits received.
    EXPECT_EQ(portsim::ReadCount(portio::kStatusPort), 3u + 8u);

    const std::vector<portsim::Access> a = portsim::Accesses();
    std::set<int32_t> values;
    for (const portsim::Access& x : a) {
        if (x.direction != portio::kWrite) continue;
        EXPECT_EQ(x.port, portio::kDataPort);
        EXPECT_EQ(x.count % kOut, 0u);
        values.insert(x.value);
    }
    EXPECT_EQ(values, (std::set<int32_t>{0, 64, 128, 192}));

    // Start, then address 0x41 most significant bit first: 0 1 0 0 0 0 0 1.
    std::vector<int32_t> firstWrites;
    for (const portsim::Access& x : a)
        if (x.direction == portio::kWrite)
            for (uint64_t i = 0; i < x.count / kOut && firstWrites.size() < 9; ++i)
                firstWrites.push_back(x.value);
    EXPECT_EQ(firstWrites, (std::vector<int32_t>{192, 128, 0, 0, 128, 0, 64, 192, 64}));
}

TEST_F(DIOTest, MissingAcknowledgePollsAThousandTimesAndSendsNoStop) {
    portsim::RemoveChip(70);
    portsim::ClearRecords();
    EXPECT_EQ(ReadIO(12), -4);
    EXPECT_EQ(portsim::ReadCount(portio::kStatusPort), 1000u);
    EXPECT_EQ(portsim::WriteCount(portio::kDataPort), kStartWrites + kSendByteWrites);
    // The next transaction starts from there (a repeated start to the bus).
    EXPECT_EQ(ReadIO(3), 0);
    const std::vector<portsim::Transaction> t = portsim::Transactions();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(portsim::Format(t[0]), "S 47 N Sr");
    EXPECT_EQ(portsim::Format(t[1]), "S 45 A 00 - P");
}

TEST_F(DIOTest, RuntimeErrorsInsideAreAbsorbedAsCodes) {
    EXPECT_EQ(ReadI2CPort(VARIANT::BStr("abc")), -13);
    EXPECT_EQ(ReadI2CPort(VARIANT::I4(70000)), -6);
    EXPECT_EQ(ReadI2CPort(VARIANT::I2(255)), -6);  // its read address is no byte
    EXPECT_EQ(WriteIO(16, true), -6);              // bit 8 of chip 66
    EXPECT_EQ(ReadIO(16), 0);                      // no such input: nothing set
    EXPECT_EQ(ReadIO(-1), 0);

    // Without its port library the object says so instead of succeeding.
    ScopedEnv missing(portio::kLibraryEnv, "no_such_portio");
    vt.Reset();
    dio = CreateObject(kDioProgID);
    ASSERT_EQ(dio.As(IID__DIO, vt), S_OK);
    EXPECT_EQ(ReadI2CPort(VARIANT::I2(64)), -53);
    EXPECT_EQ(ReadIO(3), -4);
    EXPECT_EQ(WriteIO(3, true), -53);
    int32_t all = 99;
    ASSERT_EQ(vt->CloseAll(&all), S_OK);
    EXPECT_EQ(all, -53);
    int16_t r = 99;
    EXPECT_EQ(vt->SetI2C_Bit(VARIANT_TRUE, 1, 64, &r), CTL_E_OVERFLOW);
}

TEST_F(DIOTest, NoArbiterMeansNoArbitration) {
    IDispatch* none = nullptr;
    ASSERT_EQ(vt->get_MuteObject(&none), S_OK);
    EXPECT_EQ(none, nullptr);
    VARIANT_BOOL on = VARIANT_TRUE;
    EXPECT_EQ(vt->OwnerControl(&on), S_OK);
    EXPECT_EQ(WriteIO(1, true), 0);
    VARIANT index;
    ASSERT_EQ(vt->get_mOwnerIndex(&index), S_OK);
    EXPECT_TRUE(index.IsEmpty());

    // An arbiter that was set and taken away again is not called either.
    RecordingArbiter* a = UseArbiter();
    a->AddRef();
    PutRefProperty(dio.Get(), "MuteObject", VARIANT::Dispatch(nullptr));
    EXPECT_EQ(WriteIO(1, false), 0);
    EXPECT_TRUE(a->calls.empty());
    a->Release();
}

TEST_F(DIOTest, ArbiterBracketsEveryPublicOperation) {
    RecordingArbiter* a = UseArbiter();
    a->assignIndex = VARIANT::I4(7);
    using Names = std::vector<std::string>;
    const Names pair = {"SetOwner", "FreeOwner"};
    const Names nested = {"SetOwner", "SetOwner", "FreeOwner", "FreeOwner"};

    EXPECT_EQ(WriteIO(1, true), 0);
    EXPECT_EQ(a->Names(), pair);
    // The port is used only between the two calls.
    EXPECT_EQ(a->calls[0].mark, 0);
    EXPECT_EQ(a->calls[1].mark, static_cast<long long>(kReadDeviceWrites + kWriteDeviceWrites));
    // SetOwner gets the owner index by reference and the integer 2.
    ASSERT_EQ(a->calls[0].args.size(), 2u);
    EXPECT_EQ(a->calls[0].args[0].vt(), VT_BYREF | VT_VARIANT);
    EXPECT_EQ(a->calls[0].args[1], VARIANT::I2(2));
    EXPECT_TRUE(a->calls[1].args.empty());
    // What the arbiter wrote into the index stays with the object.
    EXPECT_EQ(GetProperty(dio.Get(), "mOwnerIndex"), VARIANT::I4(7));

    struct Case {
        const char* what;
        std::function<void()> run;
        Names expected;
    };
    const Case cases[] = {
        {"ReadI2CPort", [&] { ReadI2CPort(VARIANT::I2(64)); }, pair},
        {"ReadIO", [&] { ReadIO(2); }, nested},
        {"SetI2C_Bit",
         [&] {
             int16_t r;
             vt->SetI2C_Bit(VARIANT_TRUE, 1, 64, &r);
         },
         nested},
        {"InitPort", [&] { InitPort(1); }, {}},
        {"OwnerControl",
         [&] {
             VARIANT_BOOL m = VARIANT_FALSE;
             vt->OwnerControl(&m);
         },
         {"FreeOwner"}},
    };
    for (const Case& c : cases) {
        a->calls.clear();
        c.run();
        EXPECT_EQ(a->Names(), c.expected) << c.what;
    }

    a->calls.clear();
    int32_t all = 99;
    ASSERT_EQ(vt->CloseAll(&all), S_OK);
    Names closeAll = {"SetOwner"};
    for (int i = 0; i < 16; ++i) closeAll.insert(closeAll.end(), pair.begin(), pair.end());
    closeAll.push_back("FreeOwner");
    EXPECT_EQ(a->Names(), closeAll);

    // A failing SetI2C_Bit gives the port back before raising its error.
    portsim::RemoveChip(64);
    a->calls.clear();
    int16_t r = 99;
    EXPECT_EQ(vt->SetI2C_Bit(VARIANT_TRUE, 1, 64, &r), CTL_E_OVERFLOW);
    EXPECT_EQ(a->Names(), nested);
}

TEST_F(DIOTest, ArbiterRefusingThePortStopsTheOperation) {
    RecordingArbiter* a = UseArbiter();
    a->failSetOwner = 57;
    portsim::ClearRecords();
    EXPECT_EQ(WriteIO(1, true), -57);
    EXPECT_EQ(ReadI2CPort(VARIANT::I2(64)), -57);
    EXPECT_EQ(ReadIO(1), -4);
    EXPECT_EQ(portsim::WriteCount(portio::kDataPort), 0u);
    int32_t all = 99;
    EXPECT_EQ(vt->OpenAll(&all), HResultFromError(57));
    std::optional<RuntimeError> why = GetErrorInfo();
    ASSERT_TRUE(why);
    EXPECT_EQ(why->Description(), "arbiter busy");
}

TEST_F(DIOTest, LateBindingChecksNamesArgumentsAndTypes) {
    portsim::PressButton(3);
    EXPECT_EQ(CallMethod(dio.Get(), "readio", {VARIANT::I2(3)}), VARIANT::I2(8));
    EXPECT_EQ(CallMethod(dio.Get(), "WriteIO", {VARIANT::BStr("8"), VARIANT::BStr("True")}),
              VARIANT::I4(0));
    EXPECT_EQ(portsim::ChipOutputs(66), 0xFF);
    EXPECT_EQ(CallMethod(dio.Get(), "InitPort", {VARIANT::I4(3)}), VARIANT::I2(-1));
    EXPECT_EQ(CallMethod(dio.Get(), "CloseAll"), VARIANT::I4(0));

    VARIANT address = VARIANT::I2(68);
    EXPECT_EQ(CallMethod(dio.Get(), "ReadI2CPort", {VARIANT::ByRef(&address)}), VARIANT::I2(0));
    VARIANT_BOOL mode = VARIANT_TRUE;
    EXPECT_TRUE(CallMethod(dio.Get(), "OwnerControl", {VARIANT::ByRefBool(&mode)}).IsEmpty());

    struct Bad {
        const char* name;
        std::vector<VARIANT> args;
        int error;
    };
    const Bad bad[] = {
        {"NoSuchMember", {}, 438},
        {"ReadIO", {}, 450},
        {"ReadIO", {VARIANT::I2(1), VARIANT::I2(2)}, 450},
        {"ReadIO", {VARIANT::I4(40000)}, 6},
        {"WriteIO", {VARIANT::I2(1), VARIANT::BStr("maybe")}, 13},
        {"SetI2C_Bit", {VARIANT::Bool(true), VARIANT::I2(1), VARIANT::I2(300)}, 6},
    };
    for (const Bad& b : bad) {
        try {
            CallMethod(dio.Get(), b.name, b.args);
            ADD_FAILURE() << b.name << " raised nothing";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number(), b.error) << b.name;
        }
    }
}

TEST_F(DIOTest, PropertiesTakeObjectsByReferenceAndValuesByLet) {
    RecordingArbiter* a = UseArbiter();
    VARIANT got = GetProperty(dio.Get(), "MuteObject");
    ASSERT_EQ(got.vt(), VT_DISPATCH);
    EXPECT_EQ(got.pdispVal(), static_cast<IDispatch*>(a));
    // An object is set, never let.
    EXPECT_THROW(PutProperty(dio.Get(), "MuteObject", VARIANT::Dispatch(a)), RuntimeError);

    PutProperty(dio.Get(), "mOwnerIndex", VARIANT::BStr("bench 2"));
    EXPECT_EQ(GetProperty(dio.Get(), "mOwnerIndex"), VARIANT::BStr("bench 2"));
    PutRefProperty(dio.Get(), "mOwnerIndex", VARIANT::Dispatch(a));
    EXPECT_EQ(GetProperty(dio.Get(), "mOwnerIndex"), VARIANT::Dispatch(a));
    try {
        PutRefProperty(dio.Get(), "mOwnerIndex", VARIANT::I2(1));
        ADD_FAILURE() << "set with a number";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), 424);
    }
    // The index goes to the arbiter as it stands.
    EXPECT_EQ(WriteIO(0, true), 0);
    ASSERT_FALSE(a->calls.empty());
    EXPECT_EQ(a->calls[0].args[0].Deref(), VARIANT::Dispatch(a));
}

}  // namespace
