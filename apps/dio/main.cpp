// dio: switch relays, read buttons and read or set I2C expander bits through
// the DIO automation object, on the parallel port or on the simulator.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "PortLibrary.h"
#include "dioctl/DIO.h"
#include "ole/Com.h"
#include "ole/Dispatch.h"
#include "ole/Errors.h"
#include "portio/PortIO.h"
#include "portio/PortSim.h"

namespace {

using namespace ole;

const char* const kActionsHelp = R"(Actions, run in order:
  relay N on|off        switch relay N (0-15)                       WriteIO
  all on|off            switch every relay                          OpenAll / CloseAll
  button N              read button N (0-15)                        ReadIO
  read ADDR             read the expander at ADDR (e.g. 0x44)       ReadI2CPort
  bit ADDR N set|clear  change bit N of the expander at ADDR        SetI2C_Bit
  type N                port type: 1 I2C on the parallel port, 3 none   InitPort
  register              register the DIO class (once per user)
  unregister            remove its registration
Numbers are decimal or 0x hexadecimal.
)";

struct Step {
    std::string text;  // as shown before the result
    std::string method;
    std::vector<VARIANT> args;
    enum class Kind { Write, Button, Read, Bit, Type, Register, Unregister } kind;
};

std::optional<long> ParseNumber(const std::string& s) {
    if (s.empty()) return std::nullopt;
    const bool hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(s.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
    if (errno || *end || end == s.c_str() + (hex ? 2 : 0)) return std::nullopt;
    return v;
}

// Integer arguments go as they were given; DIO converts and range-checks them.
VARIANT Number(long v) {
    return VARIANT::I4(static_cast<int32_t>(std::clamp<long>(v, INT32_MIN, INT32_MAX)));
}

std::vector<Step> ParseSteps(const std::vector<std::string>& words) {
    std::vector<Step> steps;
    size_t i = 0;
    auto need = [&](size_t n) {
        if (i + n >= words.size())
            throw CLI::ValidationError("'" + words[i] + "' needs " + std::to_string(n) +
                                       " more word(s)");
    };
    auto number = [&](size_t k) {
        std::optional<long> v = ParseNumber(words[i + k]);
        if (!v) throw CLI::ValidationError("'" + words[i + k] + "' is not a number");
        return *v;
    };
    auto onOff = [&](size_t k, const char* on, const char* off) {
        if (words[i + k] == on) return true;
        if (words[i + k] == off) return false;
        throw CLI::ValidationError("expected " + std::string(on) + " or " + off + ", got '" +
                                   words[i + k] + "'");
    };
    while (i < words.size()) {
        const std::string& w = words[i];
        Step s;
        if (w == "relay") {
            need(2);
            s = {"relay " + words[i + 1] + " " + words[i + 2],
                 "WriteIO",
                 {Number(number(1)), VARIANT::Bool(onOff(2, "on", "off"))},
                 Step::Kind::Write};
            i += 3;
        } else if (w == "all") {
            need(1);
            const bool on = onOff(1, "on", "off");
            s = {"all " + words[i + 1], on ? "OpenAll" : "CloseAll", {}, Step::Kind::Write};
            i += 2;
        } else if (w == "button") {
            need(1);
            s = {"button " + words[i + 1], "ReadIO", {Number(number(1))}, Step::Kind::Button};
            i += 2;
        } else if (w == "read") {
            need(1);
            s = {"read " + words[i + 1], "ReadI2CPort", {Number(number(1))}, Step::Kind::Read};
            i += 2;
        } else if (w == "bit") {
            need(3);
            s = {"bit " + words[i + 1] + " " + words[i + 2] + " " + words[i + 3],
                 "SetI2C_Bit",
                 {VARIANT::Bool(onOff(3, "set", "clear")), Number(number(2)), Number(number(1))},
                 Step::Kind::Bit};
            i += 4;
        } else if (w == "type") {
            need(1);
            s = {"type " + words[i + 1], "InitPort", {Number(number(1))}, Step::Kind::Type};
            i += 2;
        } else if (w == "register" || w == "unregister") {
            s = {w, "", {}, w == "register" ? Step::Kind::Register : Step::Kind::Unregister};
            i += 1;
        } else {
            throw CLI::ValidationError("unknown action '" + w + "'");
        }
        steps.push_back(std::move(s));
    }
    return steps;
}

std::string ErrorText(int number) {
    std::string d = ErrorDescription(number);
    return "error " + std::to_string(number) + (d.empty() ? "" : " (" + d + ")");
}

// A result with its meaning; false when it reports a failure.
bool Show(const Step& s, const VARIANT& result) {
    int32_t v = 0;
    VariantToI4(result, v);
    std::string meaning;
    bool ok = true;
    if (v < 0 && s.kind != Step::Kind::Type) {
        ok = false;
        if (v == -2)
            meaning = "no acknowledge";
        else if (v == -4 && s.kind == Step::Kind::Button)
            meaning = "no answer";
        else
            meaning = ErrorText(-v);
    } else {
        switch (s.kind) {
            case Step::Kind::Write:
            case Step::Kind::Bit:
                meaning = "ok";
                break;
            case Step::Kind::Button:
                meaning = v ? "pressed" : "released";
                break;
            case Step::Kind::Read: {
                char hex[16];
                std::snprintf(hex, sizeof hex, "= 0x%02X", v);
                meaning = hex;
                break;
            }
            case Step::Kind::Type:
                meaning = v == -1 ? "no hardware" : "ok";
                break;
            default:
                break;
        }
    }
    std::cout << s.text << ": " << v << " " << meaning << "\n";
    return ok;
}

std::string DefaultServer() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "libdioctl.so";
    return (exe.parent_path().parent_path() / "lib" / "libdioctl.so").string();
}

