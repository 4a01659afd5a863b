// The state behind a window handle (internal to the framework).
#pragma once

#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/ui/Wnd.h"

namespace platform::ui::detail {

// Kind-specific state of a control (items of a list, check of a button ...).
struct ControlData {
    virtual ~ControlData() = default;
};

struct WindowState {
    UINT id = 0;
    CString className;
    CString text;
    DWORD style = 0;
    bool enabled = true;
    bool visible = true;
    bool redraw = true;
    bool alive = true;
    CRect rect;
    CWnd* primary = nullptr;  // the object the state was created with
    CWnd* parent = nullptr;   // receives the notifications
    std::vector<CWnd*> children;
    bool ended = false;
    int result = 0;
    std::unique_ptr<ControlData> data;

    template <class T>
    T& Data() {
        if (!data) data = std::make_unique<T>();
        T* d = dynamic_cast<T*>(data.get());
        if (!d)
            throw std::logic_error(
                CString::Formatted("control %u is not of the class used on it", id).str());
        return *d;
    }
};

}  // namespace platform::ui::detail
