#include "ControlsTestSupport.h"
#include <controls/CSliderLook.h>
#include "api/Globals.h"

using namespace ControlsTest;
using namespace ControlsTest::Colours;

namespace
{
// Opens the drawing steps of the slider to the tests: a look of the probe's own, given the
// same colours as the slider, draws for the probe's window.
class CSliderProbe : public CSkinSliderCtrl
{
public:
    void SetThumbColor(COLORREF cr)
    {
        m_look.SetThumbColor(cr);
        CSkinSliderCtrl::SetThumbColor(cr);
    }
    void SetSelectionColor(COLORREF cr)
    {
        m_look.SetSelectionColor(cr);
        CSkinSliderCtrl::SetSelectionColor(cr);
    }
    void DrawChannel(CDC* pDC, const CRect& rc, BOOL bHorizontal) { m_look.DrawChannel(*this, pDC, rc, bHorizontal != FALSE); }
    void DrawHorizontalThumb(CDC* pDC, const CRect& rc) { m_look.DrawHorizontalThumb(*this, pDC, rc); }
    void DrawVerticalThumb(CDC* pDC, const CRect& rc) { m_look.DrawVerticalThumb(*this, pDC, rc); }
    COLORREF Light() const { return m_look.GetThumbLight(); }
    COLORREF Lighter() const { return m_look.GetThumbLighter(); }
    COLORREF Darker() const { return m_look.GetThumbDarker(); }
    // Without a window the level is only stored.
    void SetLevel(int nLevel) { SetVolumn(nLevel); }

private:
    CSliderLook m_look;
};

const COLORREF THUMB = RGB(200, 100, 50);

// A slider of the style at (10, 10), cx by cy, with the thumb colour above.
struct CSliderHost : CControlHost<CSliderProbe>
{
    CSliderHost(DWORD dwStyle, int cx = 200, int cy = 30)
        : CControlHost<CSliderProbe>(TRACKBAR_CLASSW, dwStyle | TBS_NOTICKS, CRect(10, 10, 10 + cx, 10 + cy))
    {
        control.SetThumbColor(THUMB);
    }
};
}

TEST(Slider, ThumbShadingAndGripFollowTheThumbSize)
{
    CSliderHost horizontal(0), vertical(TBS_VERT, 30, 200);
    // Horizontal thumbs 20 high (pointed bottom) by w, their grip counted across row t+8 (with
    // the shading line at l+1); vertical thumbs 20 wide by w, always shaded, their grip rows
    // counted down column l+7 from one below the top.
    struct Row
    {
        bool bVertical;
        int w;
        BOOL bEnabled;
        BOOL bShaded;
        int nLight;
        int nDarker;
    } rows[] = {
        { false, 5, TRUE, FALSE, 0, 0 },  { false, 6, TRUE, TRUE, 3, 2 },  { false, 9, TRUE, TRUE, 3, 2 },
        { false, 10, TRUE, TRUE, 5, 3 }, { false, 14, TRUE, TRUE, 5, 3 }, { false, 10, FALSE, TRUE, 1, 0 },
        { true, 5, TRUE, TRUE, 0, 0 },   { true, 6, TRUE, TRUE, 2, 2 },   { true, 9, TRUE, TRUE, 2, 2 },
        { true, 10, TRUE, TRUE, 4, 3 },  { true, 12, TRUE, TRUE, 4, 3 },
    };
    for (const Row& row : rows)
    {
        CSliderProbe& slider = row.bVertical ? vertical.control : horizontal.control;
        slider.EnableWindow(row.bEnabled);
        CCanvas canvas(60, 40, WHITE);
        CRect rc = row.bVertical ? CRect(10, 10, 30, 10 + row.w) : CRect(10, 10, 10 + row.w, 30);
        int nLight = 0, nDarker = 0;
        if (row.bVertical)
        {
            slider.DrawVerticalThumb(canvas.Dc(), rc);
            for (int y = rc.top + 2; y < rc.bottom; y++)
            {
                nLight += canvas.At(rc.left + 7, y) == slider.Light();
                nDarker += canvas.At(rc.left + 7, y) == slider.Darker();
            }
        }
        else
        {
            slider.DrawHorizontalThumb(canvas.Dc(), rc);
            nLight = canvas.CountRow(rc.top + 8, rc.left, rc.right, slider.Light());
            nDarker = canvas.CountRow(rc.top + 8, rc.left, rc.right, slider.Darker());
        }
        EXPECT_EQ(row.bShaded ? slider.Lighter() : THUMB, canvas.At(rc.left + 1, rc.top + 1)) << row.bVertical << row.w;
        EXPECT_EQ(row.nLight, nLight) << row.bVertical << " " << row.w;
        EXPECT_EQ(row.nDarker, nDarker) << row.bVertical << " " << row.w;
        slider.EnableWindow(TRUE);
    }
}

