// The copies skin images make of their variants for DPIs between the variants' scales (an image
// with a 2x variant drawn at 168 DPI), held to a number of pixels, the least recently drawn
// given up first when a new copy needs the room. A skin load's images share one, within what its
// pixel budget leaves; an image on its own keeps one of its own.
#pragma once
#include <afxwin.h>
#include <list>
#include <map>
#include <memory>
#include <utility>

class CSkinImage;

class CDerivedImages
{
public:
    explicit CDerivedImages(LONGLONG nLimit = 0);
    ~CDerivedImages();

    // The pixels the copies may hold together; copies past a lower limit are given up at once,
    // least recently drawn first.
    void SetLimit(LONGLONG nLimit);
    LONGLONG GetLimit() const { return m_nLimit; }
    LONGLONG GetPixelCount() const { return m_nPixels; }
    int GetCount() const { return (int)m_entries.size(); }

    // pOwner's copy for a DPI, marked as just drawn; null without one.
    CSkinImage* Find(const CSkinImage* pOwner, UINT nDpi);
    // Gives up the least recently drawn copies until nPixels more fit; false, giving up nothing,
    // when they would not fit even alone.
    bool MakeRoom(LONGLONG nPixels);
    // Keeps a copy made after MakeRoom(its pixels) said it fits; returns it.
    CSkinImage* Add(const CSkinImage* pOwner, UINT nDpi, std::unique_ptr<CSkinImage> pCopy);
    // Gives up an owner's copies (it changed or goes).
    void Forget(const CSkinImage* pOwner);
    void Clear();

    CDerivedImages(const CDerivedImages&) = delete;
    CDerivedImages& operator=(const CDerivedImages&) = delete;

private:
    struct ENTRY
    {
        const CSkinImage* pOwner;
        UINT nDpi;
        LONGLONG nPixels;
        std::unique_ptr<CSkinImage> pImage;
    };
    typedef std::pair<const CSkinImage*, UINT> KEY;
    void Erase(std::list<ENTRY>::iterator it);

    // Most recently drawn first.
    std::list<ENTRY> m_entries;
    std::map<KEY, std::list<ENTRY>::iterator> m_index;
    LONGLONG m_nLimit;
    LONGLONG m_nPixels;
};
