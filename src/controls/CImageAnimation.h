// The picture an image control shows and, for a picture of several frames, the worker thread
// that plays it: the thread waits while paused, draws the frame selected last into the control's
// window through an off-screen surface, selects the next frame and waits that frame's delay or
// the order to end. The control's own thread only starts, pauses, resumes and stops it.
#pragma once
#include <afxwin.h>
#include "../parts/CGdiplusGraphics.h"
#include "../parts/CGdiplusImage.h"
#include "CKernelHandle.h"
#include <memory>

class CFrameSurface;

class CImageAnimation
{
public:
    // Wait after a frame of a multi-frame picture that carries no delay for it.
    static constexpr DWORD DEFAULT_FRAME_DELAY_MS = 100;
    // Shortest wait after a frame: a delay of 0 must not spin the thread.
    static constexpr DWORD MIN_FRAME_DELAY_MS = 20;

    // Draws into the window wnd has at the time of each frame.
    explicit CImageAnimation(CWnd& wnd);
    // A thread still running would draw through a window object that is going.
    ~CImageAnimation();
    CImageAnimation(const CImageAnimation&) = delete;
    CImageAnimation& operator=(const CImageAnimation&) = delete;

    // Releases the current picture, then loads the file and starts the thread of an animated
    // one. False, empty, when the file cannot be read or GDI+ is not running.
    bool Load(LPCWSTR pszPath);
    // Paints a still picture into the window now; an animation is painted by its thread.
    void Draw();
    // Starts the thread of a loaded multi-frame picture; true only when it could not be created.
    bool InitAnimation();
    void SetPause(bool bPause);
    bool IsPaused() const { return m_bPause; }
    bool IsLoaded() const { return m_bIsInitialized; }
    // The frame count of the last picture loaded stays known after Destroy.
    UINT GetFrameCount() const { return m_nFrameCount; }
    // The wait after frame nFrame, in milliseconds.
    DWORD FrameDelay(UINT nFrame) const;
    // Stops the thread (a paused one too) and releases the picture, the events and the delays.
    void Destroy();

private:
    // Starts the state of a newly loaded picture (Destroy has released the last one) and
    // creates the two events.
    void Initialize();
    // Reads the frame count and the delay table; true for more than one frame.
    bool TestForAnimatedGIF();
    // One animation step: waits while paused, draws the selected frame through the thread's
    // surface, selects the next one and waits the drawn frame's delay; true when the thread
    // must end.
    bool DrawFrameGIF(CFrameSurface& surface);
    // The active frame stretched over the surface.
    void ComposeFrame(CFrameSurface& surface) const;
    // Whether the active frame has no transparent or translucent pixel, as GDI+ describes it.
    bool IsActiveFrameOpaque() const;
    void ThreadAnimation();
    static unsigned int __stdcall _ThreadAnimationProc(void* pParam);

    CWnd& m_wnd;
    CKernelHandle m_hThread;
    // Manual reset; signalled while running, reset while paused.
    CKernelHandle m_hPause;
    // Manual reset; signalled when the thread must end.
    CKernelHandle m_hExitEvent;
    UINT m_nFrameCount;
    // The frame the thread selects next.
    UINT m_nFramePosition;
    // Animation thread only: the active frame, which the next step draws, and whether it is
    // opaque.
    UINT m_nFrameShown;
    bool m_bFrameOpaque;
    bool m_bIsInitialized;
    bool m_bPause;
    // Frame delays in hundredths of a second, as the picture carries them; m_nDelayCount may be
    // fewer than the frames.
    std::unique_ptr<UINT[]> m_pDelays;
    UINT m_nDelayCount;
    CGdiplusImage m_pImage;
    CSize m_sizeImage;
};
