// A framework dialog given a menu with SetMenu shows and works it inside its skinned frame, as a
// window skinned by its handle does: one frame implementation serves both.
#include "SkinTestSupport.h"

using namespace SkinTest;

namespace
{
const CRect WINDOW(100, 100, 500, 300);

HMENU g_hSeen = NULL;

void NotePopupAndClose(void*)
{
    HWND hPopup = ::FindWindowW(L"#32768", NULL);
    g_hSeen = hPopup && ::IsWindowVisible(hPopup) ? (HMENU)::SendMessageW(hPopup, MN_GETHMENU, 0, 0) : NULL;
    ::EndMenu();
}

using SkinDialogMenuBar = CSkinnedDialogTest;
}

TEST_F(SkinDialogMenuBar, TakesRoomBelowTheCaptionAndOpensByMnemonic)
{
    defs.Load(defs.Skin(FrameSkin(L"Main")));
    ASSERT_TRUE(dlg.CreateSkinned(WINDOW));
    CRect rcBefore;
    dlg.GetClientRect(&rcBefore);
    HMENU hBar = ::CreateMenu(), hFile = ::CreatePopupMenu(), hEdit = ::CreatePopupMenu();
    ::AppendMenuW(hFile, MF_STRING, 101, L"&Open");
    ::AppendMenuW(hEdit, MF_STRING, 201, L"&Copy");
    ::AppendMenuW(hBar, MF_POPUP, (UINT_PTR)hFile, L"&File");
    ::AppendMenuW(hBar, MF_POPUP, (UINT_PTR)hEdit, L"&Edit");
    ::SetMenu(dlg.m_hWnd, hBar);

    CRect rcAfter;
    dlg.GetClientRect(&rcAfter);
    const int cyBar = rcBefore.Height() - rcAfter.Height();
    EXPECT_GT(cyBar, 10) << "the window keeps its size and the bar takes its rows from the client area";
    POINT ptClient = { 0, 0 };
    dlg.ClientToScreen(&ptClient);
    const int yBar = ptClient.y - WINDOW.top - cyBar / 2;
    EXPECT_EQ((UINT)HTMENU, (UINT)dlg.SendNc(WM_NCHITTEST, 0, ptClient.x - WINDOW.left + 3, yBar));

    g_hSeen = NULL;
    RunSoon(150, NotePopupAndClose, NULL);
    dlg.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 'e');
    EXPECT_TRUE(PumpUntil([] { return g_hSeen != NULL; }));
    EXPECT_EQ(hEdit, g_hSeen) << "Alt+E opened Edit";
    ::SetMenu(dlg.m_hWnd, NULL);
    ::DestroyMenu(hBar);
}
