// CSkinImage's variants for higher DPIs: which one a draw takes, the filtered copies made for
// DPIs between them, and copying an image with them.
#include "CSkinImage.h"
#include <algorithm>
#include <math.h>
#include <new>
#include <stdlib.h>

namespace
{
// Which source pixels make up each destination pixel along one axis, and how much of it each
// covers, for an average over the area a destination pixel spans.
struct SPAN
{
    int nFirst;
    std::vector<float> weights;
};

std::vector<SPAN> AreaSpans(int nSource, int nDest)
{
    std::vector<SPAN> spans((size_t)nDest);
    const double dStep = (double)nSource / nDest;
    for (int i = 0; i < nDest; i++)
    {
        const double dStart = i * dStep, dEnd = std::min<double>((i + 1) * dStep, nSource);
        SPAN& span = spans[(size_t)i];
        span.nFirst = std::min(nSource - 1, (int)floor(dStart));
        for (int j = span.nFirst; j < nSource && j < dEnd; j++)
            span.weights.push_back((float)((std::min<double>(dEnd, j + 1) - std::max<double>(dStart, j)) / (dEnd - dStart)));
    }
    return spans;
}
}

CSize CSkinImage::VariantSize(int nPercent) const
{
    return CSize(CDpiScale::MulDivRound(m_size.cx, nPercent, 100), CDpiScale::MulDivRound(m_size.cy, nPercent, 100));
}

bool CSkinImage::FitsVariant(int nPercent, LONGLONG cx, LONGLONG cy) const
{
    // Within a pixel of the exact size, which may fall between two.
    return llabs(cx * 100 - (LONGLONG)m_size.cx * nPercent) <= 100 && llabs(cy * 100 - (LONGLONG)m_size.cy * nPercent) <= 100;
}

CSkinImage* CSkinImage::GetVariant(int nPercent) const
{
    for (const VARIANT_IMAGE& variant : m_variants)
        if (variant.nPercent == nPercent)
            return variant.pImage.get();
    return NULL;
}

BOOL CSkinImage::AddVariant(int nPercent, std::unique_ptr<CSkinImage>& pVariant)
{
    if (!m_hBitmap || !pVariant || !pVariant->IsLoaded() || (nPercent != VARIANT_150 && nPercent != VARIANT_200) ||
        HasVariant(nPercent) || pVariant->GetVariantCount() > 0)
        return FALSE;
    if (!FitsVariant(nPercent, pVariant->GetSize().cx, pVariant->GetSize().cy))
        return FALSE;
    pVariant->SetKeyColour(m_crKey);
    if (m_bShared)
        pVariant->SetShared();
    ForgetDerived();
    auto it = std::find_if(m_variants.begin(), m_variants.end(),
                           [nPercent](const VARIANT_IMAGE& variant) { return variant.nPercent > nPercent; });
    m_variants.insert(it, VARIANT_IMAGE{ nPercent, std::move(pVariant) });
    return TRUE;
}

BOOL CSkinImage::CopyFrom(const CSkinImage& source)
{
    if (&source == this)
        return IsLoaded();
    // GDI reads a bitmap's pixels only while no DC holds it.
    const_cast<CSkinImage&>(source).Unselect();
    if (!CopyFrom(source.m_hBitmap))
        return FALSE;
    for (const VARIANT_IMAGE& variant : source.m_variants)
    {
        std::unique_ptr<CSkinImage> pCopy(new (std::nothrow) CSkinImage);
        if (!pCopy || !pCopy->CopyFrom(*variant.pImage))
        {
            Reset();
            return FALSE;
        }
        m_variants.push_back(VARIANT_IMAGE{ variant.nPercent, std::move(pCopy) });
    }
    SetKeyColour(source.m_crKey);
    return TRUE;
}

