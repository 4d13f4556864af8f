#include "CSkinCheck.h"
#include "skin/CSkinRegistry.h"
#include "parts/CGdiplusSession.h"
#include "theme/CInterfaceTheme.h"
#include "theme/ColourContrast.h"
#include "xml/XML.h"
#include <algorithm>
#include "api/Globals.h"

namespace
{
const wchar_t USAGE[] = L"usage: skincheck [--app <folder>] <first.xml> [<second.xml>]\n";

// The first end tag that does not close the element open before it, as "</b> closes <a>", when
// it starts no later than nOffset (where the reader stopped); empty otherwise.
CString MismatchedEndTag(const std::vector<wchar_t>& text, int nOffset)
{
    std::vector<CString> open;
    const wchar_t* const pBegin = text.data();
    const wchar_t* const pEnd = pBegin + text.size();
    auto Skip = [&](const wchar_t* p, const wchar_t* pszClose) {
        const wchar_t* pFound = std::search(p, pEnd, pszClose, pszClose + wcslen(pszClose));
        return pFound == pEnd ? pEnd : pFound + wcslen(pszClose);
    };
    auto Name = [&](const wchar_t*& p) {
        const wchar_t* pStart = p;
        while (p < pEnd && !iswspace(*p) && *p != L'>' && *p != L'/')
            p++;
        return CString(pStart, (int)(p - pStart));
    };
    for (const wchar_t* p = std::find(pBegin, pEnd, L'<'); p < pEnd && p - pBegin <= nOffset;
         p = std::find(p, pEnd, L'<'))
    {
        const wchar_t* pTag = p++;
        if (pEnd - p >= 3 && wcsncmp(p, L"!--", 3) == 0)
            p = Skip(p, L"-->");
        else if (pEnd - p >= 8 && wcsncmp(p, L"![CDATA[", 8) == 0)
            p = Skip(p, L"]]>");
        else if (p < pEnd && (*p == L'?' || *p == L'!'))
            p = Skip(p, L">");
        else if (p < pEnd && *p == L'/')
        {
            CString strName = Name(++p);
            if (open.empty() || open.back() != strName)
                return pTag - pBegin <= nOffset && !open.empty() ? L"</" + strName + L"> closes <" + open.back() + L">"
                                                                 : CString();
            open.pop_back();
        }
        else
        {
            open.push_back(Name(p));
            // Attribute values may hold '>' or '/'.
            wchar_t chQuote = 0;
            for (; p < pEnd && (chQuote || *p != L'>'); p++)
                if (*p == L'"' || *p == L'\'')
                    chQuote = chQuote == *p ? 0 : chQuote ? chQuote : *p;
            if (p > pBegin && p[-1] == L'/')
                open.pop_back();
        }
    }
    return CString();
}

CString WithBackslash(CString strFolder)
{
    strFolder.Replace(L'/', L'\\');
    if (!strFolder.IsEmpty() && strFolder[strFolder.GetLength() - 1] != L'\\')
        strFolder += L'\\';
    return strFolder;
}

CString Hex(COLORREF cr)
{
    CString str;
    str.Format(L"#%02X%02X%02X", GetRValue(cr), GetGValue(cr), GetBValue(cr));
    return str;
}

// A text the scheme colours and the background it is drawn on. The text takes its own key, else
// the fallback key's colour, else the system's; the check runs when the skin set any of them.
struct TEXT_ON_BACK
{
    const wchar_t* pszWhat;
    const wchar_t* pszTextKey;
    const wchar_t* pszFallbackKey;
    const wchar_t* pszBackKey;
    COLORREF crText;
    COLORREF crBack;
    double dMinimum;
};

// Normal-sized text needs 4.5:1; disabled text, which need not stand out, 3:1.
const double MINIMUM_CONTRAST = 4.5;
const double MINIMUM_DISABLED_CONTRAST = 3.0;
}

