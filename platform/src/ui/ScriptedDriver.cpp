#include "platform/ui/ScriptedDriver.h"

#include <cstdio>

#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgressWnd.h"
#include "platform/ui/PropertySheet.h"

namespace platform::ui {

namespace {

const char* ButtonsWord(UINT buttons) {
    switch (buttons) {
        case MB_OK:
            return "OK";
        case MB_OKCANCEL:
            return "OK-Cancel";
        case MB_YESNOCANCEL:
            return "Yes-No-Cancel";
        case MB_YESNO:
            return "Yes-No";
        default:
            return "other buttons";
    }
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

CString IconName(UINT type) {
    const char* word = IconWord(type);
    return *word ? CString(word) : CString("no icon");
}

CString DescribeMessage(const CString& text, const CString& caption, UINT type) {
    return CString::Formatted("message box \"%s\" (caption \"%s\", %s, %s)", text, caption,
                              IconName(type), ButtonsWord(type & MB_TYPEMASK));
}

CString DescribeFileDialog(const FileDialogRequest& r) {
    return CString::Formatted("%s file dialog \"%s\"", r.open ? "open" : "save", r.Caption());
}

bool IsButtonOf(int answer, UINT buttons) {
    switch (buttons) {
        case MB_OK:
            return answer == IDOK;
        case MB_OKCANCEL:
            return answer == IDOK || answer == IDCANCEL;
        case MB_YESNOCANCEL:
            return answer == IDYES || answer == IDNO || answer == IDCANCEL;
        case MB_YESNO:
            return answer == IDYES || answer == IDNO;
        default:
            return true;
    }
}

int FirstButton(UINT buttons) {
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}

}  // namespace

// --- expectations

MessageExpectation& MessageExpectation::Caption(CString caption) {
    m_caption = std::move(caption);
    return *this;
}
MessageExpectation& MessageExpectation::Icon(UINT icon) {
    m_icon = icon & MB_ICONMASK;
    return *this;
}
MessageExpectation& MessageExpectation::Buttons(UINT buttons) {
    m_buttons = buttons & MB_TYPEMASK;
    return *this;
}
MessageExpectation& MessageExpectation::Owner(const CWnd* owner) {
    m_owner = owner;
    return *this;
}
MessageExpectation& MessageExpectation::Answer(int answer) {
    m_answer = answer;
    return *this;
}
CString MessageExpectation::Describe() const {
    return CString::Formatted("message box \"%s\"", m_text);
}

FileDialogExpectation& FileDialogExpectation::Open() {
    m_open = true;
    return *this;
}
FileDialogExpectation& FileDialogExpectation::Save() {
    m_open = false;
    return *this;
}
FileDialogExpectation& FileDialogExpectation::Title(CString title) {
    m_title = std::move(title);
    return *this;
}
FileDialogExpectation& FileDialogExpectation::Inspect(
    std::function<void(const FileDialogRequest&)> check) {
    m_inspect = std::move(check);
    return *this;
}
FileDialogExpectation& FileDialogExpectation::Answer(CString path) {
    return Answer(std::vector<CString>{std::move(path)});
}
FileDialogExpectation& FileDialogExpectation::Answer(std::vector<CString> paths) {
    m_answer = FileDialogAnswer::Choose(std::move(paths));
    return *this;
}
FileDialogExpectation& FileDialogExpectation::Cancel() {
    m_answer = FileDialogAnswer::Cancel();
    return *this;
}
FileDialogExpectation& FileDialogExpectation::Overflow() {
    m_answer = FileDialogAnswer::Overflow();
    return *this;
}
FileDialogExpectation& FileDialogExpectation::Click(UINT id) {
    m_before.Click(id);
    return *this;
}
FileDialogExpectation& FileDialogExpectation::Do(std::function<void(CWnd& dialog)> step) {
    m_before.Do(std::move(step));
    return *this;
}
CString FileDialogExpectation::Describe() const {
    CString kind = !m_open ? "file dialog" : (*m_open ? "open file dialog" : "save file dialog");
    if (m_title) kind.AppendFormat(" \"%s\"", *m_title);
    return kind;
}

CString DialogExpectation::Describe() const {
    CString what =
        m_sheet ? CString("property sheet") : CString::Formatted("dialog %u", m_templateId);
    if (m_caption) what.AppendFormat(" \"%s\"", *m_caption);
    return what;
}

bool DialogExpectation::Matches(const CWnd& window) const {
    if (m_sheet) {
        const auto* sheet = dynamic_cast<const CPropertySheet*>(&window);
        return sheet && (!m_caption || sheet->GetTitle() == *m_caption);
    }
    const auto* dlg = dynamic_cast<const CDialog*>(&window);
    return dlg && !dynamic_cast<const CPropertySheet*>(&window) &&
           dlg->GetTemplateId() == m_templateId &&
           (!m_caption || dlg->GetWindowText() == *m_caption);
}

ProgressExpectation& ProgressExpectation::Title(CString title) {
    m_title = std::move(title);
    return *this;
}
ProgressExpectation& ProgressExpectation::CancelAt(int position) {
    m_cancelAt = position;
    return *this;
}
CString ProgressExpectation::Describe() const {
    return m_title ? CString::Formatted("progress window \"%s\"", *m_title)
                   : CString("progress window");
}

// --- the driver

ScriptedDriver::ScriptedDriver(FailureHandler onFailure)
    : m_previous(SetCurrentDriver(this)), m_onFailure(std::move(onFailure)) {}

ScriptedDriver::~ScriptedDriver() { SetCurrentDriver(m_previous); }

MessageExpectation& ScriptedDriver::ExpectMessage(CString text) {
    return Add(std::make_unique<MessageExpectation>(std::move(text)));
}
FileDialogExpectation& ScriptedDriver::ExpectFileDialog() {
    return Add(std::make_unique<FileDialogExpectation>());
}
DialogScript& ScriptedDriver::ExpectDialog(UINT templateId) {
    return Add(std::make_unique<DialogExpectation>(templateId, std::nullopt, false)).script;
}
DialogScript& ScriptedDriver::ExpectDialog(UINT templateId, CString caption) {
    return Add(std::make_unique<DialogExpectation>(templateId, std::move(caption), false)).script;
}
DialogScript& ScriptedDriver::ExpectSheet(CString caption) {
    return Add(std::make_unique<DialogExpectation>(0, std::move(caption), true)).script;
}
ProgressExpectation& ScriptedDriver::ExpectProgress() {
    return Add(std::make_unique<ProgressExpectation>());
}

void ScriptedDriver::Fail(const CString& what) {
    m_failures.push_back(what);
    m_log.push_back("FAILED: " + what);
    if (m_onFailure)
        m_onFailure(what);
    else
        std::fprintf(stderr, "scripted UI: %s\n", what.GetString());
}

CString ScriptedDriver::NextDescription() const {
    return m_next < m_expected.size() ? m_expected[m_next]->Describe() : CString("nothing");
}

void ScriptedDriver::VerifyDone() {
    for (; m_next < m_expected.size(); ++m_next)
        Fail("expected " + m_expected[m_next]->Describe() + ", which never came");
}

int ScriptedDriver::ShowMessageBox(const MessageBoxRequest& r) {
    const CString what = DescribeMessage(r.text, r.caption, r.type);
    const UINT buttons = r.Buttons();
    int answer = CautiousAnswer(buttons);
    MessageExpectation* e = Peek<MessageExpectation>();
    if (!e) {
        Fail("unexpected " + what + "; expected " + NextDescription());
    } else if (e->m_text != r.text) {
        // Counted as the expected message, so one wrong text is one failure.
        ++m_next;
        Fail("unexpected " + what + "; expected " + e->Describe());
    } else {
        ++m_next;
        if (e->m_caption && *e->m_caption != r.caption)
            Fail(CString::Formatted("%s: caption should be \"%s\"", what, *e->m_caption));
        if (e->m_icon && *e->m_icon != r.Icon())
            Fail(CString::Formatted("%s: icon should be %s", what, IconName(*e->m_icon)));
        if (e->m_buttons && *e->m_buttons != buttons)
            Fail(CString::Formatted("%s: buttons should be %s", what, ButtonsWord(*e->m_buttons)));
        if (e->m_owner && *e->m_owner != r.owner) Fail(what + ": has another owner than expected");
        answer = e->m_answer.value_or(FirstButton(buttons));
        if (!IsButtonOf(answer, buttons)) {
            Fail(CString::Formatted("%s: cannot answer %s", what, AnswerWord(answer)));
            answer = CautiousAnswer(buttons);
        }
    }
    m_messages.push_back({r.text, r.caption, r.type, r.owner, answer});
    m_log.push_back(CString::Formatted("%s -> %s", what, AnswerWord(answer)));
    return answer;
}

FileDialogAnswer ScriptedDriver::ShowFileDialog(const FileDialogRequest& r) {
    const CString what = DescribeFileDialog(r);
    FileDialogExpectation* e = Peek<FileDialogExpectation>();
    if (!e || (e->m_open && *e->m_open != r.open) || (e->m_title && *e->m_title != r.Caption())) {
        Fail("unexpected " + what + "; expected " + NextDescription());
        m_log.push_back(what + " -> cancelled");
        return FileDialogAnswer::Cancel();
    }
    ++m_next;
    if (e->m_inspect) e->m_inspect(r);
    if (!e->m_before.IsEmpty()) {
        if (!r.custom) {
            Fail(what + " has no controls of its own to use");
        } else {
            const CString why = e->m_before.Run(*r.custom);
            if (!why.IsEmpty()) Fail(what + ": " + why);
        }
    }
    const FileDialogAnswer& a = e->m_answer;
    CString answer = !a.ok ? CString("cancelled") : a.overflow ? CString("overflow") : CString();
    for (const CString& p : a.paths) answer += (answer.IsEmpty() ? "" : ", ") + p;
    m_log.push_back(what + " -> " + answer);
    return a;
}

void ScriptedDriver::RunModal(CWnd& dialog) {
    const CString what = DescribeWindow(dialog);
    DialogExpectation* e = Peek<DialogExpectation>();
    if (!e || !e->Matches(dialog)) {
        Fail("unexpected " + what + "; expected " + NextDescription());
        m_log.push_back(what + " -> cancelled");
        dialog.EndModal(IDCANCEL);
        return;
    }
    ++m_next;
    m_log.push_back(what);
    const CString why = e->script.Run(dialog);
    if (!why.IsEmpty()) {
        Fail(what + ": " + why);
    } else if (!dialog.IsModalEnded()) {
        Fail(what + " is still open after its script");
    }
    if (!dialog.IsModalEnded()) dialog.EndModal(IDCANCEL);
    m_log.push_back(CString::Formatted("%s -> %d", what, dialog.GetModalResult()));
}

void ScriptedDriver::CreateFailed(const CString& what) { Fail(what); }

ScriptedDriver::OpenProgress* ScriptedDriver::FindProgress(const CProgressWnd& wnd) {
    for (OpenProgress& p : m_openProgress)
        if (p.wnd == &wnd) return &p;
    return nullptr;
}

void ScriptedDriver::ProgressOpened(const CProgressWnd& wnd) {
    ProgressRecord rec;
    rec.title = wnd.GetTitle();
    rec.lower = wnd.GetLower();
    rec.upper = wnd.GetUpper();
    if (!wnd.GetText().IsEmpty()) rec.texts.push_back(wnd.GetText());
    rec.positions.push_back(wnd.GetPos());
    m_progress.push_back(rec);
    OpenProgress open{&wnd, m_progress.size() - 1, std::nullopt};
    if (ProgressExpectation* e = Peek<ProgressExpectation>()) {
        if (e->m_title && *e->m_title != wnd.GetTitle()) {
            Fail(CString::Formatted("progress window \"%s\" opened; expected %s", wnd.GetTitle(),
                                    e->Describe()));
        } else {
            ++m_next;
            open.cancelAt = e->m_cancelAt;
        }
    }
    m_openProgress.push_back(open);
    m_log.push_back(CString::Formatted("progress window \"%s\"", wnd.GetTitle()));
}

void ScriptedDriver::ProgressChanged(const CProgressWnd& wnd) {
    OpenProgress* p = FindProgress(wnd);
    if (!p) return;
    ProgressRecord& rec = m_progress[p->record];
    rec.title = wnd.GetTitle();
    rec.lower = wnd.GetLower();
    rec.upper = wnd.GetUpper();
    if (!wnd.GetText().IsEmpty() && (rec.texts.empty() || rec.texts.back() != wnd.GetText()))
        rec.texts.push_back(wnd.GetText());
    if (rec.positions.empty() || rec.positions.back() != wnd.GetPos())
        rec.positions.push_back(wnd.GetPos());
}

bool ScriptedDriver::ProgressPump(const CProgressWnd& wnd) {
    OpenProgress* p = FindProgress(wnd);
    if (!p) return false;
    ProgressRecord& rec = m_progress[p->record];
    ++rec.pumps;
    if (p->cancelAt && wnd.GetPos() >= *p->cancelAt && !rec.cancelled) {
        rec.cancelled = true;
        m_log.push_back(CString::Formatted("progress window \"%s\" cancelled at %d", wnd.GetTitle(),
                                           wnd.GetPos()));
    }
    return rec.cancelled;
}

void ScriptedDriver::ProgressClosed(const CProgressWnd& wnd) {
    for (size_t i = 0; i < m_openProgress.size(); ++i) {
        if (m_openProgress[i].wnd != &wnd) continue;
        m_progress[m_openProgress[i].record].closed = true;
        m_openProgress.erase(m_openProgress.begin() + static_cast<std::ptrdiff_t>(i));
        return;
    }
}

void ScriptedDriver::WaitCursorChanged(bool shown) {
    if (shown) ++m_waitCursorShows;
}

}  // namespace platform::ui
