// UTF-16 string with MFC's interface; the value semantics come from std::basic_string, the
// memory from the framework's fixed allocator.
#pragma once
#include "AfxDefs.h"
#include "CFixedAlloc.h"
#include <string>

class AFX_API CString
{
public:
    CString() {}
    CString(const CString& str) : m_str(str.m_str) {}
    CString(CString&& str) noexcept : m_str(std::move(str.m_str)) {}
    CString(LPCWSTR psz) : m_str(psz ? psz : L"") {}
    CString(LPCWSTR pch, int nLength) : m_str(pch ? pch : L"", pch && nLength > 0 ? nLength : 0) {}
    CString(wchar_t ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
    CString(LPCSTR psz);

    CString& operator=(const CString& str) { m_str = str.m_str; return *this; }
    CString& operator=(CString&& str) noexcept { m_str = std::move(str.m_str); return *this; }
    CString& operator=(LPCWSTR psz) { m_str = psz ? psz : L""; return *this; }
    CString& operator=(wchar_t ch) { m_str.assign(1, ch); return *this; }

    CString& operator+=(const CString& str) { m_str += str.m_str; return *this; }
    CString& operator+=(LPCWSTR psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(wchar_t ch) { m_str += ch; return *this; }

    operator LPCWSTR() const { return m_str.c_str(); }
    LPCWSTR GetString() const { return m_str.c_str(); }
    int GetLength() const { return (int)m_str.size(); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    wchar_t GetAt(int nIndex) const { ASSERT(nIndex >= 0 && nIndex <= GetLength()); return m_str[nIndex]; }
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, wchar_t ch) { ASSERT(nIndex >= 0 && nIndex < GetLength()); m_str[nIndex] = ch; }

    int Compare(LPCWSTR psz) const { return wcscmp(m_str.c_str(), psz ? psz : L""); }
    int CompareNoCase(LPCWSTR psz) const;

    int Find(wchar_t ch, int nStart = 0) const;
    int Find(LPCWSTR pszSub, int nStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(LPCWSTR pszCharSet) const;

    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;

    CString& MakeLower();
    CString& MakeUpper();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Replace(wchar_t chOld, wchar_t chNew);
    int Insert(int nIndex, LPCWSTR psz);
    int Delete(int nIndex, int nCount = 1);
    int Remove(wchar_t ch);

    void Format(LPCWSTR pszFormat, ...);
    void FormatV(LPCWSTR pszFormat, va_list args);
    void AppendFormat(LPCWSTR pszFormat, ...);

    LPWSTR GetBuffer(int nMinBufLength = 0);
    LPWSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);

    // Loads a string resource through the framework's resource chain.
    BOOL LoadString(UINT nID);

    friend CString operator+(const CString& a, const CString& b) { CString s(a); s += b; return s; }
    friend CString operator+(const CString& a, LPCWSTR b) { CString s(a); s += b; return s; }
    friend CString operator+(LPCWSTR a, const CString& b) { CString s(a); s += b; return s; }
    friend CString operator+(const CString& a, wchar_t b) { CString s(a); s += b; return s; }
    friend CString operator+(wchar_t a, const CString& b) { CString s(a); s += b; return s; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCWSTR b) { return !(a == b); }
    friend bool operator!=(LPCWSTR a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

private:
    template <class T> struct CAllocator
    {
        typedef T value_type;
        CAllocator() noexcept {}
        template <class U> CAllocator(const CAllocator<U>&) noexcept {}
        T* allocate(size_t n) { return (T*)CFixedAlloc::Alloc(n * sizeof(T)); }
        void deallocate(T* p, size_t n) noexcept { CFixedAlloc::Free(p, n * sizeof(T)); }
        template <class U> bool operator==(const CAllocator<U>&) const noexcept { return true; }
        template <class U> bool operator!=(const CAllocator<U>&) const noexcept { return false; }
    };
    typedef std::basic_string<wchar_t, std::char_traits<wchar_t>, CAllocator<wchar_t>> CBuffer;

    CBuffer m_str;
};
