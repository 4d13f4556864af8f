#include "ControlsTestSupport.h"
#include <controls/CHeadPhotoPainter.h>

using namespace ControlsTest;
using namespace ControlsTest::Colours;

namespace
{
const COLORREF YELLOW = RGB(255, 255, 0);
const COLORREF MAGENTA = RGB(255, 0, 255);
const COLORREF TEAL = RGB(0, 128, 128);
// Portrait square within the control.
const int PX = 8;
const int PY = 7;

COLORREF Grey(int n)
{
    return RGB(n, n, n);
}

class CTestGroupPhoto : public CCounting<CGroupHeadPhoto>
{
public:
    HBITMAP Photo() { return (HBITMAP)CHeadPhotoPainter::Of(*this).m_photo.m_hObject; }
};

// Red, green and blue bands across the square; yellow right of it and magenta below it.
COLORREF PortraitPixel(int x, int y, void*)
{
    if (y >= 55)
        return MAGENTA;
    return x < 20 ? RED : x < 40 ? GREEN : x < 55 ? BLUE : YELLOW;
}

// A photo control of 100 by 80 with a grey background, teal while hovered.
template <class PHOTO> struct CPhotoHost : CControlHost<PHOTO>
{
    // Statics see the pointer only with SS_NOTIFY.
    CPhotoHost() : CControlHost<PHOTO>(L"Static", SS_LEFT | SS_NOTIFY, CRect(30, 30, 130, 110))
    {
        normal.Attach(MakeBitmap(100, 80, GREY, GREY));
        hover.Attach(MakeBitmap(100, 80, TEAL, TEAL));
    }
    void SetBackgrounds() { this->control.SetEraseBg(normal, hover); }
    COLORREF At(int x, int y) { return this->Paint().At(x, y); }
    CBitmap normal;
    CBitmap hover;
};
}

TEST(HeadPhoto, GroupPortraitIsCroppedAndGreyedByLuma)
{
    KorvoTest::CTempFolder folder;
    std::vector<BYTE> file = KorvoTest::MakeBitmapFile(80, 70, PortraitPixel, NULL);
    CString strPath = folder.WriteFile(L"portrait.bmp", file.data(), file.size());
    CPhotoHost<CTestGroupPhoto> host;
    host.SetBackgrounds();
    ASSERT_TRUE(host.control.Load(strPath));
    CCapture capture = host.Paint();
    EXPECT_EQ(RED, capture.At(PX, PY));
    EXPECT_EQ(GREEN, capture.At(PX + 30, PY + 30));
    EXPECT_EQ(BLUE, capture.At(PX + 54, PY + 54));
    // Only the square's pixels of the portrait show: the background is around it.
    EXPECT_EQ(GREY, capture.At(PX + 55, PY + 10));
    EXPECT_EQ(GREY, capture.At(PX + 10, PY + 55));
    EXPECT_EQ(GREY, capture.At(PX - 1, PY));

    host.control.SetGray(true);
    EXPECT_EQ(Grey(76), host.At(PX + 5, PY + 5));
    EXPECT_EQ(Grey(149), host.At(PX + 25, PY + 5));
    EXPECT_EQ(Grey(29), host.At(PX + 45, PY + 5));
    // The background stays in colour.
    EXPECT_EQ(GREY, host.At(90, 75));
    host.control.SetGray(false);
    EXPECT_EQ(RED, host.At(PX + 5, PY + 5));
}

