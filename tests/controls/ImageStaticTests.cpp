#include "ControlsTestSupport.h"
#include "PictureFiles.h"
#include <controls/CImageAnimation.h>
#include <tlhelp32.h>
#include <random>

using namespace ControlsTest;
using namespace PictureFiles;

namespace
{
const UINT IDC_IMAGE = 500;
const COLORREF RED = RGB(255, 0, 0);
const COLORREF GREEN = RGB(0, 255, 0);
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF WHITE = RGB(255, 255, 255);
// Painted over the control by the test between two frames; no frame has it.
const COLORREF MARKER = RGB(255, 0, 255);

BOOL Near(COLORREF a, COLORREF b, int nSlack)
{
    return abs(GetRValue(a) - GetRValue(b)) <= nSlack && abs(GetGValue(a) - GetGValue(b)) <= nSlack &&
           abs(GetBValue(a) - GetBValue(b)) <= nSlack;
}

int CountProcessThreads()
{
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = { sizeof(entry) };
    int nThreads = 0;
    for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry))
        nThreads += entry.th32OwnerProcessID == ::GetCurrentProcessId();
    ::CloseHandle(hSnapshot);
    return nThreads;
}

DWORD CountProcessHandles()
{
    DWORD nHandles = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &nHandles);
    return nHandles;
}

class ImageStatic : public ::testing::Test
{
protected:
    // GDI+ runs as it does for a host: between InitSkin and UnInitSkin.
    static void SetUpTestSuite()
    {
        InitSkin();
        // The first pictures bring in the decoders, which stay for the process with whatever
        // threads and handles they keep.
        KorvoTest::CTempFolder folder;
        std::vector<BYTE> pictures[] = { MakeGif(8, 8, { RED, GREEN }, 1), MakeEncodedPicture(L"image/png", 8, 8, BLUE),
                                         MakeEncodedPicture(L"image/jpeg", 8, 8, BLUE) };
        CImageStatic image;
        for (const std::vector<BYTE>& bytes : pictures)
            image.Load(folder.WriteFile(L"warm", bytes.data(), bytes.size()));
        image.Destroy();
    }
    static void TearDownTestSuite() { UnInitSkin(); }

    void SetUp() override
    {
        dlg.AddControl(L"Static", IDC_IMAGE, SS_LEFT, 20, 20, 60, 40);
        ASSERT_TRUE(image.SubclassDlgItem(IDC_IMAGE, &dlg));
        KorvoTest::PumpMessages(0);
        nThreads = CountProcessThreads();
    }
    void TearDown() override
    {
        if (image.m_hWnd)
            image.DestroyWindow();
    }

    CString Write(LPCWSTR pszName, const std::vector<BYTE>& bytes) { return folder.WriteFile(pszName, bytes.data(), bytes.size()); }
    // One file per delay: a loaded picture keeps its file open.
    CString AnimatedGif(int nDelay = 50)
    {
        CString strName;
        strName.Format(L"three%d.gif", nDelay);
        return Write(strName, MakeGif(8, 8, { RED, GREEN, BLUE }, nDelay));
    }

    COLORREF Centre() const { return CCapture(image.m_hWnd).At(30, 20); }
    // The frame (0, 1 or 2) the control shows once it shows one; -1 after five seconds.
    int WaitForFrame() const
    {
        int nFrame = -1;
        PumpUntilLong([&] {
            COLORREF cr = Centre();
            nFrame = cr == RED ? 0 : cr == GREEN ? 1 : cr == BLUE ? 2 : -1;
            return nFrame >= 0;
        });
        return nFrame;
    }
    // Covers what the control shows, so the next frame it draws can be told from this one.
    void Mark() const
    {
        HDC hDC = ::GetDC(image.m_hWnd);
        CRect rc(0, 0, 60, 40);
        ::SetBkColor(hDC, MARKER);
        ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
        ::ReleaseDC(image.m_hWnd, hDC);
    }
    template <typename Done> static BOOL PumpUntilLong(Done fnDone)
    {
        for (DWORD dwStart = ::GetTickCount(); !fnDone(); KorvoTest::PumpMessages(5))
            if (::GetTickCount() - dwStart > 5000)
                return FALSE;
        return TRUE;
    }

    // Whether the control runs an animation thread, seen as threads of the process.
    bool HasThread() const { return CountProcessThreads() > nThreads; }

    KorvoTest::CTempFolder folder;
    CHostDialog dlg;
    CImageStatic image;
    int nThreads = 0;
};

}

