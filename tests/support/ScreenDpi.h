// The screen's DPI for the tests that check the library's geometry at it. They pass as 1x at 96
// and are run again by the screen-dpi test entry with the test prefix's screen at 144 and 192.
#pragma once
#include <afxwin.h>
#include <gtest/gtest.h>
#include <stdlib.h>

namespace KorvoTest
{
// The screen's LOGPIXELSY. A run that names the DPI it set the screen to (KORVO_SCREEN_DPI)
// fails the test when the screen has another, so a prefix that did not take the change cannot
// pass as one at 96.
inline UINT ScreenDpi()
{
    HDC hScreen = ::GetDC(NULL);
    const UINT nDpi = hScreen ? (UINT)::GetDeviceCaps(hScreen, LOGPIXELSY) : 0;
    if (hScreen)
        ::ReleaseDC(NULL, hScreen);
    if (const char* pszMeant = ::getenv("KORVO_SCREEN_DPI"))
    {
        EXPECT_EQ((UINT)::atoi(pszMeant), nDpi) << "the screen did not take the DPI it was given";
    }
    return nDpi;
}
}
