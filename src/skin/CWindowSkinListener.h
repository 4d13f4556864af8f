// Something that holds a window skin of the registry between messages, such as a skinned
// window. It registers with the registry and hears once, before a reload or clear deletes the
// window skins, that it must let go of the one it holds.
#pragma once
#include <afxwin.h>

class CWindowSkinListener
{
public:
    // The window skins are going: forget the one held. The registry has already forgotten the
    // listener; one that takes a new skin later registers again.
    virtual void OnWindowSkinsDeleting() = 0;

protected:
    ~CWindowSkinListener() {}
};
