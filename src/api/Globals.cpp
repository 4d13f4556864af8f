// The library's global objects. They live in this one file because their construction order
// matters: theme, menu engine, the resize message, registry, application folder. They are
// destroyed in the reverse order when the library unloads.
#include "Globals.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include "../skin/CSkinRegistry.h"

HINSTANCE g_hSkinInstance = NULL;
CInterfaceTheme g_Theme;
CMenuSkinner g_MenuSkinner;
extern KORVOSKIN_API const UINT WMU_RESIZESUPPORT;
const UINT WMU_RESIZESUPPORT = ::RegisterWindowMessageW(L"WMU_RESIZESUPPORT");
CSkinRegistry g_Registry;
CString g_strAppFolder;
