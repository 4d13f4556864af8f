// Builds dialog templates in memory, so tests describe their dialogs next to the assertions.
#pragma once
#include <afxwin.h>
#include <vector>

namespace KorvoTest
{
class CDialogTemplate
{
public:
    // Size in dialog units; the font is "MS Shell Dlg" 8 when DS_SETFONT is in dwStyle.
    CDialogTemplate(DWORD dwStyle, int cx, int cy, LPCWSTR pszTitle, DWORD dwExStyle = 0);
    // pszClass is a window class name such as L"Button" or L"Static".
    CDialogTemplate& AddControl(LPCWSTR pszClass, UINT nID, DWORD dwStyle, int x, int y, int cx, int cy,
                                LPCWSTR pszText = L"", DWORD dwExStyle = 0);
    LPCDLGTEMPLATEW Get();

private:
    void AddWord(WORD w) { m_words.push_back(w); }
    void AddString(LPCWSTR psz);
    void Align();

    std::vector<WORD> m_words;
    WORD m_nItems = 0;
};
}
