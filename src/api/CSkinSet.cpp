#include "CSkinSet.h"
#include <KorvoSkin/SkinApi.h>
#include "CRedrawPause.h"
#include "CSystemTheme.h"
#include "../parts/CHighContrast.h"
#include "../windowskin/CFrameShadow.h"

namespace
{

// The set SkinCallingThread gave the calling thread, which its top-level observer reloads.
thread_local CSkinSet* t_pThreadSet = NULL;

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    ((std::vector<HWND>*)lParam)->push_back(hWnd);
    return TRUE;
}

} // namespace

CSkinSet::CSkinSet(HINSTANCE hResources)
    : m_menus(m_theme), m_loader(m_theme), m_registry(m_theme, m_loader, hResources),
      m_context(m_theme, m_registry, m_menus), m_windows(m_context), m_skinner(m_windows, m_registry),
      m_bLoaded(false), m_bKeepSkin(false), m_dwLoadedColours(0)
{
}

CSkinSet::~CSkinSet()
{
    if (t_pThreadSet == this)
        t_pThreadSet = NULL;
}

int CSkinSet::SkinCallingThread(const CString& strFolder, const CString& strFirst, const CString& strSecond)
{
    m_menus.Initialize();
    if (!CMenuSkinner::IsThreadHooked())
        return KORVOSKIN_E_OUT_OF_RESOURCES;
    m_context.MakeThreadDefault();
    try
    {
        Load(strFolder, strFirst, strSecond);
    }
    catch (...)
    {
        return KORVOSKIN_E_LOAD_FAILED;
    }
    t_pThreadSet = this;
    CMenuSkinner::SetTopLevelObserver(OnThreadTopLevelMessage);
    return m_skinner.Start(KORVOSKIN_THREAD_ALL);
}

void CSkinSet::ReleaseThread()
{
    // The thread's observer goes with its set, the owner's as any other's.
    CMenuSkinner::SetTopLevelObserver(NULL);
    if (t_pThreadSet == this)
        t_pThreadSet = NULL;
    m_skinner.Stop();
    m_windows.Clear();
    CFrameShadow::DestroySpare();
    m_menus.Release();
    m_registry.SetSystemLook(FALSE);
    m_registry.Clear();
    m_bLoaded = false;
    m_bKeepSkin = false;
}

void CSkinSet::Load(const CString& strFolder, const CString& strFirst, const CString& strSecond)
{
    m_strFolder = strFolder;
    m_strFirst = strFirst;
    m_strSecond = strSecond;
    m_registry.SetSystemLook(!m_bKeepSkin && CHighContrast::IsOn());
    m_dwLoadedColours = CHighContrast::SystemColoursStamp();
    m_bLoaded = true;
    // Skinned windows are unframed when the old skin goes and framed again after: by the load
    // itself for those skinned by handle, by the host's next SkinMe for dialogs. They draw
    // nothing in between and are painted at the next paint, by then in the new skin, never with
    // the system's frame or background.
    CRedrawPause pause(ThreadWindows());
    try
    {
        m_registry.Load(strFolder, strFirst, strSecond);
        m_windows.Reskin();
    }
    catch (...)
    {
        m_registry.Clear();
        throw;
    }
}

bool CSkinSet::FollowHighContrast(BOOL bDark)
{
    if (!m_bLoaded)
        return false;
    const BOOL bSystemLook = !m_bKeepSkin && CHighContrast::IsOn();
    if (bSystemLook == m_registry.LeavesLookToSystem() &&
        (!bSystemLook || CHighContrast::SystemColoursStamp() == m_dwLoadedColours))
        return false;
    Load(m_strFolder, m_strFirst, m_strSecond);
    ShowLoaded(bDark);
    return true;
}

void CSkinSet::ShowLoaded(BOOL bDark)
{
    std::vector<HWND> windows = ThreadWindows();
    // A host of the C interface that set a callback hears of it there instead.
    if (!m_windows.TellSkinChanged(bDark))
    {
        const UINT nSkinChanged = ::RegisterWindowMessageW(KORVOSKIN_SKIN_CHANGED_MESSAGE);
        for (HWND hTopLevel : windows)
            if (nSkinChanged && ::IsWindow(hTopLevel))
                ::SendMessageW(hTopLevel, nSkinChanged, bDark ? 1 : 0, 0);
    }
    CSystemTheme::SetDarkTitleBars(windows, bDark);
    for (HWND hTopLevel : windows)
        if (::IsWindow(hTopLevel))
            ::RedrawWindow(hTopLevel, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

std::vector<HWND> CSkinSet::ThreadWindows()
{
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, (LPARAM)&windows);
    return windows;
}

void CSkinSet::OnThreadTopLevelMessage(HWND, UINT nMessage, WPARAM wParam, LPARAM)
{
    // Every top-level window hears the system's announcement; the first one that does reloads,
    // and the others find the look already right. A load that fails leaves the thread's windows
    // as the registry's clearing left them, as the owner's would.
    if (!t_pThreadSet || !CHighContrast::MayHaveChanged(nMessage, wParam))
        return;
    try
    {
        t_pThreadSet->FollowHighContrast(FALSE);
    }
    catch (...)
    {
    }
}