CRect CSkinImage::FromBase(const CRect& rc, UINT nImageDpi) const
{
    if (nImageDpi == CDpiScale::BASE_DPI)
        return rc;
    auto map = [nImageDpi](LONG n, LONG nLimit) {
        return std::max<LONG>(0, std::min<LONG>(nLimit, CDpiScale::MulDivRound(n, nImageDpi, CDpiScale::BASE_DPI)));
    };
    return CRect(map(rc.left, m_size.cx), map(rc.top, m_size.cy), map(rc.right, m_size.cx), map(rc.bottom, m_size.cy));
}

CSkinImage* CSkinImage::Choose(const CDpiScale& scale, UINT& nImageDpi)
{
    nImageDpi = CDpiScale::BASE_DPI;
    const UINT nDpi = scale.GetDpi();
    if (m_variants.empty() || nDpi <= CDpiScale::BASE_DPI)
        return this;
    CSkinImage* pBelow = this;
    for (VARIANT_IMAGE& variant : m_variants)
    {
        const UINT nVariantDpi = (UINT)(variant.nPercent * CDpiScale::BASE_DPI / 100);
        if (nVariantDpi < nDpi)
        {
            pBelow = variant.pImage.get();
            nImageDpi = nVariantDpi;
            continue;
        }
        if (nVariantDpi == nDpi)
        {
            nImageDpi = nDpi;
            return variant.pImage.get();
        }
        if (CSkinImage* pDerived = Derive(*variant.pImage, scale))
        {
            nImageDpi = nDpi;
            return pDerived;
        }
        // Picked pixels are worse than averaged ones, better than the 1x image's enlarged.
        nImageDpi = nVariantDpi;
        return variant.pImage.get();
    }
    return pBelow;
}

CSkinImage* CSkinImage::Derive(CSkinImage& variant, const CDpiScale& scale)
{
    const UINT nDpi = scale.GetDpi();
    CDerivedImages* pDerived = Derived();
    if (!pDerived)
        return NULL;
    if (CSkinImage* pFound = pDerived->Find(this, nDpi))
        return pFound;
    // A copy that failed once is not tried at every paint; one past the budget is not tried.
    const CSize size = scale.Scale(m_size);
    if (std::find(m_failedDpis.begin(), m_failedDpis.end(), nDpi) != m_failedDpis.end() ||
        !pDerived->MakeRoom((LONGLONG)size.cx * size.cy))
        return NULL;
    std::unique_ptr<CSkinImage> pCopy = FilterDown(variant, size.cx, size.cy);
    if (!pCopy)
    {
        if (m_failedDpis.size() >= MAX_FAILED_DPIS)
            m_failedDpis.erase(m_failedDpis.begin());
        m_failedDpis.push_back(nDpi);
        return NULL;
    }
    return pDerived->Add(this, nDpi, std::move(pCopy));
}

CDerivedImages* CSkinImage::Derived()
{
    if (m_pDerived)
        return m_pDerived;
    if (!m_pOwnDerived && !m_variants.empty())
        m_pOwnDerived.reset(new (std::nothrow) CDerivedImages(m_variants.back().pImage->GetPixelCount()));
    return m_pOwnDerived.get();
}

void CSkinImage::SetDerivedImages(CDerivedImages* pDerived)
{
    ForgetDerived();
    m_pDerived = pDerived;
}

void CSkinImage::ForgetDerived()
{
    if (m_pDerived)
        m_pDerived->Forget(this);
    m_pOwnDerived.reset();
    m_failedDpis.clear();
}

