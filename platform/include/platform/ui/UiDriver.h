// The UI driver: whoever plays the user. Message boxes, file dialogs, modal
// dialogs, progress windows and the wait cursor all go to the current driver.
// Tests install a ScriptedDriver, the logio command a ConsoleDriver; with
// none installed a quiet default prints messages on stderr and cancels every
// question.
#pragma once

#include <utility>
#include <vector>

#include "platform/CString.h"
#include "platform/ui/WinTypes.h"

class CWnd;
class CDialog;
class CProgressWnd;

namespace platform::ui {

struct MessageBoxRequest {
    CString text;
    CString caption;
    const CWnd* owner = nullptr;
    UINT type = 0;  // MB_ buttons | MB_ICON icon | ...
    UINT Buttons() const;
    UINT Icon() const;
};

struct FileDialogFilter {
    CString description;
    CString pattern;  // "*.log;*.loc"
};

struct FileDialogRequest {
    bool open = true;  // open or save dialog
    CString title;     // empty: the system's "打开" / "另存为"
    std::vector<FileDialogFilter> filters;
    int filterIndex = 0;  // 0-based filter shown first
    CString defaultExtension;
    CString initialDirectory;
    CString initialName;
    DWORD flags = 0;
    DWORD bufferSize = 0;  // bytes of the caller's name buffer
    const CWnd* owner = nullptr;
    // The file dialog object when it has a child template of its own (its
    // controls can be clicked before choosing), else null.
    CDialog* custom = nullptr;
    // The caption drivers name the dialog by: the title or the system's one.
    CString Caption() const;
};

struct FileDialogAnswer {
    bool ok = false;
    // In the order chosen; a name without a folder lies in the initial folder.
    std::vector<CString> paths;
    // The user chose more than the name buffer holds.
    bool overflow = false;
    static FileDialogAnswer Cancel() { return {}; }
    static FileDialogAnswer Choose(std::vector<CString> paths) {
        return {true, std::move(paths), false};
    }
    static FileDialogAnswer Overflow() { return {true, {}, true}; }
};

class IUiDriver {
public:
    virtual ~IUiDriver() = default;
    // The answer: IDOK, IDCANCEL, IDYES or IDNO, one of the request's buttons.
    virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
    // Called again when the dialog stays open after an answer (a missing file
    // with must-exist, an overwrite declined).
    virtual FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) = 0;
    // Acts on a modal dialog or property sheet (CDialog, CPropertySheet),
    // after its initialisation, until it ends (IsModalEnded). A dialog the
    // driver leaves open is cancelled; by default it says so on stderr.
    virtual void RunModal(CWnd& dialog);
    // A dialog could not be created (its template is missing from the
    // current resource module): DoModal returns -1.
    virtual void CreateFailed(const CString& what);
    virtual void ProgressOpened(const CProgressWnd&) {}
    virtual void ProgressChanged(const CProgressWnd&) {}
    // The window pumps its messages; true when the user has cancelled.
    virtual bool ProgressPump(const CProgressWnd&) { return false; }
    virtual void ProgressClosed(const CProgressWnd&) {}

    virtual void WaitCursorChanged(bool shown) { (void)shown; }
};

// How drivers and messages name a modal window: "dialog 9000 "caption"" or
// "property sheet "caption"".
CString DescribeWindow(const CWnd& dialog);

// The running driver; never null.
IUiDriver& CurrentDriver();
// The answer of a user who declines a message box with these buttons:
// Cancel where there is one, else No, else OK.
int CautiousAnswer(UINT buttons);

// Installs a driver (null: the default) and returns the one it replaces.
IUiDriver* SetCurrentDriver(IUiDriver* driver);

// Installs a driver for a scope and puts the previous one back.
class DriverScope {
public:
    explicit DriverScope(IUiDriver* driver) : m_previous(SetCurrentDriver(driver)) {}
    ~DriverScope() { SetCurrentDriver(m_previous); }
    DriverScope(const DriverScope&) = delete;
    DriverScope& operator=(const DriverScope&) = delete;

private:
    IUiDriver* m_previous;
};

}  // namespace platform::ui
