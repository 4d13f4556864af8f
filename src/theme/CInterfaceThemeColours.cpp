// The colour scheme: the keyed colours, their derivation, the fonts and the scheme reader.
#include "CInterfaceTheme.h"

namespace
{
// Skin key of every colour the scheme sets; "dialog.back" belongs to the registry.
typedef CInterfaceTheme::COLOUR_KEY COLOUR_KEY;

const COLOUR_KEY s_colourKeys[] = {
    { L"system.base.window", &CInterfaceTheme::m_crWindow },
    { L"system.base.midtone", &CInterfaceTheme::m_crMidtone },
    { L"system.base.text", &CInterfaceTheme::m_crText },
    { L"system.base.hitext", &CInterfaceTheme::m_crHiText },
    { L"system.base.hiborder", &CInterfaceTheme::m_crHiBorder },
    { L"system.base.highlight", &CInterfaceTheme::m_crHighlight },
    { L"system.back.normal", &CInterfaceTheme::m_crBackNormal },
    { L"system.back.selected", &CInterfaceTheme::m_crBackSel },
    { L"system.back.checked", &CInterfaceTheme::m_crBackCheck },
    { L"system.back.checked.selected", &CInterfaceTheme::m_crBackCheckSel },
    { L"system.margin", &CInterfaceTheme::m_crMargin },
    { L"system.border", &CInterfaceTheme::m_crBorder },
    { L"system.shadow", &CInterfaceTheme::m_crSysShadow },
    { L"system.text", &CInterfaceTheme::m_crCmdText },
    { L"system.text.selected", &CInterfaceTheme::m_crCmdTextSel },
    { L"system.disabled", &CInterfaceTheme::m_crDisabled },
    { L"tooltip.back", &CInterfaceTheme::m_crTipBack },
    { L"tooltip.text", &CInterfaceTheme::m_crTipText },
    { L"tooltip.border", &CInterfaceTheme::m_crTipBorder },
    { L"tooltip.warnings", &CInterfaceTheme::m_crTipWarnings },
    { L"msg.border", &CInterfaceTheme::m_crMsgBorder },
    { L"msg.back", &CInterfaceTheme::m_crMsgBack },
    { L"card.back", &CInterfaceTheme::m_crCardBack },
    { L"menu.border", &CInterfaceTheme::m_crMenuBorder },
    { L"menu.back", &CInterfaceTheme::m_crMenuBack },
    { L"menu.hover", &CInterfaceTheme::m_crMenuHover },
    { L"dialog.text", &CInterfaceTheme::m_crDialogText },
    { L"control.text", &CInterfaceTheme::m_crControlText },
    { L"control.back", &CInterfaceTheme::m_crControlBack },
    { L"menu.text", &CInterfaceTheme::m_crMenuText },
    { L"menu.text.selected", &CInterfaceTheme::m_crMenuTextSel },
    { L"menu.text.disabled", &CInterfaceTheme::m_crMenuTextDisabled },
    { L"dialog.back", NULL },
};

const COLOUR_KEY* FindColourKey(const CString& strKey)
{
    for (const COLOUR_KEY& key : s_colourKeys)
        if (strKey == key.pszKey)
            return &key;
    return NULL;
}

int HexDigit(wchar_t ch)
{
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return -1;
}
}

const CInterfaceTheme::COLOUR_KEY* CInterfaceTheme::GetColourKeys(int& nCount)
{
    nCount = (int)(sizeof(s_colourKeys) / sizeof(s_colourKeys[0]));
    return s_colourKeys;
}

// Every character must be a digit: a lenient pair read ("0G" as 0, "-1" as a huge number)
// would store a colour the skin never wrote.
BOOL ParseSkinColour(const CString& strValue, COLORREF& crOut)
{
    if (strValue.GetLength() != 6)
        return FALSE;
    int nChannels[3];
    for (int n = 0; n < 3; n++)
    {
        int nHigh = HexDigit(strValue[n * 2]);
        int nLow = HexDigit(strValue[n * 2 + 1]);
        if (nHigh < 0 || nLow < 0)
            return FALSE;
        nChannels[n] = nHigh * 16 + nLow;
    }
    crOut = RGB(nChannels[0], nChannels[1], nChannels[2]);
    return TRUE;
}

COLORREF BlendColour(COLORREF crA, COLORREF crB, int nWeight)
{
    COLORREF crResult = 0;
    for (int nShift = 0; nShift <= 16; nShift += 8)
    {
        int nA = (int)((crA >> nShift) & 0xFF);
        int nB = (int)((crB >> nShift) & 0xFF);
        int nChannel = nA * (255 - nWeight) / 255 + nB * nWeight / 255;
        crResult |= (COLORREF)(nChannel & 0xFF) << nShift;
    }
    return crResult;
}

