#include "CPicturesPanel.h"
#include <algorithm>

namespace
{
const int PHOTO_CX = 70;
const int PHOTO_CY = 68;
const int ANIMATION_CX = 99;
const int ANIMATION_CY = 39;
const int GAP = 8;
const int ROW_CY = PHOTO_CY + 26;
// Child IDs of the row, clear of the page's own.
const UINT FIRST_ID = 1390;

CString PicturesFolder()
{
    wchar_t szPath[MAX_PATH] = {};
    ::GetModuleFileNameW(NULL, szPath, MAX_PATH);
    CString strPath = szPath;
    return strPath.Left(strPath.ReverseFind(L'\\') + 1) + L"Definitions\\Pictures\\";
}

COLORREF Mix(COLORREF a, COLORREF b)
{
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

// A framed background of one colour the size of a head photo.
void DrawBackground(CBitmap& bitmap, COLORREF crFill, COLORREF crFrame)
{
    CClientDC dcScreen(NULL);
    bitmap.CreateCompatibleBitmap(&dcScreen, PHOTO_CX, PHOTO_CY);
    CDC dc;
    dc.CreateCompatibleDC(&dcScreen);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, bitmap.m_hObject);
    dc.FillSolidRect(0, 0, PHOTO_CX, PHOTO_CY, crFrame);
    dc.FillSolidRect(1, 1, PHOTO_CX - 2, PHOTO_CY - 2, crFill);
    ::SelectObject(dc.m_hDC, hOld);
}
}

void CPicturesPanel::Create(CWnd* pPage)
{
    CRect rcPage;
    pPage->GetClientRect(&rcPage);
    int nWidth = std::max<int>(rcPage.Width(), 2 * GAP + ANIMATION_CX + 5 * (PHOTO_CX + GAP) + GAP);
    int nTop = rcPage.Height() + 2;
    CRect rcWindow;
    pPage->GetWindowRect(&rcWindow);
    pPage->SetWindowPos(NULL, 0, 0, rcWindow.Width() + nWidth - rcPage.Width(), rcWindow.Height() + ROW_CY + 2,
                        SWP_NOMOVE | SWP_NOZORDER);

    UINT nID = FIRST_ID;
    m_frame.Create(L"Animated image; group photo: normal, hover, grey; user photo: normal, grey",
                   WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(0, nTop, nWidth, nTop + ROW_CY), pPage, nID++);
    m_frame.SendMessage(WM_SETFONT, pPage->SendMessage(WM_GETFONT), FALSE);
    int x = GAP, y = nTop + 18;
    m_animation.Create(L"", WS_CHILD | WS_VISIBLE, CRect(x, y + (PHOTO_CY - ANIMATION_CY) / 2, x + ANIMATION_CX,
                                                           y + (PHOTO_CY + ANIMATION_CY) / 2), pPage, nID++);
    x += ANIMATION_CX + 2 * GAP;
    // Statics see the pointer only with SS_NOTIFY.
    for (CGroupHeadPhoto& photo : m_groupPhotos)
    {
        photo.Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(x, y, x + PHOTO_CX, y + PHOTO_CY), pPage, nID++);
        x += PHOTO_CX + GAP;
    }
    for (CUserHeadPhoto& photo : m_userPhotos)
    {
        photo.Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(x, y, x + PHOTO_CX, y + PHOTO_CY), pPage, nID++);
        x += PHOTO_CX + GAP;
    }

    CString strFolder = PicturesFolder();
    m_animation.Load(strFolder + L"lights.gif");
    for (CGroupHeadPhoto& photo : m_groupPhotos)
        photo.Load(strFolder + L"portrait.bmp");
    m_groupPhotos[2].SetGray(true);
    // Pictures have no text: screen readers know them by these names.
    m_animation.SetAccessibleName(L"Lights");
    const LPCWSTR GROUP_NAMES[] = { L"Group photo", L"Group photo, hover look", L"Group photo, grey" };
    for (int n = 0; n < 3; n++)
        m_groupPhotos[n].SetAccessibleName(GROUP_NAMES[n]);
    m_userPhotos[0].SetAccessibleName(L"User photo");
    m_userPhotos[1].SetAccessibleName(L"User photo, grey");
    // The list takes the portrait's left 55 columns as its one image.
    CBitmap bmPortrait;
    bmPortrait.Attach((HBITMAP)::LoadImageW(NULL, strFolder + L"portrait.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (m_portraits.Create(55, 55, ILC_COLOR24, 1, 0) && bmPortrait.m_hObject)
        m_portraits.Add(&bmPortrait, (CBitmap*)NULL);
    for (CUserHeadPhoto& photo : m_userPhotos)
        photo.SetUserPicture(&m_portraits, 0);
    m_userPhotos[1].SetGray(true);
}

void CPicturesPanel::ApplySkin(COLORREF crBack)
{
    // The new backgrounds replace the old ones only once the photos have them.
    CBitmap bmBack, bmBackHover;
    COLORREF crFrame = Mix(crBack, RGB(0, 0, 0));
    DrawBackground(bmBack, Mix(crBack, RGB(255, 255, 255)), crFrame);
    DrawBackground(bmBackHover, Mix(crBack, crFrame), RGB(0, 0, 0));
    m_groupPhotos[0].SetEraseBg(bmBack, bmBackHover);
    // The hover look without the pointer: both backgrounds are the hover one.
    m_groupPhotos[1].SetEraseBg(bmBackHover, bmBackHover);
    m_groupPhotos[2].SetEraseBg(bmBack, bmBackHover);
    for (CUserHeadPhoto& photo : m_userPhotos)
        photo.SetEraseBg(bmBack, bmBackHover);
    m_bmBack.DeleteObject();
    m_bmBackHover.DeleteObject();
    m_bmBack.Attach(bmBack.Detach());
    m_bmBackHover.Attach(bmBackHover.Detach());
}
