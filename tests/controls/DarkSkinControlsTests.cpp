// Every control of the gallery's controls page in the bundled dark skin, enabled and disabled,
// read back from the screen: its text stands out from its paper (4.5:1, 3:1 disabled), the ink
// and paper are the colours the skin gives that control, and disabled text is one flat colour,
// never the system's embossed pair of copies. A light skin without the control keys keeps the
// system's look. The ratios are printed, lowest first.
#include "GalleryPageHost.h"
#include <api/Globals.h>
#include "theme/ColourContrast.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

using namespace GalleryTest;

namespace
{
const double READABLE = 4.5;
const double READABLE_DISABLED = 3.0;
// Per channel: what a screen's rounding may leave between a colour drawn and read back.
const int CLOSE = 6;
// Anti-aliased small glyphs come this close to their ink at most.
const int SMALL_GLYPHS = 64;
// A control's client area less a margin clear of its frame.
const CRect INSIDE(3, 3, -3, -3);

bool Near(COLORREF a, COLORREF b, int nTolerance = CLOSE)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance && std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

// How far a pixel lies off the straight run from paper to ink, in RGB units, and where along it
// (0 the paper, 1 the ink). Anti-aliased text lies on the run; an embossed copy in the system's
// highlight does not.
void OffTheRun(COLORREF crPaper, COLORREF crInk, COLORREF cr, double& dOff, double& dAlong)
{
    double d[3] = { (double)GetRValue(crInk) - GetRValue(crPaper), (double)GetGValue(crInk) - GetGValue(crPaper),
                    (double)GetBValue(crInk) - GetBValue(crPaper) };
    double p[3] = { (double)GetRValue(cr) - GetRValue(crPaper), (double)GetGValue(cr) - GetGValue(crPaper),
                    (double)GetBValue(cr) - GetBValue(crPaper) };
    double dLength2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    dAlong = dLength2 ? (p[0] * d[0] + p[1] * d[1] + p[2] * d[2]) / dLength2 : 0;
    double dOff2 = 0;
    for (int n = 0; n < 3; n++)
        dOff2 += (p[n] - dAlong * d[n]) * (p[n] - dAlong * d[n]);
    dOff = std::sqrt(dOff2);
}

struct Reading
{
    std::string strWhat;
    TEXT_CONTRAST text;
    bool bDisabled;
};

std::vector<COLORREF> PixelsIn(const ControlsTest::CCapture& capture, CRect rc)
{
    rc.IntersectRect(&rc, CRect(0, 0, capture.m_cx, capture.m_cy));
    std::vector<COLORREF> pixels;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            pixels.push_back(capture.At(x, y));
    return pixels;
}

// The commonest colour.
COLORREF Paper(const std::vector<COLORREF>& pixels)
{
    std::map<COLORREF, size_t> counts;
    for (COLORREF cr : pixels)
        counts[cr]++;
    return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; })->first;
}

