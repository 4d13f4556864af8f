#include "GdiplusRunning.h"

namespace
{
// Read and written on the host's GUI thread only.
bool g_bGdiplusRunning = false;
}

void SetGdiplusRunning(bool bRunning)
{
    g_bGdiplusRunning = bRunning;
}

bool IsGdiplusRunning()
{
    return g_bGdiplusRunning;
}
