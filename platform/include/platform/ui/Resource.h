// Resources as data: dialog templates, strings and bitmap sizes, owned by the
// module that defines them. Dialogs find their template in the current
// resource module; a guard (CResourceHandle) makes a module current for a
// scope, so a dialog created without it fails instead of finding another
// module's template.
#pragma once

#include <map>
#include <vector>

#include "platform/CString.h"
#include "platform/ui/WinTypes.h"

struct DialogControlTemplate {
    UINT id = 0;
    CString className;  // WC_BUTTON, WC_EDIT ... (platform/ui/Styles.h)
    CString text;
    DWORD style = 0;  // WS_ and class styles; WS_VISIBLE is implied
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    UINT id = 0;
    CString caption;
    int cx = 0, cy = 0;  // dialog units
    DWORD style = 0;
    std::vector<DialogControlTemplate> controls;  // in tab order
};

class CResourceModule {
public:
    explicit CResourceModule(CString name) : m_name(std::move(name)) {}
    const CString& GetName() const { return m_name; }

    void AddDialog(DialogTemplate dialog);
    void AddString(UINT id, CString text);
    void AddBitmap(UINT id, int width, int height);

    const DialogTemplate* FindDialog(UINT id) const;
    const CString* FindString(UINT id) const;
    bool FindBitmap(UINT id, int& width, int& height) const;

private:
    CString m_name;
    std::map<UINT, DialogTemplate> m_dialogs;
    std::map<UINT, CString> m_strings;
    std::map<UINT, std::pair<int, int>> m_bitmaps;
};

using HINSTANCE = CResourceModule*;

// The module whose resources dialogs and strings come from (may be null).
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);

// Makes a module current for its lifetime and puts the previous one back on
// every exit, exceptions included.
class CResourceHandle {
public:
    explicit CResourceHandle(HINSTANCE module);
    ~CResourceHandle();
    CResourceHandle(const CResourceHandle&) = delete;
    CResourceHandle& operator=(const CResourceHandle&) = delete;

private:
    HINSTANCE m_previous;
};

// A string resource of the current module; false (and out unchanged) when
// it has none.
bool AfxLoadString(UINT id, CString& out);
// A string resource of the current module, "" when missing.
CString LoadResString(UINT id);
// A message box with a string resource of the current module; a missing
// string shows an empty text.
int AfxMessageBox(UINT stringId, UINT type = 0, UINT helpId = static_cast<UINT>(-1));