class CDarkPage
{
public:
    CDarkPage() : m_skin(L"Midnight"), m_theme(g_Theme)
    {
        // No control holds the focus or the pointer: each shows its resting look.
        ::SetFocus(NULL);
        // The tree on its solid paper, as the touch combo's third choice sets it.
        HWND hTouchCombo = m_host.Control(IDC_CT_TOUCH_COMBO);
        ::SendMessageW(hTouchCombo, CB_SETCURSEL, 2, 0);
        m_host.m_page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CT_TOUCH_COMBO, CBN_SELCHANGE), (LPARAM)hTouchCombo);
        KorvoTest::PumpMessages(20);
    }

    // The text of control nID in rc (client coordinates; a right or bottom edge of 0 or less
    // counts from the client area's right or bottom), enabled or not: the paper is the commonest colour, crInk the colour the
    // skin gives the text (NO_COLOUR where the host chooses it) and crPaper the skin's paper
    // (NO_COLOUR where the control shows another's).
    void Check(const char* pszWhat, UINT nID, bool bEnabled, CRect rc, COLORREF crInk, COLORREF crPaper)
    {
        const int nInkTolerance = nID == IDC_CT_TOUCH_PASSWORD ? SMALL_GLYPHS : CLOSE;
        HWND hControl = m_host.Control(nID);
        ASSERT_TRUE(hControl) << pszWhat;
        ::EnableWindow(hControl, bEnabled);
        ControlsTest::Repaint(m_host.m_hWnd);
        ControlsTest::CCapture capture(hControl);
        if (rc.right <= 0)
            rc.right += capture.m_cx;
        if (rc.bottom <= 0)
            rc.bottom += capture.m_cy;
        Record(std::string(pszWhat) + (bEnabled ? "" : " (disabled)"), !bEnabled, PixelsIn(capture, rc), crInk, crPaper,
               nInkTolerance);
    }

    // nInkTolerance: how far from the ink the text's fullest pixels may be; a password's small
    // asterisks are all anti-aliased edge.
    void Record(const std::string& strWhat, bool bDisabled, const std::vector<COLORREF>& pixels, COLORREF crInk,
                COLORREF crPaper, int nInkTolerance = CLOSE)
    {
        TEXT_CONTRAST text = crInk == NO_COLOUR ? ReadTextContrast(pixels) : ContrastOn(crInk, pixels);
        m_readings.push_back({ strWhat, text, bDisabled });
        COLORREF crCommon = Paper(pixels);
        if (crPaper != NO_COLOUR)
        {
            EXPECT_TRUE(Near(crPaper, crCommon)) << strWhat << ": paper " << std::hex << crCommon << " for " << crPaper;
        }
        if (crInk == NO_COLOUR)
            return;
        // The skin's ink is drawn, and every pixel is the paper, the ink or a blend of the two:
        // no copy in another colour (the system's embossing is a highlight copy offset from a
        // shadow one).
        size_t nInk = 0, nStray = 0;
        for (COLORREF cr : pixels)
        {
            nInk += Near(cr, crInk, nInkTolerance);
            double dOff, dAlong;
            OffTheRun(crCommon, crInk, cr, dOff, dAlong);
            nStray += dOff > 40 || dAlong > 1.15 || dAlong < -0.15;
        }
        EXPECT_GT(nInk, 5u) << strWhat << ": no pixel in the skin's text colour";
        EXPECT_EQ(0u, nStray) << strWhat << ": pixels neither paper nor ink";
    }

    void Expect()
    {
        std::sort(m_readings.begin(), m_readings.end(), [](const Reading& a, const Reading& b) { return a.text.dRatio < b.text.dRatio; });
        for (const Reading& reading : m_readings)
        {
            const TEXT_CONTRAST& text = reading.text;
            std::printf("  %-34s %5.2f:1  ink #%02X%02X%02X on #%02X%02X%02X\n", reading.strWhat.c_str(), text.dRatio,
                        GetRValue(text.crInk), GetGValue(text.crInk), GetBValue(text.crInk), GetRValue(text.crBack),
                        GetGValue(text.crBack), GetBValue(text.crBack));
            EXPECT_GT(text.nInk, 5u) << reading.strWhat << ": no text found";
            EXPECT_GE(text.dRatio, reading.bDisabled ? READABLE_DISABLED : READABLE) << reading.strWhat;
        }
    }

    ControlsTest::CFreshTheme m_fresh;
    CBundledSkin m_skin;
    CGalleryHost m_host;
    const CInterfaceTheme& m_theme;
    std::vector<Reading> m_readings;
};

// The caption's rectangle of a group box: where the system and the library put it, from the
// box's own font and text.
CRect CaptionOf(HWND hBox)
{
    wchar_t szText[64] = L"";
    ::GetWindowTextW(hBox, szText, 64);
    HDC hDC = ::GetDC(hBox);
    HGDIOBJ hOld = ::SelectObject(hDC, (HGDIOBJ)::SendMessageW(hBox, WM_GETFONT, 0, 0));
    CRect rc(7, 0, 7, 0);
    ::DrawTextW(hDC, szText, -1, &rc, DT_SINGLELINE | DT_CALCRECT);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hBox, hDC);
    return rc;
}

