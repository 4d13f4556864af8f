// Messages any process can post to the host's windows with numbers where the platform would
// give a device context or a rectangle: the windows leave them to the system or to the window
// as it is, and stay.
#include "GalleryPageHost.h"
#include <parts/CWindowDpi.h>

using namespace GalleryTest;

namespace
{
struct ForgedMessages : ::testing::Test
{
    ControlsTest::CFreshTheme theme;
    CBundledSkin skin;
    CGalleryHost host;

    // The skinned dialog, its page and every control on the page.
    std::vector<HWND> Windows() const
    {
        std::vector<HWND> windows = { host.m_hWnd, host.m_page.m_hWnd };
        for (HWND hChild = ::GetWindow(host.m_page.m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            windows.push_back(hChild);
        return windows;
    }
};
}

TEST_F(ForgedMessages, BackgroundAndColourRequestsWithoutADeviceContextGoToTheSystem)
{
    std::vector<HWND> windows = Windows();
    ASSERT_GT(windows.size(), 20u);
    for (HWND hWnd : windows)
    {
        ::PostMessageW(hWnd, WM_ERASEBKGND, 0, 0);
        for (UINT nMessage = WM_CTLCOLORMSGBOX; nMessage <= WM_CTLCOLORSTATIC; nMessage++)
        {
            ::PostMessageW(hWnd, nMessage, 0, (LPARAM)hWnd);
            ::PostMessageW(host.m_page.m_hWnd, nMessage, 0, (LPARAM)hWnd);
        }
    }
    KorvoTest::PumpMessages(50);
    for (HWND hWnd : windows)
        EXPECT_TRUE(::IsWindow(hWnd));
    // Real requests are still answered with the skin's brush.
    CClientDC dc(&host.m_page);
    EXPECT_TRUE(::SendMessageW(host.m_page.m_hWnd, WM_CTLCOLORDLG, (WPARAM)dc.m_hDC, (LPARAM)host.m_page.m_hWnd));
}

TEST_F(ForgedMessages, ADpiChangeWithANumberForItsRectangleKeepsTheWindowWhereItIs)
{
    CRect rcBefore;
    host.GetWindowRect(&rcBefore);
    const UINT nDpi = CWindowDpi::Of(host.m_hWnd);
    // Numbers where this process has nothing to read.
    for (LPARAM lParam : { (LPARAM)1, (LPARAM)0xDEADBEEF, (LPARAM)-16 })
        ::PostMessageW(host.m_hWnd, WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), lParam);
    KorvoTest::PumpMessages(50);
    ASSERT_TRUE(::IsWindow(host.m_hWnd));
    CRect rcAfter;
    host.GetWindowRect(&rcAfter);
    EXPECT_EQ(rcBefore, rcAfter);
}
