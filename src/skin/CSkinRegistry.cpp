#include "CSkinRegistry.h"
#include "../theme/CInterfaceTheme.h"
#include "../theme/SkinGrid.h"
#include "../xml/XML.h"
#include <algorithm>
#include <stdio.h>

namespace
{

// Every backslash followed by 'n' becomes a line feed. A line feed never forms a new pair with
// its neighbours, so one pass from the start finds every pair that repeated searching would.
CString ReplaceLineFeedEscapes(const CString& strValue)
{
    int nLength = strValue.GetLength();
    if (nLength < 2 || strValue.Find(L"\\n") < 0)
        return strValue;
    LPCWSTR pszIn = strValue;
    CString strOut;
    LPWSTR pszOut = strOut.GetBuffer(nLength);
    int nOut = 0;
    for (int n = 0; n < nLength; n++)
    {
        if (pszIn[n] == L'\\' && n + 1 < nLength && pszIn[n + 1] == L'n')
        {
            pszOut[nOut++] = L'\n';
            n++;
        }
        else
            pszOut[nOut++] = pszIn[n];
    }
    strOut.ReleaseBuffer(nOut);
    return strOut;
}

struct SECTION_READER
{
    const wchar_t* pszName;
    BOOL (CSkinRegistry::*pfnRead)(CXmlElement* pSection, const CString& strFolder);
    // Whether the reader checks the section's attributes itself.
    bool bOwnAttributes;
    // Whether the section only dresses the program (skipped while the look is the system's).
    bool bLook;
};

const SECTION_READER SECTION_READERS[] = {
    { L"windowSkins", &CSkinRegistry::LoadWindowSkins, false, true },
    { L"colourScheme", &CSkinRegistry::LoadColourScheme, true, true },
    { L"colorScheme", &CSkinRegistry::LoadColourScheme, true, true },
    { L"watermarks", &CSkinRegistry::LoadWatermarks, false, false },
    { L"menus", &CSkinRegistry::LoadMenus, false, false },
    { L"resourceMap", &CSkinRegistry::LoadResourceMap, false, false },
    { L"strings", &CSkinRegistry::LoadStrings, false, false },
    { L"commandImages", &CSkinRegistry::LoadCommandImages, false, false },
    { L"toolbars", &CSkinRegistry::LoadToolbars, false, false },
    { L"manifest", &CSkinRegistry::LoadManifest, true, false },
};

} // namespace

CSkinRegistry::CSkinRegistry(CInterfaceTheme& theme, const CWindowSkinReader& windowSkinReader, HINSTANCE hModule)
    : m_nMenusCreated(0), m_nMenuItemsCreated(0), m_hTrackedMenu(NULL), m_hRetiredMenu(NULL),
      m_pDiagnostics(NULL), m_theme(theme),
      m_windowSkinReader(windowSkinReader), m_nWindowSkinGeneration(0), m_hModule(hModule),
      m_nStringEntries(0), m_nWatermarkEntries(0), m_nResourceEntries(0)
{
    m_mapMenus.InitHashTable(83);
    m_mapToolbars.InitHashTable(61);
}

CSkinRegistry::~CSkinRegistry()
{
    Clear();
}

void CSkinRegistry::Load(const CString& strAppFolder, CString strFirst, CString strSecond)
{
    Reset(strAppFolder);
    if (!strSecond.IsEmpty())
        LoadDefinitionFile(DefinitionPath(strAppFolder, strSecond));
    if (!strFirst.IsEmpty())
        LoadDefinitionFile(DefinitionPath(strAppFolder, strFirst));
    m_theme.CreateDialogBackBrush();
    CheckToolbarImages();
}

CString CSkinRegistry::DefinitionPath(const CString& strAppFolder, const CString& strName)
{
    const bool bDrive = strName.GetLength() >= 3 && (strName[0] | 0x20) >= L'a' && (strName[0] | 0x20) <= L'z' && strName[1] == L':' &&
                        (strName[2] == L'\\' || strName[2] == L'/');
    const bool bShare = strName.GetLength() >= 2 && strName[0] == L'\\' && strName[1] == L'\\';
    return bDrive || bShare ? strName : strAppFolder + strName;
}

void CSkinRegistry::Reset(const CString& strAppFolder)
{
    Clear();
    m_theme.Clear();
    m_theme.Reset();
    if (m_bSystemLook)
        m_theme.UseSystemColours();
    // The library's tick for checked menu items joins the theme's base images at the first load;
    // every later load's list starts with it.
    if (m_theme.GetImageIndex(ID_DEFAULT_CHECK_MARK, SIZE_CODE_16) < 0)
    {
        HICON hTick = (HICON)::LoadImageW(m_hModule, MAKEINTRESOURCEW(ID_DEFAULT_CHECK_MARK), IMAGE_ICON, 16, 16, 0);
        if (hTick)
        {
            m_theme.AddBaseIcon(ID_DEFAULT_CHECK_MARK, hTick, SIZE_CODE_16);
            ::DestroyIcon(hTick);
        }
    }
    LoadDefinitionFile(strAppFolder + L"Definitions\\Definitions.xml");
}

