// The skin preview: a skin's window frame, in each state of the window and of its caption
// buttons, and its colour scheme, painted by the library's own code into bitmaps and PNG files.
#pragma once
#include "windowskin/CWindowSkin.h"
#include <vector>

class CSkinPreview
{
public:
    // The frame of a cx x cy window with the caption text strCaption and the small icon hIcon
    // (may be null), skinned by skin, in nState (CWindowSkin::STATE_ACTIVE or STATE_INACTIVE)
    // with caption button nHot under the pointer, pressed too when nPressed is the same button
    // (1 to 4, 0 for none): a new 32-bit top-down bitmap, the client area filled with crClient
    // under the skin's watermark, the pixels outside the skin's window shape clear (alpha 0)
    // and all others opaque. FALSE when no window or bitmap can be made. The frame is drawn for
    // a window at nDpi.
    static BOOL PaintFrame(CWindowSkin& skin, int cx, int cy, int nState, int nHot, int nPressed,
                           const CString& strCaption, HICON hIcon, COLORREF crClient, CBitmap& bitmap,
                           UINT nDpi = CDpiScale::BASE_DPI);
    // The skin's popup menu strMenu as the library paints it, item nHot highlighted (-1 for
    // none), inside a one-pixel border of the menu border colour, opaque. FALSE for no such menu.
    static BOOL PaintMenu(const CString& strMenu, int nHot, CBitmap& bitmap, UINT nDpi = CDpiScale::BASE_DPI);
    // The interface theme's colours as labelled swatches, one row each, opaque.
    static BOOL PaintSwatches(CBitmap& bitmap);
    // Keeps the alpha of the preview's own bitmaps; any other bitmap is written opaque.
    static BOOL SavePng(HBITMAP hBitmap, const CString& strPath);

    // Arguments as on the command line (--watch is the program's, see CPreviewWatch):
    //   [--app <folder>] [--size <cx>x<cy>] [--dpi <n>] [--out <prefix>] [--menu <name>] <target>
    //   <first.xml> [<second.xml>]
    // The size is in 96-DPI pixels: at --dpi 192 each picture is twice as wide and high.
    // Loads the skin as LoadSkin does and writes <prefix>-active.png, <prefix>-inactive.png,
    // <prefix>-<button>-hot.png and -pressed.png for each caption button the skin places, and
    // <prefix>-colours.png, and with --menu <prefix>-menu.png. What was written goes to strOutput; the result is the exit status
    // (0 done, 2 failed).
    int Run(const std::vector<CString>& args, CString& strOutput);
};
