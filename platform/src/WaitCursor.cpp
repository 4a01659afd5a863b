#include "platform/WaitCursor.h"

namespace {
int g_depth = 0;
std::function<void(bool)>& Listener() {
    static std::function<void(bool)> listener;
    return listener;
}
}  // namespace

CWaitCursor::CWaitCursor() {
    if (g_depth++ == 0 && Listener()) Listener()(true);
}

CWaitCursor::~CWaitCursor() {
    if (--g_depth == 0 && Listener()) Listener()(false);
}

void CWaitCursor::Restore() {
    // The framework's Restore re-shows the cursor after a dialog hid it.
    if (g_depth > 0 && Listener()) Listener()(true);
}

int CWaitCursor::Depth() { return g_depth; }

void CWaitCursor::SetListener(std::function<void(bool)> listener) {
    Listener() = std::move(listener);
}
