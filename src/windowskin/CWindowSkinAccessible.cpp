// The skinned caption buttons as assistive technology sees them: the window's title bar object
// with the system's item numbers for its buttons, named, placed and in the states the skin draws.
#include "CWindowSkin.h"
#include "CAccessibleProxy.h"

namespace
{
// The system's numbers of the title bar's items (not every compiler's headers name them).
enum
{
    INDEX_TITLEBAR_IMEBUTTON = 1,
    INDEX_TITLEBAR_MINBUTTON = 2,
    INDEX_TITLEBAR_MAXBUTTON = 3,
    INDEX_TITLEBAR_HELPBUTTON = 4,
    INDEX_TITLEBAR_CLOSEBUTTON = 5
};

struct CTitleBarButton
{
    long idChild;
    int nButton;
    DWORD dwStyleNeeded;
};

// The title bar's items, numbered as the system numbers them; the input-method and help buttons
// are never drawn by a skin.
const CTitleBarButton BUTTONS[] = {
    { INDEX_TITLEBAR_IMEBUTTON, 0, 0 },
    { INDEX_TITLEBAR_MINBUTTON, CWindowSkin::ANCHOR_MINIMISE, WS_MINIMIZEBOX },
    { INDEX_TITLEBAR_MAXBUTTON, CWindowSkin::ANCHOR_MAXIMISE, WS_MAXIMIZEBOX },
    { INDEX_TITLEBAR_HELPBUTTON, 0, 0 },
    { INDEX_TITLEBAR_CLOSEBUTTON, CWindowSkin::ANCHOR_CLOSE, 0 },
};
}

BOOL CWindowSkin::DescribeTitleBar(CWnd* pWnd, const CWindowSkinState& state, CAccessibleQuery& query)
{
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    BOOL bZoomed = pWnd->IsZoomed();
    const CDpiScale scale = ScaleOf(pWnd);
    if (query.idChild == CHILDID_SELF)
    {
        query.nRole = ROLE_SYSTEM_TITLEBAR;
        pWnd->GetWindowText(query.strName);
        query.nItems = (long)_countof(BUTTONS);
        query.rcScreen = rcWindow;
        query.rcScreen.bottom = rcWindow.top + GetFrameThickness(scale).top;
        return TRUE;
    }
    if (query.idChild < 1 || query.idChild > (long)_countof(BUTTONS))
        return FALSE;
    const CTitleBarButton& button = BUTTONS[query.idChild - 1];
    static const wchar_t* const NAMES[] = { L"IME", L"Minimize", L"Maximize", L"Context help", L"Close" };
    query.nRole = ROLE_SYSTEM_PUSHBUTTON;
    query.strName = button.nButton == ANCHOR_MAXIMISE && bZoomed ? L"Restore" : NAMES[query.idChild - 1];
    if (!button.nButton || !m_pAnchorPresent[button.nButton] || (HiddenButtons(pWnd->m_hWnd) & (1 << button.nButton)))
    {
        query.nState = STATE_SYSTEM_INVISIBLE;
        return TRUE;
    }
    query.rcScreen = GetAnchorRect(rcWindow, button.nButton, scale);
    if (button.dwStyleNeeded && !(pWnd->GetStyle() & button.dwStyleNeeded))
    {
        query.nState = STATE_SYSTEM_UNAVAILABLE;
        return TRUE;
    }
    if (state.nHotButton == button.nButton)
        query.nState |= STATE_SYSTEM_HOTTRACKED;
    // A press shows only while the pointer stays on the button.
    if (state.nPressedButton == button.nButton && state.nHotButton == button.nButton)
        query.nState |= STATE_SYSTEM_PRESSED;
    query.strDefaultAction = L"Press";
    if (query.bDoDefaultAction)
    {
        UINT nCommand = button.nButton == ANCHOR_MINIMISE ? SC_MINIMIZE
                        : button.nButton == ANCHOR_CLOSE  ? SC_CLOSE
                        : bZoomed                         ? SC_RESTORE
                                                          : SC_MAXIMIZE;
        pWnd->PostMessage(WM_SYSCOMMAND, nCommand, 0);
    }
    return TRUE;
}
