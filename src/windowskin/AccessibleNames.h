// How a window is named for assistive technology when nothing names it: by its own text, or by
// the static label just before it in the tab order, the mnemonic's "&" left out; and the
// keyboard shortcut that mnemonic gives.
#pragma once
#include <afxwin.h>

// The window's text, however long.
CString WindowTextOf(HWND hWnd);
// The text with its mnemonic markers taken out ("&&" stays a single "&").
CString StripMnemonic(const CString& strText);
// bTextIsValue: the window's text is what it holds (an edit, a combo box), not its name, so
// only a label names it.
CString AccessibleNameOf(HWND hWnd, bool bTextIsValue);
// "Alt+X" for the mnemonic X of the text the name comes from; empty without one.
CString AccessibleShortcutOf(HWND hWnd, bool bTextIsValue);
// "Alt+X" for the mnemonic X of a text; empty without one.
CString AccessibleShortcutOfText(const CString& strText);
