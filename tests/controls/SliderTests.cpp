#include "ControlsTestSupport.h"

using namespace ControlsTest;

namespace
{
// Opens the drawing steps of the slider to the tests.
class CSliderProbe : public CSkinSliderCtrl
{
public:
    using CSkinSliderCtrl::DarkenColor;
    using CSkinSliderCtrl::DrawChannel;
    using CSkinSliderCtrl::DrawHorizontalThumb;
    using CSkinSliderCtrl::DrawVerticalThumb;
    using CSkinSliderCtrl::LightenColor;
    COLORREF Light() const { return m_crThumbLight; }
    COLORREF Lighter() const { return m_crThumbLighter; }
    COLORREF Darker() const { return m_crThumbDarker; }
    void SetLevel(int nLevel) { m_nVolume = nLevel; }
    HGDIOBJ Pen(int i) const
    {
        const CPen* pens[] = { &m_penThumb, &m_penThumbLight, &m_penThumbLighter, &m_penThumbDark,
                               &m_penThumbDarker, &m_penShadowDark, &m_penShadowLight, &m_penHilight };
        return pens[i]->m_hObject;
    }
};

const UINT IDC_SLIDER = 100;
const COLORREF THUMB = RGB(200, 100, 50);
}

TEST(Slider, LightenAndDarkenWorkPerChannelWithoutClamping)
{
    struct Row
    {
        COLORREF crIn;
        BOOL bLighten;
        COLORREF crOut;
    } rows[] = {
        { RGB(250, 10, 200), TRUE, RGB(250, 61, 251) },
        { RGB(40, 100, 51), FALSE, RGB(40, 49, 0) },
        { RGB(204, 205, 0), TRUE, RGB(255, 205, 51) },
        { RGB(50, 51, 255), FALSE, RGB(50, 0, 204) },
        { 0xFF000000 | RGB(1, 2, 3), TRUE, RGB(52, 53, 54) },
    };
    for (const Row& row : rows)
    {
        COLORREF cr = row.bLighten ? CSliderProbe::LightenColor(row.crIn, 51) : CSliderProbe::DarkenColor(row.crIn, 51);
        EXPECT_EQ(row.crOut, cr) << std::hex << row.crIn << (row.bLighten ? " lightened" : " darkened");
    }
}

TEST(Slider, ThumbShadingAndGripFollowTheThumbSize)
{
    CHostDialog dlg;
    CSliderProbe slider;
    dlg.AddControl(TRACKBAR_CLASSW, IDC_SLIDER, TBS_NOTICKS, 10, 10, 200, 30);
    ASSERT_TRUE(slider.SubclassDlgItem(IDC_SLIDER, &dlg));
    slider.SetThumbColor(THUMB);

    // Pointed-bottom horizontal thumbs 20 high; the light count includes the shading line at l+1.
    struct Row
    {
        int w;
        BOOL bEnabled;
        BOOL bShaded;
        int nLight;
        int nDarker;
    } rows[] = {
        { 5, TRUE, FALSE, 0, 0 },  { 6, TRUE, TRUE, 3, 2 },  { 9, TRUE, TRUE, 3, 2 },
        { 10, TRUE, TRUE, 5, 3 }, { 14, TRUE, TRUE, 5, 3 }, { 10, FALSE, TRUE, 1, 0 },
    };
    for (const Row& row : rows)
    {
        slider.EnableWindow(row.bEnabled);
        CCanvas canvas(60, 40, RGB(255, 255, 255));
        CRect rc(10, 10, 10 + row.w, 30);
        slider.DrawHorizontalThumb(canvas.Dc(), rc);
        EXPECT_EQ(row.bShaded ? slider.Lighter() : THUMB, canvas.At(rc.left + 1, rc.top + 1)) << row.w;
        EXPECT_EQ(row.nLight, canvas.CountRow(rc.top + 8, rc.left, rc.right, slider.Light())) << row.w;
        EXPECT_EQ(row.nDarker, canvas.CountRow(rc.top + 8, rc.left, rc.right, slider.Darker())) << row.w;
    }
    slider.EnableWindow(TRUE);
}

TEST(Slider, VerticalThumbsAreAlwaysShadedAndGrippedFromSixPixels)
{
    CHostDialog dlg;
    CSliderProbe slider;
    dlg.AddControl(TRACKBAR_CLASSW, IDC_SLIDER, TBS_VERT | TBS_NOTICKS, 10, 10, 30, 200);
    ASSERT_TRUE(slider.SubclassDlgItem(IDC_SLIDER, &dlg));
    slider.SetThumbColor(THUMB);
    struct Row
    {
        int h;
        int nLight;
        int nDarker;
    } rows[] = { { 5, 0, 0 }, { 6, 2, 2 }, { 9, 2, 2 }, { 10, 4, 3 }, { 12, 4, 3 } };
    for (const Row& row : rows)
    {
        CCanvas canvas(60, 40, RGB(255, 255, 255));
        CRect rc(10, 10, 30, 10 + row.h);
        slider.DrawVerticalThumb(canvas.Dc(), rc);
        EXPECT_EQ(slider.Lighter(), canvas.At(rc.left + 1, rc.top + 1)) << row.h;
        // Grip rows start one below the thumb's top; column L+7 crosses every grip line.
        int nLight = 0, nDarker = 0;
        for (int y = rc.top + 2; y < rc.bottom; y++)
        {
            nLight += canvas.At(rc.left + 7, y) == slider.Light();
            nDarker += canvas.At(rc.left + 7, y) == slider.Darker();
        }
        EXPECT_EQ(row.nLight, nLight) << row.h;
        EXPECT_EQ(row.nDarker, nDarker) << row.h;
    }
}

