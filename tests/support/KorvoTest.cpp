#include "KorvoTest.h"
#include <shellapi.h>

namespace KorvoTest
{
void PumpMessages(DWORD nMilliseconds)
{
    DWORD dwStart = ::GetTickCount();
    do
    {
        MSG msg;
        while (::PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (!AfxPreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (nMilliseconds)
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount() - dwStart < nMilliseconds);
}

CTempFolder::CTempFolder()
{
    wchar_t szTemp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, szTemp);
    static LONG s_nSerial = 0;
    m_strPath.Format(L"%skorvo-%lu-%ld\\", szTemp, ::GetCurrentProcessId(), ::InterlockedIncrement(&s_nSerial));
    ::CreateDirectoryW(m_strPath, NULL);
}

CTempFolder::~CTempFolder()
{
    // SHFileOperation wants a double-NUL-terminated list.
    CString strFrom = m_strPath.Left(m_strPath.GetLength() - 1);
    std::wstring from(strFrom.GetString(), strFrom.GetLength());
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&op);
}

CString CTempFolder::WriteFile(LPCWSTR pszRelative, const void* pData, size_t nLength) const
{
    CString strPath = m_strPath + pszRelative;
    for (int n = m_strPath.GetLength(); (n = strPath.Find(L'\\', n)) >= 0; n++)
        ::CreateDirectoryW(strPath.Left(n), NULL);
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
    {
        DWORD nWritten = 0;
        ::WriteFile(hFile, pData, (DWORD)nLength, &nWritten, NULL);
        ::CloseHandle(hFile);
    }
    return strPath;
}

COLORREF PixelOf(HDC hDC, int x, int y)
{
    return ::GetPixel(hDC, x, y);
}
}
