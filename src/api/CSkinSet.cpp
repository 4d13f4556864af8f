#include "CSkinSet.h"
#include "../parts/CHighContrast.h"
#include "../windowskin/CFrameShadow.h"

CSkinSet::CSkinSet(HINSTANCE hResources)
    : m_menus(m_theme), m_loader(m_theme), m_registry(m_theme, m_loader, hResources),
      m_context(m_theme, m_registry, m_menus), m_windows(m_context), m_skinner(m_windows, m_registry)
{
}

CSkinSet::~CSkinSet() = default;

int CSkinSet::SkinCallingThread(const CString& strFolder, const CString& strFirst, const CString& strSecond)
{
    m_menus.Initialize();
    if (!CMenuSkinner::IsThreadHooked())
        return KORVOSKIN_E_OUT_OF_RESOURCES;
    m_context.MakeThreadDefault();
    m_registry.SetSystemLook(CHighContrast::IsOn());
    try
    {
        m_registry.Load(strFolder, strFirst, strSecond);
    }
    catch (...)
    {
        m_registry.Clear();
        return KORVOSKIN_E_LOAD_FAILED;
    }
    return m_skinner.Start(KORVOSKIN_THREAD_ALL);
}

void CSkinSet::ReleaseThread()
{
    m_skinner.Stop();
    m_windows.Clear();
    CFrameShadow::DestroySpare();
    m_menus.Release();
    m_registry.Clear();
}
