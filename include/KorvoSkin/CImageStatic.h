// A static control that shows a picture file stretched over its client area, and plays an
// animated GIF on a worker thread of its own: the GUI thread only starts, pauses, resumes and
// stops the animation. GDI+ must be running (InitSkin starts it) before Load.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <memory>

namespace Gdiplus
{
class GpImage;
}

class KORVOSKIN_API CImageStatic : public CStatic
{
    DECLARE_DYNAMIC(CImageStatic)
public:
    // Wait after a frame of a multi-frame image that carries no delay for it.
    static constexpr DWORD DEFAULT_FRAME_DELAY_MS = 100;
    // Shortest wait after a frame: a delay of 0 must not spin the thread.
    static constexpr DWORD MIN_FRAME_DELAY_MS = 20;

    CImageStatic();
    // Stops a thread still running (the window was not destroyed first) before the object goes.
    virtual ~CImageStatic();

    // An empty path changes nothing and fails. Otherwise the current picture is released first;
    // a file GDI+ cannot read, or GDI+ not running, leaves the control empty.
    bool Load(CString strPath);
    // Paints a still picture into the client area now; an animation is painted by its thread.
    void Draw();
    // Starts the animation thread of a loaded multi-frame picture; true only when the thread
    // could not be created.
    bool InitAnimation();
    void SetPause(bool bPause);
    bool IsPaused() const { return m_bPause; }
    // The frame count of the last picture loaded stays known after Destroy.
    bool IsAnimatedGIF() const { return m_nFrameCount > 1; }
    UINT GetFrameCount() const { return m_nFrameCount; }
    // Stops the thread (a paused one too) and releases the picture, the events and the delays.
    void Destroy();

protected:
    void Initialize();
    bool TestForAnimatedGIF();
    // One animation step: waits while paused, draws the selected frame, selects the next one
    // and waits the drawn frame's delay; true when the thread must end.
    bool DrawFrameGIF();
    void ThreadAnimation();
    static unsigned int __stdcall _ThreadAnimationProc(void* pParam);
    // The wait after frame nFrame, in milliseconds.
    DWORD FrameDelay(UINT nFrame) const;

    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // A kernel handle, closed when its owner is reset or goes.
    struct CHandleCloser
    {
        void operator()(HANDLE h) const { ::CloseHandle(h); }
    };
    using CHandleOwner = std::unique_ptr<void, CHandleCloser>;
    // A GDI+ image, disposed when its owner is reset or goes.
    struct CImageDisposer
    {
        void operator()(Gdiplus::GpImage* pImage) const;
    };

    CHandleOwner m_hThread;
    CHandleOwner m_hPause;
    CHandleOwner m_hExitEvent;
    UINT m_nFrameCount;
    UINT m_nFramePosition;
    // Animation thread only: the active frame, which the next step draws.
    UINT m_nFrameShown;
    bool m_bIsInitialized;
    bool m_bPause;
    // Frame delays in hundredths of a second, as the image carries them; m_nDelayCount may be
    // fewer than the frames.
    std::unique_ptr<UINT[]> m_pDelays;
    UINT m_nDelayCount;
    std::unique_ptr<Gdiplus::GpImage, CImageDisposer> m_pImage;
};
