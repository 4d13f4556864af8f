#include "AppFolder.h"

CString AppFolderFromPath(const CString& strPath)
{
    return strPath.Left(strPath.ReverseFind(L'\\') + 1);
}

CString AppFolderOfProcess()
{
    wchar_t szPath[MAX_PATH + 1];
    DWORD nLength = ::GetModuleFileNameW(NULL, szPath, MAX_PATH);
    // A path cut short by the buffer would name the wrong folder: use none.
    if (nLength == 0 || nLength >= MAX_PATH)
        return CString();
    szPath[nLength] = 0;
    return AppFolderFromPath(szPath);
}
