// CWnd: a window of the headless framework. A dialog and each of its
// controls are windows; a window object is a handle on the window's state,
// so a dialog's member control attached with DDX_Control and the control
// GetDlgItem returns act on the same state. Handlers of the controls'
// notifications are bound on the dialog (Bind...), as a message map would
// list them.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/CString.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Notify.h"
#include "platform/ui/WinTypes.h"

class CDataExchange;

namespace platform::ui::detail {
struct WindowState;
}

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Non-null while the window exists.
    HWND GetSafeHwnd() const;
    UINT GetDlgCtrlID() const;
    CWnd* GetParent() const;

    void SetWindowText(const CString& text);
    CString GetWindowText() const;
    void GetWindowText(CString& text) const { text = GetWindowText(); }
    int GetWindowTextLength() const { return GetWindowText().GetLength(); }

    BOOL EnableWindow(BOOL enable = TRUE);  // returns TRUE when it was disabled
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int cmd);  // returns TRUE when it was visible
    BOOL IsWindowVisible() const;
    CWnd* SetFocus();  // returns the window that had the focus
    static CWnd* GetFocus();

    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add);
    // Redraw lock: nothing is drawn headless, the state is kept for checks.
    void SetRedraw(BOOL redraw = TRUE);
    BOOL IsRedrawEnabled() const;
    void Invalidate(BOOL erase = TRUE) { (void)erase; }
    void UpdateWindow() {}

    void GetWindowRect(CRect* rect) const;
    void GetClientRect(CRect* rect) const;
    void MoveWindow(const CRect& rect, BOOL repaint = TRUE);
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void ScreenToClient(CRect*) const {}
    void ScreenToClient(CPoint*) const {}
    void ClientToScreen(CRect*) const {}
    void ClientToScreen(CPoint*) const {}

    // Children (controls of a dialog, buttons of a property sheet).
    CWnd* GetDlgItem(UINT id) const;
    void SetDlgItemText(UINT id, const CString& text);
    int GetDlgItemText(UINT id, CString& text) const;
    void SetDlgItemInt(UINT id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(UINT id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(UINT id, UINT check);
    UINT IsDlgButtonChecked(UINT id) const;
    void CheckRadioButton(UINT first, UINT last, UINT check);
    int GetCheckedRadioButton(UINT first, UINT last) const;  // 0 when none
    void GotoDlgCtrl(CWnd* control);

    // Message box owned by this window; a null caption shows the application's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = 0);

    // Data exchange with the controls: FALSE keeps the values (and the
    // dialog) as they were, after the failing check's message.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* dx) { (void)dx; }

    // Routing of the controls' notifications: TRUE when handled.
    virtual BOOL OnCommand(UINT id, UINT code);
    virtual BOOL OnNotify(NMHDR* header, LRESULT* result);

    // Handler binding, as a message map lists them.
    void BindCommand(UINT code, UINT id, std::function<void()> handler);
    void BindCommandRange(UINT code, UINT first, UINT last, std::function<void(UINT)> handler);
    void BindNotify(UINT code, UINT id, std::function<void(NMHDR*, LRESULT*)> handler);
    template <class T>
    void BindCommand(UINT code, UINT id, void (T::*fn)()) {
        BindCommand(code, id, [this, fn] { (static_cast<T*>(this)->*fn)(); });
    }
    template <class T>
    void BindCommandRange(UINT code, UINT first, UINT last, void (T::*fn)(UINT)) {
        BindCommandRange(code, first, last,
                         [this, fn](UINT id) { (static_cast<T*>(this)->*fn)(id); });
    }
    template <class T>
    void BindNotify(UINT code, UINT id, void (T::*fn)(NMHDR*, LRESULT*)) {
        BindNotify(code, id,
                   [this, fn](NMHDR* h, LRESULT* r) { (static_cast<T*>(this)->*fn)(h, r); });
    }
    template <class F>
    void OnClicked(UINT id, F&& handler) {
        BindCommand(BN_CLICKED, id, std::forward<F>(handler));
    }

    // The headless model, for the framework and its drivers.
    platform::ui::detail::WindowState* State() const { return m_state.get(); }
    // Shares the state of another window (DDX_Control).
    virtual void AttachTo(const CWnd& other);
    // Makes this object a handle on the parent's control (as DDX_Control does).
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // The children in template order.
    std::vector<CWnd*> GetChildren() const;
    // The modal loop: the window's result once ended.
    BOOL IsModalEnded() const;
    int GetModalResult() const;
    void BeginModal();
    void EndModal(int result);
    // Creates this window's state. A control is listed among its parent's
    // children; a dialog's parent is its owner, a page's its sheet.
    void CreateState(UINT id, const CString& className, const CString& text, DWORD style,
                     CWnd* parent, bool isControl);
    void DestroyState();
    // Adds a child object the window owns (created from a template).
    CWnd* AdoptChild(std::unique_ptr<CWnd> child);
    // The parent hears of a change: WM_COMMAND / WM_NOTIFY.
    void SendCommandToParent(UINT code);
    LRESULT SendNotifyToParent(NMHDR& header);

protected:
    std::shared_ptr<platform::ui::detail::WindowState> m_state;

private:
    struct Range {
        UINT code, first, last;
        std::function<void(UINT)> handler;
    };
    std::map<std::pair<UINT, UINT>, std::function<void()>> m_commands;
    std::vector<Range> m_ranges;
    std::map<std::pair<UINT, UINT>, std::function<void(NMHDR*, LRESULT*)>> m_notifies;
    std::vector<std::unique_ptr<CWnd>> m_owned;
};
