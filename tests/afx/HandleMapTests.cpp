// Wrappers and handles: permanent owners from Attach, temporary wrappers from FromHandle that go
// when the thread is idle, and windows subclassed and given back.
#include "AfxModuleState.h"
#include "KorvoTest.h"
#include <gtest/gtest.h>
#include <type_traits>
#include <typeinfo>

namespace
{
// Takes a wrapper of kind W through the life of a fresh handle h: temporary wrapper, owner
// attached, detached again. Windows and menus also answer for their permanent owner alone.
template <class W, class H, class DESTROY> void ExpectOwnership(W& owner, H h, DESTROY fnDestroy)
{
    constexpr bool HAS_PERMANENT = std::is_same<W, CWnd>::value || std::is_same<W, CMenu>::value;
    SCOPED_TRACE(typeid(W).name());
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(nullptr, W::FromHandle((H)NULL));

    // A foreign handle gets one temporary wrapper, the same until idle time.
    W* pTemp = W::FromHandle(h);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_NE(&owner, pTemp);
    EXPECT_EQ(pTemp, W::FromHandle(h));
    if constexpr (HAS_PERMANENT)
    {
        EXPECT_EQ(nullptr, W::FromHandlePermanent(h));
    }

    // The owner replaces the temporary wrapper.
    EXPECT_FALSE(owner.Attach(NULL)) << "nothing to attach";
    ASSERT_TRUE(owner.Attach(h));
    EXPECT_EQ(&owner, W::FromHandle(h));
    if constexpr (HAS_PERMANENT)
    {
        EXPECT_EQ(&owner, W::FromHandlePermanent(h));
    }
    AfxDeleteTempMaps();
    EXPECT_EQ(&owner, W::FromHandle(h)) << "idle time leaves owners alone";

    // Detached, the handle is foreign again and still alive.
    EXPECT_EQ((void*)h, (void*)owner.Detach());
    if constexpr (HAS_PERMANENT)
    {
        EXPECT_EQ(nullptr, W::FromHandlePermanent(h));
    }
    EXPECT_NE(&owner, W::FromHandle(h));
    AfxDeleteTempMaps();
    fnDestroy(h);
}
} // namespace

TEST(HandleMap, AttachMakesThePermanentOwnerAndDetachGivesTheHandleBack)
{
    CWnd wnd;
    ExpectOwnership(wnd, ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 5, 5, NULL, NULL, NULL, NULL),
                    [](HWND h) { ::DestroyWindow(h); });
    CBrush brush;
    ExpectOwnership(brush, ::CreateSolidBrush(RGB(9, 9, 9)), [](HBRUSH h) { ::DeleteObject(h); });
    CMenu menu;
    ExpectOwnership(menu, ::CreatePopupMenu(), [](HMENU h) { ::DestroyMenu(h); });
    CDC dc;
    ExpectOwnership(dc, ::CreateCompatibleDC(NULL), [](HDC h) { ::DeleteDC(h); });
    CImageList images;
    ExpectOwnership(images, ImageList_Create(4, 4, ILC_COLOR24, 1, 1), [](HIMAGELIST h) { ImageList_Destroy(h); });
}

TEST(HandleMap, OwnersDestroyTheirHandlesAndTemporariesDoNot)
{
    HBRUSH hBrush;
    {
        CBrush brush(RGB(1, 1, 1));
        hBrush = (HBRUSH)brush.m_hObject;
        EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(hBrush));
    }
    EXPECT_EQ(0u, ::GetObjectType(hBrush)) << "the owner deleted its brush";

    HBRUSH hForeign = ::CreateSolidBrush(RGB(2, 2, 2));
    CBrush::FromHandle(hForeign);
    HMENU hMenu = ::CreatePopupMenu();
    CMenu::FromHandle(hMenu);
    AfxDeleteTempMaps();
    EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(hForeign)) << "a temporary wrapper leaves the brush";
    EXPECT_TRUE(::IsMenu(hMenu)) << "a temporary wrapper leaves the menu";
    ::DeleteObject(hForeign);
    ::DestroyMenu(hMenu);
}

namespace
{
// Counts the idle passes of the message loop and ends the loop after the first.
class CIdleApp : public CWinApp
{
public:
    int m_nIdle = 0;
    int m_nExit = 0;
    BOOL OnIdle(LONG lCount) override
    {
        m_nIdle++;
        BOOL bMore = CWinApp::OnIdle(lCount);
        ::PostQuitMessage(42);
        return bMore;
    }
    int ExitInstance() override
    {
        m_nExit++;
        return CWinApp::ExitInstance();
    }
};

struct CRestoreApp
{
    CWinApp* pApp = AfxGetApp();
    ~CRestoreApp() { AfxGetModuleState()->m_pCurrentWinApp = pApp; }
};
} // namespace

