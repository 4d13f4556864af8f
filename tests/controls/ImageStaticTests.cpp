#include "ControlsTestSupport.h"
#include "PictureFiles.h"
#include <controls/CImageAnimation.h>
#include <tlhelp32.h>
#include <random>
#include <set>

using namespace ControlsTest;
using namespace ControlsTest::Colours;
using namespace PictureFiles;

namespace
{
const UINT IDC_IMAGE = 500;
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
    // Whether the control runs an animation thread, seen as threads of the process.
    bool HasThread() const { return CountProcessThreads() > nThreads; }

    COLORREF At(int x = 30, int y = 20) const { return CCapture(image.m_hWnd).At(x, y); }
    // The frame (0, 1 or 2) the control shows at a point once it shows one; -1 after five
    // seconds.
    int WaitForFrame(int x = 30, int y = 20) const
    {
        int nFrame = -1;
        for (DWORD dwStart = ::GetTickCount(); nFrame < 0 && ::GetTickCount() - dwStart < 5000; KorvoTest::PumpMessages(5))
        {
            COLORREF cr = At(x, y);
            nFrame = cr == RED ? 0 : cr == GREEN ? 1 : cr == BLUE ? 2 : -1;
        }
        return nFrame;
    }
    // Covers what the control shows, so the next thing drawn can be told from this.
    void Mark() const
    {
        HDC hDC = ::GetDC(image.m_hWnd);
        CRect rc;
        ::GetClientRect(image.m_hWnd, &rc);
        ::SetBkColor(hDC, MARKER);
        ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
        ::ReleaseDC(image.m_hWnd, hDC);
    }
    // What the control paints when asked to, the animation thread left aside.
    COLORREF Painted()
    {
        Mark();
        Repaint(image.m_hWnd);
        return At();
    }

    KorvoTest::CTempFolder folder;
    CHostDialog dlg;
    CImageStatic image;
    int nThreads = 0;
};

}

TEST_F(ImageStatic, AnimationPlaysInOrderPausesAndStops)
{
    // The first frame shows twice (the first step draws the picture's own first frame), then
    // the frames follow and wrap around.
    ASSERT_TRUE(image.Load(AnimatedGif()));
    EXPECT_EQ(3u, image.GetFrameCount());
    EXPECT_TRUE(image.IsAnimatedGIF() && HasThread());
    std::vector<int> shown;
    for (int i = 0; i < 5; i++, Mark())
        shown.push_back(WaitForFrame());
    EXPECT_EQ((std::vector<int>{ 0, 0, 1, 2, 0 }), shown);

    image.SetPause(true);
    image.SetPause(true);
    EXPECT_TRUE(image.IsPaused());
    image.SetPause(false);
    EXPECT_FALSE(image.IsPaused());
    Mark();
    EXPECT_NE(-1, WaitForFrame());
    // A paused thread is released and ends; the frame count stays known.
    image.SetPause(true);
    image.Destroy();
    EXPECT_FALSE(HasThread());
    EXPECT_FALSE(image.IsPaused());
    EXPECT_EQ(3u, image.GetFrameCount());
    // The window's end stops a paused thread too.
    ASSERT_TRUE(image.Load(AnimatedGif(5)));
    image.SetPause(true);
    image.DestroyWindow();
    EXPECT_FALSE(HasThread());
}

