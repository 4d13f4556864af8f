// Owns the size grip of a resizable window and shows it by a counter of visibility requests.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <memory>

class CResizableGripState;

class KORVOSKIN_API CResizableGrip
{
public:
    CResizableGrip();

protected:
    // Overridables
    virtual CWnd* GetResizableWnd() = 0;
public:
    virtual ~CResizableGrip();

protected:
    // For a derived class: it creates its grip once and shows or hides it.
    BOOL CreateGripWindow(BOOL bVisible, BOOL bTriangular, BOOL bTransparent);
    // Puts the grip in the bottom-right corner of the client area, shown while the counter is
    // 1 or more.
    void PositionGrip();
    // Each bit of a caller's status word counts once, whichever way it is toggled; callers
    // follow with PositionGrip.
    void RequestGripShown(DWORD* pStatus, DWORD dwMask);
    void RequestGripHidden(DWORD* pStatus, DWORD dwMask);

private:
    friend class CResizableGripState;
    // The grip window and the counter.
    std::unique_ptr<CResizableGripState> m_pGrip;

    CResizableGrip(const CResizableGrip&) = delete;
    void operator=(const CResizableGrip&) = delete;
};
