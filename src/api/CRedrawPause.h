// Windows that draw nothing while one change goes through, then are painted once, whole, when it
// is over: a skin switch unframes every skinned window before framing it again, and neither the
// system's frame nor its background may show in between.
#pragma once
#include <afxwin.h>
#include <vector>

class CRedrawPause
{
public:
    // Stops the visible ones of windows drawing.
    explicit CRedrawPause(const std::vector<HWND>& windows);
    // Lets them draw again and has them painted at the next paint (not now: a host reframes its
    // dialogs right after a load), frame, background and children.
    ~CRedrawPause();

private:
    std::vector<HWND> m_paused;

    CRedrawPause(const CRedrawPause&) = delete;
    void operator=(const CRedrawPause&) = delete;
};
