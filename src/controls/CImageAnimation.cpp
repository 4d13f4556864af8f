#include "CImageAnimation.h"
#include "CFrameSurface.h"
#include "CPictureHeader.h"
#include "../parts/GdiplusRunning.h"
#include <process.h>
#include <algorithm>
#include <climits>
#include <new>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace
{
// The frame dimension of animated pictures; the platform library exports it under a name the
// cross headers do not always declare, so it is spelled out here.
const GUID FRAME_DIMENSION_TIME = { 0x6aedbd6d, 0x3fb5, 0x418a, { 0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72 } };
const PROPID FRAME_DELAY_TAG = 0x5100;
// A picture lists one dimension per way its frames vary; more than a few is not a picture.
const UINT MAX_FRAME_DIMENSIONS = 16;

// A window DC taken from any thread, released with it.
class CWindowDCHandle
{
public:
    explicit CWindowDCHandle(HWND hWnd) : m_hWnd(hWnd), m_hDC(hWnd ? ::GetDC(hWnd) : NULL) {}
    ~CWindowDCHandle()
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    CWindowDCHandle(const CWindowDCHandle&) = delete;
    CWindowDCHandle& operator=(const CWindowDCHandle&) = delete;
    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// A graphics object on a DC; null when GDI+ cannot make one.
CGdiplusGraphics GraphicsOn(HDC hDC)
{
    GpGraphics* pGraphics = NULL;
    if (GdipCreateFromHDC(hDC, &pGraphics) != Ok)
        pGraphics = NULL;
    return CGdiplusGraphics(pGraphics);
}
}

CImageAnimation::CImageAnimation(CWnd& wnd)
    : m_wnd(wnd), m_nFrameCount(0), m_nFramePosition(0), m_nFrameShown(0), m_bFrameOpaque(false),
      m_bIsInitialized(false), m_bPause(false), m_nDelayCount(0), m_sizeImage(0, 0)
{
}

CImageAnimation::~CImageAnimation()
{
    Destroy();
}

bool CImageAnimation::Load(LPCWSTR pszPath)
{
    Destroy();
    if (!IsGdiplusRunning() || !CPictureHeader::IsWithinBounds(pszPath))
        return false;
    GpImage* pImage = NULL;
    GpStatus status = GdipLoadImageFromFile(pszPath, &pImage);
    m_pImage.reset(pImage);
    if (!m_pImage || status != Ok)
    {
        Destroy();
        return false;
    }
    Initialize();
    if (!m_hExitEvent || !m_hPause)
    {
        Destroy();
        return false;
    }
    m_bIsInitialized = true;
    TestForAnimatedGIF();
    InitAnimation();
    Draw();
    return true;
}

void CImageAnimation::Initialize()
{
    m_nFramePosition = 0;
    m_nFrameCount = 0;
    m_bPause = false;
    m_hExitEvent.reset(::CreateEventW(NULL, TRUE, FALSE, NULL));
    m_hPause.reset(::CreateEventW(NULL, TRUE, TRUE, NULL));
}

bool CImageAnimation::TestForAnimatedGIF()
{
    UINT cx = 0, cy = 0;
    GdipGetImageWidth(m_pImage.get(), &cx);
    GdipGetImageHeight(m_pImage.get(), &cy);
    m_sizeImage = CSize((int)std::min<UINT>(cx, INT_MAX), (int)std::min<UINT>(cy, INT_MAX));

    UINT nDimensions = 0;
    GdipImageGetFrameDimensionsCount(m_pImage.get(), &nDimensions);
    if (nDimensions > 0 && nDimensions <= MAX_FRAME_DIMENSIONS)
    {
        GUID dimensions[MAX_FRAME_DIMENSIONS] = {};
        if (GdipImageGetFrameDimensionsList(m_pImage.get(), dimensions, nDimensions) == Ok)
        {
            UINT nCount = 0;
            if (GdipImageGetFrameCount(m_pImage.get(), &dimensions[0], &nCount) == Ok)
                m_nFrameCount = nCount;
        }
    }

    // The delays are copied out of the property, as many as it really holds.
    UINT nSize = 0;
    if (GdipGetPropertyItemSize(m_pImage.get(), FRAME_DELAY_TAG, &nSize) == Ok && nSize > sizeof(PropertyItem))
    {
        std::unique_ptr<BYTE[]> pBuffer(new (std::nothrow) BYTE[nSize]);
        PropertyItem* pItem = (PropertyItem*)pBuffer.get();
        if (pItem && GdipGetPropertyItem(m_pImage.get(), FRAME_DELAY_TAG, nSize, pItem) == Ok && pItem->value &&
            pItem->type == PropertyTagTypeLong)
        {
            // The value lies within the buffer GDI+ filled; never read past either bound.
            ULONG nBytes = pItem->length;
            BYTE* pValue = (BYTE*)pItem->value;
            if (pValue >= pBuffer.get() && pValue <= pBuffer.get() + nSize)
                nBytes = std::min<ULONG>(nBytes, (ULONG)(pBuffer.get() + nSize - pValue));
            else
                nBytes = 0;
            UINT nDelays = nBytes / sizeof(UINT);
            m_pDelays.reset(nDelays ? new (std::nothrow) UINT[nDelays] : NULL);
            if (m_pDelays)
            {
                memcpy(m_pDelays.get(), pValue, nDelays * sizeof(UINT));
                m_nDelayCount = nDelays;
            }
        }
    }
    return m_nFrameCount > 1;
}

DWORD CImageAnimation::FrameDelay(UINT nFrame) const
{
    if (nFrame >= m_nDelayCount)
        return DEFAULT_FRAME_DELAY_MS;
    // At most 0xFFFFFFFF / 10 hundredths fit a millisecond count; a GIF stores 16 bits.
    DWORD nDelay = (DWORD)std::min<UINT>(m_pDelays[nFrame], 0xFFFFFFFFu / 10) * 10;
    return std::max<DWORD>(nDelay, MIN_FRAME_DELAY_MS);
}

bool CImageAnimation::InitAnimation()
{
    if (!m_bIsInitialized || m_nFrameCount < 2)
        return false;
    if (m_hThread)
        return false;
    unsigned int nThreadID = 0;
    m_hThread.reset((HANDLE)_beginthreadex(NULL, 0, _ThreadAnimationProc, this, CREATE_SUSPENDED, &nThreadID));
    if (!m_hThread)
        return true;
    ::ResumeThread(m_hThread.get());
    return false;
}

unsigned int __stdcall CImageAnimation::_ThreadAnimationProc(void* pParam)
{
    ((CImageAnimation*)pParam)->ThreadAnimation();
    return 0;
}

void CImageAnimation::ThreadAnimation()
{
    // The image starts on frame 0 and nothing is selected yet.
    m_nFramePosition = 0;
    m_nFrameShown = 0;
    m_bFrameOpaque = IsActiveFrameOpaque();
    try
    {
        // Made, used and released on this thread alone.
        CFrameSurface surface;
        while (!DrawFrameGIF(surface))
        {
        }
    }
    catch (...)
    {
        // Out of memory in a wrapper: the animation stops; Destroy still finds the thread ended.
    }
}

bool CImageAnimation::DrawFrameGIF(CFrameSurface& surface)
{
    // The exit event comes first, so a stop wins over a resume.
    HANDLE handles[2] = { m_hExitEvent.get(), m_hPause.get() };
    if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
        return true;

    HWND hWnd = m_wnd.m_hWnd;
    if (hWnd)
    {
        CWindowDCHandle dcWindow(hWnd);
        if (dcWindow.Get())
        {
            CRect rcClient;
            ::GetClientRect(hWnd, &rcClient);
            // A frame's composition depends on the frame and the size alone, so a frame shown
            // once is copied from where it was kept on the animation's later loops.
            if (surface.Prepare(dcWindow.Get(), rcClient.Size()) &&
                !surface.CopyKeptFrameTo(dcWindow.Get(), m_nFrameShown))
            {
                ComposeFrame(surface);
                surface.CopyTo(dcWindow.Get());
                surface.KeepFrame(dcWindow.Get(), m_nFrameShown);
            }
        }
        // Some window systems (Wine's) put what another thread drew on screen only when the
        // window's own thread next wakes: an empty message wakes it, and costs it nothing.
        ::PostMessageW(hWnd, WM_NULL, 0, 0);
    }

    // The frame just drawn stays on screen for its own delay.
    UINT nDrawn = m_nFrameShown;
    GdipImageSelectActiveFrame(m_pImage.get(), &FRAME_DIMENSION_TIME, m_nFramePosition);
    m_nFrameShown = m_nFramePosition;
    m_bFrameOpaque = IsActiveFrameOpaque();
    if (++m_nFramePosition >= m_nFrameCount)
        m_nFramePosition = 0;
    return ::WaitForSingleObject(m_hExitEvent.get(), FrameDelay(nDrawn)) != WAIT_TIMEOUT;
}

void CImageAnimation::ComposeFrame(CFrameSurface& surface) const
{
    GpGraphics* pGraphics = surface.GetGraphics();
    const CSize& size = surface.GetSize();
    // An opaque frame covers every pixel of the surface: it is copied over what the last frame
    // left, edges included. Any other is drawn over white.
    GdipSetCompositingMode(pGraphics, m_bFrameOpaque ? CompositingModeSourceCopy : CompositingModeSourceOver);
    if (!m_bFrameOpaque)
        GdipGraphicsClear(pGraphics, 0xFFFFFFFF);
    // At its own size a frame is copied pixel for pixel; stretched, it is filtered.
    bool bNativeSize = size == m_sizeImage;
    GdipSetInterpolationMode(pGraphics, bNativeSize ? InterpolationModeNearestNeighbor : InterpolationModeDefault);
    GdipSetPixelOffsetMode(pGraphics, bNativeSize ? PixelOffsetModeHalf : PixelOffsetModeDefault);
    GdipDrawImageRectI(pGraphics, m_pImage.get(), 0, 0, size.cx, size.cy);
}

bool CImageAnimation::IsActiveFrameOpaque() const
{
    PixelFormat format = 0;
    UINT nFlags = 0;
    if (GdipGetImagePixelFormat(m_pImage.get(), &format) != Ok || GdipGetImageFlags(m_pImage.get(), &nFlags) != Ok)
        return false;
    if (IsAlphaPixelFormat(format) || (nFlags & (ImageFlagsHasAlpha | ImageFlagsHasTranslucent)))
        return false;
    if (!IsIndexedPixelFormat(format))
        return true;
    // An indexed frame is transparent where its palette says so; a palette holds 256 colours.
    union
    {
        ColorPalette palette;
        BYTE bytes[sizeof(ColorPalette) + 255 * sizeof(ARGB)];
    } buffer;
    INT nSize = 0;
    if (GdipGetImagePaletteSize(m_pImage.get(), &nSize) != Ok || nSize <= 0 || nSize > (INT)sizeof(buffer) ||
        GdipGetImagePalette(m_pImage.get(), &buffer.palette, nSize) != Ok)
        return false;
    return !(buffer.palette.Flags & PaletteFlagsHasAlpha);
}

void CImageAnimation::Draw()
{
    HWND hWnd = m_wnd.m_hWnd;
    if (!m_bIsInitialized || m_nFrameCount >= 2 || !hWnd)
        return;
    CWindowDCHandle dcWindow(hWnd);
    if (!dcWindow.Get())
        return;
    CRect rcClient;
    ::GetClientRect(hWnd, &rcClient);
    CGdiplusGraphics pGraphics = GraphicsOn(dcWindow.Get());
    if (pGraphics)
        GdipDrawImageRectI(pGraphics.get(), m_pImage.get(), 0, 0, rcClient.Width(), rcClient.Height());
}

void CImageAnimation::SetPause(bool bPause)
{
    if (m_nFrameCount <= 1)
        return;
    if (bPause && !m_bPause && m_hPause)
        ::ResetEvent(m_hPause.get());
    else if (!bPause && m_bPause && m_hPause)
        ::SetEvent(m_hPause.get());
    m_bPause = bPause;
}

void CImageAnimation::Destroy()
{
    if (m_hThread)
    {
        if (m_nFrameCount > 1)
        {
            if (m_bPause && m_hPause)
                ::SetEvent(m_hPause.get());
            m_bPause = false;
        }
        ::SetEvent(m_hExitEvent.get());
        // The thread sees the exit event before its next frame or during its delay: this waits
        // at most for the frame it is drawing.
        ::WaitForSingleObject(m_hThread.get(), INFINITE);
        m_hThread.reset();
    }
    m_hExitEvent.reset();
    m_hPause.reset();
    m_pDelays.reset();
    m_nDelayCount = 0;
    m_pImage.reset();
    m_bIsInitialized = false;
}
