// The library's global objects. They live in this one file because their construction order
// matters: theme, menu engine, window-skin loader, registry, the context that hands the three to
// the layers below, the windows skinned by handle, application folder. They are destroyed in the reverse order when the
// library unloads.
#include "AppFolder.h"
#include "Globals.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include "../skin/CSkinRegistry.h"
#include "../skin/CSkinContext.h"
#include "../windowskin/CWindowSkinLoader.h"
#include "CHandleWindows.h"
#include "CHostThread.h"
#include "CThreadSkinner.h"

// The module the library's code and resources are linked into: KorvoSkin.dll in a host, the
// program itself where the library is linked statically.
extern "C" IMAGE_DOS_HEADER __ImageBase;
HINSTANCE g_hSkinInstance = reinterpret_cast<HINSTANCE>(&__ImageBase);

CInterfaceTheme g_Theme;
CMenuSkinner g_MenuSkinner(g_Theme);
static const CWindowSkinLoader g_windowSkinLoader(g_Theme);
CSkinRegistry g_Registry(g_Theme, g_windowSkinLoader, g_hSkinInstance);
CSkinContext g_Context(g_Theme, g_Registry, g_MenuSkinner);
static const struct CDefaultContext
{
    CDefaultContext() { g_Context.MakeDefault(); }
} s_defaultContext;
CHandleWindows g_HandleWindows(g_Context);
CThreadSkinner g_ThreadSkinner(g_HandleWindows, g_Registry);
CHostThread g_HostThread;
CString g_strAppFolder = AppFolderOfProcess();