void CSkinRegistry::DeleteWindowSkins()
{
    if (m_windowSkins.empty())
        return;
    // Taken out first: a listener looking for a skin while it lets go finds none of these.
    std::vector<std::unique_ptr<CWindowSkinBase>> deleted;
    deleted.swap(m_windowSkins);
    m_nWindowSkinGeneration++;
    std::vector<CWindowSkinListener*> listeners;
    listeners.swap(m_windowSkinListeners);
    for (CWindowSkinListener* pListener : listeners)
        pListener->OnWindowSkinsDeleting();
}

void CSkinRegistry::AddWindowSkinListener(CWindowSkinListener* pListener)
{
    if (pListener && std::find(m_windowSkinListeners.begin(), m_windowSkinListeners.end(), pListener) == m_windowSkinListeners.end())
        m_windowSkinListeners.push_back(pListener);
}

void CSkinRegistry::RemoveWindowSkinListener(CWindowSkinListener* pListener)
{
    m_windowSkinListeners.erase(std::remove(m_windowSkinListeners.begin(), m_windowSkinListeners.end(), pListener),
                                m_windowSkinListeners.end());
}

void CSkinRegistry::Clear()
{
    DeleteWindowSkins();

    m_mapWatermarks.clear();
    m_theme.Images().Clear();

    ClearMenus();

    m_mapStrings.clear();
    m_theme.ReleaseDialogBackBrush();
    m_nStringEntries = 0;
    m_nWatermarkEntries = 0;
    m_nResourceEntries = 0;
    m_buttonSites.clear();
}

BOOL CSkinRegistry::LoadDefinitionFile(const wchar_t* pszPath)
{
    CString strPath(pszPath);
    m_strCurrentFile = strPath;
    if (m_pDiagnostics)
        m_pDiagnostics->BeginFile(strPath);
    int nErrorOffset = -1;
    std::unique_ptr<CXmlElement> pRoot(XmlLoadFile(pszPath, FALSE, m_pDiagnostics ? &nErrorOffset : NULL));
    if (!pRoot)
    {
        if (m_pDiagnostics)
            m_pDiagnostics->Report(CSkinDiagnostics::LEVEL_ERROR, nErrorOffset, nErrorOffset >= 0
                ? L"malformed XML: the document cannot be read past here, so the file contributes nothing"
                : L"the file cannot be read (missing, unreadable, empty or larger than 4 MiB)");
        return FALSE;
    }
    CString strFolder = strPath.Left(strPath.ReverseFind(L'\\') + 1);
    return LoadDefinition(pRoot.get(), strFolder);
}

