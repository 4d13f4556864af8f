// The colour scheme: the keyed colours, their derivation, the fonts and the scheme reader.
#include "CInterfaceTheme.h"

namespace
{
// Skin key of every colour the scheme sets.
typedef CInterfaceTheme::COLOUR_KEY COLOUR_KEY;

const COLOUR_KEY s_colourKeys[] = {
    { L"system.base.window", SkinColour::Window },
    { L"system.base.midtone", SkinColour::Midtone },
    { L"system.base.text", SkinColour::Text },
    { L"system.base.hitext", SkinColour::HiText },
    { L"system.base.hiborder", SkinColour::HiBorder },
    { L"system.base.highlight", SkinColour::Highlight },
    { L"system.back.normal", SkinColour::BackNormal },
    { L"system.back.selected", SkinColour::BackSel },
    { L"system.back.checked", SkinColour::BackCheck },
    { L"system.back.checked.selected", SkinColour::BackCheckSel },
    { L"system.margin", SkinColour::Margin },
    { L"system.border", SkinColour::Border },
    { L"system.shadow", SkinColour::SysShadow },
    { L"system.text", SkinColour::CmdText },
    { L"system.text.selected", SkinColour::CmdTextSel },
    { L"system.disabled", SkinColour::Disabled },
    { L"tooltip.back", SkinColour::TipBack },
    { L"tooltip.text", SkinColour::TipText },
    { L"tooltip.border", SkinColour::TipBorder },
    { L"tooltip.warnings", SkinColour::TipWarnings },
    { L"msg.border", SkinColour::MsgBorder },
    { L"msg.back", SkinColour::MsgBack },
    { L"card.back", SkinColour::CardBack },
    { L"menu.border", SkinColour::MenuBorder },
    { L"menu.back", SkinColour::MenuBack },
    { L"menu.hover", SkinColour::MenuHover },
    { L"dialog.text", SkinColour::DialogText },
    { L"control.text", SkinColour::ControlText },
    { L"control.back", SkinColour::ControlBack },
    { L"menu.text", SkinColour::MenuText },
    { L"menu.text.selected", SkinColour::MenuTextSel },
    { L"menu.text.disabled", SkinColour::MenuTextDisabled },
    { L"dialog.back", SkinColour::DialogBack },
    { L"control.text.disabled", SkinColour::ControlTextDisabled },
    { L"edit.text", SkinColour::EditText },
    { L"edit.back", SkinColour::EditBack },
    { L"edit.readonly.text", SkinColour::EditReadOnlyText },
    { L"edit.readonly.back", SkinColour::EditReadOnlyBack },
    { L"edit.disabled.text", SkinColour::EditDisabledText },
    { L"edit.disabled.back", SkinColour::EditDisabledBack },
    { L"combo.text", SkinColour::ComboText },
    { L"combo.back", SkinColour::ComboBack },
    { L"combo.list.text", SkinColour::ComboListText },
    { L"combo.list.back", SkinColour::ComboListBack },
    { L"list.text", SkinColour::ListText },
    { L"list.back", SkinColour::ListBack },
    { L"touch.text", SkinColour::TouchText },
    { L"touch.back", SkinColour::TouchBack },
    { L"tree.text", SkinColour::TreeText },
    { L"tree.back", SkinColour::TreeBack },
    { L"tree.lines", SkinColour::TreeLines },
    { L"tree.selection.text", SkinColour::TreeSelText },
    { L"tree.selection.back", SkinColour::TreeSelBack },
    { L"tree.selection.inactive.text", SkinColour::TreeSelInactiveText },
    { L"tree.selection.inactive.back", SkinColour::TreeSelInactiveBack },
    { L"groupbox.text", SkinColour::GroupText },
    { L"groupbox.frame", SkinColour::GroupFrame },
    { L"scrollbar.back", SkinColour::ScrollBarBack },
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
        SetColour(SkinColour::Window, ::GetSysColor(COLOR_WINDOW));
        SetColour(SkinColour::Midtone, ::GetSysColor(COLOR_BTNFACE));
        SetColour(SkinColour::Text, ::GetSysColor(COLOR_WINDOWTEXT));
        SetColour(SkinColour::HiText, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
        SetColour(SkinColour::HiBorder, ::GetSysColor(COLOR_HIGHLIGHT));
        SetColour(SkinColour::Highlight, ::GetSysColor(COLOR_HIGHLIGHT));
    }

    SetColour(SkinColour::BackNormal, BlendColour(Colour(SkinColour::Midtone), Colour(SkinColour::Window), 215));
    SetColour(SkinColour::BackSel, BlendColour(Colour(SkinColour::Highlight), Colour(SkinColour::Window), 178));
    SetColour(SkinColour::BackCheck, BlendColour(Colour(SkinColour::Highlight), Colour(SkinColour::Window), 200));
    SetColour(SkinColour::BackCheckSel, BlendColour(Colour(SkinColour::Highlight), Colour(SkinColour::Window), 127));
    SetColour(SkinColour::Margin, BlendColour(Colour(SkinColour::Midtone), Colour(SkinColour::Window), 39));
    SetColour(SkinColour::SysShadow, BlendColour(Colour(SkinColour::Highlight), ::GetSysColor(COLOR_BTNSHADOW), 200));
    SetColour(SkinColour::Border, Colour(SkinColour::Highlight));

    SetColour(SkinColour::CmdText, ::GetSysColor(COLOR_MENUTEXT));
    SetColour(SkinColour::CmdTextSel, ::GetSysColor(COLOR_MENUTEXT));
    SetColour(SkinColour::Disabled, ::GetSysColor(COLOR_GRAYTEXT));
    SetColour(SkinColour::TipBack, ::GetSysColor(COLOR_INFOBK));
    SetColour(SkinColour::TipText, ::GetSysColor(COLOR_INFOTEXT));
    SetColour(SkinColour::TipBorder, BlendColour(Colour(SkinColour::TipBack), 0x000000, 100));
    SetColour(SkinColour::TipWarnings, 0x404040);
}

void CInterfaceTheme::UseSystemColours()
{
    // Blends of system colours would undo the contrast the user chose: each entry takes the one
    // system colour that plays its part.
    static const struct
    {
        SkinColour colour;
        int nSystem;
    } SYSTEM_COLOURS[] = {
        { SkinColour::Window, COLOR_WINDOW },         { SkinColour::Midtone, COLOR_BTNFACE },
        { SkinColour::Text, COLOR_WINDOWTEXT },       { SkinColour::HiText, COLOR_HIGHLIGHTTEXT },
        { SkinColour::HiBorder, COLOR_HIGHLIGHT },    { SkinColour::Highlight, COLOR_HIGHLIGHT },
        { SkinColour::BackNormal, COLOR_BTNFACE },    { SkinColour::BackSel, COLOR_HIGHLIGHT },
        { SkinColour::BackCheck, COLOR_HIGHLIGHT },   { SkinColour::BackCheckSel, COLOR_HIGHLIGHT },
        { SkinColour::Margin, COLOR_MENU },           { SkinColour::Border, COLOR_WINDOWFRAME },
        { SkinColour::SysShadow, COLOR_BTNSHADOW },   { SkinColour::CmdText, COLOR_MENUTEXT },
        { SkinColour::CmdTextSel, COLOR_HIGHLIGHTTEXT }, { SkinColour::Disabled, COLOR_GRAYTEXT },
        { SkinColour::TipBack, COLOR_INFOBK },        { SkinColour::TipText, COLOR_INFOTEXT },
        { SkinColour::TipBorder, COLOR_INFOTEXT },    { SkinColour::TipWarnings, COLOR_INFOTEXT },
        { SkinColour::MsgBorder, COLOR_WINDOWFRAME }, { SkinColour::MsgBack, COLOR_BTNFACE },
        { SkinColour::CardBack, COLOR_WINDOW },       { SkinColour::MenuBorder, COLOR_WINDOWFRAME },
        { SkinColour::MenuBack, COLOR_MENU },         { SkinColour::MenuHover, COLOR_HIGHLIGHT },
    };
    if (!m_bSystemColours)
        memcpy(m_keptColours, m_colours, sizeof(m_colours));
    m_bSystemColours = TRUE;
    for (const auto& entry : SYSTEM_COLOURS)
        SetColour(entry.colour, ::GetSysColor(entry.nSystem));
    for (int n = (int)SkinColour::DialogText; n < (int)SkinColour::Count; n++)
        SetColour((SkinColour)n, NO_COLOUR);
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

void CInterfaceTheme::LoadColourScheme(CXmlElement* pSection, CSkinDiagnostics* pDiagnostics)
{
    if (!pSection)
        return;
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

        CString strValue = pColour->GetAttributeValue(L"value");
        if (strValue.IsEmpty())
        {
            SetColour(pKey->colour, NO_COLOUR);
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
        SetColour(pKey->colour, crValue);
        if (pDiagnostics)
            pDiagnostics->ColourKeySet(strName, pColour->m_nOffset);
    }
    if (bSystemSeen && !bDerived)
        CalculateColours(TRUE);
}
