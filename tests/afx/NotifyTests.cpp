// WM_NOTIFY reaches ON_NOTIFY entries by code and control ID, and the handler's result goes back
// to the control that asked.
#include "KorvoTest.h"
#include <gtest/gtest.h>

namespace
{
const UINT IDC_LIST = 201;
const UINT IDC_OTHER = 202;

class CNotifyWnd : public CWnd
{
public:
    int m_nInserted = 0;
    int m_nChanging = 0;
    int m_nClicks = 0;
    BOOL m_bVeto = FALSE;

protected:
    afx_msg void OnInsertItem(NMHDR*, LRESULT* pResult)
    {
        m_nInserted++;
        *pResult = 0;
    }
    afx_msg void OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult)
    {
        NMLISTVIEW* pInfo = (NMLISTVIEW*)pNMHDR;
        if (pInfo->uChanged & LVIF_STATE)
            m_nChanging++;
        *pResult = m_bVeto;
    }
    afx_msg void OnClick(NMHDR*, LRESULT* pResult)
    {
        m_nClicks++;
        *pResult = 77;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyWnd, CWnd)
    ON_NOTIFY(LVN_INSERTITEM, IDC_LIST, OnInsertItem)
    ON_NOTIFY(LVN_ITEMCHANGING, IDC_LIST, OnItemChanging)
    ON_NOTIFY(NM_CLICK, IDC_OTHER, OnClick)
END_MESSAGE_MAP()
} // namespace

TEST(Notify, ListViewNotificationsReachOnNotifyAndTheirResultsCount)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_LISTVIEW_CLASSES };
    ::InitCommonControlsEx(&icc);
    CNotifyWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, L"notify", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
    HWND hList = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 200, 150,
                                   wnd.m_hWnd, (HMENU)(UINT_PTR)IDC_LIST, NULL, NULL);
    ASSERT_NE(nullptr, hList);
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ListView_InsertColumn(hList, 0, &column);
    for (int n = 0; n < 2; n++)
    {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = n;
        item.pszText = (LPWSTR)L"item";
        ASSERT_EQ(n, (int)::SendMessageW(hList, LVM_INSERTITEMW, 0, (LPARAM)&item));
    }
    EXPECT_EQ(2, wnd.m_nInserted);

    // The handler's *pResult is the answer: TRUE forbids the change.
    struct { BOOL bVeto; int nItem; BOOL bSelected; } cases[] = {
        { TRUE, 0, FALSE }, { FALSE, 0, TRUE }, { TRUE, 1, FALSE }, { FALSE, 1, TRUE }
    };
    for (const auto& c : cases)
    {
        wnd.m_bVeto = c.bVeto;
        int nBefore = wnd.m_nChanging;
        ListView_SetItemState(hList, c.nItem, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_LT(nBefore, wnd.m_nChanging);
        EXPECT_EQ(c.bSelected ? (UINT)LVIS_SELECTED : 0u, ListView_GetItemState(hList, c.nItem, LVIS_SELECTED))
            << "item " << c.nItem << (c.bVeto ? " vetoed" : " allowed");
    }

    // Code and control ID must both match an entry.
    struct { UINT nID, nCode; LRESULT lExpected; int nClicks; } sent[] = {
        { IDC_OTHER, NM_CLICK, 77, 1 }, { IDC_LIST, NM_CLICK, 0, 1 }, { IDC_OTHER, NM_DBLCLK, 0, 1 }
    };
    for (const auto& s : sent)
    {
        NMHDR hdr = { hList, s.nID, s.nCode };
        EXPECT_EQ(s.lExpected, wnd.SendMessage(WM_NOTIFY, s.nID, (LPARAM)&hdr));
        EXPECT_EQ(s.nClicks, wnd.m_nClicks);
    }
    wnd.DestroyWindow();
}