BOOL CSkinRegistry::LoadDefinition(CXmlElement* pRoot, const CString& strFolder)
{
    if (!pRoot)
        return FALSE;
    if (!pRoot->IsNamed(L"skin"))
    {
        SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pRoot,
                   L"the root element is " + SkinTag(pRoot) + L", not <skin>: the file contributes nothing");
        return FALSE;
    }
    SkinCheckAttributes(m_pDiagnostics, pRoot, {});
    if (pRoot->m_listChildren.IsEmpty())
    {
        SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pRoot, L"<skin> has no sections");
        return FALSE;
    }
    for (POSITION pos = pRoot->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pSection = pRoot->m_listChildren.GetNext(pos);
        const SECTION_READER* pReader = std::find_if(std::begin(SECTION_READERS), std::end(SECTION_READERS),
                                                     [pSection](const SECTION_READER& reader) {
                                                         return pSection->IsNamed(reader.pszName);
                                                     });
        if (pReader == std::end(SECTION_READERS))
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pSection,
                       L"unknown section " + SkinTag(pSection) + L" is skipped");
            continue;
        }
        if (pReader->bLook && m_bSystemLook)
            continue;
        if (!pReader->bOwnAttributes)
            SkinCheckAttributes(m_pDiagnostics, pSection, {});
        if (!(this->*(pReader->pfnRead))(pSection, strFolder))
            return FALSE;
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadWindowSkins(CXmlElement* pSection, const CString& strFolder)
{
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        if (!pElement->IsNamed(L"windowSkin"))
        {
            SkinReportUnknownElement(m_pDiagnostics, pElement, pSection);
            continue;
        }
        if (m_windowSkins.size() >= MAX_WINDOW_SKINS)
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pElement,
                       L"one load keeps 256 window skins: this one and the rest are left out");
            break;
        }
        std::unique_ptr<CWindowSkinBase> pSkin = m_windowSkinReader.Read(pElement, strFolder, m_pDiagnostics);
        if (!pSkin)
            continue;
        if (m_pDiagnostics)
        {
            for (const CString& strTarget : pSkin->GetTargets())
                if (FindWindowSkin(strTarget))
                    SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pElement,
                               L"window skin for '" + strTarget + L"' replaces an earlier one: the one read last wins");
        }
        pSkin->SetOwnerGeneration(&m_nWindowSkinGeneration);
        m_windowSkins.push_back(std::move(pSkin));
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadWatermarks(CXmlElement* pSection, const CString& strFolder)
{
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        if (!pElement->IsNamed(L"watermark"))
        {
            SkinReportUnknownElement(m_pDiagnostics, pElement, pSection);
            continue;
        }
        if (m_nWatermarkEntries >= SKIN_MAX_WATERMARKS)
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pElement,
                       L"one load reads 800 <watermark> entries: this one and the rest are ignored");
            break;
        }
        m_nWatermarkEntries++;
        SkinCheckAttributes(m_pDiagnostics, pElement, { L"target", L"path", L"grid" });
        CString strTarget = pElement->GetAttributeValue(L"target");
        CString strPath = pElement->GetAttributeValue(L"path");
        if (strTarget.IsEmpty() || strPath.IsEmpty())
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pElement,
                       strTarget.IsEmpty() ? L"<watermark> without a target is skipped" : L"<watermark> without a path is skipped");
            continue;
        }
        // The old image goes either way.
        if (m_pDiagnostics && m_mapWatermarks.count(strTarget))
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_WARNING, pElement,
                       L"watermark '" + strTarget + L"' replaces an earlier one of that name");
        m_mapWatermarks.erase(strTarget);
        // Shared: the host may select the bitmap into DCs of its own.
        if (m_theme.Images().BorrowBitmap(strFolder + strPath))
        {
            WATERMARK& watermark = m_mapWatermarks[strTarget];
            watermark = { m_theme.Images().BorrowImage(strFolder + strPath), false, CRect() };
            ReadWatermarkGrid(pElement, watermark);
        }
        else
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pElement, L"path"),
                       L"image '" + strPath + L"' " + m_theme.Images().DescribeFailure(strFolder + strPath) + L": watermark '" +
                           strTarget + L"' is left out");
    }
    return TRUE;
}

void CSkinRegistry::ReadWatermarkGrid(const CXmlElement* pElement, WATERMARK& watermark)
{
    const CXmlAttribute* pGrid = pElement->GetAttribute(L"grid");
    if (!pGrid)
        return;
    CRect rcGrid;
    const CSize size = watermark.pImage->GetSize();
    if (!ReadSkinGrid(pGrid->m_strValue, rcGrid))
        SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pGrid,
                   L"grid '" + pGrid->m_strValue + L"' is not four numbers from 0 to 32767: the watermark has no grid");
    else if (!CSkinImage::GridFits(size, rcGrid))
    {
        CString strMessage;
        strMessage.Format(L"grid '%s' leaves nothing of the %dx%d image between its margins: the watermark has no grid",
                          (LPCWSTR)pGrid->m_strValue, (int)size.cx, (int)size.cy);
        SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pGrid, strMessage);
    }
    else
    {
        watermark.bGrid = true;
        watermark.rcGrid = rcGrid;
    }
}

