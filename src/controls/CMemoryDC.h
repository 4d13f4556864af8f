// An off-screen drawing surface over a rectangle of a target DC: drawn into, then copied to the
// same place of the target in one transfer when it goes out of scope, so a control repaints
// without flicker.
#pragma once
#include "../afx/afxwin.h"
#include <KorvoSkin/KorvoSkinExport.h>

class CMemoryDC : public CDC
{
public:
    // The surface starts filled with the system button-face colour. When a compatible DC or
    // bitmap cannot be made, IsValid() is FALSE and nothing is copied back.
    CMemoryDC(CDC* pDC, const CRect& rect);
    ~CMemoryDC();

    BOOL IsValid() const { return m_bValid; }
    const CRect& GetRect() const { return m_rect; }

    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

private:
    CDC* m_pTargetDC;
    CRect m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    BOOL m_bValid;
};
