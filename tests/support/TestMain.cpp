// Test programs are framework applications: the application object exists and the framework
// is initialised before any test runs, as in a host.
#include "KorvoTest.h"
#include <gtest/gtest.h>

static CWinApp g_testApp(L"KorvoTests");

int main(int argc, char** argv)
{
    AfxWinInit(::GetModuleHandleW(NULL), NULL, ::GetCommandLineW(), SW_SHOWNORMAL);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
