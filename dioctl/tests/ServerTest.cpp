// Self-registration, creation by programmatic identifier, unloading, and
// the real port's library when there is no port.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>

#include "PortLibrary.h"
#include "TestSupport.h"
#include "dioctl/DIO.h"
#include "ole/Com.h"
#include "ole/Dispatch.h"
#include "ole/Registry.h"
#include "portio/PortSim.h"

using namespace ole;
using dioctl_test::ScopedEnv;
using dioctl_test::TempRegistry;

namespace {

int ErrorOfCreate(const char* progId) {
    try {
        CreateObject(progId);
    } catch (const RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

// The server's own entry points, as a loader sees them.
struct ServerModule {
    ServerModule() : handle(dlopen(DIOCTL_SERVER_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~ServerModule() {
        if (handle) dlclose(handle);
    }
    template <class F>
    F Entry(const char* name) const {
        return reinterpret_cast<F>(dlsym(handle, name));
    }
    void* handle;
};

TEST(DioServer, RegistersItselfAndIsCreatedByProgID) {
    TempRegistry reg;
    ScopedEnv port(portio::kLibraryEnv, portio::kSimulatorLibrary);
    ASSERT_EQ(RegSetValues({{"other.Thing\\CLSID", "{00000000-0000-0000-0000-000000000001}"}}),
              S_OK);
    EXPECT_EQ(ErrorOfCreate("dioctl.DIO"), 429);

    ASSERT_EQ(RegisterServer(DIOCTL_SERVER_PATH), S_OK);
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID("DIOCTL.dio", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_DIO);
    std::string text;
    ASSERT_EQ(RegQueryValue("CLSID\\{4AF5883D-4E8F-4295-ABE2-64CCACC72846}\\InprocServer32", text),
              S_OK);
    EXPECT_EQ(text, std::filesystem::canonical(DIOCTL_SERVER_PATH).string());
    ASSERT_EQ(ProgIDFromCLSID(CLSID_DIO, &text), S_OK);
    EXPECT_EQ(text, "dioctl.DIO");
    ASSERT_EQ(RegQueryValue("Interface\\{AAD37ACA-AA84-4C5B-B06B-6B11DB8E1CD0}", text), S_OK);
    EXPECT_EQ(text, "_DIO");
    ASSERT_EQ(RegQueryValue("TypeLib\\{D2ED0213-A594-4F27-A1C1-6DA0CCE28640}\\1.0", text), S_OK);
    EXPECT_EQ(text, "dioctl");

    {
        ComPtr<IDispatch> dio = CreateObject("dioctl.DIO");
        portsim::Reset();
        portsim::PressButton(9);
        EXPECT_EQ(CallMethod(dio.Get(), "ReadIO", {VARIANT::I2(9)}), VARIANT::I2(2));
        const InterfaceInfo* info = nullptr;
        ASSERT_EQ(dio->GetTypeInfo(0, &info), S_OK);
        EXPECT_STREQ(info->name, "_DIO");
        EXPECT_TRUE(info->dual && info->hidden);
        ASSERT_EQ(info->members.size(), 10u);
        EXPECT_STREQ(info->members.front().name, "MuteObject");
        EXPECT_STREQ(info->members.back().name, "SetI2C_Bit");
    }

    ASSERT_EQ(UnregisterServer(DIOCTL_SERVER_PATH), S_OK);
    EXPECT_EQ(CLSIDFromProgID("dioctl.DIO", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(ErrorOfCreate("dioctl.DIO"), 429);
    EXPECT_EQ(RegQueryValue("Interface\\{AAD37ACA-AA84-4C5B-B06B-6B11DB8E1CD0}", text),
              REGDB_E_KEYMISSING);
    // Entries of others stay.
    EXPECT_EQ(RegQueryValue("other.Thing\\CLSID", text), S_OK);
}

TEST(DioServer, ClassObjectAndUnloading) {
    ServerModule m;
    ASSERT_TRUE(m.handle);
    auto get = m.Entry<DllGetClassObjectFn>("DllGetClassObject");
    auto canUnload = m.Entry<DllCanUnloadNowFn>("DllCanUnloadNow");
    ASSERT_TRUE(get && canUnload);
    EXPECT_EQ(canUnload(), S_OK);

    void* p = nullptr;
    EXPECT_EQ(get(IID_IDispatch, IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(p, nullptr);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(get(CLSID_DIO, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())), S_OK);
    EXPECT_EQ(canUnload(), S_FALSE);

    auto* outer = new dioctl_test::RecordingArbiter;
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &p), CLASS_E_NOAGGREGATION);
    outer->Release();
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &p), E_NOINTERFACE);
    ComPtr<_DIO> dio;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID__DIO, reinterpret_cast<void**>(dio.Put())),
              S_OK);
    factory.Reset();
    EXPECT_EQ(canUnload(), S_FALSE);  // the object is alive
    ASSERT_EQ(get(CLSID_DIO, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())), S_OK);
    ASSERT_EQ(factory->LockServer(true), S_OK);
    factory.Reset();
    dio.Reset();
    EXPECT_EQ(canUnload(), S_FALSE);  // locked
    ASSERT_EQ(get(CLSID_DIO, IID_IClassFactory, reinterpret_cast<void**>(factory.Put())), S_OK);
    factory->LockServer(false);
    factory.Reset();
    EXPECT_EQ(canUnload(), S_OK);
}

TEST(DioServer, BrokenRegistrationIsReported) {
    TempRegistry reg;
    ASSERT_EQ(RegSetValues({{"dioctl.DIO\\CLSID", "{4AF5883D-4E8F-4295-ABE2-64CCACC72846}"},
                            {"CLSID\\{4AF5883D-4E8F-4295-ABE2-64CCACC72846}\\InprocServer32",
                             "/nowhere/libdioctl.so"}}),
              S_OK);
    try {
        CreateObject("dioctl.DIO");
        ADD_FAILURE() << "created";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), 429);
        EXPECT_NE(e.Description().find("/nowhere/libdioctl.so"), std::string::npos)
            << e.Description();
    }
    ASSERT_EQ(RegSetValues({{"dioctl.DIO\\CLSID", "{not a guid}"}}), S_OK);
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID("dioctl.DIO", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID("bad=name", &clsid), CO_E_CLASSSTRING);
}

