// A static control showing a portrait from the host's image list at (8, 7) over a background
// bitmap that changes while the mouse is over the control; the portrait can be shown in grey.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CHeadPhotoPainter;

class KORVOSKIN_API CUserHeadPhoto : public CStatic, public CAccessibleName
{
    DECLARE_DYNAMIC(CUserHeadPhoto)
public:
    CUserHeadPhoto();
    virtual ~CUserHeadPhoto();

    // The host's bitmaps, which must outlive the control; a background is painted only when
    // both are set. No repaint.
    void SetEraseBg(HBITMAP hNormal, HBITMAP hHover);
    // The list stays the host's; false, changing nothing, for no list or an index past its end.
    bool SetUserPicture(CImageList* pImageList, DWORD nImage);
    void SetGray(bool bGray);

    // Overridables
    // Forgets the image list, then destroys the window.
    BOOL DestroyWindow() override;

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
    // The portrait's list and image, the background bitmaps and the hover.
    std::unique_ptr<CHeadPhotoPainter> m_pPainter;
};
