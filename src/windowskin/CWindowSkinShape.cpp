// A skinned window's shape: none when maximised, the skin's figures combined in order when it
// has a region, else a plain rectangle that keeps the system's themed frame from showing.
#include "CWindowSkin.h"
#include "../parts/CWorkArea.h"

void CWindowSkin::ApplyRegion(CWnd* pWnd)
{
    if (pWnd->IsIconic())
        return;

    if (pWnd->IsZoomed())
    {
        // A maximised window fills its monitor's work area exactly and needs no shape; its side
        // and bottom edges are not part of it (see FrameOf).
        const CRect rcMaximised = CWorkArea::MaximisedRect(pWnd->m_hWnd);
        CRect rcWindow;
        pWnd->GetWindowRect(&rcWindow);
        if (rcWindow != rcMaximised)
            pWnd->SetWindowPos(NULL, rcMaximised.left, rcMaximised.top, rcMaximised.Width(), rcMaximised.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        pWnd->SetWindowRgn(NULL, TRUE);
        return;
    }

    if (m_bShaped)
    {
        BuildShapeRegion(pWnd);
        return;
    }

    // From Windows XP on, a window region keeps the system's themed frame from showing.
    OSVERSIONINFOW osvi;
    memset(&osvi, 0, sizeof(osvi));
    osvi.dwOSVersionInfoSize = sizeof(osvi);
    ::GetVersionExW(&osvi);
    if (osvi.dwMajorVersion > 5 || (osvi.dwMajorVersion == 5 && osvi.dwMinorVersion >= 1))
    {
        CRect rcWindow;
        pWnd->GetWindowRect(&rcWindow);
        CRgn rgn;
        if (rgn.CreateRectRgn(0, 0, rcWindow.Width() + 1, rcWindow.Height() + 1))
            pWnd->SetWindowRgn((HRGN)rgn.Detach(), TRUE);
    }
}

void CWindowSkin::BuildShapeRegion(CWnd* pWnd)
{
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    const CRect rcFull(0, 0, rcWindow.Width() + 1, rcWindow.Height() + 1);
    const CDpiScale scale = ScaleOf(pWnd);

    CRgn rgnWindow;
    if (!rgnWindow.CreateRectRgnIndirect(&rcFull))
    {
        pWnd->SetWindowRgn(NULL, TRUE);
        return;
    }
    CRgn rgnShape;
    CRgn rgnAccumulated;
    for (const CFigure& figure : m_figures)
    {
        // Negative coordinates count back from the far edges, so -1 is the far edge itself.
        // The figure's numbers and the window's size are both within the window manager's
        // coordinates, so nothing here overflows.
        // At another DPI a distance from the far edge is scaled, so -1 stays the edge itself.
        int n[4];
        for (int i = 0; i < 4; i++)
        {
            const int nWritten = figure.pCoordinates[i];
            n[i] = nWritten >= 0 ? scale.Scale(nWritten) : -scale.Scale(-(nWritten + 1)) - 1;
            if (n[i] < 0)
                n[i] += (i % 2 ? rcFull.bottom : rcFull.right) + 1;
        }

        BOOL bCreated = FALSE;
        if (figure.nType == FIGURE_RECTANGLE)
            bCreated = rgnShape.CreateRectRgn(n[0], n[1], n[2], n[3]);
        else if (figure.nType == FIGURE_ELLIPSE)
            bCreated = rgnShape.CreateEllipticRgn(n[0], n[1], n[2], n[3]);
        else
            bCreated = rgnShape.CreateRoundRectRgn(n[0], n[1], n[2], n[3], scale.Scale(figure.nCornerWidth),
                                                 scale.Scale(figure.nCornerHeight));
        // A figure may reach far past the window, and the window system refuses a region whose
        // extent passes its own coordinates: only the part within the window is kept, which is
        // all of the figure that can show.
        if (bCreated)
            bCreated = rgnShape.CombineRgn(&rgnShape, &rgnWindow, RGN_AND) != ERROR;
        if (!bCreated)
        {
            // A partial shape would be worse than none.
            rgnAccumulated.DeleteObject();
            pWnd->SetWindowRgn(NULL, TRUE);
            return;
        }

        if (!rgnAccumulated.m_hObject)
        {
            rgnAccumulated.Attach(rgnShape.Detach());
            continue;
        }
        switch (figure.nCombine)
        {
        case COMBINE_AND: rgnAccumulated.CombineRgn(&rgnShape, &rgnAccumulated, RGN_AND); break;
        case COMBINE_OR: rgnAccumulated.CombineRgn(&rgnShape, &rgnAccumulated, RGN_OR); break;
        case COMBINE_XOR: rgnAccumulated.CombineRgn(&rgnShape, &rgnAccumulated, RGN_XOR); break;
        case COMBINE_COPY: rgnAccumulated.CombineRgn(&rgnShape, NULL, RGN_COPY); break;
        case COMBINE_DIFF: rgnAccumulated.CombineRgn(&rgnAccumulated, &rgnShape, RGN_DIFF); break;
        default: break;
        }
        rgnShape.DeleteObject();
    }

    // The window takes ownership of the region.
    if (rgnAccumulated.m_hObject)
        pWnd->SetWindowRgn((HRGN)rgnAccumulated.Detach(), TRUE);
}
