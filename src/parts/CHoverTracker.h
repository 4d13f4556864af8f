// Whether the pointer is over a window: the one hover state every self-drawn control and bar
// keeps. Most windows learn that the pointer left from the leave notification; a window whose
// child takes the pointer (a combo box's edit) or that must notice a pointer resting on it
// polls the cursor on a timer instead. Either way the window forwards three messages and asks
// IsHover(); the tracker owns the notification request and the timer.
#pragma once
#include <afxwin.h>

class CHoverTracker
{
public:
    enum Mode
    {
        leaveNotification,
        timerPoll,
    };
    // The timer id the tracker takes in poll mode; a window with timers of its own keeps clear.
    static const UINT_PTR DEFAULT_TIMER_ID = 0x4B48;
    static const UINT DEFAULT_POLL_MS = 50;

    explicit CHoverTracker(Mode mode = leaveNotification, UINT_PTR nTimerId = DEFAULT_TIMER_ID,
                           UINT nPollMs = DEFAULT_POLL_MS);

    // From WM_MOUSEMOVE: true when the pointer has just come in.
    bool OnMouseMove(HWND hWnd);
    // From WM_MOUSELEAVE: true when the pointer has just gone.
    bool OnMouseLeave();
    // From WM_TIMER: true when nIDEvent is the tracker's and the pointer has just gone. Pass
    // every timer through; OwnsTimer tells the caller which were the tracker's.
    bool OnTimer(HWND hWnd, UINT_PTR nIDEvent);
    bool OwnsTimer(UINT_PTR nIDEvent) const { return m_mode == timerPoll && nIDEvent == m_nTimerId; }
    // Ends tracking without waiting for the pointer (the window is disabled, captured or going
    // away); true when it was hovering.
    bool Cancel(HWND hWnd);

    bool IsHover() const { return m_bHover; }
    // Whether the cursor is over hWnd's rectangle now, uncovered by another top-level window.
    static bool IsCursorOver(HWND hWnd);

private:
    Mode m_mode;
    UINT_PTR m_nTimerId;
    UINT m_nPollMs;
    bool m_bHover;
};
