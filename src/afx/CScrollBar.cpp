#include "CScrollBar.h"

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
