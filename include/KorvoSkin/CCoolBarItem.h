// A button of a skinned toolbar (CCoolBarCtrl): its command, size along the bar, visibility,
// tooltip and the images of its three states.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <memory>

class CCoolBarCtrl;
class CCoolBarItemImages;

// One button of a bar, also the command-UI state handed to the owner's update handlers.
class KORVOSKIN_API CCoolBarItem : public CCmdUI
{
public:
    CCoolBarItem(CCoolBarCtrl* pBar, int nSize, UINT nID, LPCWSTR lpszName);
    // A copy of pSrc for pBar, with its images looked up again in the current skin.
    CCoolBarItem(CCoolBarCtrl* pBar, const CCoolBarItem* pSrc);
    virtual ~CCoolBarItem();

    // A disabled button is drawn faded and posts no command.
    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetText(LPCWSTR lpszText);
    virtual void Show(BOOL bShow);

    // Takes copies of the skin's watermarks named m_strName, + ".HOVER" and + ".SELECT" as the
    // button's images, shared with the bar's other buttons that name the same image file; a
    // missing one, or one past the bar's bound of pixels, leaves that state showing the
    // background.
    void LoadSkinImages();

    enum { IMAGE_NORMAL, IMAGE_HOVER, IMAGE_SELECT, IMAGE_COUNT };
    // The image of a state and its size; null and 0 x 0 for a state without one.
    HBITMAP GetImage(int nState) const;
    CSize GetImageSize(int nState) const;
    // Draws the image of a state with white transparent: its top-left cx x cy pixels at (x, y).
    void DrawImage(CDC* pDC, CDC* pWorkDC, int nState, int x, int y, int cx, int cy) const;

    // Host-facing data: the button as its bar lays it out and paints it, for the host and for a
    // derived bar's DrawItem to read; Enable, SetCheck, SetText and Show change them.
    BOOL m_bVisible;
    BOOL m_bChecked;
    CString m_strTip;
    CCoolBarCtrl* m_pBar;
    int m_nSize;
    CString m_strName;
    BOOL m_bEnabled;

private:
    friend class CCoolBarItemImages;
    std::unique_ptr<CCoolBarItemImages> m_pImages;
};

// Buttons with this command take 20 pixels and are never painted: a gap.
const UINT ID_COOLBAR_GAP = 3038;
