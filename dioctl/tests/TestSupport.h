// Helpers of the dioctl tests: a registry and environment of the test's
// own, and an arbiter that writes down what it is asked.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ole/Dispatch.h"
#include "ole/Registry.h"
#include "ole/Variant.h"
#include "portio/PortIO.h"

namespace dioctl_test {

// Sets an environment variable for a scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// A folder of the test's own, holding the registry file.
class TempRegistry {
public:
    TempRegistry()
        : m_dir(std::filesystem::temp_directory_path() /
                ("dioctl-test-" + std::to_string(getpid()) + "-" + std::to_string(++s_count))),
          m_env(ole::kRegistryEnv, (m_dir / "reg" / "registry").string()) {}
    ~TempRegistry() {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    std::filesystem::path Dir() const { return m_dir; }
    std::string File() const { return (m_dir / "reg" / "registry").string(); }

private:
    static inline int s_count = 0;
    std::filesystem::path m_dir;
    ScopedEnv m_env;
};

// An arbiter with SetOwner and FreeOwner. Each call is written down with
// what the hook returns (the data port writes seen so far, for instance).
class RecordingArbiter final : public ole::IDispatch {
public:
    struct Call {
        std::string name;
        std::vector<ole::VARIANT> args;  // as received, references included
        long long mark;
    };

    std::vector<Call> calls;
    std::function<long long()> mark = [] { return 0LL; };
    // Written into the caller's owner index on SetOwner when set.
    std::optional<ole::VARIANT> assignIndex;
    // SetOwner fails with this runtime error number when non-zero.
    int failSetOwner = 0;

    std::vector<std::string> Names() const {
        std::vector<std::string> n;
        for (const Call& c : calls) n.push_back(c.name);
        return n;
    }

    ole::HRESULT QueryInterface(const ole::IID& riid, void** ppv) override {
        if (riid == ole::IID_IUnknown || riid == ole::IID_IDispatch) {
            *ppv = static_cast<ole::IDispatch*>(this);
            AddRef();
            return ole::S_OK;
        }
        *ppv = nullptr;
        return ole::E_NOINTERFACE;
    }
    uint32_t AddRef() override { return ++m_refs; }
    uint32_t Release() override {
        uint32_t left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    ole::HRESULT GetTypeInfoCount(unsigned* n) override {
        *n = 0;
        return ole::S_OK;
    }
    ole::HRESULT GetTypeInfo(unsigned, const ole::InterfaceInfo**) override {
        return ole::E_NOTIMPL;
    }
    ole::HRESULT GetIDsOfNames(const char* const* names, unsigned, ole::DISPID* ids) override {
        std::string n = names[0];
        if (n == "SetOwner")
            *ids = 1;
        else if (n == "FreeOwner")
            *ids = 2;
        else
            return ole::DISP_E_UNKNOWNNAME;
        return ole::S_OK;
    }
    ole::HRESULT Invoke(ole::DISPID id, uint16_t, ole::DISPPARAMS* params, ole::VARIANT*,
                        ole::EXCEPINFO* info, unsigned*) override {
        Call c{id == 1 ? "SetOwner" : "FreeOwner", {}, mark()};
        for (unsigned i = params->cArgs; i-- > 0;) c.args.push_back(params->rgvarg[i]);
        calls.push_back(c);
        if (id == 1 && failSetOwner) {
            ole::FillExcepInfo(ole::RuntimeError(failSetOwner, "arbiter busy", "arbiter"), *info);
            return ole::DISP_E_EXCEPTION;
        }
        if (id == 1 && assignIndex && params->cArgs == 2)
            ole::VariantStoreRef(params->rgvarg[1], *assignIndex);
        return ole::S_OK;
    }

private:
    ~RecordingArbiter() = default;
    uint32_t m_refs = 1;
};

}  // namespace dioctl_test
