#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>

// The folder part of an executable's path, with its trailing backslash; empty when the path
// holds no backslash.
CString AppFolderFromPath(const CString& strPath);
// The folder of the running program's executable, or empty when it cannot be told.
CString AppFolderOfProcess();
