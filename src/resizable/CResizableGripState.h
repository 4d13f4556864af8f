// What CResizableGrip keeps behind its one pointer: the grip window and the count of requests to
// show it (shown at 1 or more).
#pragma once
#include <KorvoSkin/CResizableGrip.h>
#include "CGripWindow.h"

class CResizableGripState
{
public:
    static CResizableGripState& Of(CResizableGrip& grip) { return *grip.m_pGrip; }

    CGripWindow m_wndGrip;
    int m_nGripVisibility = 0;
};
