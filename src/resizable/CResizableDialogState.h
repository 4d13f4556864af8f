// What a resizable dialog keeps behind its public face: its own bit of the grip's visibility
// count and where its placement is saved.
#pragma once
#include <afxwin.h>

class CResizableDialogState
{
public:
    // The bit starts set: the dialog's own show request is already counted, so its grip stays
    // hidden unless a derived class asks for it with a bit of its own.
    CResizableDialogState() : m_dwGripRequests(1), m_bSavePlacement(FALSE), m_bPlacementRectOnly(FALSE) {}

    DWORD m_dwGripRequests;
    BOOL m_bSavePlacement;
    BOOL m_bPlacementRectOnly;
    CString m_strPlacementSection;
};