TEST(Slider, ThumbShapesFollowTheStyle)
{
    // Corner pixels tell the shapes apart: a box darkens its bottom-right inner corner, a
    // pointed top leaves the top corners outside the outline, a pointed bottom the bottom ones.
    struct Row
    {
        DWORD dwStyle;
        POINT ptOutside;
        POINT ptInside;
    } rows[] = {
        { TBS_BOTH, { 9, 10 }, { 19, 28 } },
        { TBS_TOP, { 11, 11 }, { 15, 27 } },
        { 0, { 11, 28 }, { 15, 12 } },
        { TBS_VERT | TBS_BOTH, { 9, 10 }, { 28, 19 } },
        { TBS_VERT | TBS_LEFT, { 11, 11 }, { 27, 15 } },
        { TBS_VERT, { 28, 11 }, { 12, 15 } },
    };
    for (const Row& row : rows)
    {
        CSliderHost host(row.dwStyle, 200, 200);
        CCanvas canvas(60, 60, WHITE);
        if (row.dwStyle & TBS_VERT)
            host.control.DrawVerticalThumb(canvas.Dc(), CRect(10, 10, 30, 21));
        else
            host.control.DrawHorizontalThumb(canvas.Dc(), CRect(10, 10, 21, 30));
        EXPECT_EQ(WHITE, canvas.At(row.ptOutside.x, row.ptOutside.y)) << std::hex << row.dwStyle;
        COLORREF crInside = canvas.At(row.ptInside.x, row.ptInside.y);
        EXPECT_NE(WHITE, crInside) << std::hex << row.dwStyle;
        if (row.dwStyle & TBS_BOTH)
        {
            EXPECT_EQ(host.control.Darker(), crInside) << std::hex << row.dwStyle;
        }
    }
}

TEST(Slider, LevelMeterLightsGreenYellowAndRedSegments)
{
    struct Row
    {
        int nLevel;
        int nGreen, nYellow, nRed;
    } rows[] = {
        { 0, 0, 0, 0 },      { 16385, 12, 4, 4 },       { 8192, 9, 0, 0 },
        { 13000, 12, 3, 0 }, { 16385 * 100, 12, 4, 4 }, { -5, 0, 0, 0 },
    };
    for (const Row& row : rows)
    {
        CSliderProbe slider;
        slider.SetLevel(row.nLevel);
        CCanvas canvas(120, 12, WHITE);
        slider.DrawVolumn(canvas.Dc(), CRect(0, 1, 100, 11));
        int nGreen = 0, nYellow = 0, nRed = 0, nEdges = 0;
        for (int i = 0; i < 24; i++)
        {
            COLORREF cr = canvas.At(5 * i + 2, 5);
            nGreen += cr == GREEN;
            nYellow += cr == RGB(255, 255, 0);
            nRed += cr == RED;
            nEdges += canvas.At(5 * i, 5) == BLACK;
        }
        EXPECT_EQ(row.nGreen, nGreen) << row.nLevel;
        EXPECT_EQ(row.nYellow, nYellow) << row.nLevel;
        EXPECT_EQ(row.nRed, nRed) << row.nLevel;
        EXPECT_EQ(row.nGreen + row.nYellow + row.nRed, nEdges) << row.nLevel;
        // Nothing outside the meter's rectangle.
        EXPECT_EQ(WHITE, canvas.At(102, 5)) << row.nLevel;
        EXPECT_EQ(WHITE, canvas.At(2, 0)) << row.nLevel;
    }
}

