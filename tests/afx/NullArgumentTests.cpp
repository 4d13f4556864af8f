// Null wrapper pointers that MFC's interface allows (no parent, no mask, no font) are answered
// without calling through them; a host built without special compiler flags depends on it.
#include "DialogTemplate.h"
#include "KorvoTest.h"
#include <gtest/gtest.h>

TEST(NullArguments, WindowCallsWithoutParentFontOrDevice)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, L"top", WS_POPUP, CRect(0, 0, 50, 40), NULL, 0)) << "no parent window";
    EXPECT_EQ(nullptr, ::GetParent(wnd.m_hWnd));

    CWnd child;
    EXPECT_FALSE(child.SubclassDlgItem(100, NULL)) << "no parent to find the item in";
    EXPECT_EQ(nullptr, child.m_hWnd);
    EXPECT_EQ(0, wnd.ReleaseDC(NULL));
    EXPECT_FALSE(wnd.IsChild(NULL));

    wnd.SetFont(NULL, FALSE);
    EXPECT_EQ(nullptr, (HFONT)wnd.SendMessage(WM_GETFONT));

    // No target window maps to the screen.
    wnd.SetWindowPos(NULL, 30, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CRect rc(1, 2, 3, 4);
    wnd.MapWindowPoints(NULL, &rc);
    EXPECT_EQ(CRect(31, 22, 33, 24), rc);
    wnd.DestroyWindow();

    KorvoTest::CDialogTemplate tmpl(WS_POPUP | DS_SETFONT, 50, 20, L"orphan");
    CDialog dlg;
    EXPECT_TRUE(dlg.CreateIndirect(tmpl.Get(), NULL));
    dlg.DestroyWindow();
}

TEST(NullArguments, DrawingCallsWithoutObjects)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    CRect rc(0, 0, 4, 4);
    dc.FillRect(&rc, NULL);
    dc.FrameRect(&rc, NULL);
    EXPECT_EQ(nullptr, dc.SelectObject((CFont*)NULL));
    EXPECT_FALSE(dc.TransparentBlt(0, 0, 1, 1, NULL, 0, 0, 1, 1, 0));

    CBitmap bitmap;
    EXPECT_FALSE(bitmap.CreateCompatibleBitmap(NULL, 4, 4));
    EXPECT_EQ(nullptr, bitmap.m_hObject);

    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 10, 10));
    EXPECT_EQ(ERROR, rgn.CopyRgn(NULL));
    EXPECT_FALSE(rgn.EqualRgn(NULL));

    CImageList images;
    ASSERT_TRUE(images.Create(4, 4, ILC_COLOR24, 0, 1));
    CBitmap image;
    BYTE bits[4 * 4 * 4] = {};
    ASSERT_TRUE(image.CreateBitmap(4, 4, 1, 32, bits));
    EXPECT_EQ(0, images.Add(&image, (CBitmap*)NULL)) << "an image list without masks takes no mask";

    // A copy needs a list to copy; it is a list of its own with the same images.
    CImageList copy, none;
    EXPECT_FALSE(copy.Create((CImageList*)NULL));
    EXPECT_FALSE(copy.Create(&none));
    EXPECT_EQ(nullptr, copy.m_hImageList);
    ASSERT_TRUE(copy.Create(&images));
    EXPECT_NE(images.m_hImageList, copy.m_hImageList);
    EXPECT_EQ(1, copy.GetImageCount());
}
