// What the frame benchmark's two halves share: the window brought to the top, the best of two
// times, the log line of a time, and the bar's tracking timed (MenuTracking.cpp).
#pragma once
#include <windows.h>

void Raise(HWND hWnd);
// The shorter of two times, where a failed one (negative) stays failed.
double Best(double dBest, double dRun);
// Prints a time as the log line scripts/bench collects.
void PrintTime(const char* pszWhat, double dSeconds);
// The first popup of each bar opened and closed, timed: the bar skinned by handle with the
// library's popups and with the system's, the system's bar alone and with a do-nothing message
// filter and window subclass (the floor of what a bar kept for a window by its handle pays).
void MeasureMenuTracking(HWND hBarSkinned, HWND hBarSystem, bool bBarsReady);