TEST(Slider, ChannelIsDrawnThroughReflectedCustomDrawAndDisabledShowsButtonFace)
{
    CSliderHost host(TBS_ENABLESELRANGE);
    CSliderProbe& slider = host.control;
    slider.SetRange(0, 100);
    slider.SetPos(100);
    const COLORREF crChannel = RGB(0, 0, 200);
    slider.SetChannelColor(crChannel);
    host.Paint();

    CRect rcChannel;
    slider.GetChannelRect(&rcChannel);
    ASSERT_GE(rcChannel.Height(), 4);
    CPoint ptChannel(rcChannel.left + rcChannel.Width() / 4, rcChannel.CenterPoint().y);
    auto channel = [&] { return CCapture(slider.m_hWnd).At(ptChannel.x, ptChannel.y); };
    EXPECT_EQ(crChannel, channel());
    EXPECT_EQ(g_Theme.DialogBackColour(), CCapture(slider.m_hWnd).At(1, 1));

    slider.EnableWindow(FALSE);
    host.Paint();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), channel());
    EXPECT_EQ(crChannel, slider.GetChannelColor());
    slider.EnableWindow(TRUE);
    host.Paint();
    EXPECT_EQ(crChannel, channel());

    // A new channel colour waits for the next paint; a new thumb colour shows at once.
    slider.SetChannelColor(RGB(0, 200, 0));
    EXPECT_EQ(crChannel, channel());
    CRect rcThumb;
    slider.GetThumbRect(&rcThumb);
    slider.SetThumbColor(RGB(10, 20, 250));
    EXPECT_EQ(RGB(10, 20, 250), CCapture(slider.m_hWnd).At(rcThumb.left + 2, rcThumb.top + 2));
    EXPECT_EQ(RGB(0, 200, 0), channel());
}

TEST(Slider, SelectionFillsItsPartOfTheChannelAndAnEmptyRangeNone)
{
    CSliderHost host(TBS_ENABLESELRANGE);
    CSliderProbe& slider = host.control;
    const COLORREF crSelection = RGB(250, 0, 250);
    slider.SetSelectionColor(crSelection);
    CRect rcChannel(10, 10, 110, 16);

    slider.SetRange(0, 100);
    slider.SetSelection(20, 60);
    CCanvas canvas(130, 30, WHITE);
    slider.DrawChannel(canvas.Dc(), rcChannel, TRUE);
    // (L + 20 + 2) to (L + 60 - 2), excluded.
    EXPECT_EQ(36, canvas.CountRow(13, 0, 130, crSelection));
    EXPECT_EQ(crSelection, canvas.At(32, 13));
    EXPECT_EQ(crSelection, canvas.At(67, 13));

    slider.SetSelection(20, 60);
    slider.SetRange(5, 5);
    CCanvas empty(130, 30, WHITE);
    slider.DrawChannel(empty.Dc(), rcChannel, TRUE);
    for (int y = 0; y < 30; y++)
        EXPECT_EQ(0, empty.CountRow(y, 0, 130, crSelection)) << y;
}

TEST(Slider, SetVolumnRepaintsTheMeterAtOnce)
{
    CSliderHost host(TBS_ENABLESELRANGE);
    host.control.SetPos(100);
    CRect rcChannel;
    host.control.GetChannelRect(&rcChannel);
    int y = rcChannel.CenterPoint().y;
    EXPECT_EQ(0, host.Paint().CountRow(y, 0, 200, GREEN));
    host.control.SetVolumn(CSkinSliderCtrl::VOLUME_FULL_SCALE);
    CCapture capture(host.control.m_hWnd);
    EXPECT_GT(capture.CountRow(y, 0, 200, GREEN), 0);
    EXPECT_GT(capture.CountRow(y, 0, 200, RED), 0);
}
