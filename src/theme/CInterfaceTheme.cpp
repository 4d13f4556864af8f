#include "CInterfaceTheme.h"

namespace
{
const int MAP_BUCKETS_16 = 347;
const int MAP_BUCKETS_32 = 61;
const int MAP_BUCKETS_48 = 61;
const int MAP_BUCKETS_NAMES = 509;

// The colours that never outlive their skin: a dark skin's light text would be unreadable on
// the next skin's light backgrounds, and its dialog background under the next skin's text.
// The controls' own colours (from ControlTextDisabled on) likewise: a light skin after a dark one
// gets the system's white fields back.
const SkinColour LOAD_COLOURS[] = { SkinColour::DialogText, SkinColour::ControlText, SkinColour::ControlBack,
                                    SkinColour::MenuText, SkinColour::MenuTextSel, SkinColour::MenuTextDisabled,
                                    SkinColour::DialogBack };

void ClearLoadColours(CInterfaceTheme& theme)
{
    for (SkinColour colour : LOAD_COLOURS)
        theme.SetColour(colour, NO_COLOUR);
    for (int n = (int)SkinColour::ControlTextDisabled; n < (int)SkinColour::Count; n++)
        theme.SetColour((SkinColour)n, NO_COLOUR);
}
}

CInterfaceTheme::CInterfaceTheme() : m_bTransparentLabels(FALSE)
{
    for (COLORREF& cr : m_colours)
        cr = 0;
    // Menus a skin leaves uncoloured keep the system's look: black would hide the system's text.
    SetColour(SkinColour::MenuBorder, ::GetSysColor(COLOR_BTNSHADOW));
    SetColour(SkinColour::MenuBack, ::GetSysColor(COLOR_MENU));
    SetColour(SkinColour::MenuHover, BlendColour(::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_WINDOW), 178));
    ClearLoadColours(*this);
    m_mapImages16.InitHashTable(MAP_BUCKETS_16);
    m_mapImages32.InitHashTable(MAP_BUCKETS_32);
    m_mapImages48.InitHashTable(MAP_BUCKETS_48);
    m_mapNameToID.InitHashTable(MAP_BUCKETS_NAMES);
}
CInterfaceTheme::~CInterfaceTheme()
{
    Clear();
    POSITION pos = m_mapIconWindows.GetStartPosition();
    while (pos)
    {
        HICON hIcon;
        HWND hWnd;
        m_mapIconWindows.GetNextAssoc(pos, hIcon, hWnd);
        ::DestroyIcon(hIcon);
    }
    m_mapIconWindows.RemoveAll();
}

void CInterfaceTheme::Clear()
{
    m_mapNameToID.RemoveAll();
    m_mapImages16.RemoveAll();
    m_mapImages32.RemoveAll();
    m_mapImages48.RemoveAll();
    m_ilImages16.DeleteImageList();
    m_ilImages32.DeleteImageList();
    m_ilImages48.DeleteImageList();
    m_scaled.Clear();
    m_drawings.Clear();
    m_brDialogBack.DeleteObject();
    m_brushes.Clear();
    m_buffer.Release();
    m_images.Clear();
}

void CInterfaceTheme::Reset()
{
    GiveBackKeptColours();
    CreateFonts();
    CalculateColours(FALSE);
    ClearLoadColours(*this);
    m_bTransparentLabels = FALSE;
    CreateImageLists();
}

void CInterfaceTheme::GiveBackKeptColours()
{
    if (!m_bSystemColours)
        return;
    for (int n = (int)SkinColour::MsgBorder; n <= (int)SkinColour::MenuHover; n++)
        m_colours[n] = m_keptColours[n];
    m_bSystemColours = FALSE;
}

COLORREF CInterfaceTheme::GetMenuTextColour(BOOL bSelected, BOOL bGrayed) const
{
    if (bGrayed)
        return SkinColourOr(Colour(SkinColour::MenuTextDisabled), Colour(SkinColour::Disabled));
    return bSelected ? SkinColourOr(Colour(SkinColour::MenuTextSel), Colour(SkinColour::CmdTextSel)) : SkinColourOr(Colour(SkinColour::MenuText), Colour(SkinColour::CmdText));
}

COLORREF CInterfaceTheme::DialogBackColour() const
{
    return SkinColourOr(Colour(SkinColour::DialogBack), ::GetSysColor(COLOR_BTNFACE));
}

HBRUSH CInterfaceTheme::DialogBackBrush() const
{
    return m_brDialogBack.m_hObject ? (HBRUSH)m_brDialogBack.m_hObject : ::GetSysColorBrush(COLOR_BTNFACE);
}

void CInterfaceTheme::CreateDialogBackBrush()
{
    m_brDialogBack.DeleteObject();
    m_brDialogBack.CreateSolidBrush(DialogBackColour());
}

CDC* CInterfaceTheme::GetBufferDC(CDC* pDC, const CSize& size)
{
    return m_buffer.Get(pDC, size);
}

CSize CInterfaceTheme::GetBufferSize() const
{
    return m_buffer.GetSize();
}

CSize CInterfaceTheme::ClipToBuffer(const CSize& size)
{
    return COffscreenBuffer::Clip(size);
}

UINT CInterfaceTheme::NameToID(const wchar_t* pszText) const
{
    if (!pszText)
        return 0;
    UINT nID;
    if (m_mapNameToID.Lookup(CString(pszText), nID))
        return nID;
    return (UINT)wcstoul(pszText, NULL, 10);
}

UINT CInterfaceTheme::ResolveID(const CXmlElement* pElement, const wchar_t* pszAttribute,
                                CSkinDiagnostics* pDiagnostics) const
{
    if (!pElement)
        return 0;
    CString strText = pElement->GetAttributeValue(pszAttribute);
    UINT nID = NameToID(strText);
    if (!nID && pDiagnostics)
    {
        CString strWhat = CString(pszAttribute) + L" '" + strText + L"'";
        SkinReport(pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pElement, pszAttribute),
                   strText.IsEmpty() ? SkinTag(pElement) + L" has no " + pszAttribute + L": it is skipped"
                   : strText[0] >= L'0' && strText[0] <= L'9'
                       ? strWhat + L" resolves to 0: " + SkinTag(pElement) + L" is skipped"
                       : strWhat + L" is not a number and no earlier <resourceMap> names it: " + SkinTag(pElement) +
                         L" is skipped");
    }
    return nID;
}

void CInterfaceTheme::SetNameID(const wchar_t* pszName, UINT nID)
{
    m_mapNameToID[CString(pszName)] = nID;
}

void CInterfaceTheme::MapIconToWindow(HICON hIcon, HWND hWnd)
{
    if (hIcon)
        m_mapIconWindows[hIcon] = hWnd;
}

BOOL CInterfaceTheme::UnmapIcon(HICON hIcon)
{
    return m_mapIconWindows.RemoveKey(hIcon);
}