TEST_F(ImageStatic, AResizeDuringPlayComposesEveryFrameAtTheNewSize)
{
    // A whole loop first, so that every frame is kept at the first size.
    ASSERT_TRUE(image.Load(AnimatedGif()));
    for (int i = 0; i < 5; i++, Mark())
        ASSERT_NE(-1, WaitForFrame());
    image.SetWindowPos(NULL, 0, 0, 100, 70, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Mark();
    // Past the first size every frame shows, kept ones included, and fills the whole control
    // (read away from the edges, which the stretch blends with white).
    std::set<int> shown;
    for (int i = 0; i < 4; i++, Mark())
    {
        int nFrame = WaitForFrame(75, 50);
        ASSERT_NE(-1, nFrame) << "frame " << i << " after the resize";
        shown.insert(nFrame);
        CCapture capture(image.m_hWnd);
        EXPECT_EQ(capture.At(75, 50), capture.At(20, 15)) << "frame " << nFrame;
    }
    EXPECT_EQ(3u, shown.size());
}

TEST_F(ImageStatic, StillPicturesAreDrawnOnceWithoutAThread)
{
    struct Case
    {
        LPCWSTR pszName;
        std::vector<BYTE> bytes;
        COLORREF cr;
        int nSlack;
    } cases[] = {
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
        // Drawn by Load itself, stretched over the whole client area; and again at a paint.
        for (CPoint pt : { CPoint(6, 6), CPoint(30, 20), CPoint(52, 33) })
            EXPECT_TRUE(Near(c.cr, At(pt.x, pt.y), c.nSlack)) << c.pszName << " " << pt.x;
        EXPECT_TRUE(Near(c.cr, Painted(), c.nSlack)) << c.pszName;
        image.SetPause(true);
        EXPECT_FALSE(image.IsPaused()) << c.pszName;
    }
}

TEST_F(ImageStatic, FailedLoadsKeepOrEmptyTheControl)
{
    // An empty path changes nothing.
    ASSERT_TRUE(image.Load(AnimatedGif()));
    EXPECT_FALSE(image.Load(L""));
    EXPECT_TRUE(HasThread());
    Mark();
    EXPECT_NE(-1, WaitForFrame());

    // A file that is not a picture, or not there, ends the animation and leaves the control white.
    std::vector<BYTE> gif = MakeGif(8, 8, { RED, GREEN, BLUE }, 2);
    CString unreadable[] = {
        Write(L"text.gif", { 'n', 'o', 't', ' ', 'a', ' ', 'g', 'i', 'f' }),
        Write(L"header.gif", std::vector<BYTE>(gif.begin(), gif.begin() + 13)),
        folder.Path() + L"missing.gif",
    };
    for (const CString& strPath : unreadable)
    {
        ASSERT_TRUE(image.Load(AnimatedGif()));
        EXPECT_FALSE(image.Load(strPath)) << (LPCWSTR)strPath;
        EXPECT_FALSE(HasThread()) << (LPCWSTR)strPath;
        EXPECT_FALSE(image.IsPaused());
        EXPECT_EQ(WHITE, Painted()) << (LPCWSTR)strPath;
    }

    // Cut within each frame's data and between frames: it plays what it can or is empty.
    for (size_t nCut = 20; nCut < gif.size(); nCut += 7)
    {
        if (image.Load(Write(L"cut.gif", std::vector<BYTE>(gif.begin(), gif.begin() + nCut))))
        {
            EXPECT_EQ(image.IsAnimatedGIF(), HasThread()) << nCut;
            KorvoTest::PumpMessages(5);
        }
        else
        {
            EXPECT_FALSE(HasThread()) << nCut;
            EXPECT_EQ(WHITE, Painted()) << nCut;
        }
        image.Destroy();
    }
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
    for (int i = 0; i < 2; i++, Mark())
        EXPECT_NE(-1, WaitForFrame()) << i;
}

TEST_F(ImageStatic, ManyCyclesLeaveNoThreadOrHandleBehind)
{
    CString strPath = AnimatedGif(1);
    DWORD nHandles = 0, nHandlesAfter = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &nHandles);
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
    EXPECT_FALSE(HasThread());
    ::GetProcessHandleCount(::GetCurrentProcess(), &nHandlesAfter);
    EXPECT_EQ(nHandles, nHandlesAfter);
}

// Outside InitSkin and UnInitSkin: GDI+ may answer, but the control does not ask it.
TEST(ImageStaticWithoutGdiplus, LoadFailsAndLeavesTheControlEmpty)
{
    KorvoTest::CTempFolder folder;
    std::vector<BYTE> gif = MakeGif(8, 8, { RED, GREEN, BLUE }, 5);
    CHostDialog dlg;
    dlg.AddControl(L"Static", IDC_IMAGE, SS_LEFT, 20, 20, 60, 40);
    CImageStatic image;
    ASSERT_TRUE(image.SubclassDlgItem(IDC_IMAGE, &dlg));
    int nThreads = CountProcessThreads();
    EXPECT_FALSE(image.Load(folder.WriteFile(L"three.gif", gif.data(), gif.size())));
    EXPECT_EQ(nThreads, CountProcessThreads());
    EXPECT_FALSE(image.IsAnimatedGIF());
    Repaint(image.m_hWnd);
    EXPECT_EQ(WHITE, CCapture(image.m_hWnd).At(30, 20));
    image.DestroyWindow();
}
