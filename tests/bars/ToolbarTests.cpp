// The toolbar on real windows: layout, content rules, skin templates, painting read back from
// the screen, hover, clicks, keys, command-UI updates, tooltips and skin reloads.
#include "BarTestSupport.h"
#include "api/Globals.h"

using namespace BarTest;

namespace
{
class Toolbar : public CBarTest<CCoolBarCtrl>
{
protected:
    void SetUp() override
    {
        CBarTest::SetUp();
        CreateWindows(400, 200, 200);
    }
    // Buttons 101 Open, 102 Save, 103 Save in the bar, 24 pixels each.
    void FillBar()
    {
        m_folder.WriteBase(ButtonSkin() + R"(<resourceMap><command id="Open" code="101"/><command id="Save" code="102"/>
            <command id="Save2" code="103"/></resourceMap><toolbars><toolbar name="Main" types="24">
            <button id="Open" text="Open tip"/><button id="Save" text="Save tip"/><button id="Save2"/></toolbar></toolbars>)");
        WriteButtonImages(m_folder);
        LoadSkin(L"", L"");
        ASSERT_TRUE(CreateSkinToolBar(L"Main", &m_bar));
        // Button 103 is named Save2, which has no images: give it Save's.
        m_bar.GetID(103)->m_strName = L"Save";
        m_bar.GetID(103)->LoadSkinImages();
        m_bar.UpdateWindow();
    }
    COLORREF BarPixel(int x, int y)
    {
        m_bar.UpdateWindow();
        return KorvoTest::CWindowPixels(m_host.m_hWnd, true).At(BAR_X + x, BAR_Y + y);
    }
    void MouseTo(int x, int y)
    {
        CPoint pt(x, y);
        m_bar.ClientToScreen(&pt);
        ::SetCursorPos(pt.x, pt.y);
        m_bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
};

// The bar's item IDs in list order.
std::vector<UINT> Ids(CCoolBarCtrl& bar)
{
    std::vector<UINT> ids;
    for (int n = 0; n < bar.GetCount(); n++)
        ids.push_back(bar.GetIndex(n)->m_nID);
    return ids;
}

CRect ItemRect(const CCoolBarCtrl& bar, int n)
{
    CRect rc(-1, -1, -1, -1);
    bar.GetItemRect(bar.GetIndex(n), &rc);
    return rc;
}
}

TEST_F(Toolbar, ItemsAreLaidOutInListOrderAndHiddenOnesTakeNoRoom)
{
    m_bar.Add(1, NULL, 16);
    m_bar.Add(2, NULL, 20);
    m_bar.Add(3, NULL, 16);
    EXPECT_EQ(CRect(0, 0, 16, 23), ItemRect(m_bar, 0)) << "the bottom row is not the buttons'";
    EXPECT_EQ(CRect(16, 0, 36, 23), ItemRect(m_bar, 1));
    EXPECT_EQ(CRect(36, 0, 52, 23), ItemRect(m_bar, 2));
    m_bar.GetIndex(1)->Show(FALSE);
    EXPECT_EQ(CRect(16, 0, 32, 23), ItemRect(m_bar, 2));
    EXPECT_FALSE(m_bar.GetItemRect(m_bar.GetIndex(1), NULL)) << "a hidden item has no rectangle";
    EXPECT_EQ(m_bar.GetIndex(2), m_bar.HitTest(CPoint(20, 5)));

    // A separator is hit (its rectangle comes back) but gives no item; a gap is always 20.
    m_bar.Add(0, NULL, 16);
    m_bar.Add(ID_COOLBAR_GAP, NULL, 5);
    CRect rc;
    EXPECT_EQ(nullptr, m_bar.HitTest(CPoint(40, 5), &rc));
    EXPECT_EQ(CRect(32, 0, 48, 23), rc);
    EXPECT_EQ(20, m_bar.GetIndex(4)->m_nSize);
    EXPECT_EQ(nullptr, m_bar.HitTest(CPoint(300, 5)));

    m_bar.SetAlignVert(true);
    m_bar.MoveWindow(BAR_X, BAR_Y, 24, 200);
    EXPECT_EQ(CRect(0, 16, 24, 32), ItemRect(m_bar, 2)) << "a vertical bar stacks its items";
    CCoolBarCtrl empty;
    EXPECT_FALSE(empty.GetItemRect(m_bar.GetIndex(0), &rc));
}

TEST_F(Toolbar, TemplatesFromTheSkinAndCreateSkinToolBar)
{
    m_folder.WriteBase(R"(<resourceMap><command id="Open" code="101"/></resourceMap><toolbars>
        <toolbar name="Big" types="24"><button id="Open" text="Opens"/><separator/>
            <button id="102" visible="FALSE"/><button id="0"/><button id="Unknown"/><other/></toolbar>
        <toolbar name="Side" align="TRUE"><button id="5"/></toolbar>
        <toolbar name="Huge" types="99999999"><button id="5"/></toolbar>
        <toolbar name="Twice"><button id="1"/></toolbar><toolbar name="Twice"><button id="2"/><button id="3"/></toolbar>
    </toolbars>)");
    LoadSkin(L"", L"");
    ASSERT_TRUE(CreateSkinToolBar(L"Big", &m_bar));
    ASSERT_EQ((std::vector<UINT>{ 101, 0, 102 }), Ids(m_bar)) << "ids resolving to 0 add nothing";
    EXPECT_EQ(CString(L"Open"), m_bar.GetIndex(0)->m_strName) << "the id as written names the images";
    EXPECT_EQ(CString(L"Opens"), m_bar.GetIndex(0)->m_strTip);
    EXPECT_EQ(24, m_bar.GetIndex(0)->m_nSize);
    EXPECT_EQ(16, m_bar.GetIndex(1)->m_nSize) << "separators stay 16 whatever the types";
    EXPECT_FALSE(m_bar.GetIndex(2)->m_bVisible);
    EXPECT_FALSE(m_bar.GetAlignVert());

    ASSERT_TRUE(CreateSkinToolBar(L"Side", &m_bar));
    EXPECT_TRUE(m_bar.GetAlignVert());
    EXPECT_EQ(16, m_bar.GetIndex(0)->m_nSize);
    ASSERT_TRUE(CreateSkinToolBar(L"Huge", &m_bar));
    EXPECT_EQ(+CSkinRegistry::MAX_BUTTON_SIZE, m_bar.GetIndex(0)->m_nSize);
    ASSERT_TRUE(CreateSkinToolBar(L"Twice", &m_bar));
    EXPECT_EQ((std::vector<UINT>{ 2, 3 }), Ids(m_bar)) << "the later template of a name replaces the earlier";

    // A null name leaves the bar as it was; an unknown one empties it and hides its controls.
    HWND hChild = ::CreateWindowExW(0, L"STATIC", L"on the bar", WS_CHILD | WS_VISIBLE, 60, 0, 40, 20, m_bar.m_hWnd, NULL, NULL, NULL);
    EXPECT_FALSE(CreateSkinToolBar(NULL, &m_bar));
    EXPECT_EQ(2, m_bar.GetCount());
    EXPECT_TRUE(::IsWindowVisible(hChild));
    EXPECT_FALSE(CreateSkinToolBar(L"Unknown", &m_bar));
    EXPECT_EQ(0, m_bar.GetCount());
    EXPECT_FALSE(::IsWindowVisible(hChild));
    EXPECT_FALSE(CreateSkinToolBar(L"Big", NULL));
    EXPECT_FALSE(CreateSkinToolBar(L"big", &m_bar)) << "names are exact";
}

TEST_F(Toolbar, CopyLooksImagesUpAgainAndAMissingHoverImageShowsTheBackground)
{
    m_folder.WriteBase(ButtonSkin(true));
    WriteButtonImages(m_folder);
    LoadSkin(L"", L"");
    CCoolBarCtrl source;
    source.Add(1, L"Open", 24, L"tip");
    source.Add(2, L"Save", 24)->SetCheck(1);
    source.GetIndex(1)->Show(FALSE);
    source.SetAlignVert(false);
    m_bar.Copy(&source);
    ASSERT_EQ(2, m_bar.GetCount());
    EXPECT_TRUE(m_bar.GetIndex(1)->m_bChecked);
    EXPECT_FALSE(m_bar.GetIndex(1)->m_bVisible);
    EXPECT_EQ(CString(L"tip"), m_bar.GetIndex(0)->m_strTip);
    EXPECT_NE(nullptr, m_bar.GetIndex(0)->GetImage(CCoolBarItem::IMAGE_NORMAL));
    EXPECT_EQ(nullptr, m_bar.GetIndex(0)->GetImage(CCoolBarItem::IMAGE_HOVER));
    EXPECT_NE(nullptr, m_bar.GetIndex(0)->GetImage(CCoolBarItem::IMAGE_SELECT));
    EXPECT_EQ(nullptr, source.GetIndex(0)->GetImage(CCoolBarItem::IMAGE_NORMAL)) << "Add gives no images";

    EXPECT_EQ(NORMAL, BarPixel(10, 10));
    EXPECT_EQ(DIALOG, BarPixel(1, 1)) << "white is transparent";
    EXPECT_EQ(DIALOG, BarPixel(30, 10)) << "past the last button";
    MouseTo(10, 10);
    EXPECT_EQ(m_bar.GetIndex(0), m_bar.GetHot());
    EXPECT_EQ(DIALOG, BarPixel(10, 10)) << "no hover image: the background shows";
}

TEST_F(Toolbar, AnEraseBitmapIsLaidFromTheBarsCornerWhicheverPartIsRepainted)
{
    FillBar();
    // Five pixels square, so no button edge falls on a repeat of the pattern.
    const int PATTERN = 5;
    auto patternAt = [](int x, int y) { return RGB(40 * (x % PATTERN), 40 * (y % PATTERN), 100); };
    CClientDC screen(NULL);
    CBitmap bmPattern;
    ASSERT_TRUE(bmPattern.CreateCompatibleBitmap(&screen, PATTERN, PATTERN));
    {
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        HGDIOBJ hOld = dc.SelectObject(bmPattern.m_hObject);
        for (int x = 0; x < PATTERN; x++)
            for (int y = 0; y < PATTERN; y++)
                dc.SetPixel(x, y, patternAt(x, y));
        dc.SelectObject(hOld);
    }
    m_bar.SetEraseBg((HBITMAP)bmPattern.m_hObject);
    // The white corner of the second button and the bar past its buttons show the background.
    const CPoint points[] = { { 24, 0 }, { 26, 1 }, { 27, 3 }, { 80, 7 }, { 83, 9 } };
    for (const CPoint& pt : points)
        EXPECT_EQ(patternAt(pt.x, pt.y), BarPixel(pt.x, pt.y)) << pt.x << "," << pt.y;
    MouseTo(34, 10);
    ASSERT_EQ(m_bar.GetIndex(1), m_bar.GetHot());
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(patternAt(points[i].x, points[i].y), BarPixel(points[i].x, points[i].y))
            << "the hot button alone repainted: " << points[i].x << "," << points[i].y;
    m_bar.SetEraseBg(NULL);
}

TEST_F(Toolbar, HotAndPressedImagesAndHoverClearedAtTheNextTickAfterLeaving)
{
    FillBar();
    EXPECT_EQ(NORMAL, BarPixel(10, 10));
    EXPECT_EQ(NORMAL, BarPixel(34, 10));
    MouseTo(34, 10);
    EXPECT_EQ(m_bar.GetIndex(1), m_bar.GetHot());
    EXPECT_EQ(HOVER, BarPixel(34, 10));
    EXPECT_EQ(NORMAL, BarPixel(10, 10));
    m_bar.SetCheck(101);
    EXPECT_EQ(SELECT, BarPixel(10, 10)) << "the pressed item";
    MouseTo(10, 10);
    EXPECT_EQ(nullptr, m_bar.GetHot()) << "moving onto the pressed item clears the hot item";
    EXPECT_EQ(SELECT, BarPixel(10, 10));
    EXPECT_EQ(NORMAL, BarPixel(34, 10));

    MouseTo(58, 10);
    EXPECT_EQ(HOVER, BarPixel(58, 10));
    m_bar.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(m_bar.GetIndex(2), m_bar.GetHot()) << "the cursor is still over the bar";
    ::SetCursorPos(5, 5);
    m_bar.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(nullptr, m_bar.GetHot());
    EXPECT_EQ(NORMAL, BarPixel(58, 10));
}

TEST_F(Toolbar, ClicksPostTheCommandToTheOwnerAndEnterAndEscapePostTheBarsID)
{
    FillBar();
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
    m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
    m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(150, 10)) ;
    KorvoTest::PumpMessages(10);
    ASSERT_EQ(1u, m_host.m_commands.size()) << "nothing for a click past the buttons";
    EXPECT_EQ(std::make_pair((WPARAM)102, (LPARAM)0), m_host.m_commands[0]);

