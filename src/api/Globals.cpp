// The library's global objects. They live in this one file because their construction order
// matters: the library's skin, whose context becomes the default, then the owner thread's record
// and the application folder. They are destroyed in the reverse order when the library unloads.
#include "AppFolder.h"
#include "Globals.h"

// The module the library's code and resources are linked into: KorvoSkin.dll in a host, the
// program itself where the library is linked statically.
extern "C" IMAGE_DOS_HEADER __ImageBase;
HINSTANCE g_hSkinInstance = reinterpret_cast<HINSTANCE>(&__ImageBase);

CSkinSet g_Skin(g_hSkinInstance);
CInterfaceTheme& g_Theme = g_Skin.m_theme;
CMenuSkinner& g_MenuSkinner = g_Skin.m_menus;
CSkinRegistry& g_Registry = g_Skin.m_registry;
CSkinContext& g_Context = g_Skin.m_context;
CHandleWindows& g_HandleWindows = g_Skin.m_windows;
CThreadSkinner& g_ThreadSkinner = g_Skin.m_skinner;
static const struct CDefaultContext
{
    CDefaultContext() { g_Context.MakeDefault(); }
} s_defaultContext;
CHostThread g_HostThread;
CString g_strAppFolder = AppFolderOfProcess();
