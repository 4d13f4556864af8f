#include "ControlAttach.h"
#include "CAttachedCheckBox.h"
#include "CAttachedPushButton.h"
#include "CAttachedStatusBar.h"
#include "CAttachedToolBar.h"
#include <KorvoSkin/CSkinComboBox.h>
#include <KorvoSkin/CSkinEdit.h>
#include <KorvoSkin/CSkinSliderCtrl.h>
#include <KorvoSkin/CSkinStatic.h>
#include <KorvoSkin/CSkinTree.h>
#include <cwchar>

// The wrapper for a button of a type: push buttons and check boxes are drawn by the library;
// group boxes take the skin's colours from their parent.
static CWnd* ButtonFor(DWORD dwStyle, HWND hButton, int& nCheck)
{
    switch (dwStyle & BS_TYPEMASK)
    {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return new CAttachedPushButton((dwStyle & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        nCheck = (int)::SendMessageW(hButton, BM_GETCHECK, 0, 0);
        return new CAttachedCheckBox(FALSE);
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        nCheck = (int)::SendMessageW(hButton, BM_GETCHECK, 0, 0);
        return new CAttachedCheckBox(TRUE);
    }
    return NULL;
}

// Labels only: a picture, frame or rectangle static keeps its own drawing.
static BOOL IsTextStatic(DWORD dwStyle)
{
    switch (dwStyle & SS_TYPEMASK)
    {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        return TRUE;
    }
    return FALSE;
}

std::unique_ptr<CWnd> AttachSkinControl(HWND hControl)
{
    if (!::IsWindow(hControl) || CWnd::FromHandlePermanent(hControl))
        return NULL;
    wchar_t szClass[64] = L"";
    ::GetClassNameW(hControl, szClass, 64);
    const DWORD dwStyle = ::GetWindowLongW(hControl, GWL_STYLE);
    int nCheck = -1;
    std::unique_ptr<CWnd> pWnd;
    if (!_wcsicmp(szClass, WC_BUTTONW))
        pWnd.reset(ButtonFor(dwStyle, hControl, nCheck));
    else if (!_wcsicmp(szClass, WC_STATICW) && IsTextStatic(dwStyle))
        pWnd.reset(new CSkinStatic);
    else if (!_wcsicmp(szClass, WC_EDITW))
        pWnd.reset(new CSkinEdit);
    else if (!_wcsicmp(szClass, WC_COMBOBOXW))
        pWnd.reset(new CSkinComboBox);
    else if (!_wcsicmp(szClass, WC_TREEVIEWW))
        pWnd.reset(new CSkinTree);
    else if (!_wcsicmp(szClass, TRACKBAR_CLASSW))
        pWnd.reset(new CSkinSliderCtrl);
    else if (!_wcsicmp(szClass, STATUSCLASSNAMEW))
        pWnd.reset(new CAttachedStatusBar);
    else if (!_wcsicmp(szClass, TOOLBARCLASSNAMEW))
        pWnd.reset(new CAttachedToolBar);
    if (!pWnd || !pWnd->SubclassWindowChained(hControl))
        return NULL;
    if (nCheck >= 0)
        ::SendMessageW(hControl, BM_SETCHECK, (WPARAM)nCheck, 0);
    // A control with a border has it drawn again by its wrapper; one without (buttons, labels)
    // has no frame to change, and the window manager's round trip would only cost time.
    CRect rcWindow, rcClient;
    ::GetWindowRect(hControl, &rcWindow);
    ::GetClientRect(hControl, &rcClient);
    if (rcWindow.Size() != rcClient.Size())
        ::SetWindowPos(hControl, NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ::InvalidateRect(hControl, NULL, TRUE);
    return pWnd;
}