int CSkinCheck::Run(const std::vector<CString>& args, CString& strOutput)
{
    m_files.clear();
    m_reports.clear();
    m_nCurrentFile = -1;
    strOutput.Empty();

    CString strFolder, strFirst, strSecond;
    int nNames = 0;
    for (size_t n = 0; n < args.size(); n++)
    {
        if (args[n] == L"--app" && n + 1 < args.size())
            strFolder = WithBackslash(args[++n]);
        else if (args[n].IsEmpty() || args[n][0] == L'-' || nNames == 2)
            nNames = 3;
        else
            (nNames++ == 0 ? strFirst : strSecond) = args[n];
    }
    if (nNames < 1 || nNames > 2)
    {
        strOutput = USAGE;
        return EXIT_ERRORS;
    }
    strFirst.Replace(L'/', L'\\');
    strSecond.Replace(L'/', L'\\');

    m_strOptionalFile = strFolder + L"Definitions\\Definitions.xml";
    // The skin's PNG images decode through GDI+.
    CGdiplusSession session;
    g_Registry.SetDiagnostics(this);
    m_colourKeys.clear();
    g_Registry.Load(strFolder, strFirst, strSecond);
    g_Registry.SetDiagnostics(NULL);
    CheckContrast();
    CheckVariants(strFolder);
    g_Registry.Clear();

    // Files in reading order, each file's reports in document order.
    std::stable_sort(m_reports.begin(), m_reports.end(), [](const REPORT& a, const REPORT& b) {
        return a.nFile != b.nFile ? a.nFile < b.nFile : a.nOffset < b.nOffset;
    });
    int nWorst = EXIT_CLEAN;
    for (const REPORT& report : m_reports)
    {
        strOutput += Format(report) + L"\n";
        if (report.nSeverity != LEVEL_NOTE)
            nWorst = std::max(nWorst, report.nSeverity == LEVEL_ERROR ? (int)EXIT_ERRORS : (int)EXIT_WARNINGS);
    }
    return nWorst;
}

void CSkinCheck::BeginFile(const CString& strPath)
{
    for (size_t n = 0; n < m_files.size(); n++)
    {
        if (m_files[n].strPath == strPath)
        {
            m_nCurrentFile = (int)n;
            return;
        }
    }
    FILE_ENTRY file = { strPath, ReadText(strPath), { 0 } };
    for (size_t n = 0; n < file.text.size(); n++)
        if (file.text[n] == L'\n')
            file.lineStarts.push_back((int)n + 1);
    if (file.text.empty() && ::GetFileAttributesW(strPath) == INVALID_FILE_ATTRIBUTES)
        file.lineStarts.clear();
    m_files.push_back(std::move(file));
    m_nCurrentFile = (int)m_files.size() - 1;
}

void CSkinCheck::Report(int nSeverity, int nOffset, const CString& strMessage)
{
    if (m_nCurrentFile < 0)
        return;
    // A host without a base definition is the usual case, not a fault of the skin.
    if (nOffset < 0 && m_files[m_nCurrentFile].strPath == m_strOptionalFile &&
        ::GetFileAttributesW(m_strOptionalFile) == INVALID_FILE_ATTRIBUTES)
        return;
    // The reader only says where it stopped; a mismatched end tag is named here.
    CString strNames = nOffset >= 0 ? MismatchedEndTag(m_files[m_nCurrentFile].text, nOffset) : CString();
    m_reports.push_back({ m_nCurrentFile, nOffset, nSeverity, strNames.IsEmpty() ? strMessage : strNames + L": " + strMessage });
}

void CSkinCheck::ColourKeySet(const CString& strKey, int nOffset)
{
    if (m_nCurrentFile >= 0)
        m_colourKeys[strKey] = { m_nCurrentFile, nOffset };
}

int CSkinCheck::FileIndex(const CString& strPath)
{
    for (size_t n = 0; n < m_files.size(); n++)
        if (m_files[n].strPath.CompareNoCase(strPath) == 0)
            return (int)n;
    m_files.push_back({ strPath, {}, {} });
    return (int)m_files.size() - 1;
}

