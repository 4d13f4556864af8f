// The library's global objects. They live in this one file because their construction order
// matters: theme, menu engine, the resize message, registry, application folder. They are
// destroyed in the reverse order when the library unloads.
#include "AppFolder.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include "../resizable/ResizeSupportMessage.h"
#include "../skin/CSkinRegistry.h"
#include "../windowskin/CWindowSkin.h"
#include <KorvoSkin/CSkinDialog.h>

// The module the library's code and resources are linked into: KorvoSkin.dll in a host, the
// program itself where the library is linked statically.
extern "C" IMAGE_DOS_HEADER __ImageBase;
HINSTANCE g_hSkinInstance = reinterpret_cast<HINSTANCE>(&__ImageBase);

CInterfaceTheme g_Theme;
CMenuSkinner g_MenuSkinner;
const UINT WMU_RESIZESUPPORT = ::RegisterWindowMessageW(L"WMU_RESIZESUPPORT");
CSkinRegistry g_Registry;
CString g_strAppFolder = AppFolderOfProcess();

// The registry reaches window skins through these; before it deletes them, the skinned dialogs
// that borrow them let go.
static struct CWindowSkinOperationsInstaller
{
    CWindowSkinOperationsInstaller()
    {
        m_operations = *CWindowSkin::GetOperations();
        m_operations.pfnBeforeDelete = CSkinDialog::DropAllSkins;
        g_Registry.SetWindowSkinOperations(&m_operations);
    }
    WINDOWSKIN_OPERATIONS m_operations;
} g_windowSkinOperationsInstaller;
