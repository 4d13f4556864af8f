// The library's process-wide facts that its entry point records, defined with the other global
// objects in Globals.cpp. Layers below this one are handed what they need of them.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include "../skin/CSkinRegistry.h"
#include "../skin/CSkinContext.h"
#include "CHandleWindows.h"
#include "CHostThread.h"
#include "CThreadSkinner.h"

// The library's own module handle.
extern HINSTANCE g_hSkinInstance;
// The library's own skin: its theme, menu engine and registry, and the context that hands them
// to the layers below (the default context of windows, bars and controls).
extern CInterfaceTheme g_Theme;
extern CMenuSkinner g_MenuSkinner;
extern CSkinRegistry g_Registry;
extern CSkinContext g_Context;
// The top-level windows hosts skinned by their handles, framed from the default context.
extern CHandleWindows g_HandleWindows;
// Skins the windows the owner thread creates, into g_HandleWindows.
extern CThreadSkinner g_ThreadSkinner;
// The thread that owns the library (HostGuard.h).
extern CHostThread g_HostThread;
// The host executable's folder, ending in a backslash, or empty; definition files are found
// relative to it.
extern CString g_strAppFolder;
