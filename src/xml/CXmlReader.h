// The parser behind the loading functions of XML.h: reads a document's text, UTF-16 or UTF-8
// (checked beforehand to be well formed and to hold only characters of the Basic Multilingual
// Plane), into a tree of CXmlElement carved from one arena. Open elements are kept on a stack
// of their own rather than on the thread's, and every step leaves the cursor where it stopped,
// which is where a failure is reported.
#pragma once
#include "CXmlElement.h"
#include <vector>

template <class CHAR>
class CXmlReader
{
public:
    // The text runs from pText to pEnd and holds no NUL.
    CXmlReader(const CHAR* pText, const CHAR* pEnd);

    // The prolog and the root element: the root, owned by the caller, or null when the text is
    // not a document. Throws std::bad_alloc when memory runs out.
    CXmlElement* ReadDocument(BOOL bRequireDeclaration);
    // Where reading stopped, white space skipped, in UTF-16 characters from the start.
    int StopOffset();

private:
    enum TagResult { TAG_FAILED, TAG_EMPTY, TAG_OPEN };

    // An element whose closing tag is still to come.
    struct CFrame
    {
        CXmlElement* pElement;
        const CHAR* pName;          // its name as written, which the closing tag repeats
        size_t nNameLength;
        CXmlElement* pLastChild;
        LPWSTR pszText;             // its text so far, in the arena, or null
        size_t nTextLength;
        size_t nTextRoom;
    };

    struct CPendingAttribute
    {
        CXmlString strName;
        CXmlString strValue;
        int nOffset;
    };

    bool ReadElements(CXmlElement* pRoot, int nDepth);
    TagResult ReadStartTag(CXmlElement* pElement, int nDepth, CFrame& frame);
    bool ReadAttribute(CPendingAttribute& attribute);
    void StoreAttributes(CXmlElement* pElement, int nCount);
    bool ReadName(CXmlString& strName, const CHAR*& pName);
    CXmlString Intern(const CHAR* pName, const CHAR* pNameEnd, size_t nChars);
    CXmlString ReadValue(const CHAR* pRunEnd);
    void AppendText(CFrame& frame, const CHAR* pRunEnd);
    void FinishText(CFrame& frame);
    LPWSTR Decode(const CHAR* pRunEnd, LPWSTR pszOut);
    const CHAR* SkipDecodeSpace(const CHAR* p, const CHAR* pRunEnd) const;
    bool Match(const char* pszLiteral, size_t nLength);
    bool MatchClosingTag(const CFrame& frame);
    bool SkipComments();
    const CHAR* SkipSpace(const CHAR* p) const;
    const CHAR* FindLiteral(const CHAR* p, const char* pszLiteral, size_t nLength) const;
    int OffsetOf(const CHAR* p);

    // Tag and attribute names repeat: each is kept once per slot of its hash, and a name found
    // in its slot is shared rather than stored again.
    enum { NAME_SLOTS = 256 };

    const CHAR* const m_pText;
    const CHAR* const m_pEnd;
    const CHAR* m_pCursor;
    CXmlArena* m_pArena;
    // UTF-16 characters counted so far in UTF-8 text: offsets are asked for in increasing order.
    const CHAR* m_pCounted;
    int m_nCounted;
    LPCWSTR m_apszNames[NAME_SLOTS];
    // One more than the limit: the attribute that goes over it is read before it is refused.
    CPendingAttribute m_aAttributes[XML_MAX_ATTRIBUTES + 1];
    std::vector<CFrame> m_frames;
};
