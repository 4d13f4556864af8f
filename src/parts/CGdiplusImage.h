// An owned GDI+ image: disposed when its owner is reset or goes.
#pragma once
#include <windows.h>
#include <gdiplus.h>
#include <memory>

struct CGdiplusImageDisposer
{
    void operator()(Gdiplus::GpImage* pImage) const { Gdiplus::DllExports::GdipDisposeImage(pImage); }
};

using CGdiplusImage = std::unique_ptr<Gdiplus::GpImage, CGdiplusImageDisposer>;
