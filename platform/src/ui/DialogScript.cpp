#include "platform/ui/DialogScript.h"

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/TreeCtrl.h"

namespace platform::ui {

namespace {

// Where the user's controls are: a sheet's active page, else the window.
CWnd& Surface(CWnd& window) {
    if (auto* sheet = dynamic_cast<CPropertySheet*>(&window))
        if (CPropertyPage* page = sheet->GetActivePage()) return *page;
    return window;
}

CWnd* Find(CWnd& window, UINT id) {
    if (CWnd* w = Surface(window).GetDlgItem(id)) return w;
    return window.GetDlgItem(id);
}

// The control of that kind the user can reach, or why not.
template <class T>
T* Reach(CWnd& window, UINT id, const char* kind, CString& why) {
    CWnd* w = Find(window, id);
    if (!w) {
        why = CString::Formatted("there is no control %u", id);
        return nullptr;
    }
    T* c = dynamic_cast<T*>(w);
    if (!c) {
        why = CString::Formatted("control %u is not %s", id, kind);
        return nullptr;
    }
    if (!c->IsWindowVisible()) {
        why = CString::Formatted("control %u is hidden", id);
        return nullptr;
    }
    if (!c->IsWindowEnabled()) {
        why = CString::Formatted("control %u is disabled", id);
        return nullptr;
    }
    return c;
}

int FindListItem(const CListCtrl& list, const CString& text) {
    for (int i = 0; i < list.GetItemCount(); ++i)
        if (list.GetItemText(i, 0) == text) return i;
    return -1;
}

// Finds an item of a tree or list control by its text (a tree takes a
// "Parent/Child" path) and acts on it; the reason otherwise.
template <class OnTree, class OnList>
CString OnNamedItem(CWnd& w, UINT id, const CString& text, const char* kinds, OnTree onTree,
                    OnList onList) {
    CString why;
    if (auto* tree = dynamic_cast<CTreeCtrl*>(Find(w, id))) {
        if (!Reach<CTreeCtrl>(w, id, "", why)) return why;
        HTREEITEM item = tree->FindPath(text);
        if (!item) return CString::Formatted("tree %u has no item \"%s\"", id, text);
        onTree(*tree, item);
        return CString();
    }
    CListCtrl* list = Reach<CListCtrl>(w, id, kinds, why);
    if (!list) return why;
    const int index = FindListItem(*list, text);
    if (index < 0) return CString::Formatted("list %u has no item \"%s\"", id, text);
    onList(*list, index);
    return CString();
}

CString ClickButton(CWnd& window, UINT id) {
    CString why;
    CButton* b = Reach<CButton>(window, id, "a button", why);
    if (!b) return why;
    b->UserClick();
    return CString();
}

// Enter / Escape reach a dialog even without such a button.
CString Key(CWnd& window, UINT id) {
    if (Find(window, id)) return ClickButton(window, id);
    window.OnCommand(id, BN_CLICKED);
    return CString();
}

CString SheetButton(CWnd& window, UINT id, const char* name) {
    if (!dynamic_cast<CPropertySheet*>(&window))
        return CString::Formatted("%s: the window is not a property sheet", name);
    CString why;
    CButton* b = Reach<CButton>(window, id, "a button", why);
    if (!b) return CString::Formatted("%s: %s", name, why);
    b->UserClick();
    return CString();
}

}  // namespace

DialogScript& DialogScript::Add(CString what, std::function<CString(CWnd&)> act) {
    m_steps.push_back({std::move(what), std::move(act)});
    return *this;
}

DialogScript& DialogScript::SetText(UINT id, CString text) {
    return Add(CString::Formatted("type \"%s\" into %u", text, id), [id, text](CWnd& w) {
        CString why;
        CWnd* c = Find(w, id);
        if (auto* combo = dynamic_cast<CComboBox*>(c))
            return combo->UserType(text) ? CString()
                                         : CString::Formatted("cannot type into combo box %u", id);
        CEdit* edit = Reach<CEdit>(w, id, "an edit", why);
        if (!edit) return why;
        if (!edit->UserType(text)) return CString::Formatted("edit %u is read-only", id);
        return CString();
    });
}

DialogScript& DialogScript::Click(UINT id) {
    return Add(CString::Formatted("click %u", id), [id](CWnd& w) { return ClickButton(w, id); });
}

DialogScript& DialogScript::Check(UINT id, bool checked) {
    return Add(
        CString::Formatted("%s %u", checked ? "check" : "uncheck", id), [id, checked](CWnd& w) {
            CString why;
            CButton* b = Reach<CButton>(w, id, "a check box", why);
            if (!b) return why;
            const int want = checked ? BST_CHECKED : BST_UNCHECKED;
            for (int i = 0; i < 3 && b->GetCheck() != want; ++i) b->UserClick();
            return b->GetCheck() == want ? CString()
                                         : CString::Formatted("check box %u does not change", id);
        });
}

DialogScript& DialogScript::Select(UINT id, int index) {
    return Add(CString::Formatted("select item %d of %u", index, id), [id, index](CWnd& w) {
        CString why;
        CWnd* c = Find(w, id);
        if (auto* combo = dynamic_cast<CComboBox*>(c)) {
            if (!Reach<CComboBox>(w, id, "", why)) return why;
            return combo->UserSelect(index)
                       ? CString()
                       : CString::Formatted("combo box %u has no item %d", id, index);
        }
        CListCtrl* list = Reach<CListCtrl>(w, id, "a combo box or list", why);
        if (!list) return why;
        return list->UserClickItem(index) ? CString()
                                          : CString::Formatted("list %u has no item %d", id, index);
    });
}

DialogScript& DialogScript::Select(UINT id, CString text) {
    return Add(CString::Formatted("select \"%s\" in %u", text, id), [id, text](CWnd& w) {
        CString why;
        CWnd* c = Find(w, id);
        if (auto* combo = dynamic_cast<CComboBox*>(c)) {
            if (!Reach<CComboBox>(w, id, "", why)) return why;
            int index = -1;
            for (int i = 0; i < combo->GetCount() && index < 0; ++i)
                if (combo->GetLBText(i) == text) index = i;
            if (index < 0) return CString::Formatted("combo box %u has no item \"%s\"", id, text);
            combo->UserSelect(index);
            return CString();
        }
        return OnNamedItem(
            w, id, text, "a combo box, list or tree",
            [](CTreeCtrl& tree, HTREEITEM item) { tree.UserClickItem(item); },
            [](CListCtrl& list, int index) { list.UserClickItem(index); });
    });
}

DialogScript& DialogScript::SelectAlso(UINT id, CString text) {
    return Add(CString::Formatted("add \"%s\" to the selection of %u", text, id),
               [id, text](CWnd& w) {
                   return OnNamedItem(
                       w, id, text, "a list or tree",
                       [](CTreeCtrl& tree, HTREEITEM item) { tree.UserClickItem(item, true); },
                       [](CListCtrl& list, int index) { list.UserClickItem(index, true); });
               });
}

DialogScript& DialogScript::DoubleClick(UINT id, int index) {
    return Add(CString::Formatted("double-click item %d of %u", index, id), [id, index](CWnd& w) {
        CString why;
        CListCtrl* list = Reach<CListCtrl>(w, id, "a list", why);
        if (!list) return why;
        return list->UserDoubleClickItem(index)
                   ? CString()
                   : CString::Formatted("list %u has no item %d", id, index);
    });
}

DialogScript& DialogScript::DoubleClick(UINT id, CString text) {
    return Add(CString::Formatted("double-click \"%s\" in %u", text, id), [id, text](CWnd& w) {
        return OnNamedItem(
            w, id, text, "a list or tree",
            [](CTreeCtrl& tree, HTREEITEM item) { tree.UserDoubleClickItem(item); },
            [](CListCtrl& list, int index) { list.UserDoubleClickItem(index); });
    });
}

DialogScript& DialogScript::ClickHeader(UINT id, int column) {
    return Add(CString::Formatted("click header %d of %u", column, id), [id, column](CWnd& w) {
        CString why;
        CListCtrl* list = Reach<CListCtrl>(w, id, "a list", why);
        if (!list) return why;
        return list->UserClickHeader(column)
                   ? CString()
                   : CString::Formatted("list %u has no column %d", id, column);
    });
}

DialogScript& DialogScript::CheckItem(UINT id, CString text, bool checked) {
    return Add(CString::Formatted("%s \"%s\" in %u", checked ? "check" : "uncheck", text, id),
               [id, text, checked](CWnd& w) {
                   CString why;
                   CWnd* c = Find(w, id);
                   if (auto* tree = dynamic_cast<CTreeCtrl*>(c)) {
                       if (!Reach<CTreeCtrl>(w, id, "", why)) return why;
                       HTREEITEM item = tree->FindPath(text);
                       if (!item) return CString::Formatted("tree %u has no item \"%s\"", id, text);
                       for (int i = 0; i < 2 && (tree->GetCheck(item) != FALSE) != checked; ++i)
                           if (!tree->UserClickStateIcon(item))
                               return CString::Formatted("tree %u item \"%s\" has no check box", id,
                                                         text);
                       return CString();
                   }
                   CListCtrl* list = Reach<CListCtrl>(w, id, "a list or tree", why);
                   if (!list) return why;
                   const int index = FindListItem(*list, text);
                   if (index < 0) return CString::Formatted("list %u has no item \"%s\"", id, text);
                   list->UserCheckItem(index, checked);
                   return CString();
               });
}

DialogScript& DialogScript::SetDate(UINT id, const COleDateTime& time) {
    return Add(CString::Formatted("set %u to %s", id, time.Format()), [id, time](CWnd& w) {
        CString why;
        CDateTimeCtrl* picker = Reach<CDateTimeCtrl>(w, id, "a date-time picker", why);
        if (!picker) return why;
        return picker->UserSetTime(&time) ? CString()
                                          : CString::Formatted("picker %u refuses the value", id);
    });
}

DialogScript& DialogScript::ClearDate(UINT id) {
    return Add(CString::Formatted("clear %u", id), [id](CWnd& w) {
        CString why;
        CDateTimeCtrl* picker = Reach<CDateTimeCtrl>(w, id, "a date-time picker", why);
        if (!picker) return why;
        return picker->UserSetTime(nullptr) ? CString()
                                            : CString::Formatted("picker %u cannot be cleared", id);
    });
}

DialogScript& DialogScript::Ok() {
    return Add("OK", [](CWnd& w) { return Key(w, IDOK); });
}

DialogScript& DialogScript::Cancel() {
    return Add("Cancel", [](CWnd& w) { return Key(w, IDCANCEL); });
}

DialogScript& DialogScript::Apply() {
    return Add("Apply", [](CWnd& w) { return SheetButton(w, ID_APPLY_NOW, "Apply"); });
}

DialogScript& DialogScript::Next() {
    return Add("Next", [](CWnd& w) { return SheetButton(w, ID_WIZNEXT, "Next"); });
}

DialogScript& DialogScript::Back() {
    return Add("Back", [](CWnd& w) { return SheetButton(w, ID_WIZBACK, "Back"); });
}

DialogScript& DialogScript::Finish() {
    return Add("Finish", [](CWnd& w) { return SheetButton(w, ID_WIZFINISH, "Finish"); });
}

DialogScript& DialogScript::SelectPage(int index) {
    return Add(CString::Formatted("select page %d", index), [index](CWnd& w) {
        auto* sheet = dynamic_cast<CPropertySheet*>(&w);
        if (!sheet || sheet->IsWizard()) return CString("the window has no tabs");
        if (!sheet->GetPage(index)) return CString::Formatted("there is no page %d", index);
        sheet->SetActivePage(index);
        return CString();
    });
}

DialogScript& DialogScript::Do(std::function<void(CWnd& page)> step) {
    return Add("the test's own step", [step = std::move(step)](CWnd& w) {
        step(Surface(w));
        return CString();
    });
}

CString DialogScript::Run(CWnd& window) const {
    for (size_t i = 0; i < m_steps.size(); ++i) {
        const Step& s = m_steps[i];
        if (window.IsModalEnded())
            return CString::Formatted("it had closed before step %d (%s)", static_cast<int>(i + 1),
                                      s.what);
        const CString why = s.act(window);
        if (!why.IsEmpty())
            return CString::Formatted("step %d (%s): %s", static_cast<int>(i + 1), s.what, why);
    }
    return CString();
}

}  // namespace platform::ui
