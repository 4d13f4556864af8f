// Basic definitions shared by every framework header.
#pragma once

#ifndef WINVER
#define WINVER 0x0501
#endif
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0501
#endif
#ifndef _WIN32_IE
#define _WIN32_IE 0x0600
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>
#include <commctrl.h>
#include <tchar.h>
#include <stddef.h>

// The framework lives in its own DLL; hosts and extension libraries import it.
#ifdef KORVOAFX_BUILD
#define AFX_CORE_DATA __declspec(dllexport)
#else
#define AFX_CORE_DATA __declspec(dllimport)
#endif
#define AFX_CLASS_EXPORT __declspec(dllexport)
#define AFX_CLASS_IMPORT __declspec(dllimport)
#define AFX_API AFX_CORE_DATA

// Classes of an extension library: exported while building it, imported by its users.
#ifdef _AFXEXT
#define AFX_EXT_CLASS AFX_CLASS_EXPORT
#else
#define AFX_EXT_CLASS AFX_CLASS_IMPORT
#endif

#define AFX_MSG_CALL

// The one message-map entry that stands for every WM_CTLCOLOR* message.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
#define afx_msg

// Contract checks. A debug build (_DEBUG: the Debug build type, or the KORVO_DEBUG option of
// the framework's CMake target) evaluates ASSERT and stops at a failed one: in the debugger
// when one is attached, otherwise by ending the process at once with exit code 3 (abort's code;
// the C runtime's abort would show a message box in a windowed program first). A release build
// compiles ASSERT away and VERIFY to its bare expression. Nothing is logged.
AFX_API BOOL AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
#define AfxDebugBreak() ::DebugBreak()
#ifdef _DEBUG
#ifndef ASSERT
#define ASSERT(f) ((void)((f) || (AfxAssertFailedLine(__FILE__, __LINE__) && (AfxDebugBreak(), 0))))
#endif
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(p) ASSERT((p) != NULL)
#else
#ifndef ASSERT
#define ASSERT(f) ((void)0)
#endif
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)
#endif

typedef struct __POSITION { } *POSITION;

#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif
