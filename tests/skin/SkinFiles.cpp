#include "SkinFiles.h"

CString CSkinFolder::WriteBitmap(LPCWSTR pszRelative, int cx, int cy, COLORREF cr) const
{
    std::vector<BYTE> bytes = KorvoTest::MakeBitmapFile(cx, cy, [](int, int, void* pContext) { return *(COLORREF*)pContext; }, &cr);
    return WriteFile(pszRelative, bytes.data(), bytes.size());
}