    CHostWnd other;
    ASSERT_TRUE(other.Create(50, 50));
    m_bar.SetOwner(&other);
    m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 10));
    m_bar.SetCheck(101);
    m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 10));
    KorvoTest::PumpMessages(10);
    ASSERT_EQ(1u, other.m_commands.size()) << "an owner set takes the commands; the pressed item posts none";
    EXPECT_EQ((WPARAM)101, other.m_commands[0].first);

    m_bar.SetOwner(NULL);
    m_host.m_commands.clear();
    m_bar.SetFocus();
    m_bar.PostMessage(WM_KEYDOWN, VK_RETURN, 0);
    m_bar.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    KorvoTest::PumpMessages(10);
    ASSERT_EQ(2u, m_host.m_commands.size());
    EXPECT_EQ(std::make_pair((WPARAM)BAR_ID, (LPARAM)m_bar.m_hWnd), m_host.m_commands[0]);
    EXPECT_EQ(std::make_pair((WPARAM)MAKEWPARAM(BAR_ID, 5), (LPARAM)m_bar.m_hWnd), m_host.m_commands[1]);
}

TEST_F(Toolbar, TheHostsUpdateHandlersDisableAButtonAndChangeItsTooltip)
{
    FillBar();
    m_host.m_strTip101 = L"Opens a file";
    AfxIdleUpdateCmdUI(m_host.m_hWnd);
    EXPECT_TRUE(m_bar.GetID(101)->m_bEnabled);
    EXPECT_FALSE(m_bar.GetID(102)->m_bEnabled) << "its handler disabled it";
    EXPECT_TRUE(m_bar.GetID(103)->m_bEnabled) << "a command handler keeps it enabled";
    EXPECT_TRUE(m_bar.IsWindowEnabled()) << "only the button is disabled, never the bar";
    EXPECT_EQ(CString(L"Opens a file"), m_bar.GetID(101)->m_strTip);
    COLORREF crFaded = BarPixel(34, 10);
    EXPECT_NE(NORMAL, crFaded);
    EXPECT_NEAR(GetRValue(NORMAL) / 2 + GetRValue(DIALOG) / 2, GetRValue(crFaded), 2) << "half faded into the background";

    MouseTo(34, 10);
    EXPECT_EQ(nullptr, m_bar.GetHot()) << "a disabled button does not light up";
    m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(34, 10));
    MouseTo(10, 10);
    EXPECT_EQ(CString(L"Opens a file"), m_bar.m_wndTip.GetText(&m_bar));
    MouseTo(58, 10);
    EXPECT_EQ(CString(L"Opens a file"), m_bar.m_wndTip.GetText(&m_bar)) << "an empty tip leaves the tool's text";
    EXPECT_EQ(1, m_bar.m_wndTip.GetToolCount()) << "one tool for the whole bar, however often the mouse moves";
    KorvoTest::PumpMessages(10);
    EXPECT_TRUE(m_host.m_commands.empty());

    // Tooltip colours and the tool hit test.
    EXPECT_EQ(RGB(0x69, 0x69, 0x69), m_bar.m_wndTip.GetTipTextColor());
    EXPECT_EQ(WHITE, m_bar.m_wndTip.GetTipBkColor());
    TOOLINFOW ti = {};
    EXPECT_EQ(102, m_bar.OnToolHitTest(CPoint(30, 5), &ti));
    EXPECT_EQ(CRect(24, 0, 48, 23), CRect(ti.rect));
    EXPECT_EQ(1, m_bar.OnToolHitTest(CPoint(30, 5), NULL));
    EXPECT_EQ(-1, m_bar.OnToolHitTest(CPoint(150, 5), &ti));
}

TEST_F(Toolbar, AReloadWhileTheBarIsShownAndHoveredLeavesItsOwnImages)
{
    FillBar();
    MouseTo(34, 10);
    ASSERT_EQ(HOVER, BarPixel(34, 10));
    HBITMAP hSkinImage = GetSkinWatermark(L"Save.HOVER");
    for (int i = 0; i < 3; i++)
    {
        // A new skin with other images; the old watermarks are deleted by the load.
        WriteButtonImage(m_folder, L"Definitions\\h.bmp", 24, 24, RGB(i, 255, 255));
        LoadSkin(L"", L"");
        m_bar.Invalidate();
        EXPECT_EQ(HOVER, BarPixel(34, 10)) << "the bar paints from its own copies";
        EXPECT_EQ(NORMAL, BarPixel(10, 10));
        EXPECT_EQ(OBJ_BITMAP, (int)::GetObjectType(m_bar.GetID(102)->GetImage(CCoolBarItem::IMAGE_HOVER)));
        MouseTo(10, 10);
        MouseTo(34, 10);
        m_bar.SendMessage(WM_TIMER, 1);
    }
    EXPECT_NE(hSkinImage, GetSkinWatermark(L"Save.HOVER"));
    ASSERT_TRUE(CreateSkinToolBar(L"Main", &m_bar));
    MouseTo(34, 10);
    EXPECT_EQ(RGB(2, 255, 255), BarPixel(34, 10)) << "refilled from the new skin";
}

TEST_F(Toolbar, ControlsOnTheBarGetTheMidtoneAndTheirCommandsReachTheParent)
{
    LoadSkin(L"", L"");
    g_Theme.SetColour(SkinColour::Midtone, RGB(1, 2, 3));
    HWND hStatic = ::CreateWindowExW(0, L"STATIC", L"label", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20, m_bar.m_hWnd, NULL, NULL, NULL);
    HWND hButton = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE, 50, 0, 40, 20, m_bar.m_hWnd, (HMENU)77, NULL, NULL);
    HDC hDC = ::GetDC(hStatic);
    HBRUSH hBrush = (HBRUSH)m_bar.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hStatic);
    EXPECT_EQ(RGB(1, 2, 3), ::GetBkColor(hDC));
    LOGBRUSH lb = {};
    ASSERT_TRUE(::GetObjectW(hBrush, sizeof(lb), &lb));
    EXPECT_EQ(RGB(1, 2, 3), lb.lbColor);
    g_Theme.SetColour(SkinColour::Midtone, RGB(4, 5, 6));
    hBrush = (HBRUSH)m_bar.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hStatic);
    ::GetObjectW(hBrush, sizeof(lb), &lb);
    EXPECT_EQ(RGB(4, 5, 6), lb.lbColor) << "the brush follows the theme";
    ::ReleaseDC(hStatic, hDC);

    ::SendMessageW(hButton, BM_CLICK, 0, 0);
    KorvoTest::PumpMessages(10);
    ASSERT_EQ(1u, m_host.m_commands.size());
    EXPECT_EQ((WPARAM)MAKEWPARAM(77, BN_CLICKED), m_host.m_commands[0].first);
}

// The host's own toolbar resource, read by the framework's common-controls bar and by ours.
TEST_F(Toolbar, LoadToolBarReadsTheHostsToolbarResource)
{
    // The program's own module holds the resources, as the framework's start-up records it.
    AfxSetResourceHandle(::GetModuleHandleW(NULL));
    CToolBar common;
    ASSERT_TRUE(common.Create(&m_host));
    ASSERT_TRUE(common.LoadToolBar(7001));
    // Each button's ID and image, a separator's as ID_SEPARATOR and -1.
    std::vector<std::pair<UINT, int>> buttons;
    for (int i = 0; i < common.GetCount(); i++)
    {
        UINT nID, nStyle;
        int iImage;
        common.GetButtonInfo(i, nID, nStyle, iImage);
        buttons.push_back(std::make_pair(nID, nStyle & TBSTYLE_SEP ? -1 : iImage));
    }
    EXPECT_EQ((std::vector<std::pair<UINT, int>>{ { 101, 0 }, { ID_SEPARATOR, -1 }, { 102, 1 }, { 103, 2 } }), buttons);
    HIMAGELIST hImages = (HIMAGELIST)common.SendMessage(TB_GETIMAGELIST);
    ASSERT_NE(nullptr, hImages);
    EXPECT_EQ(3, ImageList_GetImageCount(hImages)) << "the strip is cut at the resource's button width";
    common.DestroyWindow();

    // Ours takes one 16-pixel item per button, separators with ID 0, and leaves no child behind.
    ASSERT_TRUE(m_bar.LoadToolBar(7001));
    EXPECT_EQ((std::vector<UINT>{ 101, 0, 102, 103 }), Ids(m_bar));
    for (int i = 0; i < 4; i++)
    {
        EXPECT_EQ(16, m_bar.GetIndex(i)->m_nSize) << i;
        EXPECT_EQ(nullptr, m_bar.GetIndex(i)->GetImage(CCoolBarItem::IMAGE_NORMAL)) << i;
    }
    EXPECT_EQ(CRect(32, 0, 48, 23), ItemRect(m_bar, 2));
    EXPECT_EQ(nullptr, ::FindWindowExW(m_bar.m_hWnd, NULL, TOOLBARCLASSNAMEW, NULL));

    // The 16-bit layout of other resource compilers reads the same.
    ASSERT_TRUE(common.Create(&m_host));
    ASSERT_TRUE(common.LoadToolBar(7004));
    EXPECT_EQ(3, common.GetCount());
    common.DestroyWindow();
    m_bar.Clear();
    ASSERT_TRUE(m_bar.LoadToolBar(7004));
    EXPECT_EQ((std::vector<UINT>{ 201, 0, 202 }), Ids(m_bar));

    // Resources it cannot read fail and add nothing.
    for (UINT nBad : { 7002u, 7003u, 7999u })
    {
        EXPECT_FALSE(m_bar.LoadToolBar(nBad)) << nBad;
        EXPECT_EQ(3, m_bar.GetCount()) << nBad;
    }
}

namespace
{
// The bound the skin format documents for the images one bar holds.
const LONGLONG MAX_BAR_PIXELS = 16LL * 1024 * 1024;

// nButtons buttons named 1000 on, each with its three looks on the file a name gives.
std::string ButtonsOnImages(int nButtons, const std::function<std::string(int)>& path)
{
    std::string strMarks = "<watermarks>", strButtons = "<toolbars><toolbar name=\"Many\" types=\"24\">";
    for (int n = 0; n < nButtons; n++)
    {
        const std::string strName = std::to_string(1000 + n);
        for (const char* pszLook : { "", ".HOVER", ".SELECT" })
            strMarks += "<watermark target=\"" + strName + pszLook + "\" path=\"" + path(n) + "\"/>";
        strButtons += "<button id=\"" + strName + "\"/>";
    }
    return strMarks + "</watermarks>" + strButtons + "</toolbar></toolbars>";
}
}

// Each button copied its three images: one 1024 x 1024 file behind 256 buttons took gigabytes.
TEST_F(Toolbar, ButtonsOnOneImageShareOneCopyOfIt)
{
    WriteButtonImage(m_folder, L"Definitions\\big.bmp", 1024, 1024, NORMAL);
    m_folder.WriteBase(ButtonsOnImages(256, [](int) { return std::string("big.bmp"); }));
    LoadSkin(L"", L"");
    const SIZE_T nBefore = KorvoTest::CommittedPrivateBytes();
    ASSERT_TRUE(CreateSkinToolBar(L"Many", &m_bar));
    m_bar.Invalidate();
    EXPECT_EQ(NORMAL, BarPixel(10, 10));
    const long long nGrowth = (long long)KorvoTest::CommittedPrivateBytes() - (long long)nBefore;
    std::printf("[          ] 256 buttons on one 1024x1024 image: the bar holds %.1f MB more committed memory\n",
                nGrowth / 1048576.0);
    EXPECT_LT(nGrowth, 40LL * 1024 * 1024);
    ASSERT_EQ(256, m_bar.GetCount());
    EXPECT_EQ(m_bar.GetIndex(0)->GetImage(CCoolBarItem::IMAGE_NORMAL), m_bar.GetIndex(255)->GetImage(CCoolBarItem::IMAGE_SELECT));
    EXPECT_EQ(CSize(1024, 1024), m_bar.GetIndex(255)->GetImageSize(CCoolBarItem::IMAGE_HOVER));

    // Refilled after a reload, the bar takes the new load's image.
    WriteButtonImage(m_folder, L"Definitions\\big.bmp", 1024, 1024, HOVER);
    LoadSkin(L"", L"");
    ASSERT_TRUE(CreateSkinToolBar(L"Many", &m_bar));
    m_bar.Invalidate();
    EXPECT_EQ(HOVER, BarPixel(10, 10));
    EXPECT_LT((long long)KorvoTest::CommittedPrivateBytes() - (long long)nBefore, 40LL * 1024 * 1024);
}

