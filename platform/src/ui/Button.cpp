#include "platform/ui/Button.h"

#include "WindowState.h"

namespace {
struct ButtonData : platform::ui::detail::ControlData {
    int check = BST_UNCHECKED;
};
bool Usable(const CWnd& w) { return w.GetSafeHwnd() && w.IsWindowEnabled() && w.IsWindowVisible(); }
}  // namespace

int CButton::GetCheck() const { return m_state ? m_state->Data<ButtonData>().check : 0; }

void CButton::SetCheck(int check) {
    if (m_state) m_state->Data<ButtonData>().check = check;
}

bool CButton::IsCheckBox() const {
    const UINT kind = GetButtonStyle();
    return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE ||
           kind == BS_AUTO3STATE;
}

bool CButton::IsRadio() const {
    const UINT kind = GetButtonStyle();
    return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

std::vector<CButton*> CButton::RadioGroup() const {
    std::vector<CButton*> group;
    CWnd* parent = GetParent();
    if (!parent) return group;
    const std::vector<CWnd*> siblings = parent->GetChildren();
    size_t self = siblings.size();
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i]->State() == State()) self = i;
    if (self == siblings.size()) return group;
    size_t first = self;
    while (first > 0 && !(siblings[first]->GetStyle() & WS_GROUP)) --first;
    for (size_t i = first; i < siblings.size(); ++i) {
        if (i > first && (siblings[i]->GetStyle() & WS_GROUP)) break;
        auto* b = dynamic_cast<CButton*>(siblings[i]);
        if (b && b->IsRadio()) group.push_back(b);
    }
    return group;
}

void CButton::UserClick() {
    if (!Usable(*this)) return;
    switch (GetButtonStyle()) {
        case BS_AUTOCHECKBOX:
            SetCheck(GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            break;
        case BS_AUTO3STATE:
            SetCheck((GetCheck() + 1) % 3);
            break;
        case BS_AUTORADIOBUTTON:
            for (CButton* b : RadioGroup()) b->SetCheck(b->State() == State() ? BST_CHECKED : 0);
            break;
        default:
            break;
    }
    SendCommandToParent(BN_CLICKED);
}
