// An owned GDI+ graphics object: deleted when its owner is reset or goes.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>

struct CGdiplusGraphicsDeleter
{
    void operator()(Gdiplus::GpGraphics* pGraphics) const { Gdiplus::DllExports::GdipDeleteGraphics(pGraphics); }
};

using CGdiplusGraphics = std::unique_ptr<Gdiplus::GpGraphics, CGdiplusGraphicsDeleter>;
