// The progress window of long runs: title, text, range and position, shown
// without blocking (GoModal returns at once) while the run pumps messages
// through it; the pump is where the user's cancel arrives. The running UI
// driver shows it.
#pragma once

#include "platform/CString.h"
#include "platform/ui/WinTypes.h"

class CWnd;

class CProgressWnd {
public:
    explicit CProgressWnd(BOOL smooth = FALSE);
    CProgressWnd(CWnd* parent, const char* title, BOOL smooth = FALSE);
    virtual ~CProgressWnd();
    CProgressWnd(const CProgressWnd&) = delete;
    CProgressWnd& operator=(const CProgressWnd&) = delete;

    // Shows the window and returns at once.
    BOOL GoModal(const char* title = "Progress", BOOL smooth = FALSE);
    // Closes the window; the destructor does it too.
    void DestroyWindow();
    void Hide();
    void Show();

    // printf-style as CString::Format; without arguments the text is taken as it is.
    template <typename... A>
    void SetText(const char* fmt, const A&... args) {
        if constexpr (sizeof...(A) == 0)
            SetTextRaw(CString(fmt));
        else
            SetTextRaw(CString::Formatted(fmt, args...));
    }
    void SetRange(int lower, int upper, int step = 1);
    int SetPos(int pos);  // returns the previous position
    int OffsetPos(int delta);
    int StepIt();
    void Clear();  // empties the text, position back to the lower bound

    // Lets the driver act (redraw, deliver a cancel); FALSE once cancelled.
    BOOL PeekAndPump(BOOL cancelOnEscape = TRUE);
    BOOL Cancelled() const { return m_cancelled ? TRUE : FALSE; }

    BOOL IsOpen() const { return m_open ? TRUE : FALSE; }
    BOOL IsVisible() const { return m_open && m_visible ? TRUE : FALSE; }
    const CString& GetTitle() const { return m_title; }
    const CString& GetText() const { return m_text; }
    int GetPos() const { return m_pos; }
    int GetLower() const { return m_lower; }
    int GetUpper() const { return m_upper; }
    // Position as a percentage of the range, 0 to 100.
    int GetPercent() const;

private:
    void SetTextRaw(const CString& text);
    void Changed();

    CString m_title = "Progress";
    CString m_text;
    int m_lower = 0;
    int m_upper = 100;
    int m_step = 1;
    int m_pos = 0;
    bool m_open = false;
    bool m_visible = false;
    bool m_cancelled = false;
};
