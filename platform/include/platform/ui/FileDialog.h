// The common open and save file dialogs: the OPENFILENAME call and the
// CFileDialog class over it. The running UI driver chooses the files.
#pragma once

#include <vector>

#include "platform/CString.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/WinTypes.h"

// Flags.
constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_ENABLEHOOK = 0x00000020;
constexpr DWORD OFN_ENABLETEMPLATE = 0x00000040;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

// Extended errors (CommDlgExtendedError).
constexpr DWORD FNERR_SUBCLASSFAILURE = 0x3001;
constexpr DWORD FNERR_INVALIDFILENAME = 0x3002;
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;  // 12291
constexpr DWORD CDERR_FINDRESFAILURE = 0x0006;

struct OPENFILENAME {
    DWORD lStructSize = sizeof(OPENFILENAME);
    const CWnd* hwndOwner = nullptr;
    // Pairs of description and pattern, each ended by a zero, the list by a
    // second zero: "Logs\0*.log\0All\0*.*\0\0".
    const char* lpstrFilter = nullptr;
    DWORD nFilterIndex = 0;  // 1-based; 0 means the first
    // The name buffer: the initial name on entry, the chosen names on return.
    // One file: its full path. Several (multi-select): the folder, then each
    // name, each ended by a zero, the list by a second zero.
    char* lpstrFile = nullptr;
    DWORD nMaxFile = 0;  // size of lpstrFile in bytes
    char* lpstrFileTitle = nullptr;
    DWORD nMaxFileTitle = 0;
    const char* lpstrInitialDir = nullptr;
    const char* lpstrTitle = nullptr;
    DWORD Flags = 0;
    WORD nFileOffset = 0;     // offset of the (first) name in lpstrFile
    WORD nFileExtension = 0;  // offset of the extension after its dot, 0 when none
    const char* lpstrDefExt = nullptr;
    LPARAM lCustData = 0;
    UINT lpTemplateName = 0;  // child template identifier (OFN_ENABLETEMPLATE)
};
using LPOPENFILENAME = OPENFILENAME*;

// TRUE when the user chose; FALSE on cancel or error (CommDlgExtendedError
// tells which: 0 for a cancel).
BOOL GetOpenFileName(LPOPENFILENAME ofn);
BOOL GetSaveFileName(LPOPENFILENAME ofn);
// Error of the last common dialog of this thread, 0 when it succeeded or was
// cancelled.
DWORD CommDlgExtendedError();

// Iteration over the chosen names (GetStartPosition / GetNextPathName).
using POSITION = const void*;

// With OFN_ENABLETEMPLATE and m_ofn.lpTemplateName, the dialog also shows
// that child template of the current resource module: its controls are the
// dialog's own, their handlers are bound on the (derived) file dialog, and
// the driver may use them before it chooses.
class CFileDialog : public CDialog {
public:
    // filter: "Logs (*.log)|*.log|All (*.*)|*.*||"; size: the name buffer in
    // bytes (0: the default of 260).
    explicit CFileDialog(BOOL openFileDialog, const char* defExt = nullptr,
                         const char* fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const char* filter = nullptr, CWnd* parent = nullptr, DWORD size = 0);
    ~CFileDialog() override;

    // IDOK when the user chose, IDCANCEL on cancel or error (see
    // CommDlgExtendedError).
    INT_PTR DoModal() override;

    // The first (or only) chosen file.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;    // without the dot
    CString GetFileTitle() const;  // name without the extension
    CString GetFolderPath() const;
    // Every chosen file in order.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;
    std::vector<CString> GetPathNames() const;

    BOOL IsOpenDialog() const { return m_open; }

    // As in the framework, callers set m_ofn.lpstrTitle, lpstrInitialDir,
    // lpstrFile and nMaxFile (their own name buffer) before DoModal.
    OPENFILENAME m_ofn;

private:
    BOOL m_open;
    CString m_defExt;
    CString m_filter;  // converted to the zero-separated form
    std::vector<char> m_buffer;
    std::vector<CString> m_chosen;
};
