#include "CommandLineDriver.h"

#include <cstdio>

#include "platform/ui/MessageBox.h"

using platform::ui::FileDialogAnswer;

int CCommandLineDriver::ShowMessageBox(const platform::ui::MessageBoxRequest& request) {
    const char* word = platform::ui::IconWord(request.type);
    std::fprintf(stderr, "%s%s%s\n", word, *word ? ": " : "", request.text.GetString());
    // Nobody is there to agree: take the cautious answer.
    switch (request.Buttons()) {
        case MB_OK:
            return IDOK;
        case MB_YESNO:
            return IDNO;
        default:
            return IDCANCEL;
    }
}

FileDialogAnswer CCommandLineDriver::ShowFileDialog(
    const platform::ui::FileDialogRequest& request) {
    // A dialog that comes back did not take the answer: do not loop on it.
    if (m_answered || m_path.IsEmpty()) {
        std::fprintf(stderr, "piece: the dialog \"%s\" was cancelled\n",
                     request.Caption().GetString());
        return FileDialogAnswer::Cancel();
    }
    m_answered = true;
    return FileDialogAnswer::Choose({m_path});
}
