#include "ResizableTestSupport.h"
#include <gtest/gtest.h>
#include <ostream>

namespace ResizableTest
{
BEGIN_MESSAGE_MAP(CTestDialog, CResizableDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CChildSpy, CWnd)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCHITTEST()
    ON_REGISTERED_MESSAGE(WMU_RESIZESUPPORT, OnResizeSupport)
END_MESSAGE_MAP()
}

void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

void PrintTo(const CPoint& point, std::ostream* os)
{
    *os << "(" << point.x << ", " << point.y << ")";
}

void PrintTo(const CSize& size, std::ostream* os)
{
    *os << size.cx << " x " << size.cy;
}

void PrintTo(const CString& str, std::ostream* os)
{
    *os << ::testing::PrintToString(std::wstring(str.GetString()));
}
