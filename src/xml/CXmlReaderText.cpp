// The reader's text: attribute values and element text, decoded from UTF-8 or UTF-16 with their
// entities and character references, into the arena.
#include "CXmlReader.h"
#include "CXmlArena.h"
#include "XmlCharacters.h"

using namespace XmlCharacters;

template <class CHAR>
CXmlString CXmlReader<CHAR>::ReadValue(const CHAR* pRunEnd)
{
    if (m_pCursor >= pRunEnd)
        return CXmlString();
    // Every code unit of the text gives at most one character.
    LPWSTR psz = m_pArena->ReserveText((size_t)(pRunEnd - m_pCursor), CXmlString::PREFIX_BYTES);
    size_t nLength = (size_t)(Decode(pRunEnd, psz) - psz);
    if (nLength == 0)
    {
        m_pArena->UndoText(psz, CXmlString::PREFIX_BYTES);
        return CXmlString();
    }
    m_pArena->TrimText(psz, nLength);
    ((int*)psz)[-1] = (int)nLength;
    psz[nLength] = L'\0';
    return CXmlString::FromStorage(psz);
}

// Text runs and CDATA sections of one element are joined with a single space.
template <class CHAR>
void CXmlReader<CHAR>::AppendText(CFrame& frame, const CHAR* pRunEnd)
{
    const bool bSeparate = frame.nTextLength > 0 && frame.pszText[frame.nTextLength - 1] != L' ';
    if (!bSeparate)
    {
        // Leading white space writes nothing: the indentation between children stops here.
        const CHAR* p = SkipDecodeSpace(m_pCursor, pRunEnd);
        if (p == pRunEnd)
        {
            m_pCursor = p;
            return;
        }
    }

    const size_t nNeed = frame.nTextLength + (bSeparate ? 1 : 0) + (size_t)(pRunEnd - m_pCursor);
    const bool bFirst = frame.pszText == NULL;
    if (nNeed > frame.nTextRoom)
    {
        if (!bFirst && m_pArena->ExtendText(frame.pszText, frame.nTextRoom, nNeed))
        {
            frame.nTextRoom = nNeed;
        }
        else
        {
            // Text that has to move gets twice the room, so that an element whose text runs
            // alternate with children copies its text a bounded number of times.
            size_t nRoom = bFirst || nNeed > 2 * frame.nTextRoom ? nNeed : 2 * frame.nTextRoom;
            LPWSTR psz = m_pArena->ReserveText(nRoom, CXmlString::PREFIX_BYTES);
            if (frame.nTextLength)
                wmemcpy(psz, frame.pszText, frame.nTextLength);
            frame.pszText = psz;
            frame.nTextRoom = nRoom;
        }
    }
    if (bSeparate)
        frame.pszText[frame.nTextLength++] = L' ';
    frame.nTextLength = (size_t)(Decode(pRunEnd, frame.pszText + frame.nTextLength) - frame.pszText);
    if (bFirst)
    {
        // Most elements have one run of text: its room ends with it.
        m_pArena->TrimText(frame.pszText, frame.nTextLength);
        frame.nTextRoom = frame.nTextLength;
    }
}

template <class CHAR>
void CXmlReader<CHAR>::FinishText(CFrame& frame)
{
    if (!frame.pszText)
        return;
    if (m_pArena->IsLastText(frame.pszText, frame.nTextRoom))
        m_pArena->TrimText(frame.pszText, frame.nTextLength);
    ((int*)frame.pszText)[-1] = (int)frame.nTextLength;
    frame.pszText[frame.nTextLength] = L'\0';
    frame.pElement->m_strValue = CXmlString::FromStorage(frame.pszText);
}

template <class CHAR>
const CHAR* CXmlReader<CHAR>::SkipDecodeSpace(const CHAR* p, const CHAR* pRunEnd) const
{
    while (p < pRunEnd)
    {
        unsigned ch = UnitOf(*p);
        if (ch < 0x80)
        {
            if (!(g_ascii.m_aClass[ch] & CHAR_SPACE))
                break;
            p++;
        }
        else
        {
            int nUnits;
            if (!iswspace(DecodeAt(p, nUnits)))
                break;
            p += nUnits;
        }
    }
    return p;
}

// Decodes the run from the cursor to pRunEnd into pszOut: white space folded, entities and
// decimal references replaced. Nothing past the run is read. Stops early, short of the run's
// end, at a reference that is not decimal. Returns the end of what it wrote.
template <class CHAR>
LPWSTR CXmlReader<CHAR>::Decode(const CHAR* pRunEnd, LPWSTR pszOut)
{
    const CHAR* p = m_pCursor;
    LPWSTR const pszOutStart = pszOut;
    while (p < pRunEnd)
    {
        unsigned ch = UnitOf(*p);
        int nUnits = 1;
        if (ch < 0x80)
        {
            const BYTE nClass = g_ascii.m_aClass[ch];
            if (!(nClass & (CHAR_SPACE | CHAR_AMPERSAND)))
            {
                *pszOut++ = (wchar_t)ch;
                p++;
                continue;
            }
        }
        else
        {
            wchar_t chWide = DecodeAt(p, nUnits);
            if (!iswspace(chWide))
            {
                *pszOut++ = chWide;
                p += nUnits;
                continue;
            }
        }

        if (ch != '&')
        {
            // White space: leading runs write nothing, others one space.
            if (pszOut != pszOutStart)
                *pszOut++ = L' ';
            p = SkipDecodeSpace(p + nUnits, pRunEnd);
            continue;
        }

        if (++p == pRunEnd)
            break;
        if (const CEntity* pEntity = MatchEntity(p, pRunEnd))
        {
            *pszOut++ = pEntity->chValue;
            p += pEntity->nLength;
            continue;
        }
        if (UnitOf(*p) != '#')
        {
            // An unknown entity stays as written.
            *pszOut++ = L'&';
            continue;
        }
        if (++p == pRunEnd)
            break;
        // Only decimal references are understood; anything else ends the run here, short of
        // its end, which the caller treats as a malformed document.
        if (!IsDigit(UnitOf(*p)))
            break;
        unsigned long nCode = 0;
        while (p < pRunEnd && IsDigit(UnitOf(*p)))
            nCode = nCode * 10 + (unsigned long)(UnitOf(*p++) - '0');
        *pszOut++ = (wchar_t)(nCode & 0xFFFF);
        // Whatever follows the number up to its ';' is dropped, to the end of the run without one.
        while (p < pRunEnd && UnitOf(*p) != ';')
            p++;
        if (p < pRunEnd)
            p++;
    }
    m_pCursor = p;
    return pszOut;
}

// The class itself is instantiated with the rest of the reader; these members are made here.
#define KORVO_XML_READER_TEXT(CHAR)                                                              \
    template CXmlString CXmlReader<CHAR>::ReadValue(const CHAR*);                               \
    template void CXmlReader<CHAR>::AppendText(CFrame&, const CHAR*);                           \
    template void CXmlReader<CHAR>::FinishText(CFrame&);                                        \
    template LPWSTR CXmlReader<CHAR>::Decode(const CHAR*, LPWSTR);                              \
    template const CHAR* CXmlReader<CHAR>::SkipDecodeSpace(const CHAR*, const CHAR*) const;
KORVO_XML_READER_TEXT(BYTE)
KORVO_XML_READER_TEXT(wchar_t)
