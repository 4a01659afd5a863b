// Push buttons, check boxes, radio buttons and group boxes; the kind comes
// from the style (BS_...).
#pragma once

#include "platform/ui/Styles.h"
#include "platform/ui/Wnd.h"

constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;
constexpr int BST_INDETERMINATE = 2;

class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int check);
    UINT GetButtonStyle() const { return GetStyle() & BS_TYPEMASK; }
    bool IsCheckBox() const;
    bool IsRadio() const;

    // The user clicks: an automatic check box toggles, an automatic radio
    // button checks itself and clears the others of its group; then the
    // dialog hears BN_CLICKED.
    void UserClick();

    // The radio buttons of the group this one belongs to, in template order:
    // from the control with WS_GROUP up to the next one with it.
    std::vector<CButton*> RadioGroup() const;
};

class CStatic : public CWnd {};