TEST(DioPortLibrary, RealPortWithoutDeviceFailsClearly) {
    TempRegistry reg;
    ScopedEnv lib(portio::kLibraryEnv, DIOCTL_PPDEV_PATH);
    const std::string device = (reg.Dir() / "parport0").string();
    ScopedEnv dev(portio::kDeviceEnv, device);

    dioctl::PortLibrary port;
    try {
        port.Ensure();
        ADD_FAILURE() << "opened a port that does not exist";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), 68);
        EXPECT_EQ(e.Description(), "cannot open " + device + ": No such file or directory");
    }
    EXPECT_FALSE(port.Loaded());

    // A file that is no parallel port cannot be claimed.
    std::filesystem::create_directories(reg.Dir());
    std::ofstream(device) << "x";
    try {
        port.Ensure();
        ADD_FAILURE() << "claimed a plain file";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), 57);
        EXPECT_NE(e.Description().find("cannot claim " + device), std::string::npos)
            << e.Description();
    }

    // Through the object: ReadI2CPort and WriteIO give minus the number.
    ASSERT_EQ(RegisterServer(DIOCTL_SERVER_PATH), S_OK);
    std::filesystem::remove(device);
    ComPtr<IDispatch> dio = CreateObject("dioctl.DIO");
    EXPECT_EQ(CallMethod(dio.Get(), "ReadI2CPort", {VARIANT::I2(64)}), VARIANT::I2(-68));
    EXPECT_EQ(CallMethod(dio.Get(), "WriteIO", {VARIANT::I2(0), VARIANT::Bool(true)}),
              VARIANT::I4(-68));
}

TEST(DioPortLibrary, NamesAndMissingLibraries) {
    const std::vector<std::string> files = dioctl::PortLibraryFiles("portio_sim");
    ASSERT_GE(files.size(), 1u);
    EXPECT_EQ(files.back(), "libportio_sim.so");
    EXPECT_EQ(dioctl::PortLibraryFiles("/opt/x/libp.so"),
              std::vector<std::string>{"/opt/x/libp.so"});
    EXPECT_EQ(dioctl::PortLibraryFiles("libp.so.1").back(), "libp.so.1");

    {
        ScopedEnv none(portio::kLibraryEnv, "");
        EXPECT_EQ(dioctl::PortLibraryName(), "portio");
    }
    ScopedEnv lib(portio::kLibraryEnv, "no_such_portio");
    dioctl::PortLibrary port;
    try {
        port.Ensure();
        ADD_FAILURE() << "loaded";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), 53);
        EXPECT_EQ(e.Description().rfind("File not found: no_such_portio", 0), 0u)
            << e.Description();
    }
    // A library without vbPortIO.
    ScopedEnv wrong(portio::kLibraryEnv, DIOCTL_SERVER_PATH);
    try {
        port.Ensure();
        ADD_FAILURE() << "loaded";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), 453);
    }
}

}  // namespace
