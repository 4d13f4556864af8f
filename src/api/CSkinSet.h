// One skin's objects as one thread uses them: the theme, the menu engine, the window-skin loader,
// the registry, the context that hands them to the layers below, the windows skinned by handle
// and the skinner of the thread's new windows. The library's own set serves its owner thread
// through the host interface; a program korvorun runs has one more for each other thread that
// makes windows, loaded with the same pair on that thread and living as long as it.
#pragma once
#include <afxwin.h>
#include "../theme/CInterfaceTheme.h"
#include "../theme/CMenuSkinner.h"
#include "../windowskin/CWindowSkinLoader.h"
#include "../skin/CSkinRegistry.h"
#include "../skin/CSkinContext.h"
#include "CHandleWindows.h"
#include "CThreadSkinner.h"

class CSkinSet
{
public:
    // Resources are read from hResources.
    explicit CSkinSet(HINSTANCE hResources);
    ~CSkinSet();

    // For a thread of its own: loads the pair from folder and skins every window the calling
    // thread creates from now on, its context the thread's default. A KORVOSKIN_ code.
    int SkinCallingThread(const CString& strFolder, const CString& strFirst, const CString& strSecond);
    // On the thread it skinned (the owner's UnInitSkin, or a thread's end): lets every window go,
    // gives the hook back and empties the registry.
    void ReleaseThread();

    CInterfaceTheme m_theme;
    CMenuSkinner m_menus;
    const CWindowSkinLoader m_loader;
    CSkinRegistry m_registry;
    CSkinContext m_context;
    CHandleWindows m_windows;
    CThreadSkinner m_skinner;

private:
    CSkinSet(const CSkinSet&) = delete;
    void operator=(const CSkinSet&) = delete;
};
