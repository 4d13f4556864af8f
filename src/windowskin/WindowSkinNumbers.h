// Arithmetic on numbers straight from a skin file, shared by the window skin's files.
#pragma once
#include <afxwin.h>
#include <algorithm>
#include <climits>

namespace WindowSkinNumbers
{
// Wraps instead of overflowing.
inline int WrapAdd(int a, int b)
{
    return (int)((unsigned)a + (unsigned)b);
}

inline int WrapSub(int a, int b)
{
    return (int)((unsigned)a - (unsigned)b);
}

// Keeps a position one pixel inside the integer range, so that the outline's neighbours fit.
inline int ClampToInt(LONGLONG n)
{
    return (int)std::min<LONGLONG>(std::max<LONGLONG>(n, INT_MIN + 1), INT_MAX - 1);
}
}
