// Answers WM_GETMINMAXINFO with the tracking sizes and maximised rectangle set on it.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>

class KORVOSKIN_API CResizableMinMax
{
public:
    CResizableMinMax();
    CResizableMinMax(const CResizableMinMax& other);
    CResizableMinMax& operator=(const CResizableMinMax& other);
    virtual ~CResizableMinMax();

    void SetMinTrackSize(const CSize& size);
    void ResetMinTrackSize();
    void SetMaxTrackSize(const CSize& size);
    void ResetMaxTrackSize();
    void SetMaximizedRect(const CRect& rect);
    void ResetMaximizedRect();
    // The window's DPI changed: the tracking sizes set follow it, scaled from the sizes they had
    // at the DPI they were set at, so that moving back and forth never lets rounding drift them.
    void ScaleTrackSizes(UINT nFromDpi, UINT nToDpi);
    // Fields that were not set keep what the system put there.
    void MinMaxInfo(MINMAXINFO* lpMMI);

protected:
    // For a derived class whose frame changed thickness: the tracking sizes set move by change
    // (how much the frame added to the window's width and height), so they keep limiting the
    // client area as before.
    void OffsetTrackSizes(const CSize& change);

private:
    BOOL m_bMaxTrackSet;
    BOOL m_bMinTrackSet;
    BOOL m_bMaximizedRectSet;
    CPoint m_ptMinTrack;
    CPoint m_ptMaxTrack;
    CPoint m_ptMaximizedPos;
    CPoint m_ptMaximizedSize;
    // The tracking sizes as set, and the DPI they were set at (0 until the first DPI change after
    // they were set or moved).
    UINT m_nTrackBaseDpi;
    CPoint m_ptMinTrackBase;
    CPoint m_ptMaxTrackBase;
};