std::vector<HWND> GroupBoxes(HWND hPage)
{
    std::vector<HWND> boxes;
    for (HWND hChild = ::GetWindow(hPage, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if ((::GetWindowLongW(hChild, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX && ::GetDlgCtrlID(hChild) == -1)
            boxes.push_back(hChild);
    return boxes;
}
} // namespace

TEST(DarkSkinControls, EveryControlOfTheControlsPageReadsInTheSkinsColoursEnabledAndDisabled)
{
    CDarkPage page;
    const CInterfaceTheme& theme = page.m_theme;
    const COLORREF crDisabled = theme.DisabledTextColour();
    ASSERT_NE(NO_COLOUR, crDisabled);
    for (bool bEnabled : { true, false })
    {
        auto Ink = [&](COLORREF crEnabled) { return bEnabled ? crEnabled : crDisabled; };
        // The check box's label, past its box.
        page.Check("check box", IDC_CT_CHECK_OFF, bEnabled, CRect(18, 0, 100, 100), Ink(theme.Colour(SkinColour::ControlText)),
                   theme.DialogBackColour());
        page.Check("edit", IDC_CT_EDIT, bEnabled, INSIDE,
                   bEnabled ? theme.Colour(SkinColour::EditText) : theme.Colour(SkinColour::EditDisabledText),
                   bEnabled ? theme.Colour(SkinColour::EditBack) : theme.Colour(SkinColour::EditDisabledBack));
        // The combo box's field, clear of its drop button.
        CRect rcCombo;
        ::GetClientRect(page.m_host.Control(IDC_CT_COMBO), &rcCombo);
        page.Check("combo box", IDC_CT_COMBO, bEnabled, CRect(3, 3, rcCombo.right - rcCombo.Height() - 2, rcCombo.bottom - 3),
                   Ink(theme.Colour(SkinColour::ComboText)), theme.Colour(SkinColour::ComboBack));
        for (UINT nID : { IDC_CT_TOUCH_EDIT, IDC_CT_TOUCH_PASSWORD, IDC_CT_TOUCH_DATE, IDC_CT_TOUCH_COMBO })
            page.Check(nID == IDC_CT_TOUCH_EDIT ? "touch edit" : nID == IDC_CT_TOUCH_PASSWORD ? "touch password"
                       : nID == IDC_CT_TOUCH_DATE ? "touch date" : "touch combo",
                       nID, bEnabled, INSIDE, Ink(theme.Colour(SkinColour::TouchText)), theme.Colour(SkinColour::TouchBack));
        // An icon button's caption, right of its icon; its paper follows its state.
        page.Check("icon button", IDC_CT_ICON_OPEN, bEnabled, CRect(24, 3, -3, -3),
                   bEnabled ? theme.Colour(SkinColour::ControlText) : crDisabled, NO_COLOUR);
        // The host's colours: the effect buttons' and the statics' text.
        page.Check("effect button", IDC_CT_EFFECT_NORMAL, bEnabled, INSIDE, NO_COLOUR, NO_COLOUR);
        page.Check("bold static", IDC_CT_STATIC_BOLD, bEnabled, CRect(0, 0, 200, 100), NO_COLOUR, NO_COLOUR);

        // The tree on its solid paper: an unselected item, then the selection without the focus.
        CTreeCtrl* pTree = (CTreeCtrl*)CWnd::FromHandle(page.m_host.Control(IDC_CT_TREE));
        HTREEITEM hFriends = pTree->GetRootItem();
        HTREEITEM hFirst = pTree->GetChildItem(hFriends), hSelected = pTree->GetSelectedItem();
        ASSERT_TRUE(hFirst && hSelected && hFirst != hSelected);
        CRect rcItem, rcSelected;
        pTree->GetItemRect(hFirst, &rcItem, TRUE);
        pTree->GetItemRect(hSelected, &rcSelected, TRUE);
        page.Check("tree item", IDC_CT_TREE, bEnabled, rcItem, theme.Colour(SkinColour::TreeText), theme.Colour(SkinColour::TreeBack));
        page.Check("tree selection, no focus", IDC_CT_TREE, bEnabled, rcSelected, theme.Colour(SkinColour::TreeSelInactiveText),
                   theme.Colour(SkinColour::TreeSelInactiveBack));

        // The group boxes' captions, on the page's paper.
        for (HWND hBox : GroupBoxes(page.m_host.m_page.m_hWnd))
        {
            ::EnableWindow(hBox, bEnabled);
            ControlsTest::Repaint(page.m_host.m_hWnd);
            ControlsTest::CCapture capture(hBox);
            page.Record(std::string("group box caption") + (bEnabled ? "" : " (disabled)"), !bEnabled, PixelsIn(capture, CaptionOf(hBox)),
                        Ink(theme.Colour(SkinColour::GroupText)), theme.DialogBackColour());
            // The frame's left edge, below the caption, is the skin's one flat line.
            EXPECT_EQ(capture.m_cy - 20, capture.CountColumn(0, 15, capture.m_cy - 5, theme.Colour(SkinColour::GroupFrame)));
            ::EnableWindow(hBox, TRUE);
        }
    }
    // Disabled from the start, as the page makes them.
    page.Check("check box made disabled", IDC_CT_CHECK_DISABLED, false, CRect(18, 0, 100, 100), crDisabled, theme.DialogBackColour());
    page.Check("combo box made disabled", IDC_CT_COMBO_DISABLED, false, CRect(3, 3, 60, 15), crDisabled, theme.Colour(SkinColour::ComboBack));

    // The combo box's open list: an unselected row.
    HWND hCombo = page.m_host.Control(IDC_CT_COMBO);
    ::SendMessageW(hCombo, CB_SHOWDROPDOWN, TRUE, 0);
    KorvoTest::PumpMessages(20);
    COMBOBOXINFO info = { sizeof(info) };
    ASSERT_TRUE(::GetComboBoxInfo(hCombo, &info) && info.hwndList);
    ControlsTest::CCapture list(info.hwndList);
    int nRow = (int)::SendMessageW(hCombo, CB_GETITEMHEIGHT, 0, 0);
    page.Record("combo box list", false, PixelsIn(list, CRect(2, nRow, list.m_cx - 2, 2 * nRow)),
                theme.Colour(SkinColour::ComboListText), theme.Colour(SkinColour::ComboListBack));
    ::SendMessageW(hCombo, CB_SHOWDROPDOWN, FALSE, 0);
    page.Expect();
}

TEST(DarkSkinControls, TheLibrarysToolTipsTakeTheSkinsColours)
{
    CDarkPage page;
    HWND hButton = page.m_host.Control(IDC_CT_EFFECT_NORMAL);
    // The move the framework's loop hands the button before the button sees it.
    CPoint ptCentre(5, 5);
    ::PostMessageW(hButton, WM_MOUSEMOVE, 0, MAKELPARAM(ptCentre.x, ptCentre.y));
    KorvoTest::PumpMessages(20);
    // The button's tooltip: the one whose tool is the button.
    HWND hTip = NULL;
    for (HWND hWnd = ::FindWindowExW(NULL, NULL, TOOLTIPS_CLASSW, NULL); hWnd; hWnd = ::FindWindowExW(NULL, hWnd, TOOLTIPS_CLASSW, NULL))
    {
        TOOLINFOW info = { sizeof(info) };
        if (::SendMessageW(hWnd, TTM_ENUMTOOLSW, 0, (LPARAM)&info) && info.hwnd == hButton)
            hTip = hWnd;
    }
    ASSERT_TRUE(hTip);
    EXPECT_EQ(page.m_theme.Colour(SkinColour::TipBack), (COLORREF)::SendMessageW(hTip, TTM_GETTIPBKCOLOR, 0, 0));
    EXPECT_EQ(page.m_theme.Colour(SkinColour::TipText), (COLORREF)::SendMessageW(hTip, TTM_GETTIPTEXTCOLOR, 0, 0));
}

TEST(DarkSkinControls, ALightSkinWithoutTheKeysKeepsTheSystemsLookAfterADarkOne)
{
    ControlsTest::CFreshTheme fresh;
    CBundledSkin skin(L"Midnight");
    // The light skin is loaded over the dark one: none of the dark skin's control colours stay.
    ASSERT_TRUE(LoadSkin(L"Definitions\\English.xml", L"Definitions\\Aurora.xml"));
    const CInterfaceTheme& theme = g_Theme;
    for (int n = 0; n <= (int)ControlPart::ScrollBar; n++)
        EXPECT_FALSE(theme.ControlColours((ControlPart)n).IsSet()) << "part " << n;
    EXPECT_EQ(NO_COLOUR, theme.DisabledTextColour());

    CGalleryHost host;
    ::SetFocus(NULL);
    ControlsTest::Repaint(host.m_hWnd);
    // Fields on the system's white (the touch combo box at rest shows its parent's paper).
    for (UINT nID : { IDC_CT_EDIT, IDC_CT_TOUCH_EDIT, IDC_CT_TOUCH_DATE })
    {
        ControlsTest::CCapture capture(host.Control(nID));
        EXPECT_EQ(::GetSysColor(COLOR_WINDOW), Paper(PixelsIn(capture, CRect(3, 3, capture.m_cx - 3, capture.m_cy - 3))))
            << "control " << nID;
    }
    // The disabled check box's label keeps the system's embossed pair: a highlight copy under a
    // shadow one.
    ControlsTest::CCapture check(host.Control(IDC_CT_CHECK_DISABLED));
    CRect rcLabel(16, 0, check.m_cx, check.m_cy);
    std::vector<COLORREF> label = PixelsIn(check, rcLabel);
    EXPECT_GT(std::count(label.begin(), label.end(), ::GetSysColor(COLOR_BTNHIGHLIGHT)), 5);
    EXPECT_GT(std::count(label.begin(), label.end(), ::GetSysColor(COLOR_BTNSHADOW)), 5);
    // Group boxes keep the system's painting and its etched frame.
    for (HWND hBox : GroupBoxes(host.m_page.m_hWnd))
    {
        ControlsTest::CCapture box(hBox);
        EXPECT_EQ(box.m_cy - 20, box.CountColumn(0, 15, box.m_cy - 5, ::GetSysColor(COLOR_BTNSHADOW)));
    }
}
