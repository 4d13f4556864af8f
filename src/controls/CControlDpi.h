// The DPI a control last derived its DPI-dependent state for (sizes it keeps, fonts, off-screen
// buffers). A control told that its window's DPI may have changed hands Follow what to re-derive;
// that runs only when the DPI really moved, and the control is then repainted once, frame
// included. Controls are first drawn for the screen's DPI, for which their windows' fonts are made.
#pragma once
#include <afxwin.h>

class CControlDpi
{
public:
    CControlDpi();

    UINT GetDpi() const { return m_nDpi; }

    // fnRederive(nOldDpi, nNewDpi) when the window's DPI is not the one last derived for; then
    // the whole window is invalidated. A second notice of the same DPI changes nothing.
    template <typename Rederive> void Follow(CWnd* pWnd, Rederive fnRederive)
    {
        const UINT nOld = m_nDpi;
        if (!Moved(pWnd))
            return;
        fnRederive(nOld, m_nDpi);
        Repaint(pWnd);
    }

    // The font a window's text is drawn in at its DPI: the window's own font is made for the
    // screen's DPI, so this is the scale from that one to the window's.
    static UINT FontScaleDpi(HWND hWnd);

private:
    // TRUE, with m_nDpi updated, when the window's DPI differs from m_nDpi.
    bool Moved(CWnd* pWnd);
    static void Repaint(CWnd* pWnd);

    UINT m_nDpi;
};