TEST_F(ImageStatic, AnimationShowsTheFirstFrameTwiceThenFollowsTheFrames)
{
    ASSERT_TRUE(image.Load(AnimatedGif()));
    EXPECT_TRUE(image.IsAnimatedGIF());
    EXPECT_EQ(3u, image.GetFrameCount());
    EXPECT_TRUE(HasThread());
    std::vector<int> shown;
    for (int i = 0; i < 5; i++)
    {
        shown.push_back(WaitForFrame());
        Mark();
    }
    EXPECT_EQ((std::vector<int>{ 0, 0, 1, 2, 0 }), shown);
}

TEST_F(ImageStatic, StillPicturesAreDrawnOnceWithoutAThread)
{
    struct Case
    {
        LPCWSTR pszName;
        std::vector<BYTE> bytes;
        COLORREF cr;
        int nSlack;
    };
    Case cases[] = {
        { L"one.gif", MakeGif(8, 8, { GREEN }, 10), GREEN, 0 },
        { L"one.png", MakeEncodedPicture(L"image/png", 8, 8, BLUE), BLUE, 0 },
        { L"one.jpg", MakeEncodedPicture(L"image/jpeg", 8, 8, RGB(200, 40, 40)), RGB(200, 40, 40), 12 },
    };
    for (const Case& c : cases)
    {
        ASSERT_FALSE(c.bytes.empty()) << c.pszName;
        ASSERT_TRUE(image.Load(Write(c.pszName, c.bytes))) << c.pszName;
        EXPECT_FALSE(image.IsAnimatedGIF()) << c.pszName;
        EXPECT_FALSE(HasThread()) << c.pszName;
        // Drawn by Load itself, stretched over the whole client area.
        EXPECT_TRUE(Near(c.cr, Centre(), c.nSlack)) << c.pszName;
        EXPECT_TRUE(Near(c.cr, CCapture(image.m_hWnd).At(6, 6), c.nSlack)) << c.pszName;
        EXPECT_TRUE(Near(c.cr, CCapture(image.m_hWnd).At(52, 33), c.nSlack)) << c.pszName;
        // And again at a paint.
        Mark();
        Repaint(image.m_hWnd);
        EXPECT_TRUE(Near(c.cr, Centre(), c.nSlack)) << c.pszName;
        image.SetPause(true);
        EXPECT_FALSE(image.IsPaused()) << c.pszName;
    }
}

TEST_F(ImageStatic, UnreadableFilesLeaveTheControlEmpty)
{
    std::vector<BYTE> gif = MakeGif(8, 8, { RED, GREEN, BLUE }, 50);
    std::vector<BYTE> text = { 'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e' };
    CString unreadable[] = {
        Write(L"text.gif", text),
        Write(L"header.gif", std::vector<BYTE>(gif.begin(), gif.begin() + 13)),
        folder.Path() + L"missing.gif",
    };
    for (const CString& strPath : unreadable)
    {
        ASSERT_TRUE(image.Load(AnimatedGif()));
        ASSERT_TRUE(HasThread());
        EXPECT_FALSE(image.Load(strPath)) << (LPCWSTR)strPath;
        // The animation that was playing is gone with its thread; the control paints white.
        EXPECT_FALSE(HasThread()) << (LPCWSTR)strPath;
        EXPECT_FALSE(image.IsPaused());
        Mark();
        Repaint(image.m_hWnd);
        EXPECT_EQ(WHITE, Centre()) << (LPCWSTR)strPath;
    }
}

TEST_F(ImageStatic, TruncatedAnimationEitherPlaysOrLeavesTheControlEmpty)
{
    std::vector<BYTE> gif = MakeGif(8, 8, { RED, GREEN, BLUE }, 2);
    // Cut within each frame's data and between frames.
    for (size_t nCut = 20; nCut < gif.size(); nCut += 7)
    {
        CString strPath = Write(L"cut.gif", std::vector<BYTE>(gif.begin(), gif.begin() + nCut));
        if (image.Load(strPath))
        {
            EXPECT_EQ(image.IsAnimatedGIF(), HasThread()) << nCut;
            KorvoTest::PumpMessages(5);
        }
        else
        {
            EXPECT_FALSE(HasThread()) << nCut;
            Repaint(image.m_hWnd);
            EXPECT_EQ(WHITE, Centre()) << nCut;
        }
        image.Destroy();
    }
}

TEST_F(ImageStatic, EmptyPathKeepsThePicture)
{
    ASSERT_TRUE(image.Load(AnimatedGif()));
    EXPECT_FALSE(image.Load(L""));
    EXPECT_TRUE(image.IsAnimatedGIF());
    Mark();
    EXPECT_NE(-1, WaitForFrame());

    ASSERT_TRUE(image.Load(Write(L"one.png", MakeEncodedPicture(L"image/png", 8, 8, BLUE))));
    EXPECT_FALSE(image.Load(L""));
    Mark();
    Repaint(image.m_hWnd);
    EXPECT_EQ(BLUE, Centre());
}

