// The character-level parts the XML reader's files share: ASCII classes, the code units of
// UTF-8 and UTF-16 text, a search a word at a time, and the entities a value may spell.
#pragma once
#include <windows.h>
#include <string.h>
#include <wctype.h>

namespace XmlCharacters
{
enum { CHAR_SPACE = 1, CHAR_NAME = 2, CHAR_AMPERSAND = 4 };

// ASCII classes taken from the C runtime once, so that the fast path agrees with iswspace
// and iswalnum exactly; other characters ask the runtime each time.
struct CAsciiClasses
{
    BYTE m_aClass[128];

    CAsciiClasses()
    {
        for (int ch = 0; ch < 128; ch++)
        {
            m_aClass[ch] = 0;
            if (iswspace((wint_t)ch))
                m_aClass[ch] |= CHAR_SPACE;
            if (iswalnum((wint_t)ch) || ch == ':' || ch == '_' || ch == '-')
                m_aClass[ch] |= CHAR_NAME;
            if (ch == '&')
                m_aClass[ch] |= CHAR_AMPERSAND;
        }
    }
};

inline const CAsciiClasses g_ascii;

// The four characters that separate tokens; other white space is significant there.
inline bool IsTokenSpace(unsigned ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

inline unsigned UnitOf(BYTE ch)
{
    return ch;
}

inline unsigned UnitOf(wchar_t ch)
{
    return ch;
}

// The character at p, of at least 0x80, and the code units it takes. UTF-8 text reaches the
// parser well formed and within the Basic Multilingual Plane, so each sequence is one
// character of two or three bytes, never cut by the end of a run.
inline wchar_t DecodeAt(const BYTE* p, int& nUnits)
{
    if (p[0] < 0xE0)
    {
        nUnits = 2;
        return (wchar_t)(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
    }
    nUnits = 3;
    return (wchar_t)(((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
}

inline wchar_t DecodeAt(const wchar_t* p, int& nUnits)
{
    nUnits = 1;
    return *p;
}

// The bit patterns of the zero-lane test for each code unit: a one in every lane, the top bit
// of every lane, and the shift from a bit's index to its lane's.
template <class TChar> struct CLanes;
template <> struct CLanes<BYTE>
{
    static const UINT64 ONES = 0x0101010101010101ull, HIGHS = 0x8080808080808080ull;
    static const int SHIFT = 3;
};
template <> struct CLanes<wchar_t>
{
    static const UINT64 ONES = 0x0001000100010001ull, HIGHS = 0x8000800080008000ull;
    static const int SHIFT = 4;
};

// The first ch at or after p, or null. Eight bytes are tested at a time: the lowest lane that
// equals ch is the lowest set bit of the classic zero-lane test.
template <class TChar> const TChar* Find(const TChar* p, const TChar* pEnd, unsigned ch)
{
    const ptrdiff_t PER_WORD = 8 / sizeof(TChar);
    const UINT64 nPattern = CLanes<TChar>::ONES * ch;
    for (; pEnd - p >= PER_WORD; p += PER_WORD)
    {
        UINT64 nWord;
        memcpy(&nWord, p, 8);
        nWord ^= nPattern;
        UINT64 nZero = (nWord - CLanes<TChar>::ONES) & ~nWord & CLanes<TChar>::HIGHS;
        if (nZero)
            return p + (__builtin_ctzll(nZero) >> CLanes<TChar>::SHIFT);
    }
    for (; p < pEnd; p++)
    {
        if (*p == ch)
            return p;
    }
    return NULL;
}

// UTF-16 characters in the UTF-8 text [p, pEnd): one per byte that does not continue a sequence.
inline size_t CountChars(const BYTE* const pStart, const BYTE* pEnd)
{
    const BYTE* p = pStart;
    size_t nContinuing = 0;
    for (; pEnd - p >= 8; p += 8)
    {
        UINT64 nWord;
        memcpy(&nWord, p, 8);
        // Bytes 10xxxxxx: the top bit set and the next one clear, one flag per byte.
        UINT64 nFlags = (nWord & ~(nWord << 1) & 0x8080808080808080ull) >> 7;
        nContinuing += (size_t)((nFlags * 0x0101010101010101ull) >> 56);
    }
    for (const BYTE* pByte = p; pByte < pEnd; pByte++)
        nContinuing += (*pByte & 0xC0) == 0x80;
    return (size_t)(pEnd - pStart) - nContinuing;
}

struct CEntity
{
    const char* pszName;    // lower case, after the '&', with its ';'
    int nLength;
    wchar_t chValue;
};

inline const CEntity g_aEntities[] =
{
    { "amp;", 4, L'&' },
    { "lt;", 3, L'<' },
    { "gt;", 3, L'>' },
    { "quot;", 5, L'"' },
    { "apos;", 5, L'\'' },
    { "nbsp;", 5, L' ' },
};

// The entity spelled at p, compared without regard to the case of ASCII letters and only
// within [p, pEnd); null when there is none.
template <class CHAR>
const CEntity* MatchEntity(const CHAR* p, const CHAR* pEnd)
{
    for (const CEntity& entity : g_aEntities)
    {
        if (pEnd - p < entity.nLength)
            continue;
        int n = 0;
        for (; n < entity.nLength; n++)
        {
            unsigned ch = UnitOf(p[n]);
            if (ch >= 'A' && ch <= 'Z')
                ch += 'a' - 'A';
            if (ch != (unsigned)entity.pszName[n])
                break;
        }
        if (n == entity.nLength)
            return &entity;
    }
    return NULL;
}

inline bool IsDigit(unsigned ch)
{
    return ch >= '0' && ch <= '9';
}

} // namespace XmlCharacters
