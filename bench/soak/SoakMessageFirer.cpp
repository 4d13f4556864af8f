// What goes and what is left out: a message whose lParam points at a structure goes, when sent,
// with a real structure of garbage values (across processes only those the platform carries the
// structure of); when posted, with raw numbers (the platform refuses to post those it knows carry
// a pointer). What would only test the platform is left out: modal move and size loops, timer
// procedures, a child's close, presses Wine's edit control falls over, and notifications and
// layout requests posted at all or sent from another process, whose structure no window could
// read.
#include "SoakMessageFirer.h"
#include <KorvoSkin.h>
#include <windowskin/CAccessibleProxy.h>
#include <parts/CWindowDpi.h>
#include <commctrl.h>
#include <oleacc.h>

namespace Soak
{

namespace
{
typedef CMessageFirer::MESSAGE MESSAGE;
const CMessageFirer::PARAMETERS NUMBERS = CMessageFirer::NUMBERS, STRUCTURE = CMessageFirer::STRUCTURE,
                                PRIVATE = CMessageFirer::PRIVATE, TEXT = CMessageFirer::TEXT;

// The framework's private messages.
const UINT WM_SIZEPARENT_ = 0x0361;
#ifndef WM_DPICHANGED_BEFOREPARENT
const UINT WM_DPICHANGED_BEFOREPARENT = 0x02E2;
#endif
const UINT WM_IDLEUPDATECMDUI_ = 0x0363;

std::vector<CMessageFirer::MESSAGE> Messages()
{
    std::vector<CMessageFirer::MESSAGE> messages = {
        { WM_GETOBJECT, NUMBERS },         { WM_NCHITTEST, NUMBERS },        { WM_NCMOUSEMOVE, NUMBERS },
        { WM_NCMOUSELEAVE, NUMBERS },      { WM_NCACTIVATE, NUMBERS },       { WM_NCPAINT, NUMBERS },
        { WM_NCLBUTTONDOWN, NUMBERS },     { WM_NCLBUTTONUP, NUMBERS },      { WM_NCLBUTTONDBLCLK, NUMBERS },
        { WM_NCRBUTTONDOWN, NUMBERS },     { WM_NCRBUTTONUP, NUMBERS },      { WM_NCCALCSIZE, STRUCTURE },
        { WM_CTLCOLORMSGBOX, NUMBERS },    { WM_CTLCOLOREDIT, NUMBERS },     { WM_CTLCOLORLISTBOX, NUMBERS },
        { WM_CTLCOLORBTN, NUMBERS },       { WM_CTLCOLORDLG, NUMBERS },      { WM_CTLCOLORSCROLLBAR, NUMBERS },
        { WM_CTLCOLORSTATIC, NUMBERS },    { WM_DPICHANGED, STRUCTURE },     { WM_DPICHANGED_BEFOREPARENT, NUMBERS },
        { WM_DPICHANGED_AFTERPARENT, NUMBERS }, { WM_SETTINGCHANGE, TEXT }, { WM_SYSCOMMAND, NUMBERS },
        { WM_TIMER, NUMBERS },             { WM_MOUSEMOVE, NUMBERS },        { WM_MOUSELEAVE, NUMBERS },
        { WM_LBUTTONDOWN, NUMBERS },       { WM_LBUTTONUP, NUMBERS },        { WM_LBUTTONDBLCLK, NUMBERS },
        { WM_RBUTTONDOWN, NUMBERS },       { WM_RBUTTONUP, NUMBERS },        { WM_SETCURSOR, NUMBERS },
        { WM_CONTEXTMENU, NUMBERS },       { WM_KEYDOWN, NUMBERS },          { WM_KEYUP, NUMBERS },
        { WM_CHAR, NUMBERS },              { WM_KILLFOCUS, NUMBERS },
        { WM_CAPTURECHANGED, NUMBERS },    { WM_ENABLE, NUMBERS },           { WM_ACTIVATE, NUMBERS },
        { WM_SIZE, NUMBERS },              { WM_MOVE, NUMBERS },             { WM_HSCROLL, NUMBERS },
        { WM_VSCROLL, NUMBERS },           { WM_ERASEBKGND, NUMBERS },       { WM_PAINT, NUMBERS },
        { WM_INITMENUPOPUP, NUMBERS },     { WM_MENUSELECT, NUMBERS },       { WM_ENTERMENULOOP, NUMBERS },
        { WM_EXITMENULOOP, NUMBERS },      { WM_ENTERIDLE, NUMBERS },        { WM_COMMAND, NUMBERS },
        { WM_IDLEUPDATECMDUI_, NUMBERS },  { WM_MEASUREITEM, STRUCTURE },    { WM_DRAWITEM, STRUCTURE },
        { WM_GETMINMAXINFO, STRUCTURE },   { WM_WINDOWPOSCHANGING, STRUCTURE }, { WM_WINDOWPOSCHANGED, STRUCTURE },
        { WM_SETTEXT, TEXT },              { WM_GETDLGCODE, STRUCTURE },     { WM_NOTIFY, PRIVATE },
        { WM_SIZEPARENT_, PRIVATE },
    };
    // The registered messages: the library's skin change and the resizable layout's question.
    messages.push_back({ ::RegisterWindowMessageW(KORVOSKIN_SKIN_CHANGED_MESSAGE), NUMBERS });
    messages.push_back({ ::RegisterWindowMessageW(L"WMU_RESIZESUPPORT"), PRIVATE });
    return messages;
}

// A number as a forger picks one: small, round, huge, negative or the library's own.
ULONG_PTR Garbage(CRandom& random)
{
    switch (random.Below(8))
    {
    case 0:
        return 0;
    case 1:
        return random.Below(16);
    case 2:
        return (ULONG_PTR)-(LONG_PTR)random.Below(16);
    case 3:
        return CAccessibleQuery::OBJID_QUERY;
    case 4:
        return 0xDEADBEEF;
    case 5:
        return (ULONG_PTR)0x7FFE0000 + random.Below(0x10000);
    default:
        return ((ULONG_PTR)random.Next() << 16) ^ random.Next();
    }
}

// Hit-test codes whose button press starts no modal move or size loop.
const WPARAM HIT_CODES[] = { HTNOWHERE, HTCLIENT, HTMINBUTTON, HTMAXBUTTON, HTCLOSE, HTHELP, (WPARAM)HTERROR, 77 };
// System commands that open no modal loop, and one that is no command.
const WPARAM SYS_COMMANDS[] = { SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE, 0x1234 };
const wchar_t* const TEXTS[] = { L"", L"ImmersiveColorSet", L"WindowMetrics", L"\x263A text \x0301\x0301\x0301" };

// A press starts loops (the platform's tracking of caption and scroll buttons, drag
// detection) that wait for the button's release; it is queued with the press, so they end.
void ReleaseButton(HWND hWnd, UINT nMessage)
{
    switch (nMessage)
    {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        ::PostMessageW(hWnd, WM_LBUTTONUP, 0, 0);
        break;
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        ::PostMessageW(hWnd, WM_RBUTTONUP, 0, 0);
        break;
    }
}


// Wine's edit control falls over a press or double click it did not see coming (it lays out
// text it has not measured): the platform's fault, not the library's, so none is sent.
bool IsPlatformFault(HWND hWnd, UINT nMessage)
{
    if (nMessage != WM_LBUTTONDOWN && nMessage != WM_LBUTTONDBLCLK)
        return false;
    wchar_t szClass[16] = L"";
    ::GetClassNameW(hWnd, szClass, _countof(szClass));
    return _wcsicmp(szClass, L"Edit") == 0;
}


bool IsServedId(LPARAM lParam) { return (LONG)lParam == OBJID_CLIENT || (LONG)lParam == OBJID_TITLEBAR; }

} // namespace

CMessageFirer::CMessageFirer(unsigned nSeed, bool bOtherProcess)
    : m_random(nSeed), m_bOtherProcess(bOtherProcess), m_messages(Messages())
{
}

BOOL CMessageFirer::Fire(HWND hWnd)
{
    if (!::IsWindow(hWnd))
        return FALSE;
    const MESSAGE& message = m_messages[m_random.Below((unsigned)m_messages.size())];
    if (IsPlatformFault(hWnd, message.nMessage))
        return TRUE;
    WPARAM wParam = Garbage(m_random);
    LPARAM lParam = (LPARAM)Garbage(m_random);
    bool bPost = m_random.Below(2) == 0;
    Shape(hWnd, message.nMessage, wParam, lParam);
    if (bPost)
    {
        // A number where only the sender's own structure can be is every framework window's
        // end, and the platform's own controls' (they read notifications where they point);
        // no such message is ever posted, and the platform carries none between processes.
        if (message.parameters == PRIVATE)
            return TRUE;
        // Ordinary object IDs asked by a post leave an answer nobody collects: seldom.
        if (message.nMessage == WM_GETOBJECT && IsServedId(lParam) && m_random.Below(64))
            lParam = m_random.Below(2) ? (LPARAM)CAccessibleQuery::OBJID_QUERY : (LPARAM)m_random.Next();
        ::PostMessageW(hWnd, message.nMessage, wParam, lParam);
        ReleaseButton(hWnd, message.nMessage);
        m_nPosted++;
        return TRUE;
    }
    switch (message.parameters)
    {
    case STRUCTURE:
        lParam = (LPARAM)Structure(message.nMessage);
        break;
    case PRIVATE:
        if (m_bOtherProcess)
            return TRUE;
        lParam = (LPARAM)Structure(message.nMessage);
        break;
    case TEXT:
        lParam = (LPARAM)TEXTS[m_random.Below(_countof(TEXTS))];
        break;
    case NUMBERS:
        break;
    }
    ReleaseButton(hWnd, message.nMessage);
    DWORD_PTR dwResult = 0;
    if (::SendMessageTimeoutW(hWnd, message.nMessage, wParam, lParam, SMTO_NORMAL, 2000, &dwResult))
        m_nSent++;
    // An answered object is collected, as its asker would.
    if (message.nMessage == WM_GETOBJECT && IsServedId(lParam) && dwResult)
    {
        IAccessible* pObject = NULL;
        if (SUCCEEDED(::ObjectFromLresult((LRESULT)dwResult, __uuidof(IAccessible), wParam, (void**)&pObject)))
            pObject->Release();
    }
    return TRUE;
}


// Parameters that would start what no forger's message may be judged by: modal move and
// size loops, timer procedures the platform calls, and a child's close, which the platform
// carries out by destroying it.
void CMessageFirer::Shape(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam)
{
    switch (nMessage)
    {
    case WM_GETOBJECT:
    {
        const LONG IDS[] = { CAccessibleQuery::OBJID_QUERY, OBJID_CLIENT, OBJID_TITLEBAR, OBJID_WINDOW,
                             OBJID_VSCROLL, OBJID_CARET, (LONG)m_random.Next() };
        lParam = (LPARAM)IDS[m_random.Below(_countof(IDS))];
        break;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
        wParam = HIT_CODES[m_random.Below(_countof(HIT_CODES))];
        break;
    case WM_SYSCOMMAND:
        wParam = SYS_COMMANDS[m_random.Below(_countof(SYS_COMMANDS))];
        if (wParam == SC_CLOSE && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD))
            wParam = SC_RESTORE;
        break;
    case WM_TIMER:
        lParam = 0;
        break;
    case WM_SETTINGCHANGE:
        lParam = 0;
        break;
    }
}


void* CMessageFirer::Structure(UINT nMessage)
{
    for (BLOCK& block : m_blocks)
        for (BYTE& b : block.bytes)
            b = (BYTE)m_random.Next();
    void* pFirst = m_blocks[0].bytes;
    switch (nMessage)
    {
    case WM_NCCALCSIZE:
    {
        auto* pParams = (NCCALCSIZE_PARAMS*)pFirst;
        pParams->lppos = (WINDOWPOS*)m_blocks[1].bytes;
        break;
    }
    case WM_DRAWITEM:
    {
        auto* pDraw = (DRAWITEMSTRUCT*)pFirst;
        pDraw->CtlType = (UINT)m_random.Below(6);
        pDraw->hDC = m_random.Below(2) ? m_canvas.Dc() : pDraw->hDC;
        break;
    }
    case WM_MEASUREITEM:
        ((MEASUREITEMSTRUCT*)pFirst)->CtlType = (UINT)m_random.Below(6);
        break;
    case WM_GETDLGCODE:
        if (m_random.Below(2))
            return NULL;
        break;
    case WM_NOTIFY:
    {
        auto* pHeader = (NMHDR*)pFirst;
        const UINT CODES[] = { NM_CUSTOMDRAW, TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW, NM_CLICK, TTN_GETDISPINFOW };
        pHeader->code = CODES[m_random.Below(_countof(CODES))];
        break;
    }
    }
    return pFirst;
}


} // namespace Soak
