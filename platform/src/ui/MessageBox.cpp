#include "platform/ui/MessageBox.h"

#include "platform/Module.h"
#include "platform/Path.h"
#include "platform/ui/UiDriver.h"

namespace {
// As the framework does without a title resource: the executable's title.
CString& AppName() {
    static CString name = platform::PathTitle(platform::GetExecutablePath());
    return name;
}
CWnd* g_mainWnd = nullptr;
}  // namespace

int MessageBox(const CWnd* owner, const CString& text, const CString& caption, UINT type) {
    platform::ui::MessageBoxRequest r;
    r.text = text;
    r.caption = caption.IsEmpty() ? AfxGetAppName() : caption;
    r.owner = owner;
    r.type = type;
    return platform::ui::CurrentDriver().ShowMessageBox(r);
}

int AfxMessageBox(const CString& text, UINT type, UINT) {
    return MessageBox(AfxGetMainWnd(), text, AfxGetAppName(), type);
}

CString AfxGetAppName() { return AppName(); }
void AfxSetAppName(const CString& name) { AppName() = name; }
CWnd* AfxGetMainWnd() { return g_mainWnd; }
void AfxSetMainWnd(CWnd* wnd) { g_mainWnd = wnd; }

namespace platform::ui {
const char* IconWord(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONERROR:
            return "error";
        case MB_ICONWARNING:
            return "warning";
        case MB_ICONQUESTION:
            return "question";
        case MB_ICONINFORMATION:
            return "information";
        default:
            return "";
    }
}
}  // namespace platform::ui
