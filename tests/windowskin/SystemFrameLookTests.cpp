// What a skinned window asks of the system's drawing around it where the system rounds windows:
// the corners and border attributes of <windowSkin> as read and checked, and the calls the frame
// makes through CDwmAttributes (replaced here by a recorder) as the window is skinned, resized,
// reskinned and unskinned.
#include "SkinTestSupport.h"
#include <parts/CDwmAttributes.h>
#include <xml/XML.h>
#include <vector>

using namespace SkinTest;

namespace
{
const CRect WINDOW(100, 100, 500, 300);

struct CDwmCall
{
    HWND hWnd;
    DWORD dwAttribute;
    DWORD dwValue;
    bool operator==(const CDwmCall& other) const
    {
        return hWnd == other.hWnd && dwAttribute == other.dwAttribute && dwValue == other.dwValue;
    }
};
void PrintTo(const CDwmCall& call, std::ostream* os)
{
    *os << "{" << (void*)call.hWnd << ", " << call.dwAttribute << ", 0x" << std::hex << call.dwValue << std::dec << "}";
}

std::vector<CDwmCall> g_calls;
HRESULT g_hrAnswer = S_OK;

HRESULT WINAPI RecordCall(HWND hWnd, DWORD dwAttribute, LPCVOID pvValue, DWORD cbValue)
{
    EXPECT_EQ(sizeof(DWORD), cbValue);
    g_calls.push_back(CDwmCall{ hWnd, dwAttribute, cbValue == sizeof(DWORD) ? *(const DWORD*)pvValue : 0xDEAD });
    return g_hrAnswer;
}

const DWORD CORNERS = CDwmAttributes::WINDOW_CORNER_PREFERENCE;
const DWORD BORDER = CDwmAttributes::BORDER_COLOR;

// The system's function is replaced by the recorder for each test, and put back afterwards.
struct SystemFrameLook : CSkinnedDialogTest
{
    SystemFrameLook()
    {
        g_calls.clear();
        g_hrAnswer = S_OK;
        CDwmAttributes::Replace(RecordCall);
    }
    ~SystemFrameLook() { CDwmAttributes::UseSystem(); }

    // The main test skin with the attributes on <windowSkin>, and optionally a round shape.
    CString Skin(LPCWSTR pszAttributes, bool bShaped = false, LPCWSTR pszTarget = L"Main")
    {
        CSkinBuilder builder = FrameSkin(pszTarget);
        if (bShaped)
            builder.Xml(L"<region><shape type=\"roundRect\" rect=\"0,0,-1,-1\" size=\"12,12\"/></region>");
        CString strSkin = defs.Skin(builder);
        strSkin.Replace(L"<windowSkin>", CString(L"<windowSkin ") + pszAttributes + L">");
        return strSkin;
    }
    std::vector<CDwmCall> Calls(DWORD dwAttribute) const
    {
        std::vector<CDwmCall> calls;
        for (const CDwmCall& call : g_calls)
            if (call.dwAttribute == dwAttribute)
                calls.push_back(call);
        return calls;
    }
};

struct CReports : CSkinDiagnostics
{
    std::vector<CString> messages;
    void BeginFile(const CString&) override {}
    void Report(int, int, const CString& strMessage) override { messages.push_back(strMessage); }
};

// The skin read from a <windowSkin> with these attributes and a main image, and what the checker
// was told.
std::unique_ptr<CWindowSkin> ParseAttributes(LPCWSTR pszAttributes, CReports& reports)
{
    KorvoTest::CTempFolder folder;
    std::vector<BYTE> file = KorvoTest::MakeBitmapFile(8, 8, [](int, int, void*) { return RGB(1, 2, 3); }, NULL);
    folder.WriteFile(L"main.bmp", file.data(), file.size());
    std::unique_ptr<CXmlElement> pRoot(
        XmlParseDocument(CString(L"<windowSkin ") + pszAttributes + L"><target window=\"Main\"/><image path=\"main.bmp\"/></windowSkin>", FALSE));
    std::unique_ptr<CWindowSkin> pSkin(new CWindowSkin(g_Theme));
    if (!pRoot || !pSkin->Parse(pRoot.get(), folder.Path(), &reports))
        return nullptr;
    return pSkin;
}
}

TEST(SystemFrameLookParse, CornersAndBorderAreReadAndWhatIsNotUnderstoodLeavesTheSystemsAndIsReported)
{
    struct
    {
        LPCWSTR pszAttributes;
        int nCorners;
        COLORREF crBorder;
        size_t nReports;
    } cases[] = {
        { L"", S::CORNERS_SYSTEM, NO_COLOUR, 0 },
        { L"corners=\"round\" border=\"1E90FF\"", S::CORNERS_ROUND, RGB(0x1E, 0x90, 0xFF), 0 },
        { L"corners=\"SMALL\" border=\"none\"", S::CORNERS_SMALL, S::BORDER_NONE, 0 },
        { L"corners=\"square\" border=\"System\"", S::CORNERS_SQUARE, NO_COLOUR, 0 },
        { L"corners=\"system\" border=\"\"", S::CORNERS_SYSTEM, NO_COLOUR, 0 },
        { L"corners=\"oval\" border=\"#102030\"", S::CORNERS_SYSTEM, NO_COLOUR, 2 },
        { L"corners=\"\" border=\"12345\"", S::CORNERS_SYSTEM, NO_COLOUR, 1 },
        { L"corner=\"round\"", S::CORNERS_SYSTEM, NO_COLOUR, 1 },
    };
    int n = 0;
    for (const auto& c : cases)
    {
        n++;
        CReports reports;
        auto pSkin = ParseAttributes(c.pszAttributes, reports);
        ASSERT_TRUE(pSkin) << "case " << n;
        EXPECT_EQ(c.nCorners, pSkin->m_nCorners) << "case " << n;
        EXPECT_EQ(c.crBorder, pSkin->m_crBorder) << "case " << n;
        EXPECT_EQ(c.nReports, reports.messages.size()) << "case " << n;
    }
}

TEST_F(SystemFrameLook, AFrameWithoutAShapeAsksForItsSkinsCornersAndBorderAfterEverySizeAndSkinChange)
{
    defs.Load(Skin(L"corners=\"round\" border=\"102030\"") + Skin(L"corners=\"small\" border=\"none\"", false, L"Other")
              + Skin(L"corners=\"square\"", false, L"Square"));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    const HWND hWnd = dlg.m_hWnd;
    const CDwmCall round{ hWnd, CORNERS, CDwmAttributes::CORNER_ROUND };
    const CDwmCall border{ hWnd, BORDER, RGB(0x10, 0x20, 0x30) };
    ASSERT_FALSE(Calls(CORNERS).empty());
    for (const CDwmCall& call : Calls(CORNERS))
        EXPECT_EQ(round, call);
    ASSERT_FALSE(Calls(BORDER).empty());
    for (const CDwmCall& call : Calls(BORDER))
        EXPECT_EQ(border, call);

    // Resized: asked again with the same values.
    g_calls.clear();
    dlg.SetWindowPos(NULL, 0, 0, 360, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_FALSE(Calls(CORNERS).empty());
    EXPECT_EQ(round, Calls(CORNERS).back());
    ASSERT_FALSE(Calls(BORDER).empty());
    EXPECT_EQ(border, Calls(BORDER).back());

    // Another skin: its own look; small corners and no border.
    g_calls.clear();
    ASSERT_TRUE(dlg.SkinMe(L"Other"));
    ASSERT_FALSE(Calls(CORNERS).empty());
    EXPECT_EQ((CDwmCall{ hWnd, CORNERS, CDwmAttributes::CORNER_ROUNDSMALL }), Calls(CORNERS).back());
    ASSERT_FALSE(Calls(BORDER).empty());
    EXPECT_EQ((CDwmCall{ hWnd, BORDER, CDwmAttributes::COLOR_NONE }), Calls(BORDER).back());

    // Square corners and the system's border, which was changed and so is put back.
    g_calls.clear();
    ASSERT_TRUE(dlg.SkinMe(L"Square"));
    ASSERT_FALSE(Calls(CORNERS).empty());
    EXPECT_EQ((CDwmCall{ hWnd, CORNERS, CDwmAttributes::CORNER_DONOTROUND }), Calls(CORNERS).back());
    ASSERT_FALSE(Calls(BORDER).empty());
    EXPECT_EQ((CDwmCall{ hWnd, BORDER, CDwmAttributes::COLOR_DEFAULT }), Calls(BORDER).back());

    // Unskinned: the system's corners again, once; the border was already the system's.
    g_calls.clear();
    ASSERT_FALSE(dlg.SkinMe(L"Nobody"));
    EXPECT_EQ((std::vector<CDwmCall>{ { hWnd, CORNERS, CDwmAttributes::CORNER_DEFAULT } }), g_calls);
    g_calls.clear();
    dlg.SetWindowPos(NULL, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(g_calls.empty()) << "nothing more is asked of a window with the system frame";
}

TEST_F(SystemFrameLook, AShapedSkinOrOneLeavingBothToTheSystemAsksNothing)
{
    defs.Load(Skin(L"corners=\"round\" border=\"102030\"", true) + Skin(L"", false, L"Plain")
              + Skin(L"corners=\"round\"", false, L"Round"));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    dlg.SetWindowPos(NULL, 0, 0, 360, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_NE(CRect(0, 0, 0, 0), dlg.RegionBox()) << "the shape is the skin's";
    EXPECT_TRUE(g_calls.empty()) << "a shaped frame cuts its own corners";

    ASSERT_TRUE(dlg.SkinMe(L"Plain"));
    dlg.SetWindowPos(NULL, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(g_calls.empty());

    // Round, then the shaped skin again: the corners go back to the system's.
    ASSERT_TRUE(dlg.SkinMe(L"Round"));
    ASSERT_FALSE(Calls(CORNERS).empty());
    EXPECT_TRUE(Calls(BORDER).empty());
    g_calls.clear();
    ASSERT_TRUE(dlg.SkinMe(L"Main"));
    EXPECT_EQ((std::vector<CDwmCall>{ { dlg.m_hWnd, CORNERS, CDwmAttributes::CORNER_DEFAULT } }), g_calls);
}

TEST_F(SystemFrameLook, WithoutTheFunctionOrWhenItFailsTheWindowIsSkinnedAsEver)
{
    defs.Load(Skin(L"corners=\"round\" border=\"102030\""));
    const CRect rcClient(MAIN_FRAME.left, MAIN_FRAME.top, WINDOW.Width() - MAIN_FRAME.right,
                         WINDOW.Height() - MAIN_FRAME.bottom);
    CDwmAttributes::Replace(NULL);
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    EXPECT_TRUE(g_calls.empty());
    EXPECT_EQ(rcClient, ClientInWindow(dlg));
    dlg.DestroyWindow();

    // Refused: nothing was changed, so unskinning has nothing to undo.
    CDwmAttributes::Replace(RecordCall);
    g_hrAnswer = E_NOTIMPL;
    CTestSkinDialog second;
    ASSERT_TRUE(second.CreateSkinned(WINDOW));
    EXPECT_FALSE(Calls(CORNERS).empty());
    EXPECT_EQ(rcClient, ClientInWindow(second));
    g_calls.clear();
    ASSERT_FALSE(second.SkinMe(L"Nobody"));
    EXPECT_TRUE(g_calls.empty());
    EXPECT_TRUE(second.GetStyle() & WS_CAPTION) << "the system frame is back";
    second.DestroyWindow();
}
