#include "platform/ui/Resource.h"

#include "platform/ui/MessageBox.h"

void CResourceModule::AddDialog(DialogTemplate dialog) {
    const UINT id = dialog.id;
    m_dialogs[id] = std::move(dialog);
}

void CResourceModule::AddString(UINT id, CString text) { m_strings[id] = std::move(text); }

void CResourceModule::AddBitmap(UINT id, int width, int height) { m_bitmaps[id] = {width, height}; }

const DialogTemplate* CResourceModule::FindDialog(UINT id) const {
    auto it = m_dialogs.find(id);
    return it == m_dialogs.end() ? nullptr : &it->second;
}

const CString* CResourceModule::FindString(UINT id) const {
    auto it = m_strings.find(id);
    return it == m_strings.end() ? nullptr : &it->second;
}

bool CResourceModule::FindBitmap(UINT id, int& width, int& height) const {
    auto it = m_bitmaps.find(id);
    if (it == m_bitmaps.end()) return false;
    width = it->second.first;
    height = it->second.second;
    return true;
}

namespace {
HINSTANCE g_current = nullptr;
}

HINSTANCE AfxGetResourceHandle() { return g_current; }
void AfxSetResourceHandle(HINSTANCE module) { g_current = module; }

CResourceHandle::CResourceHandle(HINSTANCE module) : m_previous(g_current) { g_current = module; }
CResourceHandle::~CResourceHandle() { g_current = m_previous; }

bool AfxLoadString(UINT id, CString& out) {
    const CString* s = g_current ? g_current->FindString(id) : nullptr;
    if (!s) return false;
    out = *s;
    return true;
}

CString LoadResString(UINT id) {
    CString s;
    AfxLoadString(id, s);
    return s;
}

int AfxMessageBox(UINT stringId, UINT type, UINT) {
    return AfxMessageBox(LoadResString(stringId), type);
}
