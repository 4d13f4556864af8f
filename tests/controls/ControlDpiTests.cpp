// Controls in a window told another DPI: their own sizes scale with it, and come back at 96.
#include "ControlsTestSupport.h"
#include <parts/CDpiScale.h>
#include <parts/CWindowDpi.h>
#include "api/Globals.h"

using namespace ControlsTest;

namespace
{
// Tells the host's window a DPI as the system does, and its child as the dialog forwards it.
template <class T> void TellDpi(CControlHost<T>& host, UINT nDpi)
{
    CWindowDpi::Remember(host.dlg.m_hWnd, nDpi);
    host.control.SendMessage(WM_DPICHANGED_AFTERPARENT);
    Repaint(host.control.m_hWnd);
}

// The host dialog's DPI is forgotten before it goes.
template <class T> struct CDpiHost : CControlHost<T>
{
    using CControlHost<T>::CControlHost;
    ~CDpiHost() { CWindowDpi::Forget(this->dlg.m_hWnd); }
};

// Within a pixel of n scaled for the DPI.
void ExpectScaled(int n, UINT nDpi, int nActual, const char* pszWhat)
{
    EXPECT_NEAR(CDpiScale(nDpi).Scale(n), nActual, 1) << pszWhat << " at " << nDpi;
}
}

TEST(ControlDpi, SliderThumbFollowsTheWindowsDpiAndComesBack)
{
    for (DWORD dwStyle : { (DWORD)0, (DWORD)TBS_VERT })
    {
        SCOPED_TRACE(dwStyle);
        CRect rc = dwStyle & TBS_VERT ? CRect(10, 10, 80, 250) : CRect(10, 10, 250, 80);
        CDpiHost<CSkinSliderCtrl> host(TRACKBAR_CLASSW, dwStyle | TBS_NOTICKS, rc);
        CRect rcThumb96;
        host.control.GetThumbRect(&rcThumb96);
        for (UINT nDpi : { 144u, 192u, 96u })
        {
            TellDpi(host, nDpi);
            CRect rcThumb;
            host.control.GetThumbRect(&rcThumb);
            ExpectScaled(rcThumb96.Width(), nDpi, rcThumb.Width(), "thumb width");
            ExpectScaled(rcThumb96.Height(), nDpi, rcThumb.Height(), "thumb height");
        }
        EXPECT_EQ(0u, host.control.GetStyle() & TBS_FIXEDLENGTH);
    }
}

TEST(ControlDpi, CheckBoxSizesItsBoxAndMarkForTheWindowsDpi)
{
    const COLORREF crFrame = ::GetSysColor(COLOR_HIGHLIGHT), crMark = RGB(0, 170, 170);
    CDpiHost<CSkinCheckBox> host(L"Button", BS_AUTOCHECKBOX, CRect(10, 10, 170, 50), L"Check me");
    host.control.SetCheck(1);
    for (UINT nDpi : { 144u, 192u, 96u })
    {
        TellDpi(host, nDpi);
        CCapture capture(host.control.m_hWnd);
        // The box's frame down the left edge and along its top row, centred in the 40 pixels.
        int nSide = capture.CountColumn(0, 0, 40, crFrame);
        ExpectScaled(13, nDpi, nSide, "box");
        int nTop = (40 - nSide) / 2;
        EXPECT_EQ(nSide, capture.CountRow(nTop, 0, 40, crFrame)) << nDpi;
        // The mark stays inside the frame; its bottom vertex sits where the scaled box puts it.
        int nMarkInside = 0;
        for (int y = nTop; y < nTop + nSide; y++)
            nMarkInside += capture.CountRow(y, 0, nSide, crMark);
        EXPECT_EQ(capture.Count(crMark), nMarkInside) << nDpi;
        const CDpiScale s(nDpi);
        CPoint ptVertex(s.Scale(2) + s.Scale(3), nTop + nSide - 2 * s.Scale(2) - 1);
        EXPECT_EQ(crMark, capture.At(ptVertex.x, ptVertex.y)) << nDpi;
    }
}

