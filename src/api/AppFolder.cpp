#include "AppFolder.h"

CString AppFolderFromPath(const CString& strPath)
{
    return strPath.Left(strPath.ReverseFind(L'\\') + 1);
}
