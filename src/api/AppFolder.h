#pragma once
#include "../afx/afxwin.h"
#include <KorvoSkin/KorvoSkinExport.h>

// The folder part of an executable's path, with its trailing backslash; empty when the path
// holds no backslash.
KORVOSKIN_API CString AppFolderFromPath(const CString& strPath);