TEST(HeadPhoto, GroupLoadReleasesTheFormerPortrait)
{
    KorvoTest::CTempFolder folder;
    std::vector<BYTE> file = KorvoTest::MakeBitmapFile(60, 60, PortraitPixel, NULL);
    CString strPath = folder.WriteFile(L"portrait.bmp", file.data(), file.size());
    CString strText = folder.WriteFile(L"text.bmp", std::string("not a bitmap"));
    CPhotoHost<CTestGroupPhoto> host;
    ASSERT_TRUE(host.control.Load(strPath));
    HBITMAP hFirst = host.control.Photo();
    ASSERT_TRUE(host.control.Load(strPath));
    EXPECT_EQ(0u, (UINT)::GetObjectType(hFirst));
    HBITMAP hSecond = host.control.Photo();
    EXPECT_FALSE(host.control.Load(strText));
    EXPECT_EQ(0u, (UINT)::GetObjectType(hSecond));
    EXPECT_TRUE(host.control.Photo() == NULL);
    EXPECT_FALSE(host.control.Load(L""));
    // No portrait and no background: nothing of the portrait is painted.
    EXPECT_NE(RED, host.At(PX + 5, PY + 5));
}

TEST(HeadPhoto, BackgroundNeedsBothBitmapsAndFollowsTheHover)
{
    CPhotoHost<CCounting<CUserHeadPhoto>> host;
    CCounting<CUserHeadPhoto>& photo = host.control;
    photo.SetEraseBg(host.normal, NULL);
    EXPECT_NE(GREY, host.At(90, 75));
    photo.SetEraseBg(NULL, host.hover);
    EXPECT_NE(TEAL, host.At(90, 75));
    host.SetBackgrounds();
    EXPECT_EQ(GREY, host.At(90, 75));
    KorvoTest::PumpMessages(10);

    // One paint on entering, none for moves within, one on leaving.
    int nPaints = photo.m_nPaints;
    ASSERT_TRUE(PointerOver(photo, 90, 70));
    ASSERT_TRUE(PumpUntil([&] { return photo.m_nPaints > nPaints; }));
    EXPECT_EQ(TEAL, CCapture(photo.m_hWnd).At(90, 75));
    ASSERT_TRUE(PointerOver(photo, 80, 60));
    KorvoTest::PumpMessages(20);
    EXPECT_EQ(nPaints + 1, photo.m_nPaints);
    ASSERT_TRUE(PointerLeaves(photo));
    ASSERT_TRUE(PumpUntil([&] { return photo.m_nPaints > nPaints + 1; }));
    KorvoTest::PumpMessages(20);
    EXPECT_EQ(nPaints + 2, photo.m_nPaints);
    EXPECT_EQ(GREY, CCapture(photo.m_hWnd).At(90, 75));
}

TEST(HeadPhoto, UserPictureComesFromTheHostsListWithinItsBounds)
{
    CImageList list;
    ASSERT_TRUE(list.Create(55, 55, ILC_COLOR24, 2, 0));
    for (COLORREF cr : { GREEN, BLUE })
    {
        CBitmap bitmap;
        bitmap.Attach(MakeBitmap(55, 55, cr, cr));
        list.Add(&bitmap, (CBitmap*)NULL);
    }
    ASSERT_EQ(2, list.GetImageCount());

    CPhotoHost<CUserHeadPhoto> host;
    host.SetBackgrounds();
    EXPECT_FALSE(host.control.SetUserPicture(NULL, 0));
    EXPECT_FALSE(host.control.SetUserPicture(&list, 2));
    EXPECT_EQ(GREY, host.At(PX + 5, PY + 5));
    EXPECT_TRUE(host.control.SetUserPicture(&list, 1));
    EXPECT_EQ(BLUE, host.At(PX + 5, PY + 5));
    EXPECT_EQ(BLUE, host.At(PX + 54, PY + 54));
    EXPECT_EQ(GREY, host.At(PX + 55, PY + 54));
    // Refused: the picture stays.
    EXPECT_FALSE(host.control.SetUserPicture(&list, 2));
    EXPECT_EQ(BLUE, host.At(PX + 5, PY + 5));
    EXPECT_TRUE(host.control.SetUserPicture(&list, 0));
    EXPECT_EQ(GREEN, host.At(PX + 5, PY + 5));
    // The list is the host's: the window's end forgets it and leaves it whole.
    EXPECT_TRUE(host.control.DestroyWindow());
    EXPECT_EQ(2, list.GetImageCount());
}
