// Message boxes. They go to the running UI driver, which shows them and gives
// the user's answer (IDOK, IDCANCEL, IDYES, IDNO).
#pragma once

#include "platform/CString.h"
#include "platform/ui/WinTypes.h"

class CWnd;

// Buttons.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_TYPEMASK = 0x0000000F;
// Icons.
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONHAND = MB_ICONERROR;
constexpr UINT MB_ICONSTOP = MB_ICONERROR;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONWARNING = 0x00000030;
constexpr UINT MB_ICONEXCLAMATION = MB_ICONWARNING;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr UINT MB_ICONASTERISK = MB_ICONINFORMATION;
constexpr UINT MB_ICONMASK = 0x000000F0;
// Default button and modality; kept in the request, no effect headless.
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_APPLMODAL = 0x00000000;
constexpr UINT MB_SYSTEMMODAL = 0x00001000;
constexpr UINT MB_TASKMODAL = 0x00002000;

// Message box with an explicit owner and caption (an empty caption shows the
// application's name, as the system does for a null caption).
int MessageBox(const CWnd* owner, const CString& text, const CString& caption, UINT type = MB_OK);
// Message box owned by the application's main window, captioned with the
// application's name.
int AfxMessageBox(const CString& text, UINT type = MB_OK, UINT helpId = 0);

// The running application's name: caption of AfxMessageBox.
CString AfxGetAppName();
void AfxSetAppName(const CString& name);
// The application's main window: owner of AfxMessageBox (may be null).
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* wnd);

namespace platform::ui {
// The word a console shows for an icon: "error", "warning", "question",
// "information" or "" for none.
const char* IconWord(UINT type);
}  // namespace platform::ui
