// One skin's objects as one thread uses them: the theme, the menu engine, the window-skin loader,
// the registry, the context that hands them to the layers below, the windows skinned by handle
// and the skinner of the thread's new windows. The library's own set serves its owner thread
// through the host interface; a program korvorun runs has one more for each other thread that
// makes windows, loaded with the same pair on that thread and living as long as it.
#pragma once
#include <afxwin.h>
#include <vector>
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
    // thread creates from now on, its context the thread's default, following high contrast as
    // the owner does. A KORVOSKIN_ code.
    int SkinCallingThread(const CString& strFolder, const CString& strFirst, const CString& strSecond);
    // On the thread it skinned (the owner's UnInitSkin, or a thread's end): lets every window go,
    // gives the hook back and empties the registry.
    void ReleaseThread();

    // Loads the pair from the folder, in the system's look while the user has high contrast on
    // (unless the set keeps its skin). Windows skinned by handle are framed again; the thread's
    // top-level windows draw nothing in between and are painted at their next paint. Throws as
    // the registry's load does, and nothing of a load that could not finish stays.
    void Load(const CString& strFolder, const CString& strFirst, const CString& strSecond);
    // Loads the last pair again when the look the user needs is no longer the loaded one: high
    // contrast turned on or off, or the system's colours changed while the system's look is
    // shown. Then the thread's windows are told and painted, bDark their title bars' choice.
    // Whether it loaded.
    bool FollowHighContrast(BOOL bDark);
    // After a load the library made on its own: every top-level window of the thread hears of
    // it (or the host's callback does) and is painted again.
    void ShowLoaded(BOOL bDark);
    // Whether the set keeps its skin when the user turns high contrast on.
    void KeepSkinInHighContrast(bool bKeep) { m_bKeepSkin = bKeep; }

    const CString& LoadedFirst() const { return m_strFirst; }
    const CString& LoadedSecond() const { return m_strSecond; }

    // The calling thread's top-level windows as they are now: what a window does with a message
    // sent to it may create or destroy others.
    static std::vector<HWND> ThreadWindows();

    CInterfaceTheme m_theme;
    CMenuSkinner m_menus;
    const CWindowSkinLoader m_loader;
    CSkinRegistry m_registry;
    CSkinContext m_context;
    CHandleWindows m_windows;
    CThreadSkinner m_skinner;

private:
    // The top-level observer of a thread skinned by SkinCallingThread.
    static void OnThreadTopLevelMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

    // The pair the last load read, from where, and the system's colours it was made under.
    CString m_strFolder, m_strFirst, m_strSecond;
    bool m_bLoaded;
    bool m_bKeepSkin;
    DWORD m_dwLoadedColours;

    CSkinSet(const CSkinSet&) = delete;
    void operator=(const CSkinSet&) = delete;
};
