// The library's process-wide facts that its entry point records, defined with the other global
// objects in Globals.cpp. Layers below this one are handed what they need of them.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include "CSkinSet.h"
#include "CHostThread.h"

// The library's own module handle.
extern HINSTANCE g_hSkinInstance;
// The library's own skin, and by their names its parts: its theme, menu engine and registry, the
// context that hands them to the layers below (the default context of windows, bars and
// controls), the top-level windows hosts skinned by their handles, and the skinner of the
// windows the owner thread creates.
extern CSkinSet g_Skin;
extern CInterfaceTheme& g_Theme;
extern CMenuSkinner& g_MenuSkinner;
extern CSkinRegistry& g_Registry;
extern CSkinContext& g_Context;
extern CHandleWindows& g_HandleWindows;
extern CThreadSkinner& g_ThreadSkinner;
// The thread that owns the library (HostGuard.h).
extern CHostThread g_HostThread;
// The host executable's folder, ending in a backslash, or empty; definition files are found
// relative to it.
extern CString g_strAppFolder;
