#pragma once
#include <KorvoSkin.h>

// The picture controls on the gallery's controls page: an animated image, and the group and
// user head photos in their normal, hover and grey looks. Its pictures are in
// Definitions\Pictures beside the program (drawn by tools/make_gallery_pictures.py).
class CPicturesPanel
{
public:
    // Adds a row under the page's controls and grows the page to hold it.
    void Create(CWnd* pPage);
    // Head-photo backgrounds in the colours of the skin just loaded.
    void ApplySkin(COLORREF crBack);

private:
    CImageStatic m_animation;
    // Normal, hover look, grey.
    CGroupHeadPhoto m_groupPhotos[3];
    // Normal, grey.
    CUserHeadPhoto m_userPhotos[2];
    CButton m_frame;
    // The host's portrait list and backgrounds, which the photos only borrow.
    CImageList m_portraits;
    CBitmap m_bmBack;
    CBitmap m_bmBackHover;
};
