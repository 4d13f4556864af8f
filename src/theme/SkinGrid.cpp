#include "SkinGrid.h"

BOOL ReadSkinGrid(const CString& strText, CRect& rcGrid)
{
    long margins[4];
    const wchar_t* psz = strText;
    for (int n = 0; n < 4; n++)
    {
        while (*psz == L' ')
            psz++;
        if (*psz < L'0' || *psz > L'9')
            return FALSE;
        long nValue = 0;
        while (*psz >= L'0' && *psz <= L'9')
        {
            nValue = nValue * 10 + (*psz++ - L'0');
            if (nValue > MAX_GRID_MARGIN)
                return FALSE;
        }
        margins[n] = nValue;
        while (*psz == L' ')
            psz++;
        if (n < 3 && *psz++ != L',')
            return FALSE;
    }
    if (*psz != 0)
        return FALSE;
    rcGrid.SetRect(margins[0], margins[1], margins[2], margins[3]);
    return TRUE;
}
