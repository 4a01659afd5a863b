#include "platform/ui/FileDialog.h"

#include <cstring>

#include "platform/Path.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UiDriver.h"

namespace {

thread_local DWORD g_lastError = 0;

using platform::ui::FileDialogAnswer;
using platform::ui::FileDialogRequest;

std::vector<platform::ui::FileDialogFilter> ParseFilter(const char* f) {
    std::vector<platform::ui::FileDialogFilter> out;
    if (!f) return out;
    while (*f) {
        platform::ui::FileDialogFilter item;
        item.description = f;
        f += std::strlen(f) + 1;
        if (!*f) break;
        item.pattern = f;
        f += std::strlen(f) + 1;
        out.push_back(item);
    }
    return out;
}

FileDialogRequest MakeRequest(bool open, const OPENFILENAME& ofn) {
    FileDialogRequest r;
    r.open = open;
    r.title = ofn.lpstrTitle;
    r.filters = ParseFilter(ofn.lpstrFilter);
    r.filterIndex = ofn.nFilterIndex > 0 ? static_cast<int>(ofn.nFilterIndex) - 1 : 0;
    r.defaultExtension = ofn.lpstrDefExt;
    r.initialDirectory = ofn.lpstrInitialDir;
    if (ofn.lpstrFile && ofn.nMaxFile > 0)
        r.initialName =
            CString(ofn.lpstrFile, static_cast<int>(strnlen(ofn.lpstrFile, ofn.nMaxFile)));
    r.flags = ofn.Flags;
    r.bufferSize = ofn.nMaxFile;
    r.owner = ofn.hwndOwner;
    return r;
}

// A name the user typed without an extension gets the default one.
CString Complete(const FileDialogRequest& r, CString path) {
    if (!path.IsEmpty() && path[0] != platform::kPathSeparator && !r.initialDirectory.IsEmpty())
        path = platform::PathJoin(r.initialDirectory, path);
    if (!r.defaultExtension.IsEmpty() && platform::PathExtension(path).IsEmpty()) {
        CString ext = r.defaultExtension;
        ext.TrimLeft('.');
        path += "." + ext;
    }
    return path;
}

// What the system dialog itself says before it lets the user go on; false
// keeps the dialog open.
bool Acceptable(const FileDialogRequest& r, const std::vector<CString>& paths) {
    for (const CString& p : paths) {
        const CString name = platform::PathFileName(p);
        if ((r.flags & OFN_PATHMUSTEXIST) || (r.flags & OFN_FILEMUSTEXIST)) {
            const CString dir = platform::PathDirectory(p);
            if (!dir.IsEmpty() && !platform::PathIsDirectory(dir)) {
                MessageBox(
                    nullptr,
                    CString::Formatted("%s\n路径不存在。\n请检查路径是否正确，然后重试。", dir),
                    r.Caption(), MB_OK | MB_ICONWARNING);
                return false;
            }
        }
        if (r.open && (r.flags & OFN_FILEMUSTEXIST) && !platform::PathExists(p)) {
            MessageBox(
                nullptr,
                CString::Formatted("%s\n找不到文件。\n请检查文件名是否正确，然后重试。", name),
                r.Caption(), MB_OK | MB_ICONWARNING);
            return false;
        }
        if (!r.open && (r.flags & OFN_OVERWRITEPROMPT) && platform::PathExists(p)) {
            if (MessageBox(nullptr, CString::Formatted("%s 已存在。\n要替换它吗?", name),
                           "确认另存为", MB_YESNO | MB_ICONWARNING) != IDYES)
                return false;
        }
    }
    return true;
}

// Writes the names in the layout the callers parse; false with the buffer
// error when they do not fit (the needed size then sits in the first two
// bytes, as the system leaves it).
bool Store(OPENFILENAME& ofn, const std::vector<CString>& paths) {
    const bool multi = (ofn.Flags & OFN_ALLOWMULTISELECT) && paths.size() > 1;
    std::string out;
    WORD offset = 0;
    if (multi) {
        CString dir = platform::PathDirectory(paths[0]);
        dir.TrimRight(platform::kPathSeparator);
        if (dir.IsEmpty()) dir = CString(platform::kPathSeparator);
        out.append(dir.str()).push_back('\0');
        offset = static_cast<WORD>(out.size());
        for (const CString& p : paths) {
            if (platform::PathDirectory(p) != platform::PathDirectory(paths[0])) {
                g_lastError = FNERR_INVALIDFILENAME;  // one folder per selection
                return false;
            }
            out.append(platform::PathFileName(p).str()).push_back('\0');
        }
        out.push_back('\0');
    } else {
        out.append(paths[0].str()).push_back('\0');
        if (ofn.Flags & OFN_ALLOWMULTISELECT) out.push_back('\0');
        offset =
            static_cast<WORD>(paths[0].GetLength() - platform::PathFileName(paths[0]).GetLength());
    }
    if (!ofn.lpstrFile || out.size() > ofn.nMaxFile) {
        g_lastError = FNERR_BUFFERTOOSMALL;
        if (ofn.lpstrFile && ofn.nMaxFile >= 2) {
            const WORD need = out.size() > 0xFFFF ? 0xFFFF : static_cast<WORD>(out.size());
            std::memcpy(ofn.lpstrFile, &need, sizeof need);
        }
        return false;
    }
    std::memcpy(ofn.lpstrFile, out.data(), out.size());
    ofn.nFileOffset = offset;
    ofn.nFileExtension = 0;
    if (!multi) {
        const CString name = platform::PathFileName(paths[0]);
        const int dot = name.ReverseFind('.');
        if (dot >= 0) ofn.nFileExtension = static_cast<WORD>(offset + dot + 1);
        if (ofn.lpstrFileTitle && ofn.nMaxFileTitle > 0) {
            const size_t n = std::min<size_t>(name.GetLength(), ofn.nMaxFileTitle - 1);
            std::memcpy(ofn.lpstrFileTitle, name.GetString(), n);
            ofn.lpstrFileTitle[n] = '\0';
        }
    }
    return true;
}

BOOL Run(bool open, LPOPENFILENAME ofn, CDialog* custom) {
    g_lastError = 0;
    if (!ofn) return FALSE;
    FileDialogRequest request = MakeRequest(open, *ofn);
    request.custom = custom;
    for (;;) {
        FileDialogAnswer answer = platform::ui::CurrentDriver().ShowFileDialog(request);
        if (answer.ok && answer.overflow) {
            g_lastError = FNERR_BUFFERTOOSMALL;
            return FALSE;
        }
        if (!answer.ok || answer.paths.empty()) return FALSE;
        // A single-selection dialog cannot return several names.
        if (!(ofn->Flags & OFN_ALLOWMULTISELECT)) answer.paths.resize(1);
        for (CString& p : answer.paths) p = Complete(request, p);
        if (!Acceptable(request, answer.paths)) continue;
        return Store(*ofn, answer.paths) ? TRUE : FALSE;
    }
}

// Splits a filled name buffer back into full paths.
std::vector<CString> Parse(const OPENFILENAME& ofn) {
    std::vector<CString> out;
    if (!ofn.lpstrFile || ofn.nMaxFile == 0) return out;
    const char* p = ofn.lpstrFile;
    const char* end = p + ofn.nMaxFile;
    const CString first(p, static_cast<int>(strnlen(p, ofn.nMaxFile)));
    if (first.IsEmpty()) return out;
    const char* next = p + first.GetLength() + 1;
    if (!(ofn.Flags & OFN_ALLOWMULTISELECT) || next >= end || *next == '\0') {
        out.push_back(first);
        return out;
    }
    while (next < end && *next) {
        const CString name(next, static_cast<int>(strnlen(next, end - next)));
        out.push_back(platform::PathJoin(first, name));
        next += name.GetLength() + 1;
    }
    return out;
}

constexpr DWORD kDefaultBuffer = 260;

}  // namespace

