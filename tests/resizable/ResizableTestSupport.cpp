#include "ResizableTestSupport.h"

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
