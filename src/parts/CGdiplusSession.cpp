#include "CGdiplusSession.h"
#include "GdiplusRunning.h"
#include <windows.h>
#include <gdiplus.h>

CGdiplusSession::CGdiplusSession() : m_token(0)
{
    if (IsGdiplusRunning())
        return;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, NULL) != Gdiplus::Ok)
        return;
    m_token = token;
    SetGdiplusRunning(true);
}

CGdiplusSession::~CGdiplusSession()
{
    if (!m_token)
        return;
    SetGdiplusRunning(false);
    Gdiplus::GdiplusShutdown((ULONG_PTR)m_token);
}

bool CGdiplusSession::IsRunning() const
{
    return IsGdiplusRunning();
}
