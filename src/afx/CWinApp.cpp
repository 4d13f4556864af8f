#include "CWinApp.h"
#include "AfxModuleState.h"
#include "AfxResource.h"
#include "AfxThreadState.h"
#include "CWnd.h"
#include "CControlBar.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

CWinApp::CWinApp(LPCWSTR lpszAppName)
    : m_hInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL), m_pszAppName(NULL), m_pszExeName(NULL),
      m_pszProfileName(NULL), m_pMainWnd(NULL)
{
    if (lpszAppName)
    {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
    AfxGetModuleState()->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (pState->m_pCurrentWinApp == this)
        pState->m_pCurrentWinApp = NULL;
}

void CWinApp::SetCurrentHandles()
{
    wchar_t szPath[MAX_PATH + 1] = L"";
    DWORD nLength = ::GetModuleFileNameW(m_hInstance, szPath, MAX_PATH);
    szPath[nLength <= MAX_PATH ? nLength : MAX_PATH] = 0;
    CString strPath(szPath);
    CString strName = strPath.Mid(strPath.ReverseFind(L'\\') + 1);
    int nDot = strName.ReverseFind(L'.');
    if (nDot > 0)
        strName = strName.Left(nDot);
    if (!m_pszExeName)
    {
        m_strExeName = strName;
        m_pszExeName = m_strExeName;
    }
    if (!m_pszAppName)
    {
        m_strAppName = m_pszExeName;
        m_pszAppName = m_strAppName;
    }
    if (!m_pszProfileName)
    {
        m_strProfileName = CString(m_pszExeName) + L".INI";
        m_pszProfileName = m_strProfileName;
    }
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_lpszCurrentAppName = m_pszAppName;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

BOOL CWinApp::OnIdle(LONG)
{
    if (m_pMainWnd)
        AfxIdleUpdateCmdUI(m_pMainWnd ? m_pMainWnd->m_hWnd : NULL);
    AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG*)
{
    return FALSE;
}

int CWinApp::Run()
{
    MSG msg;
    for (;;)
    {
        if (!::PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE))
            OnIdle(0);
        BOOL bResult = ::GetMessageW(&msg, NULL, 0, 0);
        if (bResult <= 0)
            break;
        if (!AfxPreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    ExitInstance();
    return (int)msg.wParam;
}

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault)
{
    CString strValue;
    if (!lpszSection || !lpszEntry || !m_pszProfileName)
        return lpszDefault;
    for (DWORD nSize = 256;; nSize *= 2)
    {
        DWORD nCopied = ::GetPrivateProfileStringW(lpszSection, lpszEntry, lpszDefault ? lpszDefault : L"",
                                                   strValue.GetBuffer(nSize), nSize, m_pszProfileName);
        if (nCopied < nSize - 1)
        {
            strValue.ReleaseBuffer(nCopied);
            return strValue;
        }
    }
}

BOOL CWinApp::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue)
{
    if (!lpszSection || !m_pszProfileName)
        return FALSE;
    return ::WritePrivateProfileStringW(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

UINT CWinApp::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault)
{
    if (!lpszSection || !lpszEntry || !m_pszProfileName)
        return nDefault;
    return ::GetPrivateProfileIntW(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue)
{
    wchar_t szValue[16];
    swprintf(szValue, 16, L"%d", nValue);
    return WriteProfileString(lpszSection, lpszEntry, szValue);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCEW(nIDResource));
}

HICON CWinApp::LoadIcon(LPCWSTR lpszResourceName) const
{
    return ::LoadIconW(AfxFindResourceHandle(lpszResourceName, (LPCWSTR)RT_GROUP_ICON), lpszResourceName);
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentInstanceHandle = hInstance;
    pState->m_hCurrentResourceHandle = hInstance;
    CWinApp* pApp = AfxGetApp();
    if (pApp)
    {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    return TRUE;
}

LPWSTR AfxSkipProgramName(LPWSTR psz)
{
    if (!psz)
        return psz;
    if (*psz == L'"')
    {
        for (psz++; *psz && *psz != L'"'; psz++)
            ;
        if (*psz)
            psz++;
    }
    else
        while (*psz > L' ')
            psz++;
    while (*psz == L' ' || *psz == L'\t')
        psz++;
    return psz;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) || !pApp)
        return -1;
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (!(::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->PreTranslateMessage(pMsg);
}
