#include "CInterfaceTheme.h"

namespace
{
const int MAP_BUCKETS_16 = 347;
const int MAP_BUCKETS_32 = 61;
const int MAP_BUCKETS_48 = 61;
const int MAP_BUCKETS_NAMES = 509;
}

CInterfaceTheme::CInterfaceTheme()
    : m_crWindow(0), m_crMidtone(0), m_crText(0), m_crHiText(0), m_crHiBorder(0), m_crHighlight(0),
      m_crBackNormal(0), m_crBackSel(0), m_crBackCheck(0), m_crBackCheckSel(0), m_crMargin(0), m_crBorder(0),
      m_crSysShadow(0), m_crCmdText(0), m_crCmdTextSel(0), m_crDisabled(0), m_crTipBack(0), m_crTipText(0),
      m_crTipBorder(0), m_crTipWarnings(0), m_crMsgBorder(0), m_crMsgBack(0), m_crCardBack(0),
      // Menus a skin leaves uncoloured keep the system's look: black would hide the system's text.
      m_crMenuBorder(::GetSysColor(COLOR_BTNSHADOW)), m_crMenuBack(::GetSysColor(COLOR_MENU)),
      m_crMenuHover(BlendColour(::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_WINDOW), 178)),
      m_crDialogText(NO_COLOUR),
      m_crControlText(NO_COLOUR), m_crControlBack(NO_COLOUR), m_crMenuText(NO_COLOUR), m_crMenuTextSel(NO_COLOUR), m_crMenuTextDisabled(NO_COLOUR),
      m_bTransparentLabels(FALSE)
{
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
    m_buffer.Release();
    m_images.Clear();
}

void CInterfaceTheme::Reset()
{
    CreateFonts();
    CalculateColours(FALSE);
    // Unlike the plain colours, text colours never outlive their skin: a dark skin's light
    // text would be unreadable on the next skin's light backgrounds.
    m_crDialogText = m_crControlText = m_crControlBack = NO_COLOUR;
    m_crMenuText = m_crMenuTextSel = m_crMenuTextDisabled = NO_COLOUR;
    m_bTransparentLabels = FALSE;
    CreateImageLists();
}

COLORREF CInterfaceTheme::GetMenuTextColour(BOOL bSelected, BOOL bGrayed) const
{
    if (bGrayed)
        return SkinColourOr(m_crMenuTextDisabled, m_crDisabled);
    return bSelected ? SkinColourOr(m_crMenuTextSel, m_crCmdTextSel) : SkinColourOr(m_crMenuText, m_crCmdText);
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
