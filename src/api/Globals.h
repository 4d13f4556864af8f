// The library's process-wide facts that its entry point records, defined with the other global
// objects in Globals.cpp. Layers below this one are handed what they need of them.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>

// The library's own module handle.
extern HINSTANCE g_hSkinInstance;
// The host executable's folder, ending in a backslash, or empty; definition files are found
// relative to it.
extern CString g_strAppFolder;