void PrintTransactions() {
    for (const portsim::Transaction& t : portsim::Transactions())
        std::cout << "  " << portsim::Format(t) << "\n";
}

int Run(int argc, char** argv) {
    CLI::App app{"dio: relays, buttons and I2C expander bits over the parallel port"};
    app.footer(kActionsHelp);
    bool sim = false, trace = false;
    std::string lib, device, server = DefaultServer();
    std::vector<int> press, remove;
    std::vector<std::string> words;
    app.add_flag("--sim", sim, "run on the simulated port (library portio_sim)");
    app.add_option("--lib", lib, "port I/O library to load (default: $DIOCTL_PORTIO or portio)");
    app.add_option("--device", device, "parallel port device (default: /dev/parport0)");
    app.add_option("--press", press, "simulator: hold button N down (repeatable)")
        ->type_name("N")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option("--remove", remove, "simulator: take the chip at ADDR off the bus (repeatable)")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->type_name("ADDR");
    app.add_flag("--trace", trace, "simulator: show the bus transactions of each action");
    app.add_option("--server", server, "server module for register and unregister")
        ->capture_default_str();
    app.add_option("actions", words, "what to do (see below)")->required();
    try {
        app.parse(argc, argv);
        const std::vector<Step> steps = ParseSteps(words);
        if (!sim && (trace || !press.empty() || !remove.empty()))
            throw CLI::ValidationError("--press, --remove and --trace need --sim");

        if (sim) lib = portio::kSimulatorLibrary;
        if (!lib.empty()) setenv(portio::kLibraryEnv, lib.c_str(), 1);
        if (!device.empty()) setenv(portio::kDeviceEnv, device.c_str(), 1);
        if (sim) {
            portsim::Reset();
            for (int b : press) portsim::PressButton(b);
            for (int a : remove) portsim::RemoveChip(a);
        }

        // Say plainly when the port cannot be used, before anything else.
        bool portUsed = false;
        int16_t portType = 1;
        for (const Step& s : steps) {
            if (s.kind == Step::Kind::Type) portType = static_cast<int16_t>(s.args[0].lVal());
            if (s.kind != Step::Kind::Type && s.kind != Step::Kind::Register &&
                s.kind != Step::Kind::Unregister && portType == 1)
                portUsed = true;
        }
        if (portUsed) {
            dioctl::PortLibrary port;
            try {
                port.Ensure();
            } catch (const RuntimeError& e) {
                std::cerr << "dio: the port cannot be used: " << e.Description() << "\n";
                return 1;
            }
        }

        ComPtr<IDispatch> dio;
        bool allOk = true;
        for (const Step& s : steps) {
            if (s.kind == Step::Kind::Register || s.kind == Step::Kind::Unregister) {
                const bool reg = s.kind == Step::Kind::Register;
                dio.Reset();
                GetErrorInfo();
                HRESULT hr = reg ? RegisterServer(server) : UnregisterServer(server);
                if (FAILED(hr)) {
                    std::optional<RuntimeError> why = GetErrorInfo();
                    std::cerr << "dio: " << s.text << " failed"
                              << (why ? ": " + why->Description() : std::string()) << "\n";
                    return 1;
                }
                std::cout << (reg ? "registered " : "unregistered ") << kDioProgID << " (" << server
                          << ")\n";
                continue;
            }
            if (!dio) {
                CLSID clsid;
                if (FAILED(CLSIDFromProgID(kDioProgID, &clsid))) {
                    std::cerr << "dio: " << kDioProgID << " is not registered; run: dio register\n";
                    return 1;
                }
                dio = CreateObject(kDioProgID);
            }
            if (trace) portsim::ClearRecords();
            try {
                VARIANT result = CallMethod(dio.Get(), s.method, s.args);
                allOk = Show(s, result) && allOk;
            } catch (const RuntimeError& e) {
                std::cout << s.text << ": " << ErrorText(e.Number()) << "\n";
                allOk = false;
            }
            if (trace) PrintTransactions();
        }
        return allOk ? 0 : 1;
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (const RuntimeError& e) {
        std::cerr << "dio: " << e.Description() << "\n";
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) { return Run(argc, argv); }
