// Nine-grid margins as skin files write them: "left,top,right,bottom", each the width of a margin
// of an image that keeps its size when the image is drawn larger or smaller.
#pragma once
#include <afxwin.h>

// No margin is wider than an image can be.
const long MAX_GRID_MARGIN = 0x7FFF;

// Four comma-separated decimal numbers from 0 to MAX_GRID_MARGIN, spaces allowed around each,
// and nothing else; FALSE, rcGrid untouched, for anything else.
BOOL ReadSkinGrid(const CString& strText, CRect& rcGrid);
