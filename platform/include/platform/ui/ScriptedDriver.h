// The scripted UI driver for tests: the interactions a test expects, in the
// order they happen, each with its answer. Every message box is recorded;
// an interaction nobody expected, or one that differs from the next expected
// one, is a failure that names it (and gets the cautious answer: cancel, no).
//
// Construction installs the driver, destruction puts the previous one back.
// In GoogleTest tests use ScriptedUi (platform/ui/testing/ScriptedUi.h),
// which turns failures into test failures and checks at its end that every
// expected interaction happened.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/DialogScript.h"
#include "platform/ui/UiDriver.h"

namespace platform::ui {

class ScriptedDriver;

class Expectation {
public:
    virtual ~Expectation() = default;
    virtual CString Describe() const = 0;
};

class MessageExpectation final : public Expectation {
public:
    explicit MessageExpectation(CString text) : m_text(std::move(text)) {}
    MessageExpectation& Caption(CString caption);
    MessageExpectation& Icon(UINT icon);        // MB_ICONERROR ..., 0 for none
    MessageExpectation& Buttons(UINT buttons);  // MB_OK, MB_OKCANCEL, MB_YESNO ...
    MessageExpectation& Owner(const CWnd* owner);
    // IDOK, IDCANCEL, IDYES, IDNO; by default the first button (OK or Yes).
    MessageExpectation& Answer(int answer);
    CString Describe() const override;

private:
    friend class ScriptedDriver;
    CString m_text;
    std::optional<CString> m_caption;
    std::optional<UINT> m_icon;
    std::optional<UINT> m_buttons;
    std::optional<const CWnd*> m_owner;
    std::optional<int> m_answer;
};

class FileDialogExpectation final : public Expectation {
public:
    FileDialogExpectation& Open();  // an open dialog (by default either kind)
    FileDialogExpectation& Save();
    FileDialogExpectation& Title(CString title);
    // Looks at the request (flags, filter, folder ...) with the test's own checks.
    FileDialogExpectation& Inspect(std::function<void(const FileDialogRequest&)> check);
    // Chooses these files (a name without folder lies in the initial folder).
    FileDialogExpectation& Answer(CString path);
    FileDialogExpectation& Answer(std::vector<CString> paths);
    FileDialogExpectation& Cancel();
    // The user chooses more names than the buffer holds.
    FileDialogExpectation& Overflow();
    // Before choosing, the user clicks a control of the dialog's own child
    // template, or the test takes its own step on it.
    FileDialogExpectation& Click(UINT id);
    FileDialogExpectation& Do(std::function<void(CWnd& dialog)> step);
    CString Describe() const override;

private:
    friend class ScriptedDriver;
    std::optional<bool> m_open;
    std::optional<CString> m_title;
    std::function<void(const FileDialogRequest&)> m_inspect;
    DialogScript m_before;
    FileDialogAnswer m_answer;
};

// A dialog (by template identifier) or a property sheet or wizard (by
// caption) and what the user does in it.
class DialogExpectation final : public Expectation {
public:
    DialogExpectation(UINT templateId, std::optional<CString> caption, bool sheet)
        : m_templateId(templateId), m_caption(std::move(caption)), m_sheet(sheet) {}
    CString Describe() const override;
    bool Matches(const CWnd& window) const;
    DialogScript script;

private:
    UINT m_templateId;
    std::optional<CString> m_caption;
    bool m_sheet;
};

class ProgressExpectation final : public Expectation {
public:
    ProgressExpectation& Title(CString title);
    // The user cancels at the first pump at or past this position.
    ProgressExpectation& CancelAt(int position);
    CString Describe() const override;

private:
    friend class ScriptedDriver;
    std::optional<CString> m_title;
    std::optional<int> m_cancelAt;
};

struct MessageRecord {
    CString text;
    CString caption;
    UINT type = 0;
    const CWnd* owner = nullptr;
    int answer = 0;
    UINT Icon() const { return type & 0xF0u; }
    UINT Buttons() const { return type & 0x0Fu; }
};

struct ProgressRecord {
    CString title;
    std::vector<CString> texts;  // every text shown, in order
    std::vector<int> positions;  // every position shown, in order
    int lower = 0;
    int upper = 0;
    int pumps = 0;
    bool cancelled = false;
    bool closed = false;
};

class ScriptedDriver : public IUiDriver {
public:
    using FailureHandler = std::function<void(const CString&)>;
    // Failures go to the handler (and are kept in Failures()).
    explicit ScriptedDriver(FailureHandler onFailure = nullptr);
    ~ScriptedDriver() override;
    ScriptedDriver(const ScriptedDriver&) = delete;
    ScriptedDriver& operator=(const ScriptedDriver&) = delete;

    MessageExpectation& ExpectMessage(CString text);
    FileDialogExpectation& ExpectFileDialog();
    // A dialog of this template opens; the script is what the user does
    // there. A dialog the script leaves open is a failure (and is cancelled).
    DialogScript& ExpectDialog(UINT templateId);
    DialogScript& ExpectDialog(UINT templateId, CString caption);
    // A property sheet or wizard with this caption opens.
    DialogScript& ExpectSheet(CString caption);
    // Progress windows need no expectation; one is only needed to check the
    // title or to cancel.
    ProgressExpectation& ExpectProgress();

    // Every message box shown, in order, with the answer given.
    const std::vector<MessageRecord>& Messages() const { return m_messages; }
    // Every progress window opened, in order.
    const std::vector<ProgressRecord>& Progress() const { return m_progress; }
    // Each interaction in a line ("message: ...", "file dialog: ...").
    const std::vector<CString>& Log() const { return m_log; }
    const std::vector<CString>& Failures() const { return m_failures; }
    int WaitCursorShows() const { return m_waitCursorShows; }
    // Expected interactions that did not happen yet.
    int Pending() const { return static_cast<int>(m_expected.size() - m_next); }
    // Reports every expected interaction that has not happened.
    void VerifyDone();

    int ShowMessageBox(const MessageBoxRequest& request) override;
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override;
    void RunModal(CWnd& dialog) override;
    void CreateFailed(const CString& what) override;
    void ProgressOpened(const CProgressWnd& wnd) override;
    void ProgressChanged(const CProgressWnd& wnd) override;
    bool ProgressPump(const CProgressWnd& wnd) override;
    void ProgressClosed(const CProgressWnd& wnd) override;
    void WaitCursorChanged(bool shown) override;

protected:
    void Fail(const CString& what);
    // The next expectation when it is of type T, else null (nothing consumed).
    template <typename T>
    T* Peek() {
        return m_next < m_expected.size() ? dynamic_cast<T*>(m_expected[m_next].get()) : nullptr;
    }
    CString NextDescription() const;
    template <typename T>
    T& Add(std::unique_ptr<T> e) {
        T& ref = *e;
        m_expected.push_back(std::move(e));
        return ref;
    }
    size_t m_next = 0;

private:
    struct OpenProgress {
        const CProgressWnd* wnd;
        size_t record;
        std::optional<int> cancelAt;
    };
    OpenProgress* FindProgress(const CProgressWnd& wnd);

    IUiDriver* m_previous;
    FailureHandler m_onFailure;
    std::vector<std::unique_ptr<Expectation>> m_expected;
    std::vector<MessageRecord> m_messages;
    std::vector<ProgressRecord> m_progress;
    std::vector<OpenProgress> m_openProgress;
    std::vector<CString> m_log;
    std::vector<CString> m_failures;
    int m_waitCursorShows = 0;
};

}  // namespace platform::ui
