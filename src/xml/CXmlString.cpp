#include "CXmlString.h"

namespace
{
// The empty string's storage: a count of 0 and the terminating NUL.
struct CEmptyStorage
{
    int nLength;
    wchar_t szText[2];
};
const CEmptyStorage g_empty = { 0, { L'\0', L'\0' } };
} // namespace

CXmlString::CXmlString()
    : m_psz(g_empty.szText)
{
}

int CXmlString::Compare(LPCWSTR psz) const
{
    return wcscmp(m_psz, psz ? psz : L"");
}

int CXmlString::CompareNoCase(LPCWSTR psz) const
{
    return _wcsicmp(m_psz, psz ? psz : L"");
}

bool CXmlString::Equals(LPCWSTR psz, int nLength) const
{
    return GetLength() == nLength && wmemcmp(m_psz, psz, nLength) == 0;
}
