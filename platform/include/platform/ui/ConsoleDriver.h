// The console UI driver of command-line programs. Messages go to the error
// stream with their icon's word ("warning: ..."); progress shows as a bar on
// a terminal and as plain percentage lines otherwise, and Ctrl-C cancels the
// running progress. Dialogs and file dialogs are answered by presets the
// running command registers from its options; one that no preset answers is
// cancelled with an error naming it (see Errors()).
//
// Construction installs the driver, destruction puts the previous one back.
#pragma once

#include <cstdio>
#include <deque>
#include <map>
#include <vector>

#include "platform/ui/DialogScript.h"
#include "platform/ui/UiDriver.h"

namespace platform::ui {

class ConsoleDriver : public IUiDriver {
public:
    // terminal: whether out is a terminal (a bar) or not (lines); by default
    // asked of the stream.
    explicit ConsoleDriver(std::FILE* out = stderr, int terminal = -1);
    ~ConsoleDriver() override;
    ConsoleDriver(const ConsoleDriver&) = delete;
    ConsoleDriver& operator=(const ConsoleDriver&) = delete;

    // What the user does each time this dialog opens.
    DialogScript& PresetDialog(UINT templateId);
    // What the user does each time a property sheet or wizard of this caption opens.
    DialogScript& PresetSheet(const CString& caption);
    // The next file dialog of this caption ("" for any) chooses these paths.
    // Each preset answers once, in the order given; a dialog asked again
    // (a missing file, an overwrite declined) takes the next one.
    void PresetFiles(const CString& caption, std::vector<CString> paths);
    // The same, clicking controls of the dialog's own template first.
    void PresetFiles(const CString& caption, std::vector<CString> paths, DialogScript before);
    // The answer to a question with this text (default: the cautious one,
    // Cancel or No).
    void PresetAnswer(const CString& text, int answer);

    // Dialogs nobody answered and dialogs that could not be created.
    const std::vector<CString>& Errors() const { return m_errors; }

    int ShowMessageBox(const MessageBoxRequest& request) override;
    FileDialogAnswer ShowFileDialog(const FileDialogRequest& request) override;
    void RunModal(CWnd& dialog) override;
    void CreateFailed(const CString& what) override;
    void ProgressOpened(const CProgressWnd& wnd) override;
    void ProgressChanged(const CProgressWnd& wnd) override;
    bool ProgressPump(const CProgressWnd& wnd) override;
    void ProgressClosed(const CProgressWnd& wnd) override;

private:
    struct FilePreset {
        CString caption;
        std::vector<CString> paths;
        DialogScript before;
    };
    void Error(const CString& what);
    void DrawProgress(const CProgressWnd& wnd, bool force);

    IUiDriver* m_previous;
    std::FILE* m_out;
    bool m_terminal;
    std::map<UINT, DialogScript> m_dialogs;
    std::map<CString, DialogScript> m_sheets;
    std::deque<FilePreset> m_files;
    std::map<CString, int> m_answers;
    std::vector<CString> m_errors;
    std::map<const CProgressWnd*, int> m_shownPercent;
    bool m_barOpen = false;
};

}  // namespace platform::ui
