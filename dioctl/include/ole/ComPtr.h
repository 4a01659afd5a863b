// Owning reference to an interface: AddRef on copy, Release on destruction.
#pragma once

#include <utility>

#include "ole/Unknown.h"

namespace ole {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference.
    explicit ComPtr(T* p) : m_p(p) {
        if (m_p) m_p->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.m_p) {}
    ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ~ComPtr() { Reset(); }
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(m_p, o.m_p);
        return *this;
    }

    // Adopts a reference the caller already owns (an out-parameter result).
    static ComPtr Attach(T* p) {
        ComPtr c;
        c.m_p = p;
        return c;
    }
    T* Detach() { return std::exchange(m_p, nullptr); }
    void Reset() {
        if (m_p) std::exchange(m_p, nullptr)->Release();
    }
    // Address for an out-parameter; releases what was held.
    T** Put() {
        Reset();
        return &m_p;
    }

    template <class U>
    HRESULT As(const IID& iid, ComPtr<U>& out) const {
        if (!m_p) return E_POINTER;
        U* p = nullptr;
        HRESULT hr = m_p->QueryInterface(iid, reinterpret_cast<void**>(&p));
        out = ComPtr<U>::Attach(SUCCEEDED(hr) ? p : nullptr);
        return hr;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

}  // namespace ole