void CSkinCheck::CheckVariants(const CString& strFolder)
{
    const CSkinImageCache& images = g_Theme.Images();
    // Names as the skin's folder has them.
    auto Name = [&strFolder](const CString& strPath) {
        return !strFolder.IsEmpty() && strPath.Left(strFolder.GetLength()).CompareNoCase(strFolder) == 0
                   ? strPath.Mid(strFolder.GetLength())
                   : strPath;
    };
    for (const CSkinImageCache::REFUSED_VARIANT& refused : images.GetRefusedVariants())
    {
        const CString strName = Name(refused.strPath);
        m_reports.push_back({ FileIndex(refused.strPath), -1, LEVEL_ERROR,
                              L"variant '" + strName.Mid(strName.ReverseFind(L'\\') + 1) + L"' " + refused.strReason });
    }
    if (!images.HasVariants())
        return;
    // The images may come from any of the files read: the lines belong to the folder.
    const int nSkinFile = FileIndex(strFolder.IsEmpty() ? CString(L".\\") : strFolder);
    for (int nPercent : { CSkinImage::VARIANT_150, CSkinImage::VARIANT_200 })
    {
        const std::vector<CString> missing = images.ImagesWithoutVariant(nPercent);
        if (missing.empty())
            continue;
        CString strList;
        for (const CString& strPath : missing)
            strList += (strList.IsEmpty() ? L"" : L", ") + Name(strPath);
        CString strMessage;
        strMessage.Format(L"%d image%s no %s variant or larger (at %d DPI %s enlarged): %s", (int)missing.size(),
                          missing.size() == 1 ? L" has" : L"s have", nPercent == CSkinImage::VARIANT_150 ? L"1.5x" : L"2x",
                          nPercent * 96 / 100, missing.size() == 1 ? L"it is" : L"they are", strList.GetString());
        m_reports.push_back({ nSkinFile, -1, LEVEL_NOTE, strMessage });
    }
}

const CSkinCheck::PLACE* CSkinCheck::FindKey(const wchar_t* pszKey) const
{
    auto it = pszKey ? m_colourKeys.find(pszKey) : m_colourKeys.end();
    return it == m_colourKeys.end() ? NULL : &it->second;
}

void CSkinCheck::CheckContrast()
{
    const COLORREF crSystemText = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF crSystemWindow = ::GetSysColor(COLOR_WINDOW);
    const TEXT_ON_BACK texts[] = {
        { L"dialog text", L"dialog.text", NULL, L"dialog.back", SkinColourOr(g_Theme.Colour(SkinColour::DialogText), crSystemText),
          g_Theme.DialogBackColour(), MINIMUM_CONTRAST },
        { L"control text", L"control.text", NULL, L"dialog.back", SkinColourOr(g_Theme.Colour(SkinColour::ControlText), crSystemText),
          g_Theme.DialogBackColour(), MINIMUM_CONTRAST },
        { L"tree's text", L"control.text", NULL, L"control.back", SkinColourOr(g_Theme.Colour(SkinColour::ControlText), crSystemText),
          g_Theme.Colour(SkinColour::ControlBack), MINIMUM_CONTRAST },
        { L"menu text", L"menu.text", L"system.text", L"menu.back", g_Theme.GetMenuTextColour(FALSE, FALSE),
          g_Theme.Colour(SkinColour::MenuBack), MINIMUM_CONTRAST },
        { L"hovered menu item's text", L"menu.text.selected", L"system.text.selected", L"menu.hover",
          g_Theme.GetMenuTextColour(TRUE, FALSE), g_Theme.Colour(SkinColour::MenuHover), MINIMUM_CONTRAST },
        { L"tooltip text", L"tooltip.text", NULL, L"tooltip.back", g_Theme.Colour(SkinColour::TipText), g_Theme.Colour(SkinColour::TipBack),
          MINIMUM_CONTRAST },
        { L"edit text", L"edit.text", NULL, L"edit.back", SkinColourOr(g_Theme.Colour(SkinColour::EditText), crSystemText),
          SkinColourOr(g_Theme.Colour(SkinColour::EditBack), crSystemWindow), MINIMUM_CONTRAST },
        { L"combo box text", L"combo.text", NULL, L"combo.back", SkinColourOr(g_Theme.Colour(SkinColour::ComboText), crSystemText),
          SkinColourOr(g_Theme.Colour(SkinColour::ComboBack), crSystemWindow), MINIMUM_CONTRAST },
        { L"list text", L"list.text", NULL, L"list.back", SkinColourOr(g_Theme.Colour(SkinColour::ListText), crSystemText),
          SkinColourOr(g_Theme.Colour(SkinColour::ListBack), crSystemWindow), MINIMUM_CONTRAST },
        { L"touch control text", L"touch.text", NULL, L"touch.back", SkinColourOr(g_Theme.Colour(SkinColour::TouchText), crSystemText),
          SkinColourOr(g_Theme.Colour(SkinColour::TouchBack), crSystemWindow), MINIMUM_CONTRAST },
        { L"disabled text", L"control.text.disabled", L"control.text", L"dialog.back", g_Theme.DisabledTextColour(),
          g_Theme.DialogBackColour(), MINIMUM_DISABLED_CONTRAST },
    };
    for (const TEXT_ON_BACK& text : texts)
    {
        const PLACE* pText = FindKey(text.pszTextKey);
        const PLACE* pFallback = pText ? NULL : FindKey(text.pszFallbackKey);
        const PLACE* pBack = FindKey(text.pszBackKey);
        // A skin that chose none of these colours leaves the pair to the system.
        if ((!pText && !pFallback && !pBack) || text.crText == NO_COLOUR || text.crBack == NO_COLOUR)
            continue;
        const double dRatio = ContrastRatio(text.crText, text.crBack);
        if (dRatio >= text.dMinimum)
            continue;
        CString strText;
        if (pText || pFallback)
            strText.Format(L"%s %s (at %s)", pText ? text.pszTextKey : text.pszFallbackKey, Hex(text.crText).GetString(),
                           PlaceText(pText ? *pText : *pFallback).GetString());
        else
            strText.Format(L"the system's colour %s (%s unset)", Hex(text.crText).GetString(), text.pszTextKey);
        CString strBack;
        if (pBack)
            strBack.Format(L"%s %s (at %s)", text.pszBackKey, Hex(text.crBack).GetString(), PlaceText(*pBack).GetString());
        else
            strBack.Format(L"%s %s (unset)", text.pszBackKey, Hex(text.crBack).GetString());
        CString strMessage;
        strMessage.Format(L"the %s is hard to read: contrast %.2f:1, below %.1f:1, of %s on %s", text.pszWhat, dRatio,
                          text.dMinimum, strText.GetString(), strBack.GetString());
        const PLACE& place = pText ? *pText : pFallback ? *pFallback : *pBack;
        m_reports.push_back({ place.nFile, place.nOffset, LEVEL_WARNING, strMessage });
    }
}

