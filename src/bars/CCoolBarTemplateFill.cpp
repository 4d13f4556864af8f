#include "CCoolBarTemplateFill.h"
#include "CCoolBarItemImages.h"
#include "CCoolBarState.h"

bool CCoolBarTemplateFill::Fill(CCoolBarCtrl& bar, const CSkinToolbarTemplate* pTemplate,
                                const CCoolBarTheme::WatermarkLookup& lookup, unsigned nGeneration)
{
    if (HWND hBar = bar.GetSafeHwnd())
        for (HWND hChild = ::GetWindow(hBar, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            ::ShowWindow(hChild, SW_HIDE);
    bar.Clear();
    if (!pTemplate)
        return false;
    CCoolBarState* pState = CCoolBarState::Of(&bar);
    pState->m_strSkinName = CCoolBarTheme::GetToolbarName(pTemplate);
    for (const SKIN_TOOLBAR_BUTTON& button : pTemplate->m_buttons)
    {
        CCoolBarItem* pItem = bar.Add(button.nID, button.strName, button.nSize, button.strTip, -1);
        pItem->Show(button.bVisible);
        CCoolBarItemImages::Of(*pItem).Load(pItem->m_strName, &pState->m_imageTable, lookup, nGeneration);
    }
    bar.SetAlignVert(pTemplate->m_bVertical);
    return true;
}
