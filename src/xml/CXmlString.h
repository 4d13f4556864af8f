// A read-only UTF-16 string of a parsed document: a pointer to NUL-terminated characters kept
// in the document's storage, its length stored just before them. Copying it copies the pointer;
// it converts to LPCWSTR and to CString, so that readers use it as they would a CString.
#pragma once
#include <afxwin.h>

class CXmlString
{
public:
    // The empty string.
    CXmlString();

    operator LPCWSTR() const { return m_psz; }
    operator CString() const { return Copy(); }
    // A CString of the same text.
    CString Copy() const { return CString(m_psz, GetLength()); }
    LPCWSTR GetString() const { return m_psz; }
    int GetLength() const { return ((const int*)m_psz)[-1]; }
    BOOL IsEmpty() const { return GetLength() == 0; }
    wchar_t GetAt(int nIndex) const { ASSERT(nIndex >= 0 && nIndex <= GetLength()); return m_psz[nIndex]; }
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }

    // As CString's: exact, and ignoring case.
    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;
    int Find(wchar_t ch, int nStart = 0) const { return Copy().Find(ch, nStart); }
    int Find(LPCWSTR pszSub, int nStart = 0) const { return Copy().Find(pszSub, nStart); }

    friend CString operator+(const CXmlString& a, const CXmlString& b) { return a.Copy() + b.Copy(); }
    friend CString operator+(const CXmlString& a, const CString& b) { return a.Copy() + b; }
    friend CString operator+(const CString& a, const CXmlString& b) { return a + b.Copy(); }
    friend CString operator+(const CXmlString& a, LPCWSTR b) { return a.Copy() + b; }
    friend CString operator+(LPCWSTR a, const CXmlString& b) { return CString(a) + b.Copy(); }
    friend CString operator+(const CXmlString& a, wchar_t b) { return a.Copy() + b; }
    friend CString operator+(wchar_t a, const CXmlString& b) { return CString(a) + b.Copy(); }

    friend bool operator==(const CXmlString& a, const CXmlString& b) { return a.Equals(b.m_psz, b.GetLength()); }
    friend bool operator==(const CXmlString& a, const CString& b) { return a.Equals(b, b.GetLength()); }
    friend bool operator==(const CString& a, const CXmlString& b) { return b == a; }
    friend bool operator==(const CXmlString& a, LPCWSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCWSTR a, const CXmlString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CXmlString& a, const CXmlString& b) { return !(a == b); }
    friend bool operator!=(const CXmlString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const CXmlString& b) { return !(b == a); }
    friend bool operator!=(const CXmlString& a, LPCWSTR b) { return !(a == b); }
    friend bool operator!=(LPCWSTR a, const CXmlString& b) { return !(b == a); }

    // Storage layout, for the document's builder: characters start 4-byte aligned, preceded by
    // their count as a 32-bit integer.
    static const size_t PREFIX_BYTES = sizeof(int);
    // Takes characters whose count and terminating NUL are already written.
    static CXmlString FromStorage(LPCWSTR psz) { CXmlString str; str.m_psz = psz; return str; }

private:
    bool Equals(LPCWSTR psz, int nLength) const;

    LPCWSTR m_psz;
};
