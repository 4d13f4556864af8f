// The text of a skinned dialog's labels, check boxes, radio buttons and group boxes: the colour
// the scheme names for it, and labels drawn over the watermark when the scheme asks for that.
#include "SkinTestSupport.h"
#include <KorvoSkin/CSkinChildDialog.h>
#include <algorithm>

using namespace SkinTest;

namespace
{
const COLORREF DIALOG_BACK = RGB(0x20, 0x24, 0x2C);
const COLORREF DIALOG_TEXT = RGB(0xF0, 0xE0, 0xA0);
// Watermark: stripes of two colours, each 4 rows high, so that a misplaced tile shows.
const COLORREF STRIPE_A = RGB(0x30, 0x40, 0x60);
const COLORREF STRIPE_B = RGB(0x50, 0x30, 0x30);
const int STRIPE_SIZE = 16;

COLORREF Stripe(int x, int y, void*)
{
    return ((x / 4 + y / 4) % 2) ? STRIPE_A : STRIPE_B;
}

enum { ID_LABEL = 1101, ID_CHECK, ID_RADIO, ID_GROUP, ID_EDIT };
const UINT LABELS[] = { ID_LABEL, ID_CHECK, ID_RADIO, ID_GROUP };

// A dialog holding one of each kind of label, and a read-only edit, which keeps its block.
class CLabelDialog : public CSkinDialog
{
public:
    BOOL Create(int x, int y)
    {
        m_template.reset(new KorvoTest::CDialogTemplate(CTestSkinDialog::STYLE, 160, 110, L"Main"));
        m_template->AddControl(L"Static", ID_LABEL, SS_LEFT | WS_VISIBLE, 6, 6, 80, 10, L"Label text");
        m_template->AddControl(L"Button", ID_CHECK, BS_AUTOCHECKBOX | WS_VISIBLE, 6, 20, 80, 10, L"Check box");
        m_template->AddControl(L"Button", ID_RADIO, BS_AUTORADIOBUTTON | WS_VISIBLE, 6, 34, 80, 10, L"Radio button");
        m_template->AddControl(L"Button", ID_GROUP, BS_GROUPBOX | WS_VISIBLE, 6, 48, 120, 30, L"Group box");
        m_template->AddControl(L"Edit", ID_EDIT, ES_READONLY | WS_BORDER | WS_VISIBLE, 6, 84, 80, 12, L"Read only");
        if (!CreateIndirect(m_template->Get()))
            return FALSE;
        SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(SW_SHOWNOACTIVATE);
        return TRUE;
    }
    // The control's pixels after a full repaint, read from the screen.
    KorvoTest::CWindowPixels Repainted(UINT nID)
    {
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        KorvoTest::PumpMessages(20);
        return KorvoTest::CWindowPixels(::GetDlgItem(m_hWnd, nID), true);
    }
    // Where the control's client origin lies in the dialog's client area.
    CPoint Origin(UINT nID)
    {
        CPoint pt(0, 0);
        ::ClientToScreen(::GetDlgItem(m_hWnd, nID), &pt);
        ScreenToClient(&pt);
        return pt;
    }

private:
    std::unique_ptr<KorvoTest::CDialogTemplate> m_template;
};

int Count(const KorvoTest::CWindowPixels& pixels, COLORREF cr)
{
    return (int)std::count(pixels.m_pixels.begin(), pixels.m_pixels.end(), cr);
}

struct DialogText : ::testing::Test
{
    CSkinDefinitions defs;
    CLabelDialog dlg;

    void Load(const CString& strSchemeAttributes, const CString& strColours)
    {
        std::vector<BYTE> paper = KorvoTest::MakeBitmapFile(STRIPE_SIZE, STRIPE_SIZE, Stripe, NULL);
        defs.WriteFile(L"Definitions\\paper.bmp", paper.data(), paper.size());
        defs.Load(defs.Skin(FrameSkin(L"Main").Xml(L"<image path=\"paper.bmp\" type=\"watermark\"/>")),
                  L"<colourScheme" + strSchemeAttributes + L"><colour name=\"dialog.back\" value=\"20242C\"/>" +
                      strColours + L"</colourScheme>");
    }
};
} // namespace

