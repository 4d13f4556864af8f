// The keyboard's place is visible on the gallery's controls page in every bundled skin: each
// control that takes input looks different, by a fair number of pixels, while it has the focus
// that Tab gives it.
#include "GalleryPageHost.h"

using namespace GalleryTest;

namespace
{
// A one-pixel frame round the smallest control's text is well over this.
const int MIN_CHANGED_PIXELS = 20;

int ChangedPixels(const ControlsTest::CCapture& a, const ControlsTest::CCapture& b)
{
    int nChanged = 0;
    for (int y = 0; y < a.m_cy; y++)
        for (int x = 0; x < a.m_cx; x++)
            nChanged += a.At(x, y) != b.At(x, y);
    return nChanged;
}
}

TEST(FocusIndication, EveryControlShowsTheFocusInEveryBundledSkin)
{
    for (LPCWSTR pszSkin : { L"Aurora", L"Ember", L"Midnight" })
    {
        CComApartment apartment;
        ControlsTest::CFreshTheme theme;
        CBundledSkin skin(pszSkin);
        CGalleryHost host;
        // No control has the focus (the dialog would hand its own to its first control).
        ::SetFocus(NULL);
        KorvoTest::PumpMessages(20);
        std::vector<ControlsTest::CCapture> unfocused;
        for (UINT nID : TAB_ORDER)
            unfocused.push_back(ControlsTest::CCapture(host.Control(nID)));

        // Reached by Tab, as a keyboard user reaches them, from the last round to the first.
        ::SetFocus(host.Control(TAB_ORDER[_countof(TAB_ORDER) - 1]));
        for (size_t n = 0; n < _countof(TAB_ORDER); n++)
        {
            PressKey(VK_TAB);
            KorvoTest::PumpMessages(10);
            HWND hControl = host.Control(TAB_ORDER[n]);
            ASSERT_EQ(hControl, ::GetFocus()) << pszSkin;
            ControlsTest::CCapture focused(hControl);
            EXPECT_LE(MIN_CHANGED_PIXELS, ChangedPixels(unfocused[n], focused))
                << CString(pszSkin).GetString() << " control " << TAB_ORDER[n];
        }
    }
}

TEST(FocusIndication, CheckBoxesShowThePagesOwnBackgroundInEveryBundledSkin)
{
    for (LPCWSTR pszSkin : { L"Aurora", L"Ember", L"Midnight" })
    {
        ControlsTest::CFreshTheme theme;
        CBundledSkin skin(pszSkin);
        CGalleryHost host;
        for (UINT nID : { IDC_CT_CHECK_OFF, IDC_CT_CHECK_ON, IDC_CT_CHECK_LEFT, IDC_CT_CHECK_DISABLED })
        {
            HWND hCheck = host.Control(nID);
            ControlsTest::Repaint(hCheck);
            ControlsTest::CCapture check(hCheck);
            // The page's pixels under the control, once it is hidden.
            CRect rc;
            ::GetWindowRect(hCheck, &rc);
            ::ShowWindow(hCheck, SW_HIDE);
            ::UpdateWindow(host.m_page.m_hWnd);
            KorvoTest::CWindowPixels page(host.m_page.m_hWnd, true);
            ::ShowWindow(hCheck, SW_SHOW);
            host.m_page.ScreenToClient(&rc);
            // Columns past the text and clear of the box (which the text-left one has at its right
            // edge) hold neither.
            int xEnd = nID == IDC_CT_CHECK_LEFT ? check.m_cx - 14 : check.m_cx;
            int nBackground = 0, nSame = 0;
            for (int y = 0; y < check.m_cy; y++)
                for (int x = xEnd - 3; x < xEnd; x++)
                {
                    nBackground++;
                    nSame += check.At(x, y) == page.At(rc.left + x, rc.top + y);
                }
            EXPECT_EQ(nBackground, nSame) << CString(pszSkin).GetString() << " " << nID;
        }
    }
}
