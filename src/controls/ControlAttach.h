// Skins a child control created by other code by its handle: the library's control class for
// the control's window class and style, attached through the control's subclass chain.
#pragma once
#include <afxwin.h>
#include <memory>

// The wrapper now subclassing hControl; null for a kind of control the library does not skin
// and for a control that already has a wrapper. The control's style may change (an owner-drawn
// button): the caller keeps the style it had to put back when it detaches the wrapper.
std::unique_ptr<CWnd> AttachSkinControl(HWND hControl);
