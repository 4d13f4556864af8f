// A static control showing a 55 by 55 portrait, loaded from a bitmap file, at (8, 7) over a
// background bitmap that changes while the mouse is over the control; the portrait can be
// shown in grey.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CHeadPhotoPainter;

class KORVOSKIN_API CGroupHeadPhoto : public CStatic, public CAccessibleName
{
    DECLARE_DYNAMIC(CGroupHeadPhoto)
public:
    CGroupHeadPhoto();
    // Releases the portrait.
    virtual ~CGroupHeadPhoto();

    // The host's bitmaps, which must outlive the control; a background is painted only when
    // both are set. No repaint.
    void SetEraseBg(HBITMAP hNormal, HBITMAP hHover);
    // Releases the current portrait, then loads the bitmap file; false when it is not one or
    // passes the picture bounds CImageStatic::Load keeps.
    bool Load(CString strPath);
    // Releases the portrait.
    void Destroy();
    void SetGray(bool bGray);

protected:
    // Message handlers a derived class may chain to
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // Repaints the portrait square at the window's new DPI.
    afx_msg LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    friend class CHeadPhotoPainter;
    // The portrait, the background bitmaps and the hover.
    std::unique_ptr<CHeadPhotoPainter> m_pPainter;
};
