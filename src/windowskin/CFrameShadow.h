// The soft shadow around one skinned frame. Where the desktop composes windows and the frame has
// no shape, the system draws it: the frame keeps a pixel of composed frame inside its client area,
// and that is all. Elsewhere (no composition, or a shaped frame, whose region the system does not
// shadow) the skin's <shadow> image is drawn by nine-grid into a layered, click-through popup that
// never activates and has no taskbar button, kept directly below the frame in the z-order. It
// follows the frame's place, size, DPI and active look, hides while the frame is hidden,
// minimised or maximised, and leaves out the side of a frame edge lying on its monitor's work-area
// edge. A skin without <shadow> costs nothing: no window, no question to the window manager.
//
// The popup shares the frame's owner rather than being owned by the frame: an owned window always
// stays above its owner, and the shadow must stay beneath it. Some window managers (Wine's) put a
// window first given its alpha picture above all others and can raise a window but never lower
// it: a popup whose place in the stack is not yet known waits until its frame is the uppermost
// window, shows, and is covered by its frame raised once over it. The popup is kept while the frame
// is skinned, hidden when the skin has no shadow, and one let go by a frame is kept hidden for the
// next frame of the thread: message boxes come and go by the hundred.
#pragma once
#include <afxwin.h>
#include "../parts/CDpiScale.h"
#include <memory>
#include <type_traits>

class CWindowSkin;
class CSkinImage;

class CFrameShadow
{
public:
    // The popup's window class.
    static const wchar_t WINDOW_CLASS[];

    CFrameShadow();

    // Shows pSkin's shadow around hFrame, the system's or the skin's, or none (pSkin null or
    // without a shadow); after every change of the frame's skin. pSkin must outlive its use here:
    // the frame applies null before its skin goes.
    void Apply(HWND hFrame, const CWindowSkin* pSkin);
    // The frame moved, was sized, shown, hidden, minimised, maximised, raised or given a DPI;
    // nPosFlags: the SWP_* flags of its WM_WINDOWPOSCHANGED, if that is what it heard.
    void Follow(UINT nPosFlags = 0);
    // The frame's active look changed.
    void SetActive(BOOL bActive);
    // While held the shadow stays as it is, whatever the frame does (it may pass through states
    // it is not seen in, as redraw turned off); let go, it follows the frame again.
    void Hold(BOOL bHold);
    // No shadow; the frame is going or unskinned. Its popup is kept for the next frame of the
    // thread, or destroyed.
    void Release();
    // Destroys the popup kept for the thread's next frame, if any; as the library is let go.
    static void DestroySpare();
    // The frame's skin is changing (or going): nothing is drawn from it until the next Apply.
    void Forget() { m_pSkin = NULL; }

private:
    struct CWindowDestroyer
    {
        void operator()(HWND hWnd) const { ::DestroyWindow(hWnd); }
    };
    typedef std::unique_ptr<std::remove_pointer<HWND>::type, CWindowDestroyer> CWindowHandle;

    // What the popup shows; a move alone changes none of it.
    struct CLook
    {
        // The skin drawn from, and its registry's count of window-skin loads then: the same
        // address after a reload is another skin.
        const CWindowSkin* pSkin = NULL;
        const unsigned* pGeneration = NULL;
        unsigned nGeneration = 0;
        CSkinImage* pImage = NULL;
        CSize size;
        // Where the whole nine-grid lies against the popup's top-left corner (edges lying on the
        // work area's are cut away).
        CRect rcGrid;
        UINT nDpi = 0;
        // Drawn from pSkin as it is loaded now.
        bool From(const CWindowSkin* pFrom) const;
        bool operator==(const CLook& other) const
        {
            return pSkin == other.pSkin && pGeneration == other.pGeneration && nGeneration == other.nGeneration
                   && pImage == other.pImage && size == other.size && rcGrid == other.rcGrid && nDpi == other.nDpi;
        }
    };

    enum { RESTACK_TIMER = 1, RESTACK_TICKS = 10 };

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    // The popup, taken from the spare or made (and given its first picture, which some window
    // managers answer by making the window anew on top of all others); null when it cannot be made.
    HWND Window();
    // The popup is no longer this frame's: its handle (null without one), and nothing of it
    // kept here.
    HWND LetGo();
    // Nothing the user sees lies above the frame but windows kept above all others.
    BOOL FrameIsUppermost() const;
    void Hide();
    // A 32-bit DIB section selected into a memory DC for as long as both live.
    struct CPicture
    {
        CDC dc;
        CBitmap bitmap;
        HGDIOBJ hOldBitmap = NULL;
        ~CPicture();
    };
    // Draws look into a fresh premultiplied picture (every pixel transparent before); FALSE when
    // it cannot be made.
    BOOL Compose(const CLook& look, CPicture& picture) const;
    // Blends what the popup shows over hDC at its origin (WM_PRINT and WM_PRINTCLIENT).
    void Print(HDC hDC) const;

    HWND m_hFrame;
    // The skin whose shadow the popup draws; null when it draws none.
    const CWindowSkin* m_pSkin;
    BOOL m_bSystem;
    BOOL m_bActive;
    BOOL m_bHeld;
    int m_nRestackTicks;
    CWindowHandle m_window;
    // The popup is known to lie right below the frame in the window manager's stack.
    BOOL m_bSettled;
    // What the popup holds, shown or not; no image while it holds nothing. The picture itself is
    // handed to the window manager and not kept.
    CLook m_look;
    // The thread's spare popup and what it holds.
    struct CSpare
    {
        HWND hWnd = NULL;
        CLook look;
    };
    static thread_local CSpare t_spare;

    CFrameShadow(const CFrameShadow&) = delete;
    CFrameShadow& operator=(const CFrameShadow&) = delete;
};
