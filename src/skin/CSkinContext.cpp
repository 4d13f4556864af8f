#include "CSkinContext.h"

namespace
{
CSkinContext* s_pDefault = NULL;
thread_local CSkinContext* t_pThreadDefault = NULL;
}

CSkinContext::CSkinContext(CInterfaceTheme& theme, CSkinRegistry& registry, CMenuSkinner& menus)
    : m_theme(theme), m_registry(registry), m_menus(menus)
{
}

CSkinContext::~CSkinContext()
{
    if (s_pDefault == this)
        s_pDefault = NULL;
    if (t_pThreadDefault == this)
        t_pThreadDefault = NULL;
}

CSkinContext& CSkinContext::Default()
{
    // The api layer names its context while the library's objects are constructed, before any
    // window, bar or control can ask.
    if (t_pThreadDefault)
        return *t_pThreadDefault;
    ASSERT(s_pDefault);
    return *s_pDefault;
}

void CSkinContext::MakeDefault()
{
    s_pDefault = this;
}

void CSkinContext::MakeThreadDefault()
{
    t_pThreadDefault = this;
}