std::unique_ptr<CSkinImage> CSkinImage::FilterDown(CSkinImage& source, int cx, int cy)
{
    // The working rows are several times the image's size; no memory for them is no filtered copy.
    try
    {
        return FilterDownRows(source, cx, cy);
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}

std::unique_ptr<CSkinImage> CSkinImage::FilterDownRows(CSkinImage& source, int cx, int cy)
{
    const CSize sizeSource = source.m_size;
    if (cx <= 0 || cy <= 0 || cx > sizeSource.cx || cy > sizeSource.cy)
        return nullptr;
    std::unique_ptr<CSkinImage> pImage(new (std::nothrow) CSkinImage);
    if (!pImage)
        return nullptr;
    BITMAPINFO info = { { sizeof(BITMAPINFOHEADER), sizeSource.cx, -sizeSource.cy, 1, 32, BI_RGB } };
    std::vector<BYTE> in((size_t)sizeSource.cx * sizeSource.cy * 4);
    source.Unselect();
    CClientDC screen(NULL);
    if (::GetDIBits(screen.m_hDC, source.m_hBitmap, 0, sizeSource.cy, in.data(), &info, DIB_RGB_COLORS) != sizeSource.cy)
        return nullptr;
    // An opaque image stays 24-bit, which GDI keys and copies as it does a BMP's bitmap.
    const int nBytes = source.m_bAlpha ? 4 : 3;
    const size_t nStride = ((size_t)cx * nBytes + 3) & ~(size_t)3;
    void* pBits = NULL;
    BITMAPINFO infoOut = { { sizeof(BITMAPINFOHEADER), cx, -cy, 1, (WORD)(nBytes * 8), BI_RGB } };
    CBitmap bitmap;
    if (!bitmap.Attach(::CreateDIBSection(NULL, &infoOut, DIB_RGB_COLORS, &pBits, NULL, 0)))
        return nullptr;
    BYTE* pOut = (BYTE*)pBits;
    if (source.m_crKey != CLR_INVALID && !source.m_bAlpha)
    {
        // Averaging would fringe the key colour's edges with colours no key matches.
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
            {
                const BYTE* p = &in[((size_t)((LONGLONG)y * sizeSource.cy / cy) * sizeSource.cx +
                                     (size_t)((LONGLONG)x * sizeSource.cx / cx)) * 4];
                BYTE* q = pOut + y * nStride + (size_t)x * nBytes;
                q[0] = p[0], q[1] = p[1], q[2] = p[2];
            }
    }
    else
    {
        // Premultiplied colours average correctly as they are; an opaque image's fourth byte is
        // not its alpha. Each row of the copy averages its source rows into one working row,
        // which is then averaged across: the work takes one row of memory beside the pixels.
        const std::vector<SPAN> columns = AreaSpans(sizeSource.cx, cx), rows = AreaSpans(sizeSource.cy, cy);
        std::vector<float> down((size_t)sizeSource.cx * 4);
        for (int y = 0; y < cy; y++)
        {
            const SPAN& row = rows[(size_t)y];
            std::fill(down.begin(), down.end(), 0.0f);
            for (size_t k = 0; k < row.weights.size(); k++)
            {
                const BYTE* p = &in[((size_t)row.nFirst + k) * sizeSource.cx * 4];
                const float fWeight = row.weights[k];
                for (size_t i = 0; i < down.size(); i++)
                    down[i] += fWeight * (i % 4 == 3 && !source.m_bAlpha ? 255 : p[i]);
            }
            for (int x = 0; x < cx; x++)
            {
                const SPAN& span = columns[(size_t)x];
                float sum[4] = {};
                for (size_t k = 0; k < span.weights.size(); k++)
                    for (int c = 0; c < 4; c++)
                        sum[c] += span.weights[k] * down[((size_t)span.nFirst + k) * 4 + c];
                BYTE* q = pOut + y * nStride + (size_t)x * nBytes;
                const BYTE a = (BYTE)std::min(255.0f, sum[3] + 0.5f);
                for (int c = 0; c < 3; c++)
                    q[c] = (BYTE)std::min<float>(a, sum[c] + 0.5f);
                if (nBytes == 4)
                    q[3] = a;
            }
        }
    }
    ::GdiFlush();
    pImage->m_hBitmap = (HBITMAP)bitmap.Detach();
    pImage->m_size = CSize(cx, cy);
    bool bTranslucent = false;
    for (int y = 0; y < cy && nBytes == 4 && !bTranslucent; y++)
        for (int x = 0; x < cx && !bTranslucent; x++)
            bTranslucent = pOut[y * nStride + (size_t)x * 4 + 3] != 255;
    pImage->m_bAlpha = bTranslucent;
    pImage->SetKeyColour(source.m_crKey);
    return pImage;
}
