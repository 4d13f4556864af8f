// A static control that shows a picture file stretched over its client area, and plays an
// animated GIF on a worker thread of its own: the GUI thread only starts, pauses, resumes and
// stops the animation. GDI+ must be running (InitSkin starts it) before Load.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>
#include <memory>

class CImageAnimation;

class KORVOSKIN_API CImageStatic : public CStatic, public CAccessibleName
{
    DECLARE_DYNAMIC(CImageStatic)
public:
    CImageStatic();
    // Stops a thread still running (the window was not destroyed first) before the object goes.
    virtual ~CImageStatic();

    // An empty path changes nothing and fails. Otherwise the current picture is released first;
    // a file GDI+ cannot read, GDI+ not running, or a picture past the documented bounds (a PNG,
    // GIF, JPEG or BMP of at most 32 MB, 16 megapixels a frame, 1000 frames and 256 MB decoded,
    // checked from its headers before anything is decoded) leaves the control empty. A frame
    // without a delay of its own shows for 100 ms, and no frame for less than 20 ms.
    bool Load(CString strPath);
    // Paints a still picture into the client area now; an animation is painted by its thread.
    void Draw();
    // Starts the animation thread of a loaded multi-frame picture (Load does); true only when
    // the thread could not be created.
    bool InitAnimation();
    void SetPause(bool bPause);
    bool IsPaused() const;
    // The frame count of the last picture loaded stays known after Destroy.
    bool IsAnimatedGIF() const { return GetFrameCount() > 1; }
    UINT GetFrameCount() const;
    // Stops the thread (a paused one too) and releases the picture, the events and the delays.
    void Destroy();

protected:
    // Message handlers a derived class may chain to
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The picture and its animation; null only when it could not be allocated.
    std::unique_ptr<CImageAnimation> m_pAnimation;
};
