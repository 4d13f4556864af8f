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

#ifndef ASSERT
#define ASSERT(f) ((void)0)
#endif
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)

typedef struct __POSITION { } *POSITION;

#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif
