// Popup menu items measured and painted at the DPI of the window their menu opens for.
#include "ThemeTestSupport.h"
#include "parts/CWindowDpi.h"
#include "parts/CGdiplusSession.h"
#include "PictureFiles.h"
#include "api/Globals.h"

namespace
{
const COLORREF BACK = RGB(250, 240, 230), BORDER = RGB(0, 0, 160), BACK_CHECK = RGB(180, 220, 180), BLACK = RGB(0, 0, 0);
const int W = 200;

class MenuDpi : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetTheme();
        g_Theme.SetColour(SkinColour::MenuBack, BACK);
        g_Theme.SetColour(SkinColour::Border, BORDER);
        g_Theme.SetColour(SkinColour::BackCheck, BACK_CHECK);
        g_MenuSkinner.Initialize();
        m_menu.CreatePopupMenu();
    }
    void TearDown() override
    {
        g_bMenuPrinting = 1;
        g_MenuSkinner.SetMenuDpi(CDpiScale::BASE_DPI);
    }
    void AddItem(UINT nID, LPCWSTR pszText, UINT nFlags = MF_STRING)
    {
        m_menu.AppendMenu(nFlags, nID, pszText);
        g_MenuSkinner.PrepareMenu(&m_menu);
    }
    ULONG_PTR ItemData(int nPosition)
    {
        MENUITEMINFOW info = { sizeof(info), MIIM_DATA };
        ::GetMenuItemInfoW(m_menu.m_hMenu, nPosition, TRUE, &info);
        return info.dwItemData;
    }
    // The item at nPosition, command nID, drawn on the canvas's top cy rows.
    void DrawItem(CPixelCanvas& canvas, UINT nID, int nPosition, int cy)
    {
        g_bMenuPrinting = 0;
        DRAWITEMSTRUCT dis = { ODT_MENU, 0, nID, ODA_DRAWENTIRE, 0, (HWND)m_menu.m_hMenu, canvas.Dc(), { 0, 0, W, cy } };
        dis.itemData = ItemData(nPosition);
        g_MenuSkinner.DrawItem(&dis);
    }

    CMenu m_menu;
};
}

TEST_F(MenuDpi, ItemsAreMeasuredAndBoxedAtTheDpiOfTheirOwner)
{
    AddItem(102, L"Checked item");
    AddItem(0, NULL, MF_SEPARATOR);
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    UINT nWidthAt96 = 0;
    for (UINT nDpi : { 96u, 144u, 192u })
    {
        SCOPED_TRACE(nDpi);
        const CDpiScale s(nDpi);
        ASSERT_TRUE(CWindowDpi::Remember(owner.m_hWnd, nDpi));
        g_MenuSkinner.SetMenuWindow(owner.m_hWnd);
        MEASUREITEMSTRUCT text = { ODT_MENU, 0, 102, 0, 0, ItemData(0) };
        MEASUREITEMSTRUCT separator = { ODT_MENU, 0, 0, 0, 0, 0 };
        g_MenuSkinner.MeasureItem(&text);
        g_MenuSkinner.MeasureItem(&separator);
        EXPECT_EQ((UINT)s.Scale(25), text.itemHeight);
        EXPECT_EQ(CSize(s.Scale(10), s.Scale(5)), CSize(separator.itemWidth, separator.itemHeight));
        if (nDpi == 96)
            nWidthAt96 = text.itemWidth;
        else
            EXPECT_GT(text.itemWidth, nWidthAt96 + 16) << "the font and the margins grow";

        // The check box from (2, 2), 20 wide, and the 16-pixel mark centred in its scaled place.
        const int cy = (int)text.itemHeight, nBox = s.Scale(2), nRight = nBox + s.Scale(20) - 1;
        CPixelCanvas canvas(W, cy + 2, BLACK);
        g_bMenuPrinting = 0;
        DRAWITEMSTRUCT dis = { ODT_MENU, 0, 102, ODA_DRAWENTIRE, ODS_CHECKED, (HWND)m_menu.m_hMenu, canvas.Dc(), { 0, 0, W, cy } };
        dis.itemData = text.itemData;
        g_MenuSkinner.DrawItem(&dis);
        EXPECT_EQ(BORDER, canvas.Pixel(nBox, nBox));
        EXPECT_EQ(BORDER, canvas.Pixel(nRight, cy / 2));
        EXPECT_EQ(BORDER, canvas.Pixel(nBox, cy - 2));
        EXPECT_EQ(BACK, canvas.Pixel(nRight + 1, cy / 2));
        EXPECT_EQ(BACK_CHECK, canvas.Pixel(nRight - 1, cy - 3));
        // The 16-pixel mark is scaled up pixel for pixel to fill its scaled box.
        const int nMark = s.Scale(16);
        const CPoint ptMark(s.Scale(8), s.Scale(4));
        EXPECT_EQ(BLACK, canvas.Pixel(ptMark.x + 11 * nMark / 16, ptMark.y + 5 * nMark / 16));
        EXPECT_EQ(BLACK, canvas.Pixel(ptMark.x + 7 * nMark / 16, ptMark.y + 10 * nMark / 16));
        EXPECT_EQ(BACK_CHECK, canvas.Pixel(ptMark.x + 3 * nMark / 16, ptMark.y + 3 * nMark / 16)) << "clear";
    }
    CWindowDpi::Forget(owner.m_hWnd);
    owner.DestroyWindow();
}

namespace
{
// Where an item's painting differs from the menu background left of its text, as a rectangle.
CRect PaintedImage(const CPixelCanvas& canvas, int cxLeft, int cy)
{
    CRect rc(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cxLeft; x++)
            if (canvas.Pixel(x, y) != BACK)
                rc = CRect(std::min<int>(rc.left, x), std::min<int>(rc.top, y), std::max<int>(rc.right, x + 1),
                           std::max<int>(rc.bottom, y + 1));
    return rc;
}

bool Near(COLORREF crA, COLORREF crB)
{
    return abs(GetRValue(crA) - GetRValue(crB)) <= 3 && abs(GetGValue(crA) - GetGValue(crB)) <= 3 &&
           abs(GetBValue(crA) - GetBValue(crB)) <= 3;
}
}

TEST_F(MenuDpi, CommandImagesAreDrawnAtTheSizeOfTheDpiFromTheirBestSource)
{
    // Command 601 has a red 16-pixel image and a half-transparent blue 32-pixel one; 602 only
    // a red 16-pixel image; 603 only a 32-pixel one, which menus never showed.
    CGdiplusSession session;
    KorvoTest::CTempFolder folder;
    WriteBitmap(folder, L"small.bmp", 32, 16, [](int, int, void*) { return RGB(255, 0, 0); });
    std::vector<BYTE> png = PictureFiles::MakePng(64, 32, [](int, int, BYTE& alpha) {
        alpha = 128;
        return RGB(0, 0, 255);
    });
    folder.WriteFile(L"large.png", png.data(), png.size());
    XmlDocument pSection(XmlParseDocument(L"<commandImages><bitmap path='small.bmp'><image id='601'/><image id='602'/>"
                                          L"</bitmap><bitmap path='large.png' types='32'><image id='601'/><image id='603'/></bitmap>"
                                          L"</commandImages>", FALSE));
    ASSERT_TRUE(g_Theme.LoadCommandImages(pSection.get(), folder.Path()));
    AddItem(601, L"Both");
    AddItem(602, L"Small only");
    AddItem(603, L"Large only");
    const COLORREF HALF_BLUE = BlendColour(BACK, RGB(0, 0, 255), 128);

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    for (UINT nDpi : { 96u, 120u, 144u, 192u })
    {
        SCOPED_TRACE(nDpi);
        const CDpiScale s(nDpi);
        ASSERT_TRUE(CWindowDpi::Remember(owner.m_hWnd, nDpi));
        g_MenuSkinner.SetMenuWindow(owner.m_hWnd);
        // 16 pixels scaled, to the nearest of the sides kept: 20 ties, and goes to 16.
        const int nSide = nDpi == 96 || nDpi == 120 ? 16 : s.Scale(16);
        const int cy = s.Scale(25);
        for (int nPosition = 0; nPosition < 3; nPosition++)
        {
            SCOPED_TRACE(nPosition);
            CPixelCanvas canvas(W, cy + 1, BLACK);
            DrawItem(canvas, 601u + nPosition, nPosition, cy);
            const CRect rc = PaintedImage(canvas, s.Scale(30), cy);
            if (nPosition == 2)
            {
                EXPECT_TRUE(rc.IsRectEmpty()) << "no image at any DPI without the 16-pixel one";
                continue;
            }
            const int nOffset = (s.Scale(16) - nSide) / 2;
            EXPECT_EQ(CRect(CPoint(s.Scale(8) + nOffset, s.Scale(4) + nOffset), CSize(nSide, nSide)), rc);
            // The larger image when the command has one at or above the side, its alpha kept.
            const COLORREF crExpected = nPosition == 0 && nSide > 16 ? HALF_BLUE : RGB(255, 0, 0);
            for (CPoint pt : { rc.TopLeft(), rc.CenterPoint(), CPoint(rc.right - 1, rc.bottom - 1) })
                EXPECT_TRUE(Near(crExpected, canvas.Pixel(pt.x, pt.y))) << std::hex << canvas.Pixel(pt.x, pt.y);
        }
    }
    // A command given a new image after its scaled one was made shows the new one scaled (still
    // at 192 DPI).
    CBitmap colour, mask;
    colour.Attach(::CreateBitmap(16, 16, 1, 32, std::vector<DWORD>(256, 0xFF00A000).data()));
    mask.Attach(::CreateBitmap(16, 16, 1, 1, std::vector<WORD>(16, 0).data()));
    ICONINFO info = { TRUE, 0, 0, (HBITMAP)mask.m_hObject, (HBITMAP)colour.m_hObject };
    HICON hGreen = ::CreateIconIndirect(&info);
    g_Theme.AddIcon(602, hGreen, SIZE_CODE_16);
    ::DestroyIcon(hGreen);
    CPixelCanvas canvas(W, 51, BLACK);
    DrawItem(canvas, 602, 1, 50);
    EXPECT_EQ(CRect(16, 8, 48, 40), PaintedImage(canvas, 60, 50));
    EXPECT_EQ(RGB(0, 160, 0), canvas.Pixel(47, 39));

    CWindowDpi::Forget(owner.m_hWnd);
    owner.DestroyWindow();
}

TEST_F(MenuDpi, AStripsVariantGivesItsCommandsTheirImagesAtThatScale)
{
    // The 16-pixel strip is red; its 1.5x variant green. At 144 the menu shows the green squares
    // as drawn, not the red ones enlarged.
    KorvoTest::CTempFolder folder;
    WriteBitmap(folder, L"strip.bmp", 32, 16, [](int, int, void*) { return RGB(255, 0, 0); });
    WriteBitmap(folder, L"strip@1.5x.bmp", 48, 24, [](int x, int, void*) { return RGB(0, x < 24 ? 128 : 160, 0); });
    XmlDocument pSection(XmlParseDocument(
        L"<commandImages><bitmap path='strip.bmp'><image id='701'/><image id='702'/></bitmap></commandImages>", FALSE));
    ASSERT_TRUE(g_Theme.LoadCommandImages(pSection.get(), folder.Path()));
    AddItem(701, L"First");
    AddItem(702, L"Second");

    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    for (UINT nDpi : { 96u, 144u })
    {
        SCOPED_TRACE(nDpi);
        const CDpiScale s(nDpi);
        ASSERT_TRUE(CWindowDpi::Remember(owner.m_hWnd, nDpi));
        g_MenuSkinner.SetMenuWindow(owner.m_hWnd);
        const int cy = s.Scale(25);
        for (int nPosition = 0; nPosition < 2; nPosition++)
        {
            CPixelCanvas canvas(W, cy + 1, BLACK);
            DrawItem(canvas, 701u + nPosition, nPosition, cy);
            const CRect rc = PaintedImage(canvas, s.Scale(30), cy);
            EXPECT_EQ(s.Scale(16), rc.Width());
            const COLORREF crExpected = nDpi == 96 ? RGB(255, 0, 0) : RGB(0, nPosition ? 160 : 128, 0);
            EXPECT_EQ(crExpected, canvas.Pixel(rc.left, rc.top));
            EXPECT_EQ(crExpected, canvas.Pixel(rc.right - 1, rc.bottom - 1));
        }
    }
    CWindowDpi::Forget(owner.m_hWnd);
    owner.DestroyWindow();
}
