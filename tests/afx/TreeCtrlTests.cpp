// The tree wrapper as a skinned tree relies on it: visible-item walks, label rectangles that fail
// for hidden items, texts of any length and expand notifications reflected to the control.
#include "KorvoTest.h"
#include <gtest/gtest.h>

namespace
{
const UINT IDC_TREE = 301;

class CExpandTree : public CTreeCtrl
{
public:
    int m_nExpanding = 0;

protected:
    afx_msg void OnItemExpanding(NMHDR*, LRESULT* pResult)
    {
        m_nExpanding++;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExpandTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGW, OnItemExpanding)
END_MESSAGE_MAP()

struct CTreeHost
{
    CTreeHost()
    {
        EXPECT_TRUE(wnd.CreateEx(0, NULL, L"tree", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300, NULL, NULL));
        EXPECT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 200), &wnd, IDC_TREE));
    }
    ~CTreeHost() { wnd.DestroyWindow(); }
    CWnd wnd;
    CExpandTree tree;
};
} // namespace

TEST(TreeCtrl, VisibleWalkRectsAndTexts)
{
    CTreeHost host;
    CTreeCtrl& tree = host.tree;
    HTREEITEM hGroup = tree.InsertItem(L"Group");
    HTREEITEM hChild = tree.InsertItem(L"Child", hGroup);
    HTREEITEM hLast = tree.InsertItem(L"Last");

    EXPECT_EQ(hGroup, tree.GetFirstVisibleItem());
    EXPECT_EQ(hLast, tree.GetNextVisibleItem(hGroup));
    CRect rc;
    EXPECT_FALSE(tree.GetItemRect(hChild, &rc, TRUE));

    ASSERT_TRUE(tree.Expand(hGroup, TVE_EXPAND));
    EXPECT_EQ(1, host.tree.m_nExpanding);
    EXPECT_EQ(hChild, tree.GetNextVisibleItem(hGroup));
    EXPECT_EQ(hLast, tree.GetNextVisibleItem(hChild));
    EXPECT_EQ(nullptr, tree.GetNextVisibleItem(hLast));
    CRect rcGroup, rcChild;
    ASSERT_TRUE(tree.GetItemRect(hGroup, &rcGroup, TRUE));
    ASSERT_TRUE(tree.GetItemRect(hChild, &rcChild, TRUE));
    EXPECT_LE(rcGroup.bottom, rcChild.top);
    EXPECT_GT(rcChild.left, rcGroup.left);
    CRect rcGroupRow, rcRow;
    ASSERT_TRUE(tree.GetItemRect(hGroup, &rcGroupRow, FALSE));
    ASSERT_TRUE(tree.GetItemRect(hChild, &rcRow, FALSE));
    EXPECT_EQ(tree.GetItemHeight(), rcRow.top - rcGroupRow.top);
    EXPECT_EQ(0, rcRow.left);

    // Texts of any length read back whole.
    CString strLong;
    for (int n = 0; n < 700; n++)
        strLong += (wchar_t)(L'a' + n % 26);
    EXPECT_EQ(strLong, tree.GetItemText(tree.InsertItem(strLong, 3, 4)));
    EXPECT_EQ(CString(), tree.GetItemText(tree.InsertItem(L"")));
}
