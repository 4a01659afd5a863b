// The wait cursor: shown while at least one CWaitCursor lives. The running UI
// driver is told when it appears and disappears.
#pragma once

#include <functional>

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();

    static int Depth();
    // Called with true when the cursor appears, false when it goes.
    static void SetListener(std::function<void(bool)> listener);
};
