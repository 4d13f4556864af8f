// A skinned dialog under a dark skin without a watermark is erased in the skin's dialog colour
// from its first paint, and a host's switch to another skin (a load, then SkinMe) never lets the
// dialog paint the system's frame or background between the two.
#include "SkinTestSupport.h"
#include <windowskin/CSkinDialogFrame.h>

using namespace SkinTest;

namespace
{
const COLORREF DARK = RGB(0x10, 0x20, 0x30), OTHER_DARK = RGB(0x30, 0x10, 0x20);

// A dialog skinned before it is shown, as a host does in OnInitDialog, which counts the frame
// paints and erases it gets while it has no skin.
class CEraseDialog : public CSkinDialog
{
public:
    CEraseDialog() : m_template(CTestSkinDialog::STYLE, 200, 120, L"Main") {}
    BOOL CreateSkinnedHidden()
    {
        if (!CreateIndirect(m_template.Get()))
            return FALSE;
        SetWindowPos(NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return SkinMe(L"Main");
    }
    // The client area's pixels on the screen, at its corners and centre.
    std::vector<COLORREF> ClientSamples() const
    {
        KorvoTest::CWindowPixels pixels(m_hWnd, true);
        const int cx = pixels.m_cx, cy = pixels.m_cy;
        return { pixels.At(2, cy - 3), pixels.At(cx - 3, 2), pixels.At(cx / 2, cy / 2), pixels.At(cx - 3, cy - 3) };
    }

    int m_nPlainPaints = 0;

protected:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if ((nMsg == WM_NCPAINT || nMsg == WM_ERASEBKGND) && !CSkinDialogFrame::SkinOf(*this))
            m_nPlainPaints++;
        return CSkinDialog::WindowProc(nMsg, wParam, lParam);
    }

private:
    KorvoTest::CDialogTemplate m_template;
};

struct SkinDialogErase : ::testing::Test
{
    CSkinDefinitions defs;
    CEraseDialog dlg;
};
}

TEST_F(SkinDialogErase, ADarkSkinIsDarkFromTheFirstPaintAndThroughASwitch)
{
    defs.Write(L"Definitions\\Other.xml", L"<colourScheme><colour name=\"dialog.back\" value=\"301020\"/></colourScheme>");
    defs.Load(defs.Skin(FrameSkin(L"Main")), L"<colourScheme><colour name=\"dialog.back\" value=\"102030\"/></colourScheme>");
    ASSERT_TRUE(dlg.CreateSkinnedHidden());
    dlg.ShowWindow(SW_SHOWNOACTIVATE);
    dlg.UpdateWindow();
    for (COLORREF cr : dlg.ClientSamples())
        EXPECT_EQ(DARK, cr) << "shown";

    dlg.SetWindowPos(NULL, 0, 0, 480, 320, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    dlg.UpdateWindow();
    for (COLORREF cr : dlg.ClientSamples())
        EXPECT_EQ(DARK, cr) << "resized";

    // The host's switch: the load takes the old skin away, SkinMe gives the new one.
    ASSERT_TRUE(LoadSkin(L"", L"Definitions\\Other.xml"));
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    KorvoTest::PumpMessages(30);
    EXPECT_EQ(0, dlg.m_nPlainPaints) << "nothing of the system's frame or background was painted";
    for (COLORREF cr : dlg.ClientSamples())
        EXPECT_EQ(OTHER_DARK, cr) << "switched";
    dlg.DestroyWindow();
}