void CInterfaceTheme::CalculateColours(BOOL bCustom)
{
    if (!bCustom)
    {
        m_crWindow = ::GetSysColor(COLOR_WINDOW);
        m_crMidtone = ::GetSysColor(COLOR_BTNFACE);
        m_crText = ::GetSysColor(COLOR_WINDOWTEXT);
        m_crHiText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        m_crHiBorder = ::GetSysColor(COLOR_HIGHLIGHT);
        m_crHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    }

    m_crBackNormal = BlendColour(m_crMidtone, m_crWindow, 215);
    m_crBackSel = BlendColour(m_crHighlight, m_crWindow, 178);
    m_crBackCheck = BlendColour(m_crHighlight, m_crWindow, 200);
    m_crBackCheckSel = BlendColour(m_crHighlight, m_crWindow, 127);
    m_crMargin = BlendColour(m_crMidtone, m_crWindow, 39);
    m_crSysShadow = BlendColour(m_crHighlight, ::GetSysColor(COLOR_BTNSHADOW), 200);
    m_crBorder = m_crHighlight;

    m_crCmdText = ::GetSysColor(COLOR_MENUTEXT);
    m_crCmdTextSel = ::GetSysColor(COLOR_MENUTEXT);
    m_crDisabled = ::GetSysColor(COLOR_GRAYTEXT);
    m_crTipBack = ::GetSysColor(COLOR_INFOBK);
    m_crTipText = ::GetSysColor(COLOR_INFOTEXT);
    m_crTipBorder = BlendColour(m_crTipBack, 0x000000, 100);
    m_crTipWarnings = 0x404040;
}

void CInterfaceTheme::CreateFonts()
{
    m_fntNormal.DeleteObject();
    m_fntBold.DeleteObject();
    m_fntNormal.CreateFont(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    m_fntBold.CreateFont(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

COLORREF CInterfaceTheme::LoadColourScheme(CXmlElement* pSection, COLORREF crDialogBack, CSkinDiagnostics* pDiagnostics)
{
    if (!pSection)
        return crDialogBack;
    SkinCheckAttributes(pDiagnostics, pSection, { L"labels" });
    if (pSection->GetAttribute(L"labels"))
    {
        CString strLabels = pSection->GetAttributeValue(L"labels");
        if (strLabels.CompareNoCase(L"transparent") == 0 || strLabels.CompareNoCase(L"solid") == 0)
            m_bTransparentLabels = strLabels.CompareNoCase(L"transparent") == 0;
        else
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pSection, L"labels"),
                       L"labels '" + strLabels + L"' is neither 'transparent' nor 'solid': the labels stay as they were");
    }

    // Base colours come first; the first other system colour derives the rest from them, so
    // it and every later entry override the derived values.
    BOOL bSystemSeen = FALSE;
    BOOL bDerived = FALSE;
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pColour = pSection->m_listChildren.GetNext(pos);
        if (!pColour->IsNamed(L"colour") && !pColour->IsNamed(L"color"))
        {
            SkinReportUnknownElement(pDiagnostics, pColour, pSection);
            continue;
        }
        SkinCheckAttributes(pDiagnostics, pColour, { L"name", L"value" });

        CString strName = pColour->GetAttributeValue(L"name");
        strName.MakeLower();
        const COLOUR_KEY* pKey = FindColourKey(strName);
        if (!pKey)
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, SkinNodeOf(pColour, L"name"),
                       L"unknown colour key '" + pColour->GetAttributeValue(L"name") + L"' is ignored");
            continue;
        }
        COLORREF& crTarget = pKey->pMember ? this->*(pKey->pMember) : crDialogBack;

        CString strValue = pColour->GetAttributeValue(L"value");
        if (strValue.IsEmpty())
        {
            crTarget = NO_COLOUR;
            if (pDiagnostics)
                pDiagnostics->ColourKeySet(strName, pColour->m_nOffset);
            continue;
        }
        COLORREF crValue;
        if (!ParseSkinColour(strValue, crValue))
        {
            SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pColour, L"value"),
                       L"colour '" + strValue + L"' is not six hexadecimal digits: '" +
                       pColour->GetAttributeValue(L"name") + L"' is left as it was");
            continue;
        }
        if (strName.Find(L"system.") >= 0)
        {
            bSystemSeen = TRUE;
            if (!bDerived && strName.Find(L".base.") < 0)
            {
                bDerived = TRUE;
                CalculateColours(TRUE);
            }
        }
        crTarget = crValue;
        if (pDiagnostics)
            pDiagnostics->ColourKeySet(strName, pColour->m_nOffset);
    }
    if (bSystemSeen && !bDerived)
        CalculateColours(TRUE);
    return crDialogBack;
}
