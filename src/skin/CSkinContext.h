// One skin's world as its users receive it: the theme (palette, fonts, command images), the
// registry (what the skin's files declared) and the menu engine that draws popups from that
// theme. The api layer builds the library's own context once and names it the default; a
// thread that skins its windows with a skin of its own names its context the default of that
// thread. A checker, a preview or a test may build a private one and hand it to what it
// creates, and nothing painted from it reaches for another skin.
#pragma once
#include <afxwin.h>

class CInterfaceTheme;
class CSkinRegistry;
class CMenuSkinner;

class CSkinContext
{
public:
    // The three outlive the context.
    CSkinContext(CInterfaceTheme& theme, CSkinRegistry& registry, CMenuSkinner& menus);
    // A default context that goes stops being the default (of the calling thread, for a
    // thread's; it goes on the thread it was made for).
    ~CSkinContext();

    CInterfaceTheme& Theme() const { return m_theme; }
    CSkinRegistry& Registry() const { return m_registry; }
    CMenuSkinner& Menus() const { return m_menus; }

    // The context that windows, bars and controls created by a host take, since a host creates
    // them without naming one: the calling thread's own if it has one, else the library's once
    // the api layer has made it the default.
    static CSkinContext& Default();
    void MakeDefault();
    // Makes this the calling thread's default until it is destroyed or another is made so.
    void MakeThreadDefault();

private:
    CInterfaceTheme& m_theme;
    CSkinRegistry& m_registry;
    CMenuSkinner& m_menus;

    CSkinContext(const CSkinContext&) = delete;
    void operator=(const CSkinContext&) = delete;
};
