// The user of the piece command: answers the file dialog with the path given
// on the command line, once; any further dialog is cancelled, and messages go
// to stderr.
#pragma once

#include "platform/ui/UiDriver.h"

class CCommandLineDriver : public platform::ui::IUiDriver {
public:
    explicit CCommandLineDriver(CString path) : m_path(std::move(path)) {}

    int ShowMessageBox(const platform::ui::MessageBoxRequest& request) override;
    platform::ui::FileDialogAnswer ShowFileDialog(
        const platform::ui::FileDialogRequest& request) override;

private:
    CString m_path;
    bool m_answered = false;
};
