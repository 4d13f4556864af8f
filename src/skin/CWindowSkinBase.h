// A window skin as the registry holds it. What a window skin is, and how one is read, belongs to
// the layer above; the registry owns the skins and asks each whether a window name is its own.
#pragma once
#include <afxwin.h>
#include <vector>

class CWindowSkinBase
{
public:
    virtual ~CWindowSkinBase() {}
    // Whether pszName is one of the skin's target names, compared exactly and whole.
    virtual BOOL HasTarget(const wchar_t* pszName) const = 0;
    // Every target name, in reading order.
    virtual const std::vector<CString>& GetTargets() const = 0;

    // The counter its owner steps whenever it deletes its window skins; null for a skin no
    // registry owns. A modal loop inside the skin keeps the address, which outlives the skin,
    // and afterwards tells from it alone whether the skin still exists.
    const unsigned* GetOwnerGeneration() const { return m_pOwnerGeneration; }
    void SetOwnerGeneration(const unsigned* pGeneration) { m_pOwnerGeneration = pGeneration; }

private:
    const unsigned* m_pOwnerGeneration = nullptr;
};
