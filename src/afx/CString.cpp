#include "CString.h"
#include "AfxResource.h"
#include <algorithm>
#include <stdarg.h>
#include <stdio.h>
#include <wchar.h>
#include <wctype.h>

CString::CString(LPCSTR psz)
{
    if (!psz || !*psz)
        return;
    int nLength = MultiByteToWideChar(CP_ACP, 0, psz, -1, NULL, 0);
    if (nLength <= 1)
        return;
    m_str.resize(nLength - 1);
    MultiByteToWideChar(CP_ACP, 0, psz, -1, &m_str[0], nLength);
}

int CString::CompareNoCase(LPCWSTR psz) const
{
    return _wcsicmp(m_str.c_str(), psz ? psz : L"");
}

int CString::Find(wchar_t ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    size_t n = m_str.find(ch, nStart);
    return n == CBuffer::npos ? -1 : (int)n;
}

int CString::Find(LPCWSTR pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    size_t n = m_str.find(pszSub, nStart);
    return n == CBuffer::npos ? -1 : (int)n;
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t n = m_str.rfind(ch);
    return n == CBuffer::npos ? -1 : (int)n;
}

int CString::FindOneOf(LPCWSTR pszCharSet) const
{
    size_t n = m_str.find_first_of(pszCharSet ? pszCharSet : L"");
    return n == CBuffer::npos ? -1 : (int)n;
}

CString CString::Left(int nCount) const
{
    if (nCount <= 0)
        return CString();
    return CString(m_str.c_str(), nCount < GetLength() ? nCount : GetLength());
}

CString CString::Right(int nCount) const
{
    if (nCount <= 0)
        return CString();
    if (nCount >= GetLength())
        return *this;
    return CString(m_str.c_str() + GetLength() - nCount, nCount);
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst >= GetLength() || nCount <= 0)
        return CString();
    if (nCount > GetLength() - nFirst)
        nCount = GetLength() - nFirst;
    return CString(m_str.c_str() + nFirst, nCount);
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        CharLowerBuffW(&m_str[0], (DWORD)m_str.size());
    return *this;
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        CharUpperBuffW(&m_str[0], (DWORD)m_str.size());
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && iswspace(m_str[n]))
        n++;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && iswspace(m_str[n - 1]))
        n--;
    m_str.resize(n);
    return *this;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    if (!pszOld || !*pszOld)
        return 0;
    CBuffer strOld(pszOld), strNew(pszNew ? pszNew : L"");
    int nCount = 0;
    for (size_t n = m_str.find(strOld); n != CBuffer::npos; n = m_str.find(strOld, n + strNew.size()))
    {
        m_str.replace(n, strOld.size(), strNew);
        nCount++;
    }
    return nCount;
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int nCount = 0;
    for (wchar_t& ch : m_str)
    {
        if (ch == chOld)
        {
            ch = chNew;
            nCount++;
        }
    }
    return nCount;
}

int CString::Insert(int nIndex, LPCWSTR psz)
{
    if (nIndex < 0)
        nIndex = 0;
    if (nIndex > GetLength())
        nIndex = GetLength();
    if (psz)
        m_str.insert(nIndex, psz);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    if (nIndex >= 0 && nIndex < GetLength() && nCount > 0)
        m_str.erase(nIndex, nCount);
    return GetLength();
}

int CString::Remove(wchar_t ch)
{
    int nBefore = GetLength();
    CBuffer strKept;
    strKept.reserve(m_str.size());
    for (wchar_t c : m_str)
        if (c != ch)
            strKept += c;
    m_str.swap(strKept);
    return nBefore - GetLength();
}

void CString::FormatV(LPCWSTR pszFormat, va_list args)
{
    CBuffer strOut(256, L'\0');
    for (;;)
    {
        va_list copy;
        va_copy(copy, args);
        int n = _vsnwprintf(&strOut[0], strOut.size(), pszFormat, copy);
        va_end(copy);
        if (n >= 0 && (size_t)n < strOut.size())
        {
            strOut.resize(n);
            break;
        }
        strOut.resize(strOut.size() * 2);
    }
    m_str.swap(strOut);
}

void CString::Format(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCWSTR pszFormat, ...)
{
    CString strMore;
    va_list args;
    va_start(args, pszFormat);
    strMore.FormatV(pszFormat, args);
    va_end(args);
    *this += strMore;
}

// As in MFC, GetBuffer hands out the string's own memory, at least nMinBufLength characters
// and a terminator, without changing the length: the caller writes into it, and ReleaseBuffer
// takes what was written (up to the given length, or up to the terminator).
LPWSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > 0 && (size_t)nMinBufLength > m_str.capacity())
        m_str.reserve(nMinBufLength);
    return &m_str[0];
}

LPWSTR CString::GetBufferSetLength(int nLength)
{
    m_str.resize(nLength > 0 ? nLength : 0);
    return GetBuffer(0);
}

void CString::ReleaseBuffer(int nNewLength)
{
    // The caller may have written anywhere in the capacity; its terminator lies there too.
    size_t nCapacity = m_str.capacity();
    const wchar_t* pData = m_str.data();
    size_t nLength = nNewLength < 0 ? wcsnlen(pData, nCapacity) : std::min<size_t>(nNewLength, nCapacity);
    if (nLength <= m_str.size())
    {
        m_str.resize(nLength);
        return;
    }
    // Characters past the old length are taken over as written; growing the string in place
    // would fill them with zeros.
    CBuffer strTail(pData + m_str.size(), nLength - m_str.size());
    m_str.append(strTail);
}

BOOL CString::LoadString(UINT nID)
{
    HINSTANCE hInst = AfxFindStringResourceHandle(nID);
    if (!hInst)
    {
        Empty();
        return FALSE;
    }
    LPCWSTR pch = NULL;
    int nLength = ::LoadStringW(hInst, nID, (LPWSTR)&pch, 0);
    m_str.assign(pch ? pch : L"", pch && nLength > 0 ? nLength : 0);
    return nLength > 0;
}
