// One look of a toolbar button: a copy of a skin bitmap, so a later skin load cannot pull it
// away, with its white-keyed transparency worked out once: a mask set where the image is white,
// and the image with those pixels made black, so drawing is two plain copies.
#pragma once
#include "../afx/afxwin.h"
#include <memory>

class CCoolBarImage
{
public:
    // Null when hSkin cannot be read or copied.
    static std::shared_ptr<const CCoolBarImage> Copy(HBITMAP hSkin);

    HBITMAP GetBitmap() const { return (HBITMAP)m_bmImage.m_hObject; }
    CSize GetSize() const { return m_size; }
    // Draws the top-left cx x cy pixels at (x, y) with white transparent, through pWorkDC.
    void Draw(CDC* pDC, CDC* pWorkDC, int x, int y, int cx, int cy) const;

    CCoolBarImage(const CCoolBarImage&) = delete;
    CCoolBarImage& operator=(const CCoolBarImage&) = delete;

private:
    CCoolBarImage() : m_size(0, 0) {}
    void MakeMask();

    CBitmap m_bmImage;
    CSize m_size;
    CBitmap m_bmMask;
    CBitmap m_bmInk;
};