TEST(Idle, IdleTimeDeletesTemporaryWrappers)
{
    HWND hWnd = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 5, 5, NULL, NULL, NULL, NULL);
    // The message loop goes idle when its queue is empty. A mark on the temporary wrapper
    // tells it from a new one, wherever that is allocated.
    CRestoreApp restore;
    CIdleApp app;
    CWnd::FromHandle(hWnd)->m_nFlags = 0x5A5A;
    EXPECT_EQ(0x5A5Au, CWnd::FromHandle(hWnd)->m_nFlags);
    EXPECT_EQ(42, app.Run());
    EXPECT_EQ(1, app.m_nIdle);
    EXPECT_EQ(1, app.m_nExit) << "Run ends with ExitInstance";
    EXPECT_EQ(0u, CWnd::FromHandle(hWnd)->m_nFlags) << "idle time dropped the temporary wrapper";
    AfxDeleteTempMaps();
    EXPECT_TRUE(::DestroyWindow(hWnd)) << "dropping a temporary wrapper leaves the window alone";
}

namespace
{
const UINT WM_PROBE = WM_APP + 7;

class CSubclassedEdit : public CWnd
{
public:
    int m_nProbes = 0;
    int m_nChars = 0;
    BOOL m_bPreSubclass = FALSE;

protected:
    void PreSubclassWindow() override { m_bPreSubclass = TRUE; }
    afx_msg LRESULT OnProbe(WPARAM wParam, LPARAM) { m_nProbes++; return (LRESULT)wParam * 2; }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        m_nChars++;
        // Upper case on the way to the edit control's own procedure.
        DefWindowProc(WM_CHAR, ::towupper((wint_t)nChar), MAKELPARAM(nRepCnt, nFlags));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSubclassedEdit, CWnd)
    ON_MESSAGE(WM_PROBE, OnProbe)
    ON_WM_CHAR()
END_MESSAGE_MAP()
} // namespace

TEST(Subclass, SubclassWindowHandsMessagesToTheMapAndUnsubclassGivesThemBack)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL));
    HWND hEdit = ::CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent.m_hWnd,
                                   (HMENU)(UINT_PTR)101, NULL, NULL);
    ASSERT_NE(nullptr, hEdit);
    LONG_PTR pfnEdit = ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC);
    CWnd::FromHandle(hEdit); // a temporary wrapper first, as a host's earlier GetDlgItem makes

    CSubclassedEdit edit;
    ASSERT_TRUE(edit.SubclassDlgItem(101, &parent));
    EXPECT_TRUE(edit.m_bPreSubclass);
    EXPECT_EQ(hEdit, edit.m_hWnd);
    EXPECT_NE(pfnEdit, ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC));
    EXPECT_EQ(&edit, CWnd::FromHandlePermanent(hEdit));
    EXPECT_EQ(&edit, CWnd::FromHandle(hEdit)) << "the owner replaced the temporary wrapper";

    struct { wchar_t ch; LPCWSTR pszText; } chars[] = { { L'a', L"A" }, { L'b', L"AB" }, { L'1', L"AB1" } };
    for (const auto& c : chars)
    {
        ::SendMessageW(hEdit, WM_CHAR, c.ch, 1);
        CString strText;
        edit.GetWindowText(strText);
        EXPECT_EQ(CString(c.pszText), strText) << "the map's handler, then the edit control's own procedure";
    }
    EXPECT_EQ(3, edit.m_nChars);
    EXPECT_EQ(14, ::SendMessageW(hEdit, WM_PROBE, 7, 0));

    // Given back: the edit control's procedure again, and no owner.
    EXPECT_EQ(hEdit, edit.UnsubclassWindow());
    EXPECT_EQ(nullptr, edit.m_hWnd);
    EXPECT_EQ(pfnEdit, ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
    ::SendMessageW(hEdit, WM_CHAR, L'c', 1);
    EXPECT_EQ(0, ::SendMessageW(hEdit, WM_PROBE, 7, 0));
    EXPECT_EQ(1, edit.m_nProbes);
    EXPECT_EQ(3, edit.m_nChars);
    CString strText;
    CWnd::FromHandle(hEdit)->GetWindowText(strText);
    EXPECT_EQ(CString(L"AB1c"), strText);

    // Subclassed again and destroyed with its parent: the wrapper lets go by itself.
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    parent.DestroyWindow();
    EXPECT_EQ(nullptr, edit.m_hWnd);
    EXPECT_FALSE(::IsWindow(hEdit));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
    AfxDeleteTempMaps();
}
