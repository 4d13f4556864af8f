// Export macro of the library's classes and functions; the lowest library layer defines it so
// that every layer can use it.
#pragma once
#include "../afx/afxwin.h"

#include <KorvoSkin/KorvoSkinExport.h>

// The library's own module handle and the host executable's folder (ending in a backslash, or
// empty), both set by the library's entry point.
extern HINSTANCE g_hSkinInstance;
extern CString g_strAppFolder;
