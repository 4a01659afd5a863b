#include "platform/ui/UiDriver.h"

#include <cstdio>

#include "platform/WaitCursor.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PropertySheet.h"

namespace platform::ui {

UINT MessageBoxRequest::Buttons() const { return type & MB_TYPEMASK; }
UINT MessageBoxRequest::Icon() const { return type & MB_ICONMASK; }

CString FileDialogRequest::Caption() const {
    if (!title.IsEmpty()) return title;
    return open ? "打开" : "另存为";
}

namespace {

// Without a driver nobody can answer: messages are printed and every question
// gets its cautious answer, every file dialog a cancel.
class QuietDriver final : public IUiDriver {
public:
    int ShowMessageBox(const MessageBoxRequest& r) override {
        const char* word = IconWord(r.type);
        std::fprintf(stderr, "%s%s%s\n", word, *word ? ": " : "", r.text.GetString());
        switch (r.Buttons()) {
            case MB_OKCANCEL:
            case MB_YESNOCANCEL:
                return IDCANCEL;
            case MB_YESNO:
                return IDNO;
            default:
                return IDOK;
        }
    }
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& r) override {
        std::fprintf(stderr, "%s: nobody can answer here, cancelled\n", r.Caption().GetString());
        return FileDialogAnswer::Cancel();
    }
};

QuietDriver g_quiet;
IUiDriver* g_driver = nullptr;

// The wait cursor tells whichever driver runs when it appears and goes.
const bool g_waitCursorHooked = [] {
    CWaitCursor::SetListener([](bool shown) { CurrentDriver().WaitCursorChanged(shown); });
    return true;
}();

}  // namespace

void IUiDriver::RunModal(CWnd& dialog) {
    std::fprintf(stderr, "%s: nobody can answer here, cancelled\n",
                 DescribeWindow(dialog).GetString());
}

void IUiDriver::CreateFailed(const CString& what) {
    std::fprintf(stderr, "%s\n", what.GetString());
}

CString DescribeWindow(const CWnd& dialog) {
    if (const auto* sheet = dynamic_cast<const CPropertySheet*>(&dialog))
        return CString::Formatted("%s \"%s\"", sheet->IsWizard() ? "wizard" : "property sheet",
                                  sheet->GetTitle());
    if (const auto* dlg = dynamic_cast<const CDialog*>(&dialog))
        return CString::Formatted("dialog %u \"%s\"", dlg->GetTemplateId(), dlg->GetWindowText());
    return CString::Formatted("window %u", dialog.GetDlgCtrlID());
}

int CautiousAnswer(UINT buttons) {
    switch (buttons) {
        case MB_OKCANCEL:
        case MB_YESNOCANCEL:
            return IDCANCEL;
        case MB_YESNO:
            return IDNO;
        default:
            return IDOK;
    }
}

IUiDriver& CurrentDriver() { return g_driver ? *g_driver : g_quiet; }

IUiDriver* SetCurrentDriver(IUiDriver* driver) {
    IUiDriver* previous = g_driver;
    g_driver = driver;
    return previous;
}

}  // namespace platform::ui