// Distinct images are each copied once, up to the bar's bound; a look past it shows the
// background, as a missing image does.
TEST_F(Toolbar, ABarHoldsImagesUpToItsBound)
{
    const int nSide = 2000;
    const int nWithin = (int)(MAX_BAR_PIXELS / ((LONGLONG)nSide * nSide));
    std::vector<BYTE> bytes = ButtonImage(nSide, nSide, NORMAL);
    for (int n = 0; n <= nWithin; n++)
        m_folder.WriteFile(CString(("Definitions\\i" + std::to_string(n) + ".bmp").c_str()), bytes.data(), bytes.size());
    WriteButtonImages(m_folder);
    m_folder.WriteBase(ButtonSkin() + ButtonsOnImages(nWithin + 1, [](int n) { return "i" + std::to_string(n) + ".bmp"; }));
    LoadSkin(L"", L"");
    ASSERT_TRUE(CreateSkinToolBar(L"Many", &m_bar));
    ASSERT_EQ(nWithin + 1, m_bar.GetCount());
    for (int n = 0; n < nWithin; n++)
        EXPECT_NE(nullptr, m_bar.GetIndex(n)->GetImage(CCoolBarItem::IMAGE_SELECT)) << n;
    EXPECT_EQ(nullptr, m_bar.GetIndex(nWithin)->GetImage(CCoolBarItem::IMAGE_NORMAL)) << "past the bound";

    // Images are shared by file, so small ones still fit and what the bar let go is free again.
    m_bar.GetIndex(nWithin)->m_strName = L"Save";
    m_bar.GetIndex(nWithin)->LoadSkinImages();
    EXPECT_NE(nullptr, m_bar.GetIndex(nWithin)->GetImage(CCoolBarItem::IMAGE_NORMAL));
    m_bar.Clear();
    CString strLast;
    strLast.Format(L"%d", 1000 + nWithin);
    CCoolBarItem* pItem = m_bar.Add(1, strLast, 24);
    pItem->LoadSkinImages();
    EXPECT_NE(nullptr, pItem->GetImage(CCoolBarItem::IMAGE_NORMAL));
}