TEST(Slider, ThumbShapesFollowTheStyle)
{
    // Corner pixels tell the shapes apart: a box darkens its bottom-right inner corner, a
    // pointed top leaves the top corners outside the outline, a pointed bottom the bottom ones.
    struct Row
    {
        DWORD dwStyle;
        BOOL bHorizontalThumb;
        POINT ptOutside;
        POINT ptInside;
    } rows[] = {
        { TBS_BOTH, TRUE, { 9, 10 }, { 19, 28 } },
        { TBS_TOP, TRUE, { 11, 11 }, { 15, 27 } },
        { 0, TRUE, { 11, 28 }, { 15, 12 } },
        { TBS_VERT | TBS_BOTH, FALSE, { 9, 10 }, { 28, 19 } },
        { TBS_VERT | TBS_LEFT, FALSE, { 11, 11 }, { 27, 15 } },
        { TBS_VERT, FALSE, { 28, 11 }, { 12, 15 } },
    };
    for (const Row& row : rows)
    {
        CHostDialog dlg;
        CSliderProbe slider;
        dlg.AddControl(TRACKBAR_CLASSW, IDC_SLIDER, row.dwStyle | TBS_NOTICKS, 10, 10, 200, 200);
        ASSERT_TRUE(slider.SubclassDlgItem(IDC_SLIDER, &dlg));
        slider.SetThumbColor(THUMB);
        CCanvas canvas(60, 60, RGB(255, 255, 255));
        if (row.bHorizontalThumb)
            slider.DrawHorizontalThumb(canvas.Dc(), CRect(10, 10, 21, 30));
        else
            slider.DrawVerticalThumb(canvas.Dc(), CRect(10, 10, 30, 21));
        EXPECT_EQ(RGB(255, 255, 255), canvas.At(row.ptOutside.x, row.ptOutside.y)) << std::hex << row.dwStyle;
        EXPECT_NE(RGB(255, 255, 255), canvas.At(row.ptInside.x, row.ptInside.y)) << std::hex << row.dwStyle;
        if (row.dwStyle & TBS_BOTH)
        {
            EXPECT_EQ(slider.Darker(), canvas.At(row.ptInside.x, row.ptInside.y));
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
        { 0, 0, 0, 0 },
        { 16385, 12, 4, 4 },
        { 8192, 9, 0, 0 },
        { 13000, 12, 3, 0 },
        { 16385 * 100, 12, 4, 4 },
        { -5, 0, 0, 0 },
    };
    for (const Row& row : rows)
    {
        CSliderProbe slider;
        slider.SetLevel(row.nLevel);
        CCanvas canvas(120, 12, RGB(255, 255, 255));
        slider.DrawVolumn(canvas.Dc(), CRect(0, 1, 100, 11));
        int nGreen = 0, nYellow = 0, nRed = 0, nEdges = 0;
        for (int i = 0; i < 24; i++)
        {
            COLORREF cr = canvas.At(5 * i + 2, 5);
            nGreen += cr == RGB(0, 255, 0);
            nYellow += cr == RGB(255, 255, 0);
            nRed += cr == RGB(255, 0, 0);
            nEdges += canvas.At(5 * i, 5) == RGB(0, 0, 0);
        }
        EXPECT_EQ(row.nGreen, nGreen) << row.nLevel;
        EXPECT_EQ(row.nYellow, nYellow) << row.nLevel;
        EXPECT_EQ(row.nRed, nRed) << row.nLevel;
        EXPECT_EQ(row.nGreen + row.nYellow + row.nRed, nEdges) << row.nLevel;
        // Nothing outside the meter's rectangle.
        EXPECT_EQ(RGB(255, 255, 255), canvas.At(102, 5)) << row.nLevel;
        EXPECT_EQ(RGB(255, 255, 255), canvas.At(2, 0)) << row.nLevel;
    }
}

TEST(Slider, ChannelIsDrawnThroughReflectedCustomDrawAndDisabledShowsButtonFace)
{
    CHostDialog dlg;
    CSliderProbe slider;
    dlg.AddControl(TRACKBAR_CLASSW, IDC_SLIDER, TBS_NOTICKS | TBS_ENABLESELRANGE, 10, 10, 200, 30);
    ASSERT_TRUE(slider.SubclassDlgItem(IDC_SLIDER, &dlg));
    slider.SetRange(0, 100);
    slider.SetPos(100);
    const COLORREF crChannel = RGB(0, 0, 200);
    slider.SetChannelColor(crChannel);
    Repaint(slider.m_hWnd);

    CRect rcChannel;
    slider.GetChannelRect(&rcChannel);
    ASSERT_GE(rcChannel.Height(), 4);
    CPoint ptChannel(rcChannel.left + rcChannel.Width() / 4, rcChannel.CenterPoint().y);
    EXPECT_EQ(crChannel, CCapture(slider.m_hWnd).At(ptChannel.x, ptChannel.y));
    EXPECT_EQ(g_Registry.m_crDialogBack, CCapture(slider.m_hWnd).At(1, 1));

    slider.EnableWindow(FALSE);
    Repaint(slider.m_hWnd);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), CCapture(slider.m_hWnd).At(ptChannel.x, ptChannel.y));
    EXPECT_EQ(crChannel, slider.GetChannelColor());
    slider.EnableWindow(TRUE);
    Repaint(slider.m_hWnd);
    EXPECT_EQ(crChannel, CCapture(slider.m_hWnd).At(ptChannel.x, ptChannel.y));

    // A new channel colour waits for the next paint; a new thumb colour shows at once.
    slider.SetChannelColor(RGB(0, 200, 0));
    EXPECT_EQ(crChannel, CCapture(slider.m_hWnd).At(ptChannel.x, ptChannel.y));
    CRect rcThumb;
    slider.GetThumbRect(&rcThumb);
    slider.SetThumbColor(RGB(10, 20, 250));
    EXPECT_EQ(RGB(10, 20, 250), CCapture(slider.m_hWnd).At(rcThumb.left + 2, rcThumb.top + 2));
    EXPECT_EQ(RGB(0, 200, 0), CCapture(slider.m_hWnd).At(ptChannel.x, ptChannel.y));
}

