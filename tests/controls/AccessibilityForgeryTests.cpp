// WM_GETOBJECT with the library's private object ID, forged by this thread, another thread and
// another process, posted and sent with numbers that are no question of the library's (an
// address among them): the windows take it for an object ID they do not know, write nowhere,
// and answer a screen reader as before.
#include "GalleryPageHost.h"
#include "AccessibilityChild.h"
#include <windowskin/CAccessibleProxy.h>
#include <atomic>
#include <thread>

using namespace GalleryTest;

namespace
{
const LPARAM PRIVATE_ID = CAccessibleQuery::OBJID_QUERY;
// What a forger might put where a question's address would be.
const WPARAM GARBAGE[] = { 1, 0x10, 0x4B51, 0xDEADBEEF, (WPARAM)-1, (WPARAM)-16, (WPARAM)0x7FFE0000 };

void Forge(const std::vector<HWND>& windows, WPARAM wParamExtra = 0)
{
    for (HWND hWnd : windows)
    {
        for (WPARAM wParam : GARBAGE)
        {
            ::PostMessageW(hWnd, WM_GETOBJECT, wParam, PRIVATE_ID);
            DWORD_PTR dwResult = 0;
            ::SendMessageTimeoutW(hWnd, WM_GETOBJECT, wParam, PRIVATE_ID, SMTO_NORMAL, 5000, &dwResult);
        }
        if (wParamExtra)
        {
            ::PostMessageW(hWnd, WM_GETOBJECT, wParamExtra, PRIVATE_ID);
            DWORD_PTR dwResult = 0;
            ::SendMessageTimeoutW(hWnd, WM_GETOBJECT, wParamExtra, PRIVATE_ID, SMTO_NORMAL, 5000, &dwResult);
        }
    }
}

struct ForgedAccessibleQuery : ::testing::Test
{
    CComApartment apartment;
    ControlsTest::CFreshTheme theme;
    CBundledSkin skin;
    CGalleryHost host;
    CCoolBarCtrl bar;

    void SetUp() override
    {
        ASSERT_TRUE(::IsWindow(host.m_hWnd));
        ASSERT_TRUE(bar.Create(&host, WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_CONTROLBAR_FIRST));
        CreateSkinToolBar(L"Gallery", &bar);
        bar.MoveWindow(0, 0, 300, 30);
    }

    // A skinned dialog, a touch edit, a skinned tree and a toolbar.
    std::vector<HWND> Targets() const
    {
        return { host.m_hWnd, host.Control(IDC_CT_TOUCH_EDIT), host.Control(IDC_CT_TREE), bar.m_hWnd };
    }

    // Each window is there and answers a real question with what it is.
    void ExpectAnswering() const
    {
        const long ROLES[] = { ROLE_SYSTEM_DIALOG, ROLE_SYSTEM_TEXT, ROLE_SYSTEM_OUTLINE, ROLE_SYSTEM_TOOLBAR };
        std::vector<HWND> windows = Targets();
        for (size_t n = 0; n < windows.size(); n++)
        {
            ASSERT_TRUE(::IsWindow(windows[n])) << n;
            CReading reading = ReadWindow(windows[n]);
            EXPECT_EQ(S_OK, reading.hr) << n;
            EXPECT_EQ(ROLES[n], reading.nRole) << n;
        }
        EXPECT_EQ(6, ReadWindow(host.Control(IDC_CT_TREE)).nChildren);
    }
};
}

TEST_F(ForgedAccessibleQuery, FromThisThreadAnswersNothing)
{
    for (HWND hWnd : Targets())
        for (WPARAM wParam : GARBAGE)
        {
            EXPECT_EQ(0, ::SendMessageW(hWnd, WM_GETOBJECT, wParam, PRIVATE_ID));
            ::PostMessageW(hWnd, WM_GETOBJECT, wParam, PRIVATE_ID);
        }
    KorvoTest::PumpMessages(50);
    ExpectAnswering();
}

TEST_F(ForgedAccessibleQuery, FromAnotherThreadWritesNowhere)
{
    // A real question's address, from a thread that asks nothing: no window may take it for one.
    CAccessibleQuery victim;
    std::vector<HWND> windows = Targets();
    std::atomic<bool> bDone(false);
    std::thread forger([&] {
        Forge(windows, (WPARAM)&victim);
        bDone = true;
    });
    EXPECT_TRUE(ControlsTest::PumpUntil([&] { return bDone.load(); }));
    forger.join();
    KorvoTest::PumpMessages(50);
    EXPECT_EQ(ROLE_SYSTEM_CLIENT, victim.nRole);
    EXPECT_EQ(0, victim.nItems);
    EXPECT_EQ(0, victim.nState);
    EXPECT_TRUE(victim.strName.IsEmpty());
    ExpectAnswering();
}

TEST_F(ForgedAccessibleQuery, FromAnotherProcessLeavesTheHostAnswering)
{
    std::vector<HWND> windows = Targets();
    AccessibilityChild::CResult child = AccessibilityChild::Run(
        L"ForgingProcess", L"PostsAndSends", AccessibilityChild::FormatWindows(windows.data(), (int)windows.size()));
    EXPECT_EQ(0, child.nExit) << (LPCWSTR)child.strOutput;
    KorvoTest::PumpMessages(50);
    ExpectAnswering();
}

// The other process of the test above; the suite runs it only as that child.
TEST(ForgingProcess, DISABLED_PostsAndSends)
{
    std::vector<HWND> windows = AccessibilityChild::ParseWindows(AccessibilityChild::Argument());
    ASSERT_EQ(4u, windows.size());
    for (HWND hWnd : windows)
        ASSERT_TRUE(::IsWindow(hWnd));
    Forge(windows);
}
