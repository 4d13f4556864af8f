// The application object: one per process, constructed by the host before WinMain runs.
#pragma once
#include "CCmdTarget.h"
#include "CString.h"

class CWnd;

class AFX_API CWinApp : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCWSTR lpszAppName = NULL);
    virtual ~CWinApp();

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Profile values live in an INI file named after the application (in the Windows folder
    // unless the host gives m_pszProfileName a full path).
    CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault = NULL);
    BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);
    UINT GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue);

    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadIcon(LPCWSTR lpszResourceName) const;
    HCURSOR LoadStandardCursor(LPCWSTR lpszCursorName) const { return ::LoadCursorW(NULL, lpszCursorName); }

    // Sets the names derived from the executable; run by AfxWinInit.
    void SetCurrentHandles();

    HINSTANCE m_hInstance;
    LPWSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCWSTR m_pszAppName;
    LPCWSTR m_pszExeName;
    LPCWSTR m_pszProfileName;
    CWnd* m_pMainWnd;

private:
    CString m_strAppName;
    CString m_strExeName;
    CString m_strProfileName;
};

AFX_API BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
AFX_API int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
// What follows the program's name in a process's command line, as WinMain receives it and
// m_lpCmdLine holds it: a quoted name ends at its closing quote, another at the first blank.
AFX_API LPWSTR AfxSkipProgramName(LPWSTR pszCommandLine);
// Offers a queued message to the windows it is meant for, innermost first, then to the application.
AFX_API BOOL AfxPreTranslateMessage(MSG* pMsg);
