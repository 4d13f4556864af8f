// An edit control that keeps the system's text area and replaces its border with a flat frame
// in the interface theme's colours: an outer ring in the midtone, an inner ring in the border
// colour, the midtone between ring and text area when the border is wider.
#pragma once
#include <afxwin.h>
#include <KorvoSkin/KorvoSkinExport.h>
#include <KorvoSkin/CAccessibleName.h>

class KORVOSKIN_API CSkinEdit : public CEdit, public CAccessibleName
{
    DECLARE_DYNAMIC(CSkinEdit)
public:
    CSkinEdit();
    virtual ~CSkinEdit();

protected:
    // Message handlers a derived class may chain to
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CSkinEdit(const CSkinEdit&) = delete;
    void operator=(const CSkinEdit&) = delete;
};