BOOL GetOpenFileName(LPOPENFILENAME ofn) { return Run(true, ofn, nullptr); }
BOOL GetSaveFileName(LPOPENFILENAME ofn) { return Run(false, ofn, nullptr); }
DWORD CommDlgExtendedError() { return g_lastError; }

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent, DWORD)
    : m_open(openFileDialog), m_defExt(defExt), m_buffer(kDefaultBuffer, '\0') {
    if (filter) {
        m_filter = filter;
        m_filter.Replace('|', '\0');
        m_filter.str().append(2,
                              '\0');  // the list ends with an empty item whatever the caller wrote
    }
    if (fileName) {
        const size_t n = std::min<size_t>(std::strlen(fileName), m_buffer.size() - 1);
        std::memcpy(m_buffer.data(), fileName, n);
    }
    m_ofn.hwndOwner = parent;
    m_ofn.lpstrFilter = m_filter.IsEmpty() ? nullptr : m_filter.GetString();
    m_ofn.lpstrFile = m_buffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_buffer.size());
    m_ofn.lpstrDefExt = m_defExt.IsEmpty() ? nullptr : m_defExt.GetString();
    m_ofn.Flags = flags | OFN_EXPLORER;
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
    m_chosen.clear();
    CDialog* custom = nullptr;
    struct Destroy {
        CDialog* d;
        ~Destroy() { d->DestroyWindow(); }
    } destroy{this};
    if ((m_ofn.Flags & OFN_ENABLETEMPLATE) && m_ofn.lpTemplateName) {
        m_templateId = m_ofn.lpTemplateName;
        if (!CreateFromTemplate(m_parent)) {
            g_lastError = CDERR_FINDRESFAILURE;
            return IDCANCEL;
        }
        BeginModal();
        OnInitDialog();
        custom = this;
    }
    const BOOL ok = Run(m_open != FALSE, &m_ofn, custom);
    if (!ok) return IDCANCEL;
    m_chosen = Parse(m_ofn);
    return IDOK;
}

CString CFileDialog::GetPathName() const { return m_chosen.empty() ? CString() : m_chosen[0]; }
CString CFileDialog::GetFileName() const { return platform::PathFileName(GetPathName()); }
CString CFileDialog::GetFileTitle() const { return platform::PathTitle(GetPathName()); }
CString CFileDialog::GetFileExt() const {
    CString ext = platform::PathExtension(GetPathName());
    return ext.IsEmpty() ? ext : ext.Mid(1);
}
CString CFileDialog::GetFolderPath() const {
    CString dir = platform::PathDirectory(GetPathName());
    if (dir.GetLength() > 1) dir.TrimRight(platform::kPathSeparator);
    return dir;
}

POSITION CFileDialog::GetStartPosition() const {
    return m_chosen.empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t{1});
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
    const auto i = reinterpret_cast<std::uintptr_t>(pos);
    if (i == 0 || i > m_chosen.size()) {
        pos = nullptr;
        return CString();
    }
    pos = i < m_chosen.size() ? reinterpret_cast<POSITION>(i + 1) : nullptr;
    return m_chosen[i - 1];
}

std::vector<CString> CFileDialog::GetPathNames() const { return m_chosen; }