TEST(Slider, SelectionFillsItsPartOfTheChannelAndAnEmptyRangeNone)
{
    CHostDialog dlg;
    CSliderProbe slider;
    dlg.AddControl(TRACKBAR_CLASSW, IDC_SLIDER, TBS_NOTICKS | TBS_ENABLESELRANGE, 10, 10, 200, 30);
    ASSERT_TRUE(slider.SubclassDlgItem(IDC_SLIDER, &dlg));
    const COLORREF crSelection = RGB(250, 0, 250);
    slider.SetSelectionColor(crSelection);
    CRect rcChannel(10, 10, 110, 16);

    slider.SetRange(0, 100);
    slider.SetSelection(20, 60);
    CCanvas canvas(130, 30, RGB(255, 255, 255));
    slider.DrawChannel(canvas.Dc(), rcChannel, TRUE);
    // (L + 20 + 2) to (L + 60 - 2), excluded.
    EXPECT_EQ(36, canvas.CountRow(13, 0, 130, crSelection));
    EXPECT_EQ(crSelection, canvas.At(32, 13));
    EXPECT_EQ(crSelection, canvas.At(67, 13));

    slider.SetSelection(20, 60);
    slider.SetRange(5, 5);
    CCanvas empty(130, 30, RGB(255, 255, 255));
    slider.DrawChannel(empty.Dc(), rcChannel, TRUE);
    for (int y = 0; y < 30; y++)
        EXPECT_EQ(0, empty.CountRow(y, 0, 130, crSelection)) << y;
}

TEST(Slider, SetVolumnRepaintsTheMeterAtOnce)
{
    CHostDialog dlg;
    CSliderProbe slider;
    dlg.AddControl(TRACKBAR_CLASSW, IDC_SLIDER, TBS_NOTICKS | TBS_ENABLESELRANGE, 10, 10, 200, 30);
    ASSERT_TRUE(slider.SubclassDlgItem(IDC_SLIDER, &dlg));
    slider.SetPos(100);
    Repaint(slider.m_hWnd);
    CRect rcChannel;
    slider.GetChannelRect(&rcChannel);
    int y = rcChannel.CenterPoint().y;
    EXPECT_EQ(0, CCapture(slider.m_hWnd).CountRow(y, 0, 200, RGB(0, 255, 0)));
    slider.SetVolumn(CSkinSliderCtrl::VOLUME_FULL_SCALE);
    CCapture capture(slider.m_hWnd);
    EXPECT_GT(capture.CountRow(y, 0, 200, RGB(0, 255, 0)), 0);
    EXPECT_GT(capture.CountRow(y, 0, 200, RGB(255, 0, 0)), 0);
}

TEST(Slider, PensAreOwnedAndFreedWithTheControl)
{
    std::vector<HGDIOBJ> pens;
    {
        CSliderProbe slider;
        slider.SetThumbColor(RGB(1, 2, 3));
        for (int i = 0; i < 8; i++)
        {
            pens.push_back(slider.Pen(i));
            EXPECT_EQ((DWORD)OBJ_PEN, ::GetObjectType(pens.back())) << i;
        }
    }
    for (HGDIOBJ hPen : pens)
        EXPECT_EQ(0u, ::GetObjectType(hPen));
}
