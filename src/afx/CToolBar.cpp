#include "CToolBar.h"
#include "AfxMsgMap.h"
#include "AfxResource.h"
#include "CCmdUI.h"
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace
{
// Microsoft's resource compiler writes a toolbar resource as WORDs: version 1, button width and
// height, item count, then the items' command IDs. GNU windres writes DWORDs and no version:
// width, height, count, IDs. A WORD-layout resource starts with version 1 and a non-zero width,
// while a DWORD-layout one has the high half of its width, 0, as its second WORD.
BOOL ReadToolbarResource(const BYTE* pData, DWORD nBytes, CSize& sizeButton, std::vector<UINT>& ids)
{
    if (!pData || nBytes < 2 * sizeof(WORD))
        return FALSE;
    const WORD* pWords = (const WORD*)pData;
    const bool bWide = pWords[1] == 0;
    const size_t nField = bWide ? sizeof(DWORD) : sizeof(WORD);
    const size_t nHeader = bWide ? 3 : 4;
    auto field = [&](size_t n) -> UINT { return bWide ? ((const DWORD*)pData)[n] : pWords[n]; };
    if (nBytes < nHeader * nField || (!bWide && field(0) != 1))
        return FALSE;
    const UINT nCount = field(nHeader - 1);
    if (nCount > (nBytes - nHeader * nField) / nField)
        return FALSE;
    sizeButton = CSize((int)(field(nHeader - 3) & 0xFFFF), (int)(field(nHeader - 2) & 0xFFFF));
    ids.clear();
    for (UINT i = 0; i < nCount; i++)
        ids.push_back(field(nHeader + i) & 0xFFFF);
    return TRUE;
}

// One toolbar button during an update pass.
class CToolCmdUI : public CCmdUI
{
public:
    explicit CToolCmdUI(HWND hWndBar) : m_hWndBar(hWndBar) {}
    void Enable(BOOL bOn) override
    {
        ::SendMessageW(m_hWndBar, TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int nCheck) override { ::SendMessageW(m_hWndBar, TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck != 0, 0)); }
    void SetText(LPCWSTR) override {}

private:
    HWND m_hWndBar;
};
}

CToolBar::CToolBar() : m_sizeImage(16, 15)
{
}

CToolBar::~CToolBar()
{
    DestroyWindow();
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWindowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | TBSTYLE_FLAT | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (!CreateEx(0, TOOLBARCLASSNAMEW, NULL, dwWindowStyle, 0, 0, 0, 0, (pParentWnd ? pParentWnd->m_hWnd : NULL), (HMENU)(UINT_PTR)nID))
        return FALSE;
    ::SendMessageW(m_hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(LPCWSTR lpszResourceName)
{
    if (!m_hWnd || !lpszResourceName)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEW(241));
    HRSRC hResource = hInst ? ::FindResourceW(hInst, lpszResourceName, MAKEINTRESOURCEW(241)) : NULL;
    HGLOBAL hGlobal = hResource ? ::LoadResource(hInst, hResource) : NULL;
    const BYTE* pData = hGlobal ? (const BYTE*)::LockResource(hGlobal) : NULL;
    DWORD nBytes = hResource ? ::SizeofResource(hInst, hResource) : 0;
    std::vector<UINT> ids;
    if (!ReadToolbarResource(pData, nBytes, m_sizeImage, ids))
        return FALSE;
    if (!SetButtons(ids.data(), (int)ids.size()))
        return FALSE;
    ::SendMessageW(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(m_sizeImage.cx, m_sizeImage.cy));
    if (m_bmImages.LoadBitmap(lpszResourceName))
    {
        BITMAP bm = {};
        m_bmImages.GetBitmap(&bm);
        TBADDBITMAP tbab = { NULL, (UINT_PTR)m_bmImages.m_hObject };
        ::SendMessageW(m_hWnd, TB_ADDBITMAP, m_sizeImage.cx ? bm.bmWidth / m_sizeImage.cx : 0, (LPARAM)&tbab);
    }
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    while (::SendMessageW(m_hWnd, TB_DELETEBUTTON, 0, 0))
        ;
    int iImage = 0;
    for (int i = 0; i < nIDCount; i++)
    {
        TBBUTTON button = {};
        button.idCommand = (int)lpIDArray[i];
        if (lpIDArray[i] == ID_SEPARATOR)
            button.fsStyle = TBSTYLE_SEP;
        else
        {
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = TBSTYLE_BUTTON;
            button.iBitmap = iImage++;
        }
        if (!::SendMessageW(m_hWnd, TB_ADDBUTTONSW, 1, (LPARAM)&button))
            return FALSE;
    }
    return TRUE;
}

int CToolBar::GetCount() const
{
    return (int)::SendMessageW(m_hWnd, TB_BUTTONCOUNT, 0, 0);
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    ::SendMessageW(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)&button);
    return (UINT)button.idCommand;
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button = {};
    ::SendMessageW(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)&button);
    nID = (UINT)button.idCommand;
    nStyle = button.fsStyle | ((UINT)button.fsState << 16);
    iImage = button.iBitmap;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdTarget* pCmdTarget = pTarget ? (CCmdTarget*)pTarget : GetOwner();
    CToolCmdUI state(m_hWnd);
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        UINT nStyle;
        int iImage;
        GetButtonInfo(state.m_nIndex, state.m_nID, nStyle, iImage);
        if (!(nStyle & TBSTYLE_SEP))
            state.DoUpdate(pCmdTarget, bDisableIfNoHndler);
    }
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    SIZE sizeButtons = {};
    if (m_hWnd)
        ::SendMessageW(m_hWnd, TB_GETMAXSIZE, 0, (LPARAM)&sizeButtons);
    if (bHorz)
    {
        size.cy += sizeButtons.cy;
        if (!bStretch)
            size.cx += sizeButtons.cx;
    }
    else
    {
        size.cx += sizeButtons.cx;
        if (!bStretch)
            size.cy += sizeButtons.cy;
    }
    return size;
}

void CToolBar::OnPaint()
{
    // The control paints itself.
    Default();
}

BOOL CToolBar::OnEraseBkgnd(CDC*)
{
    return (BOOL)Default();
}
