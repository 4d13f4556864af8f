// The layout's registered message, registered once when the library loads (CResizableLayout.cpp).
#pragma once
#include <afxwin.h>

extern const UINT WMU_RESIZESUPPORT;
