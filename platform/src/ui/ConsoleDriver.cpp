#include "platform/ui/ConsoleDriver.h"

#include <signal.h>
#include <unistd.h>

#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgressWnd.h"
#include "platform/ui/PropertySheet.h"

namespace platform::ui {

namespace {

volatile sig_atomic_t g_interrupted = 0;
int g_progressOpen = 0;
struct sigaction g_previousAction;

void OnInterrupt(int) { g_interrupted = 1; }

// Ctrl-C cancels the running progress while one is open; otherwise the
// program's own handling stands.
void CatchInterrupt() {
    if (g_progressOpen++ > 0) return;
    g_interrupted = 0;
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &g_previousAction);
}

void ReleaseInterrupt() {
    if (g_progressOpen == 0 || --g_progressOpen > 0) return;
    sigaction(SIGINT, &g_previousAction, nullptr);
}

const char* AnswerWord(int answer) {
    switch (answer) {
        case IDOK:
            return "OK";
        case IDCANCEL:
            return "Cancel";
        case IDYES:
            return "Yes";
        case IDNO:
            return "No";
        default:
            return "?";
    }
}

}  // namespace

ConsoleDriver::ConsoleDriver(std::FILE* out, int terminal)
    : m_previous(SetCurrentDriver(this)),
      m_out(out),
      m_terminal(terminal < 0 ? ::isatty(::fileno(out)) != 0 : terminal != 0) {}

ConsoleDriver::~ConsoleDriver() { SetCurrentDriver(m_previous); }

DialogScript& ConsoleDriver::PresetDialog(UINT templateId) { return m_dialogs[templateId]; }

DialogScript& ConsoleDriver::PresetSheet(const CString& caption) { return m_sheets[caption]; }

void ConsoleDriver::PresetFiles(const CString& caption, std::vector<CString> paths) {
    m_files.push_back({caption, std::move(paths), DialogScript()});
}

void ConsoleDriver::PresetFiles(const CString& caption, std::vector<CString> paths,
                                DialogScript before) {
    m_files.push_back({caption, std::move(paths), std::move(before)});
}

void ConsoleDriver::PresetAnswer(const CString& text, int answer) { m_answers[text] = answer; }

void ConsoleDriver::Error(const CString& what) {
    m_errors.push_back(what);
    if (m_barOpen) std::fputc('\n', m_out);
    m_barOpen = false;
    std::fprintf(m_out, "error: %s\n", what.GetString());
    std::fflush(m_out);
}

int ConsoleDriver::ShowMessageBox(const MessageBoxRequest& r) {
    const UINT buttons = r.Buttons();
    int answer = CautiousAnswer(buttons);
    auto preset = m_answers.find(r.text);
    if (preset != m_answers.end()) answer = preset->second;
    if (m_barOpen) std::fputc('\n', m_out);
    m_barOpen = false;
    const char* word = IconWord(r.type);
    std::fprintf(m_out, "%s%s%s", word, *word ? ": " : "", r.text.GetString());
    if (buttons != MB_OK) std::fprintf(m_out, " -> %s", AnswerWord(answer));
    std::fputc('\n', m_out);
    std::fflush(m_out);
    return answer;
}

FileDialogAnswer ConsoleDriver::ShowFileDialog(const FileDialogRequest& r) {
    const CString caption = r.Caption();
    for (auto it = m_files.begin(); it != m_files.end(); ++it) {
        if (!it->caption.IsEmpty() && it->caption != caption) continue;
        FilePreset preset = std::move(*it);
        m_files.erase(it);
        if (!preset.before.IsEmpty()) {
            const CString why = r.custom ? preset.before.Run(*r.custom)
                                         : CString("the dialog has no controls of its own");
            if (!why.IsEmpty()) {
                Error(CString::Formatted("file dialog \"%s\": %s", caption, why));
                return FileDialogAnswer::Cancel();
            }
        }
        return FileDialogAnswer::Choose(std::move(preset.paths));
    }
    Error(CString::Formatted("no answer for the %s file dialog \"%s\"", r.open ? "open" : "save",
                             caption));
    return FileDialogAnswer::Cancel();
}

void ConsoleDriver::RunModal(CWnd& dialog) {
    const CString what = DescribeWindow(dialog);
    const DialogScript* script = nullptr;
    if (const auto* sheet = dynamic_cast<const CPropertySheet*>(&dialog)) {
        auto it = m_sheets.find(sheet->GetTitle());
        if (it != m_sheets.end()) script = &it->second;
    } else if (const auto* dlg = dynamic_cast<const CDialog*>(&dialog)) {
        auto it = m_dialogs.find(dlg->GetTemplateId());
        if (it != m_dialogs.end()) script = &it->second;
    }
    if (!script) {
        Error("no answer for " + what);
    } else {
        const CString why = script->Run(dialog);
        if (!why.IsEmpty())
            Error(what + ": " + why);
        else if (!dialog.IsModalEnded())
            Error(what + " is still open after its answer");
    }
    if (!dialog.IsModalEnded()) dialog.EndModal(IDCANCEL);
}

void ConsoleDriver::CreateFailed(const CString& what) { Error(what); }

void ConsoleDriver::DrawProgress(const CProgressWnd& wnd, bool force) {
    const int percent = wnd.GetPercent();
    int& shown = m_shownPercent[&wnd];
    if (!force && percent == shown) return;
    shown = percent;
    const CString label = wnd.GetText().IsEmpty() ? wnd.GetTitle() : wnd.GetText();
    if (m_terminal) {
        constexpr int kWidth = 30;
        const int filled = percent * kWidth / 100;
        std::fprintf(m_out, "\r%s [%s%s] %3d%%", label.GetString(),
                     CString('#', filled).GetString(), CString('.', kWidth - filled).GetString(),
                     percent);
        m_barOpen = true;
    } else {
        std::fprintf(m_out, "%s %d%%\n", label.GetString(), percent);
    }
    std::fflush(m_out);
}

void ConsoleDriver::ProgressOpened(const CProgressWnd& wnd) {
    CatchInterrupt();
    m_shownPercent[&wnd] = -1;
    if (!m_terminal) {
        std::fprintf(m_out, "%s\n", wnd.GetTitle().GetString());
        std::fflush(m_out);
    }
}

void ConsoleDriver::ProgressChanged(const CProgressWnd& wnd) {
    if (wnd.IsVisible()) DrawProgress(wnd, false);
}

bool ConsoleDriver::ProgressPump(const CProgressWnd&) { return g_interrupted != 0; }

void ConsoleDriver::ProgressClosed(const CProgressWnd& wnd) {
    if (wnd.Cancelled()) {
        if (m_barOpen) std::fputc('\n', m_out);
        m_barOpen = false;
        std::fprintf(m_out, "%s: cancelled\n", wnd.GetTitle().GetString());
    } else if (m_barOpen) {
        std::fputc('\n', m_out);
        m_barOpen = false;
    }
    std::fflush(m_out);
    m_shownPercent.erase(&wnd);
    ReleaseInterrupt();
}

}  // namespace platform::ui
