// A window skin as the registry holds it. What a window skin is, and how one is read, belongs to
// the layer above; the registry owns the skins and asks each whether a window name is its own.
#pragma once
#include "../afx/afxwin.h"
#include <vector>

class CWindowSkinBase
{
public:
    virtual ~CWindowSkinBase() {}
    // Whether pszName is one of the skin's target names, compared exactly and whole.
    virtual BOOL HasTarget(const wchar_t* pszName) const = 0;
    // Every target name, in reading order.
    virtual const std::vector<CString>& GetTargets() const = 0;
};
