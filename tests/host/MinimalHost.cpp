// A host application as a library user writes one: the umbrella header, a dialog derived from
// the library's skinned dialog, the exported functions. It links KorvoSkin.dll through its
// import library only, so it proves the headers stand alone and the DLL exports what a host
// needs. It prints "host: N failed" for the test runner.
#include <KorvoSkin.h>
#include <stdio.h>
#include <vector>

static int g_nFailed = 0;

static void Check(bool bOk, const char* pszWhat)
{
    if (!bOk)
    {
        ++g_nFailed;
        printf("host: FAILED %s\n", pszWhat);
    }
}

// A dialog template in memory: a caption, a system menu and one push button.
static std::vector<WORD> MakeTemplate()
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE* pTemplate = reinterpret_cast<DLGTEMPLATE*>(words.data());
    pTemplate->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    pTemplate->cdit = 1;
    pTemplate->cx = 200;
    pTemplate->cy = 100;
    words.insert(words.end(), { 0, 0 });
    for (const wchar_t* p = L"Host"; ; ++p)
    {
        words.push_back(*p);
        if (!*p)
            break;
    }
    if (words.size() % 2)
        words.push_back(0);
    DLGITEMTEMPLATE item = {};
    item.style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    item.x = 140;
    item.y = 80;
    item.cx = 50;
    item.cy = 14;
    item.id = IDOK;
    const WORD* pItem = reinterpret_cast<const WORD*>(&item);
    words.insert(words.end(), pItem, pItem + sizeof(item) / sizeof(WORD));
    words.insert(words.end(), { 0xFFFF, 0x0080, L'O', L'K', 0, 0 });
    return words;
}

class CHostDialog : public CSkinDialog
{
public:
    int m_nCommands = 0;

protected:
    BOOL OnInitDialog() override
    {
        CSkinDialog::OnInitDialog();
        AddAnchor(IDOK, BOTTOM_RIGHT);
        return TRUE;
    }
    afx_msg void OnAppCommand() { ++m_nCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostDialog, CSkinDialog)
    ON_COMMAND(0x8001, OnAppCommand)
END_MESSAGE_MAP()

class CHostApp : public CWinApp
{
public:
    CHostApp() : CWinApp(L"KorvoSkin Host") {}

    BOOL InitInstance() override
    {
        Check(InitSkin(), "InitSkin");
        Check(LoadSkin(L"", L""), "LoadSkin with no files");
        Check(GetSkinString(12345).IsEmpty(), "unknown string is empty");
        Check(GetSkinMenu(L"none") == NULL, "unknown menu is null");
        Check(GetSkinWatermark(L"none") == NULL, "unknown watermark is null");
        Check(GetDialogBkColor() == ::GetSysColor(COLOR_BTNFACE), "dialog colour is the system's");

        std::vector<WORD> dialogTemplate = MakeTemplate();
        CHostDialog dlg;
        Check(dlg.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data())) != FALSE,
              "skinned dialog created");
        Check(!dlg.SkinMe(L"Main"), "no window skin in an empty definition");
        dlg.SetWindowPos(NULL, 0, 0, 500, 300, SWP_NOZORDER | SWP_NOMOVE);
        CRect rcButton;
        dlg.GetDlgItem(IDOK)->GetWindowRect(&rcButton);
        dlg.ScreenToClient(&rcButton);
        CRect rcClient;
        dlg.GetClientRect(&rcClient);
        Check(rcClient.right - rcButton.right < 40, "anchored button follows the right edge");
        dlg.SendMessage(WM_COMMAND, 0x8001, 0);
        Check(dlg.m_nCommands == 1, "command reaches the host's handler");
        dlg.DestroyWindow();

        Check(UnInitSkin(), "UnInitSkin");
        printf("host: %d failed\n", g_nFailed);
        fflush(stdout);
        return FALSE;
    }
};

CHostApp theApp;