TEST_F(ImageStatic, PausedTwiceResumesOnce)
{
    ASSERT_TRUE(image.Load(AnimatedGif(5)));
    image.SetPause(true);
    image.SetPause(true);
    EXPECT_TRUE(image.IsPaused());
    image.SetPause(false);
    EXPECT_FALSE(image.IsPaused());
    // Frames keep coming.
    for (int i = 0; i < 3; i++)
    {
        Mark();
        EXPECT_NE(-1, WaitForFrame()) << i;
    }
}

TEST_F(ImageStatic, DestroyReleasesAPausedThreadAndKeepsTheFrameCount)
{
    ASSERT_TRUE(image.Load(AnimatedGif(5)));
    EXPECT_TRUE(HasThread());
    EXPECT_NE(-1, WaitForFrame());
    image.SetPause(true);
    image.Destroy();
    EXPECT_FALSE(HasThread());
    EXPECT_FALSE(image.IsPaused());
    EXPECT_TRUE(image.IsAnimatedGIF());
    EXPECT_EQ(3u, image.GetFrameCount());
    // The window's end finds nothing left to release; a destroyed window stops its thread too.
    ASSERT_TRUE(image.Load(AnimatedGif(5)));
    image.SetPause(true);
    image.DestroyWindow();
    EXPECT_FALSE(HasThread());
}

TEST_F(ImageStatic, FrameDelaysHaveAFloorAndADefault)
{
    // The animation machinery on its own, over no window.
    CWnd noWindow;
    CImageAnimation animation(noWindow);
    struct Case
    {
        int nDelay;
        UINT nFrame;
        DWORD dwWait;
    } cases[] = {
        { 0, 0, CImageAnimation::MIN_FRAME_DELAY_MS },
        { 30, 2, 300 },
        // Past the delays the picture carries.
        { 30, 3, CImageAnimation::DEFAULT_FRAME_DELAY_MS },
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(animation.Load(AnimatedGif(c.nDelay))) << c.nDelay;
        EXPECT_EQ(c.dwWait, animation.FrameDelay(c.nFrame)) << c.nDelay;
    }
    animation.Destroy();
    // Frames without delays still play.
    ASSERT_TRUE(image.Load(AnimatedGif(-1)));
    EXPECT_TRUE(image.IsAnimatedGIF());
    for (int i = 0; i < 2; i++)
    {
        Mark();
        EXPECT_NE(-1, WaitForFrame()) << i;
    }
}

TEST_F(ImageStatic, ManyCyclesLeaveNoThreadOrHandleBehind)
{
    CString strPath = AnimatedGif(1);
    // The first load brings the codecs in; they stay for the process.
    ASSERT_TRUE(image.Load(strPath));
    image.Destroy();
    int nThreads = CountProcessThreads();
    DWORD nHandles = CountProcessHandles();

    std::mt19937 random(20261206);
    auto shortWait = [&] {
        DWORD n = random() % 4;
        if (n)
            ::Sleep(n - 1);
    };
    // Each cycle starts and ends a thread, about 25 ms under Wine: a thousand take half a minute.
    for (int i = 0; i < 1000; i++)
    {
        ASSERT_TRUE(image.Load(strPath)) << i;
        shortWait();
        image.SetPause(true);
        if (random() % 2)
        {
            shortWait();
            image.SetPause(false);
        }
        shortWait();
        image.Destroy();
    }
    EXPECT_EQ(nThreads, CountProcessThreads());
    EXPECT_EQ(nHandles, CountProcessHandles());
}

// Outside InitSkin and UnInitSkin: GDI+ may answer, but the control does not ask it.
TEST(ImageStaticWithoutGdiplus, LoadFailsAndLeavesTheControlEmpty)
{
    KorvoTest::CTempFolder folder;
    std::vector<BYTE> gif = MakeGif(8, 8, { RED, GREEN, BLUE }, 5);
    CString strPath = folder.WriteFile(L"three.gif", gif.data(), gif.size());
    CHostDialog dlg;
    dlg.AddControl(L"Static", IDC_IMAGE, SS_LEFT, 20, 20, 60, 40);
    CImageStatic image;
    ASSERT_TRUE(image.SubclassDlgItem(IDC_IMAGE, &dlg));
    int nThreads = CountProcessThreads();
    EXPECT_FALSE(image.Load(strPath));
    EXPECT_EQ(nThreads, CountProcessThreads());
    EXPECT_FALSE(image.IsAnimatedGIF());
    Repaint(image.m_hWnd);
    EXPECT_EQ(WHITE, CCapture(image.m_hWnd).At(30, 20));
    image.DestroyWindow();
}
