// The library's global objects. They live in this one file because their construction order
// matters: theme, menu engine, the resize message, window-skin loader, registry, application
// folder. They are destroyed in the reverse order when the library unloads.
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include "../skin/CSkinRegistry.h"
#include "../windowskin/CWindowSkinLoader.h"

HINSTANCE g_hSkinInstance = NULL;
CInterfaceTheme g_Theme;
CMenuSkinner g_MenuSkinner;
extern KORVOSKIN_API const UINT WMU_RESIZESUPPORT;
const UINT WMU_RESIZESUPPORT = ::RegisterWindowMessageW(L"WMU_RESIZESUPPORT");
static const CWindowSkinLoader g_windowSkinLoader;
CSkinRegistry g_Registry(g_windowSkinLoader);
CString g_strAppFolder;
