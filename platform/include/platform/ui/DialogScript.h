// What a user does in an open dialog, property sheet or wizard, step by step:
// the scripted driver runs one per expected dialog, the console driver one
// per preset. Controls are named by their identifiers; in a property sheet
// they are looked up on the active page first, then among the sheet's
// buttons. A user cannot act on a control that is missing, disabled or
// hidden: such a step stops the script and says why.
#pragma once

#include <functional>
#include <vector>

#include "platform/CString.h"
#include "platform/Time.h"
#include "platform/ui/WinTypes.h"

class CWnd;

namespace platform::ui {

class DialogScript {
public:
    // Types into an edit (or the edit of a drop-down combo).
    DialogScript& SetText(UINT id, CString text);
    // Clicks a button, check box or radio button.
    DialogScript& Click(UINT id);
    // Clicks a check box until it has the state.
    DialogScript& Check(UINT id, bool checked = true);
    // Picks a combo item, or clicks a list item, by index.
    DialogScript& Select(UINT id, int index);
    // Picks a combo item or clicks a list item by its (first column) text, or
    // clicks a tree item by its path of texts ("Parent/Child").
    DialogScript& Select(UINT id, CString text);
    // Control-click: adds a list or tree item to the selection.
    DialogScript& SelectAlso(UINT id, CString text);
    DialogScript& DoubleClick(UINT id, int index);
    DialogScript& DoubleClick(UINT id, CString text);
    DialogScript& ClickHeader(UINT id, int column);
    // Clicks a tree item's check box (or a list item's) until it has the state.
    DialogScript& CheckItem(UINT id, CString text, bool checked = true);
    DialogScript& SetDate(UINT id, const COleDateTime& time);
    DialogScript& ClearDate(UINT id);
    // Dialog and sheet buttons. Ok and Cancel of a dialog without such a
    // button are the Enter and Escape keys.
    DialogScript& Ok();
    DialogScript& Cancel();
    DialogScript& Apply();
    DialogScript& Next();
    DialogScript& Back();
    DialogScript& Finish();
    // Clicks a property sheet's tab.
    DialogScript& SelectPage(int index);
    // The test's own step: looks at or acts on the dialog (the active page of
    // a sheet).
    DialogScript& Do(std::function<void(CWnd& page)> step);

    // Runs the steps; "" when they all ran, else what stopped them.
    CString Run(CWnd& window) const;
    bool IsEmpty() const { return m_steps.empty(); }

private:
    struct Step {
        CString what;
        std::function<CString(CWnd& window)> act;  // "" or why the user could not
    };
    DialogScript& Add(CString what, std::function<CString(CWnd&)> act);
    std::vector<Step> m_steps;
};

}  // namespace platform::ui