TEST_F(DialogText, TheSchemesDialogTextColoursEveryKindOfLabelAndUnsetKeepsTheSystemsText)
{
    Load(L"", L"<colour name=\"dialog.text\" value=\"F0E0A0\"/>");
    ASSERT_TRUE(dlg.Create(150, 120));
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    for (UINT nID : LABELS)
    {
        KorvoTest::CWindowPixels pixels = dlg.Repainted(nID);
        EXPECT_GT(Count(pixels, DIALOG_TEXT), 10) << "control " << nID;
        EXPECT_GT(Count(pixels, DIALOG_BACK), 10) << "solid block by default, control " << nID;
        EXPECT_EQ(0, Count(pixels, ::GetSysColor(COLOR_WINDOWTEXT))) << "control " << nID;
        // A group box never filled its inside, which shows the watermark either way.
        if (nID != ID_GROUP)
        {
            EXPECT_EQ(0, Count(pixels, STRIPE_A) + Count(pixels, STRIPE_B)) << "control " << nID;
        }
    }
    // A read-only edit asks for the same colours and gets them on its solid block.
    KorvoTest::CWindowPixels edit = dlg.Repainted(ID_EDIT);
    EXPECT_GT(Count(edit, DIALOG_TEXT), 10);

    // The next skin names no text colour: the labels' ink is the system's again.
    Load(L"", L"");
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    KorvoTest::CWindowPixels label = dlg.Repainted(ID_LABEL);
    EXPECT_EQ(0, Count(label, DIALOG_TEXT));
    EXPECT_GT(Count(label, ::GetSysColor(COLOR_WINDOWTEXT)), 10);

    // An empty value is no colour, as for every key.
    Load(L"", L"<colour name=\"dialog.text\" value=\"\"/>");
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_GT(Count(dlg.Repainted(ID_LABEL), ::GetSysColor(COLOR_WINDOWTEXT)), 10);
}

TEST_F(DialogText, TransparentLabelsShowTheWatermarkTileForTile)
{
    Load(L" labels=\"transparent\"", L"<colour name=\"dialog.text\" value=\"F0E0A0\"/>");
    ASSERT_TRUE(dlg.Create(150, 120));
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    for (UINT nID : LABELS)
    {
        KorvoTest::CWindowPixels pixels = dlg.Repainted(nID);
        CPoint ptOrigin = dlg.Origin(nID);
        // Every pixel that is not ink is the watermark pixel the dialog shows at that place.
        int nWatermark = 0, nInk = 0, nOther = 0;
        for (int y = 0; y < pixels.m_cy; y++)
            for (int x = 0; x < pixels.m_cx; x++)
            {
                COLORREF cr = pixels.At(x, y);
                if (cr == Stripe((ptOrigin.x + x) % STRIPE_SIZE, (ptOrigin.y + y) % STRIPE_SIZE, NULL))
                    nWatermark++;
                else if (cr == DIALOG_TEXT)
                    nInk++;
                else
                    nOther++;
            }
        EXPECT_GT(nInk, 10) << "control " << nID;
        EXPECT_GT(nWatermark, pixels.m_cx * pixels.m_cy / 2) << "control " << nID;
        // The check box's and radio button's marks and the group's frame are the system's.
        EXPECT_LT(nOther, pixels.m_cx * pixels.m_cy / 4) << "control " << nID;
        EXPECT_EQ(0, Count(pixels, DIALOG_BACK)) << "control " << nID;
    }
    // A read-only edit keeps its solid block.
    EXPECT_GT(Count(dlg.Repainted(ID_EDIT), DIALOG_BACK), 10);

    // A value that is neither leaves the labels as they were; the next load starts solid.
    Load(L" labels=\"see-through\"", L"");
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_GT(Count(dlg.Repainted(ID_LABEL), DIALOG_BACK), 10);
}

TEST_F(DialogText, ChildPagesTakeTheDialogTextOnTheirSolidBackground)
{
    Load(L" labels=\"transparent\"", L"<colour name=\"dialog.text\" value=\"F0E0A0\"/>");
    ASSERT_TRUE(dlg.Create(150, 120));
    KorvoTest::CDialogTemplate pageTemplate(WS_CHILD | WS_VISIBLE | DS_CONTROL | DS_SETFONT, 120, 40, L"");
    pageTemplate.AddControl(L"Static", ID_LABEL, SS_LEFT | WS_VISIBLE, 4, 4, 80, 10, L"Page label");
    CSkinChildDialog page;
    ASSERT_TRUE(page.CreateIndirect(pageTemplate.Get(), &dlg));
    ::RedrawWindow(page.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    KorvoTest::CWindowPixels pixels(::GetDlgItem(page.m_hWnd, ID_LABEL), true);
    EXPECT_GT(Count(pixels, DIALOG_TEXT), 10);
    EXPECT_GT(Count(pixels, DIALOG_BACK), 10);
    page.DestroyWindow();
}