namespace
{
class CComboDpiProbe : public CSkinComboBox
{
public:
    int ArrowWidth() const { return m_nArrowWidth; }
    void SetArrowWidth(int nWidth) { m_nArrowWidth = nWidth; }
};

// The columns of the client area holding black (the arrow's ink), from the first to the last.
int InkWidth(const CCapture& capture)
{
    int nFirst = -1, nLast = -1;
    for (int x = 0; x < capture.m_cx; x++)
        if (capture.CountColumn(x, 0, capture.m_cy, RGB(0, 0, 0)))
            nLast = x, nFirst = nFirst < 0 ? x : nFirst;
    return nFirst < 0 ? 0 : nLast - nFirst + 1;
}
}

TEST(ControlDpi, ComboDropButtonAndArrowFollowTheWindowsDpi)
{
    CFreshTheme theme;
    CDpiHost<CComboDpiProbe> host(L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, CRect(10, 10, 170, 210));
    host.control.SetItemHeight(-1, 30);
    host.control.SetArrowWidth(17);
    Repaint(host.control.m_hWnd);
    CRect rc;
    host.control.GetClientRect(&rc);
    int nInk96 = InkWidth(CCapture(host.control.m_hWnd));
    ASSERT_GT(nInk96, 0);
    for (UINT nDpi : { 144u, 192u, 96u, 192u })
    {
        TellDpi(host, nDpi);
        ExpectScaled(17, nDpi, host.control.ArrowWidth(), "drop button");
        CCapture capture(host.control.m_hWnd);
        int A = host.control.ArrowWidth();
        EXPECT_EQ(g_Theme.Colour(SkinColour::Border), capture.At(rc.Width() - 2 - A, rc.Height() / 2)) << nDpi;
        ExpectScaled(nInk96, nDpi, InkWidth(capture), "arrow");
    }
    // A width a derived class sets at another DPI is taken as meant for it.
    host.control.SetArrowWidth(30);
    TellDpi(host, 96);
    EXPECT_EQ(15, host.control.ArrowWidth());
}

TEST(ControlDpi, AnIconButtonsIconIsAsLargeAsMenusDrawCommandImagesAtItsDpi)
{
    // Command 4331 is green at 16 pixels and blue at 32: the button shows the blue one from 144
    // on. A host's own icon is enlarged.
    CFreshTheme theme;
    const COLORREF GREEN = RGB(20, 180, 60), BLUE = RGB(30, 60, 200), RED = RGB(200, 30, 40);
    HICON hGreen = MakeSolidIcon(GREEN), hBlue = MakeSolidIcon(BLUE);
    g_Theme.AddIcon(4331, hGreen, SIZE_CODE_16);
    g_Theme.AddIcon(4331, hBlue, SIZE_CODE_32);
    ::DestroyIcon(hGreen);
    ::DestroyIcon(hBlue);
    CDpiHost<CIconButton> command(L"Button", BS_PUSHBUTTON, CRect(10, 10, 110, 70), L"");
    command.control.SetCoolIcon(4331);
    CDpiHost<CIconButton> own(L"Button", BS_PUSHBUTTON, CRect(10, 10, 110, 70), L"");
    own.control.SetIcon(MakeSolidIcon(RED));
    for (UINT nDpi : { 144u, 192u, 96u })
    {
        SCOPED_TRACE(nDpi);
        const int nSide = nDpi == 96 ? 16 : CDpiScale(nDpi).Scale(16);
        TellDpi(command, nDpi);
        TellDpi(own, nDpi);
        EXPECT_EQ(nSide * nSide, CCapture(command.control.m_hWnd).Count(nDpi == 96 ? GREEN : BLUE));
        EXPECT_EQ(nSide * nSide, CCapture(own.control.m_hWnd).Count(RED));
    }
}