// The text is decoded as the reader decodes it, so that offsets count the same characters.
std::vector<wchar_t> CSkinCheck::ReadText(const CString& strPath)
{
    std::vector<wchar_t> text;
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return text;
    DWORD dwHigh = 0;
    DWORD dwSize = ::GetFileSize(hFile, &dwHigh);
    std::vector<BYTE> bytes;
    DWORD dwRead = 0;
    if (dwHigh == 0 && dwSize <= XML_MAX_FILE_SIZE)
    {
        bytes.resize(dwSize);
        if (dwSize && !::ReadFile(hFile, bytes.data(), dwSize, &dwRead, NULL))
            dwRead = 0;
    }
    ::CloseHandle(hFile);
    bytes.resize(dwRead);

    const BYTE* p = bytes.data();
    size_t nLength = bytes.size();
    if (nLength >= 2 && ((p[0] == 0xFE && p[1] == 0xFF) || (p[0] == 0xFF && p[1] == 0xFE)))
    {
        const bool bBigEndian = p[0] == 0xFE;
        for (size_t n = 2; n + 1 < nLength; n += 2)
            text.push_back(bBigEndian ? (wchar_t)((p[n] << 8) | p[n + 1]) : (wchar_t)((p[n + 1] << 8) | p[n]));
    }
    else
    {
        if (nLength >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        {
            p += 3;
            nLength -= 3;
        }
        if (nLength > 0)
        {
            text.resize(nLength);
            int nChars = ::MultiByteToWideChar(CP_UTF8, 0, (LPCSTR)p, (int)nLength, text.data(), (int)nLength);
            text.resize(nChars > 0 ? nChars : 0);
        }
    }
    return text;
}

CString CSkinCheck::PlaceText(const PLACE& place) const
{
    const FILE_ENTRY& file = m_files[place.nFile];
    CString strPlace;
    if (place.nOffset >= 0 && !file.lineStarts.empty())
    {
        auto it = std::upper_bound(file.lineStarts.begin(), file.lineStarts.end(), place.nOffset);
        int nLine = (int)(it - file.lineStarts.begin());
        strPlace.Format(L":%d:%d", nLine, place.nOffset - *(it - 1) + 1);
    }
    return file.strPath + strPlace;
}

CString CSkinCheck::Format(const REPORT& report) const
{
    return PlaceText({ report.nFile, report.nOffset }) +
           (report.nSeverity == LEVEL_ERROR     ? L": error: "
            : report.nSeverity == LEVEL_WARNING ? L": warning: "
                                                : L": note: ") +
           report.strMessage;
}
