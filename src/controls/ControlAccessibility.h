// What the library's controls tell assistive technology, by kind: each control's WM_GETOBJECT
// handler answers through AnswerGetObject with one of the descriptions below and what only it
// knows (hover, its own check state, its items).
#pragma once
#include "../windowskin/CAccessibleProxy.h"
#include <KorvoSkin/CAccessibleName.h>
#include <functional>

// The control's description when its proxy asks (fnDescribe fills it, after the host-set name),
// a new proxy for OBJID_CLIENT, or 0: the caller then goes on with default processing.
LRESULT AnswerGetObject(HWND hWnd, const CAccessibleName& name, WPARAM wParam, LPARAM lParam,
                        const std::function<void(CAccessibleQuery&)>& fnDescribe);

// A push button; its default action clicks it.
void DescribePushButton(HWND hWnd, CAccessibleQuery& query, bool bHot);
// Editable text with the window text as its value; a password's value is kept back.
void DescribeEditableText(HWND hWnd, CAccessibleQuery& query, bool bHot);
// A drop-down list: the chosen item's text as value; its default action opens or closes it.
void DescribeComboBox(HWND hWnd, CAccessibleQuery& query, bool bHot);
// A text that only shows.
void DescribeStaticText(CAccessibleQuery& query);
// A picture.
void DescribeGraphic(CAccessibleQuery& query, bool bHot);
