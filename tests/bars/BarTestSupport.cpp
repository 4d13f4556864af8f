#include "BarTestSupport.h"

namespace BarTest
{
std::vector<BYTE> ButtonImage(int cx, int cy, COLORREF cr)
{
    return KorvoTest::MakeBitmapFile(cx, cy, [](int x, int y, void* p) { return x < 4 && y < 4 ? WHITE : *(COLORREF*)p; }, &cr);
}

std::string ButtonSkin(bool bNoOpenHover)
{
    std::string strMarks = R"(<colourScheme><colour name="dialog.back" value="0AC81E"/></colourScheme>
        <watermarks>
            <watermark target="Save" path="n.bmp"/><watermark target="Save.HOVER" path="h.bmp"/>
            <watermark target="Save.SELECT" path="s.bmp"/>
            <watermark target="Open" path="n.bmp"/><watermark target="Open.SELECT" path="s.bmp"/>)";
    if (!bNoOpenHover)
        strMarks += R"(<watermark target="Open.HOVER" path="h.bmp"/>)";
    return strMarks + "</watermarks>";
}

void WriteButtonImages(const CSkinFolder& folder)
{
    WriteButtonImage(folder, L"Definitions\\n.bmp", 24, 24, NORMAL);
    WriteButtonImage(folder, L"Definitions\\h.bmp", 24, 24, HOVER);
    WriteButtonImage(folder, L"Definitions\\s.bmp", 24, 24, SELECT);
}

BEGIN_MESSAGE_MAP(CHostWnd, CFrameWnd)
    ON_UPDATE_COMMAND_UI(101, OnUpdate101)
    ON_UPDATE_COMMAND_UI(102, OnUpdate102)
    ON_COMMAND(101, OnCommand103)
    ON_COMMAND(103, OnCommand103)
END_MESSAGE_MAP()

BOOL CHostWnd::Create(int cx, int cy)
{
    if (!CreateEx(0, NULL, L"bar host", WS_POPUP | WS_VISIBLE, 100, 100, cx, cy, NULL, NULL))
        return FALSE;
    ::SetForegroundWindow(m_hWnd);
    KorvoTest::PumpMessages(20);
    return TRUE;
}

BOOL CHostWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    m_commands.push_back(std::make_pair(wParam, lParam));
    return CFrameWnd::OnCommand(wParam, lParam);
}

LRESULT CHostWnd::WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // The host's menu routing, as the library asks hosts to write it.
    if (nMessage == WM_INITMENUPOPUP)
        OnSkinInitMenuPopup(CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), HIWORD(lParam), this);
    else if (nMessage == WM_MEASUREITEM && OnSkinMeasureItem((int)wParam, (MEASUREITEMSTRUCT*)lParam))
        return TRUE;
    else if (nMessage == WM_DRAWITEM && OnSkinDrawItem((int)wParam, (DRAWITEMSTRUCT*)lParam))
    {
        if (m_bRecordDrawing)
            m_drawn.push_back(((DRAWITEMSTRUCT*)lParam)->itemID);
        return TRUE;
    }
    return CFrameWnd::WindowProc(nMessage, wParam, lParam);
}

void CHostWnd::OnUpdate101(CCmdUI* pCmdUI)
{
    if (!m_strTip101.IsEmpty())
        pCmdUI->SetText(m_strTip101);
}

void CHostWnd::OnUpdate102(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CHostWnd::OnCommand103()
{
}

HWND OpenPopup()
{
    HWND hPopup = ::FindWindowW(L"#32768", NULL);
    return hPopup && ::IsWindowVisible(hPopup) ? hPopup : NULL;
}

namespace
{
std::vector<MenuStep> s_steps;
size_t s_nNext = 0;
int s_nIdle = 0;
bool s_bDone = false;

void CALLBACK OnStepTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hPopup = OpenPopup();
    if (s_nNext < s_steps.size())
    {
        if (hPopup)
        {
            s_nIdle = 0;
            s_steps[s_nNext++](hPopup);
        }
        else if (++s_nIdle > 30)
            s_bDone = true;
    }
    else if (!hPopup || ++s_nIdle > 30)
    {
        if (hPopup)
            ::EndMenu();
        s_bDone = true;
    }
}
}

size_t RunInMenuLoop(std::vector<MenuStep> steps, std::function<void()> start, DWORD nLimitMs)
{
    s_steps = std::move(steps);
    s_nNext = 0;
    s_nIdle = 0;
    s_bDone = false;
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 120, OnStepTimer);
    start();
    DWORD dwStart = ::GetTickCount();
    while (!s_bDone && ::GetTickCount() - dwStart < nLimitMs)
        KorvoTest::PumpMessages(20);
    ::KillTimer(NULL, nTimer);
    if (OpenPopup())
        ::EndMenu();
    KorvoTest::PumpMessages(30);
    return s_nNext;
}
}

namespace
{
// The library is initialised once for the program, as a host does.
class CSkinEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { InitSkin(); }
    void TearDown() override { UnInitSkin(); }
};
::testing::Environment* const s_pEnvironment = ::testing::AddGlobalTestEnvironment(new CSkinEnvironment);
}