BOOL CSkinRegistry::LoadResourceMap(CXmlElement* pSection, const CString&)
{
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        if (!pElement->IsNamed(L"command") && !pElement->IsNamed(L"control") && !pElement->IsNamed(L"resource"))
        {
            SkinReportUnknownElement(m_pDiagnostics, pElement, pSection);
            continue;
        }
        if (m_nResourceEntries >= SKIN_MAX_RESOURCE_NAMES)
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pElement,
                       L"one load reads 5000 <resourceMap> entries: this one and the rest are ignored");
            break;
        }
        m_nResourceEntries++;
        SkinCheckAttributes(m_pDiagnostics, pElement, { L"id", L"code" });
        unsigned long nCode = 0;
        if (swscanf(pElement->GetAttributeValue(L"code"), L"%lu", &nCode) != 1)
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, SkinNodeOf(pElement, L"code"),
                       L"code '" + pElement->GetAttributeValue(L"code") +
                       L"' is not a decimal number: the rest of the file is not read");
            return FALSE;
        }
        m_theme.SetNameID(pElement->GetAttributeValue(L"id"), (UINT)nCode);
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadStrings(CXmlElement* pSection, const CString&)
{
    for (POSITION pos = pSection->m_listChildren.GetHeadPosition(); pos;)
    {
        CXmlElement* pElement = pSection->m_listChildren.GetNext(pos);
        BOOL bString = pElement->IsNamed(L"string");
        if (!bString && !pElement->IsNamed(L"tip"))
        {
            SkinReportUnknownElement(m_pDiagnostics, pElement, pSection);
            continue;
        }
        if (m_nStringEntries >= SKIN_MAX_STRINGS)
        {
            SkinReport(m_pDiagnostics, CSkinDiagnostics::LEVEL_ERROR, pElement,
                       L"one load reads 5000 <string> and <tip> entries: this one and the rest are ignored");
            break;
        }
        m_nStringEntries++;
        if (bString)
            SkinCheckAttributes(m_pDiagnostics, pElement, { L"id", L"value" });
        else
            SkinCheckAttributes(m_pDiagnostics, pElement, { L"id", L"message", L"tip" });
        if (bString)
        {
            UINT nID = m_theme.ResolveID(pElement, L"id", m_pDiagnostics);
            if (!nID)
                continue;
            m_mapStrings[nID] = ReplaceLineFeedEscapes(pElement->GetAttributeValue(L"value"));
        }
        else
        {
            UINT nID = m_theme.ResolveID(pElement, L"id", m_pDiagnostics);
            if (!nID)
                continue;
            // Status-bar prompt, then the tooltip after a line feed.
            CString strValue = pElement->GetAttributeValue(L"message");
            CString strTip = pElement->GetAttributeValue(L"tip");
            if (!strTip.IsEmpty())
                strValue += L"\n" + strTip;
            m_mapStrings[nID] = strValue;
        }
    }
    return TRUE;
}

BOOL CSkinRegistry::LoadColourScheme(CXmlElement* pSection, const CString&)
{
    m_theme.LoadColourScheme(pSection, m_pDiagnostics);
    return TRUE;
}

BOOL CSkinRegistry::LoadManifest(CXmlElement* pSection, const CString&)
{
    // It only describes the file.
    SkinCheckAttributes(m_pDiagnostics, pSection, { L"type", L"name" });
    return TRUE;
}

BOOL CSkinRegistry::LoadCommandImages(CXmlElement* pSection, const CString& strFolder)
{
    return m_theme.LoadCommandImages(pSection, strFolder, m_pDiagnostics);
}

BOOL CSkinRegistry::GetString(UINT nID, CString& strOut) const
{
    auto it = m_mapStrings.find(nID);
    if (it != m_mapStrings.end())
    {
        strOut = it->second;
        return TRUE;
    }
    strOut.Empty();
    return FALSE;
}

HBITMAP CSkinRegistry::GetWatermark(const wchar_t* pszName) const
{
    if (!pszName)
        return NULL;
    const CSkinImage* pImage = GetWatermarkImage(pszName);
    return pImage ? pImage->GetBitmap() : NULL;
}

const CSkinImage* CSkinRegistry::GetWatermarkImage(const wchar_t* pszName) const
{
    if (!pszName)
        return NULL;
    auto it = m_mapWatermarks.find(CString(pszName));
    return it != m_mapWatermarks.end() ? it->second.pImage : NULL;
}

BOOL CSkinRegistry::GetWatermarkGrid(const wchar_t* pszName, CRect& rcGrid) const
{
    auto it = pszName ? m_mapWatermarks.find(CString(pszName)) : m_mapWatermarks.end();
    if (it == m_mapWatermarks.end() || !it->second.bGrid)
        return FALSE;
    rcGrid = it->second.rcGrid;
    return TRUE;
}

CWindowSkinBase* CSkinRegistry::FindWindowSkin(const wchar_t* pszName) const
{
    if (!pszName || !*pszName)
        return NULL;
    for (auto it = m_windowSkins.rbegin(); it != m_windowSkins.rend(); ++it)
        if ((*it)->HasTarget(pszName))
            return it->get();
    return NULL;
}

void CSkinRegistry::CheckToolbarImages()
{
    if (m_pDiagnostics)
    {
        for (const BUTTON_SITE& site : m_buttonSites)
        {
            // Only the toolbar that won its name is ever shown.
            CSkinToolbarTemplate* pTemplate = NULL;
            if (!m_mapToolbars.Lookup(site.strToolbar, pTemplate) || pTemplate != site.pTemplate)
                continue;
            for (LPCWSTR pszLook : { L"", L".HOVER", L".SELECT" })
            {
                if (GetWatermark(site.strID + pszLook))
                    continue;
                m_pDiagnostics->BeginFile(site.strFile);
                m_pDiagnostics->Report(CSkinDiagnostics::LEVEL_WARNING, site.nOffset,
                                       L"toolbar button '" + site.strID + L"' has no watermark '" + site.strID + pszLook +
                                       L"' for its " + (*pszLook ? CString(pszLook + 1).MakeLower() : CString(L"normal")) +
                                       L" look");
            }
        }
    }
    m_buttonSites.clear();
}
