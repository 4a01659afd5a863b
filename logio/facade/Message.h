// logio's message boxes: owned by the application's main window and captioned
// "Corvane Zivo" whatever the host application is called.
#pragma once

#include "platform/CString.h"
#include "platform/ui/MessageBox.h"

constexpr const char* kLogioCaption = "Corvane Zivo";

inline int LogioMessageBox(const CString& text, UINT type = MB_OK) {
    return MessageBox(AfxGetMainWnd(), text, kLogioCaption, type);
}
