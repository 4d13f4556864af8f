// A GDI+ session for a program that does not go through InitSkin (the checker, the preview
// tool, tests): started when none is running, marked running for the library's decoders, and
// shut down at the end of the scope only when this object started it.
#pragma once

class CGdiplusSession
{
public:
    CGdiplusSession();
    ~CGdiplusSession();
    bool IsRunning() const;

    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;

private:
    unsigned long long m_token;
};
