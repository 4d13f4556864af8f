// A screen reader's questions to the skinned tree cost it the same few messages whatever the
// tree's size, a whole walk of its rows costs one pass over them, and the rows it numbers follow
// every change: by the host, by the keyboard and by the pointer.
#include "GalleryPageHost.h"

using namespace GalleryTest;

namespace
{
// A skinned tree that counts the tree-view messages its window receives.
class CCountingTree : public CSkinTree
{
public:
    int m_nTreeMessages = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        m_nTreeMessages += message >= TV_FIRST && message < TV_FIRST + 0x100;
        return CSkinTree::WindowProc(message, wParam, lParam);
    }
};

// Groups of one head and nine members, all expanded.
struct CRowsHost
{
    static const UINT ID = 1000;
    ControlsTest::CHostDialog dlg;
    CCountingTree tree;
    std::vector<HTREEITEM> groups;
    IAccessible* pObject = NULL;

    explicit CRowsHost(int nRows)
    {
        dlg.AddControl(WC_TREEVIEWW, ID, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | WS_TABSTOP, 10, 10, 300, 280);
        EXPECT_TRUE(tree.SubclassDlgItem(ID, &dlg));
        for (int nGroup = 0; nGroup * 10 < nRows; nGroup++)
        {
            CString strGroup;
            strGroup.Format(L"Group %d", nGroup);
            HTREEITEM hGroup = tree.InsertItem(strGroup);
            for (int n = 1; n < 10 && nGroup * 10 + n < nRows; n++)
            {
                CString strMember;
                strMember.Format(L"Member %d.%d", nGroup, n);
                tree.InsertItem(strMember, hGroup);
            }
            tree.Expand(hGroup, TVE_EXPAND);
            groups.push_back(hGroup);
        }
        // Expanding scrolled the last group into view; the first rows are shown again.
        tree.SelectSetFirstVisible(groups.front());
        ControlsTest::MovePointerAway();
        KorvoTest::PumpMessages(10);
        pObject = ObjectOf(tree.m_hWnd);
        EXPECT_TRUE(pObject);
    }
    ~CRowsHost()
    {
        if (pObject)
            pObject->Release();
    }

    // The tree-view messages one question costs the tree.
    template <typename Question> int Cost(Question fnQuestion)
    {
        int nBefore = tree.m_nTreeMessages;
        fnQuestion();
        return tree.m_nTreeMessages - nBefore;
    }

    // The rows as the tree shows them, and as the object names them.
    std::vector<CString> ShownRows()
    {
        std::vector<CString> rows;
        for (HTREEITEM hItem = tree.GetRootItem(); hItem; hItem = tree.GetNextVisibleItem(hItem))
            rows.push_back(tree.GetItemText(hItem));
        return rows;
    }
    std::vector<CString> ReadRows()
    {
        std::vector<CString> rows;
        long nCount = Read(pObject).nChildren;
        for (long idChild = 1; idChild <= nCount; idChild++)
            rows.push_back(Read(pObject, idChild).strName);
        return rows;
    }
    // A point of the row's expand button, in client coordinates.
    CPoint ButtonOf(HTREEITEM hItem)
    {
        CRect rc;
        tree.GetItemRect(hItem, &rc, FALSE);
        for (int x = rc.left; x < rc.right; x++)
        {
            UINT nFlags = 0;
            if (tree.HitTest(CPoint(x, rc.CenterPoint().y), &nFlags) == hItem && (nFlags & TVHT_ONITEMBUTTON))
                return CPoint(x + 2, rc.CenterPoint().y);
        }
        return CPoint(-1, -1);
    }
};

VARIANT Child(long idChild)
{
    VARIANT var;
    var.vt = VT_I4;
    var.lVal = idChild;
    return var;
}

// What each kind of question costs once the tree is numbered.
struct CCosts
{
    enum { COUNT, FIRST_NAME, LAST_NAME, STATE, LOCATION, HIT_TEST, FOCUS, SELECTION, QUESTIONS };
    int n[QUESTIONS] = {};
};

CCosts Measure(CRowsHost& host, long nRows)
{
    IAccessible* pTree = host.pObject;
    CCosts costs;
    long nCount = 0;
    pTree->get_accChildCount(&nCount);
    EXPECT_EQ(nRows, nCount);
    costs.n[CCosts::COUNT] = host.Cost([&] { pTree->get_accChildCount(&nCount); });
    BSTR bstr = NULL;
    costs.n[CCosts::FIRST_NAME] = host.Cost([&] { pTree->get_accName(Child(1), &bstr); });
    EXPECT_STREQ(L"Group 0", bstr);
    ::SysFreeString(bstr);
    costs.n[CCosts::LAST_NAME] = host.Cost([&] { pTree->get_accName(Child(nRows), &bstr); });
    CString strLast;
    strLast.Format(L"Member %d.9", (int)nRows / 10 - 1);
    EXPECT_STREQ(strLast, bstr);
    ::SysFreeString(bstr);
    VARIANT var;
    ::VariantInit(&var);
    costs.n[CCosts::STATE] = host.Cost([&] { pTree->get_accState(Child(nRows / 2), &var); });
    long x = 0, y = 0, cx = 0, cy = 0;
    costs.n[CCosts::LOCATION] = host.Cost([&] { pTree->accLocation(&x, &y, &cx, &cy, Child(3)); });
    ::VariantInit(&var);
    costs.n[CCosts::HIT_TEST] = host.Cost([&] { pTree->accHitTest(x + cx / 2, y + cy / 2, &var); });
    EXPECT_EQ(VT_I4, var.vt);
    EXPECT_EQ(3, var.lVal);
    host.tree.SelectItem(host.groups[1]);
    ::SetFocus(host.tree.m_hWnd);
    KorvoTest::PumpMessages(10);
    pTree->get_accFocus(&var);
    ::VariantInit(&var);
    costs.n[CCosts::FOCUS] = host.Cost([&] { pTree->get_accFocus(&var); });
    EXPECT_EQ(11, var.lVal);
    ::VariantInit(&var);
    costs.n[CCosts::SELECTION] = host.Cost([&] { pTree->get_accSelection(&var); });
    EXPECT_EQ(11, var.lVal);
    return costs;
}
}

TEST(AccessibleTree, EachQuestionCostsTheSameAtFiftyAndFourHundredRows)
{
    CComApartment apartment;
    ControlsTest::CFreshTheme theme;
    CCosts costs[2];
    const long ROWS[] = { 50, 400 };
    for (int n = 0; n < 2; n++)
    {
        CRowsHost host(ROWS[n]);
        ASSERT_TRUE(host.pObject);
        costs[n] = Measure(host, ROWS[n]);
    }
    for (int n = 0; n < CCosts::QUESTIONS; n++)
    {
        EXPECT_EQ(costs[0].n[n], costs[1].n[n]) << "question " << n;
        EXPECT_LE(costs[1].n[n], 16) << "question " << n;
    }
}

TEST(AccessibleTree, AWalkOverEveryRowCostsOnePassOverThem)
{
    CComApartment apartment;
    ControlsTest::CFreshTheme theme;
    const long ROWS = 400;
    CRowsHost host(ROWS);
    ASSERT_TRUE(host.pObject);
    // A screen reader reads every row's name from a tree it has not asked before.
    std::vector<CString> names;
    int nWalk = host.Cost([&] {
        long nCount = 0;
        host.pObject->get_accChildCount(&nCount);
        for (long idChild = 1; idChild <= nCount; idChild++)
        {
            BSTR bstr = NULL;
            host.pObject->get_accName(Child(idChild), &bstr);
            names.push_back(bstr ? bstr : L"");
            ::SysFreeString(bstr);
        }
    });
    EXPECT_EQ(host.ShownRows(), names);
    // One pass numbers the rows; then each name costs a few messages, whatever the row.
    EXPECT_LE(nWalk, ROWS * 20);
}

TEST(AccessibleTree, TheNumberingFollowsTheHostTheKeyboardAndThePointer)
{
    CComApartment apartment;
    ControlsTest::CFreshTheme theme;
    CRowsHost host(30);
    ASSERT_TRUE(host.pObject);
    EXPECT_EQ(host.ShownRows(), host.ReadRows());

    // The host collapses a group, adds a row and takes one away.
    host.tree.Expand(host.groups[0], TVE_COLLAPSE);
    EXPECT_EQ(21, Read(host.pObject).nChildren);
    EXPECT_STREQ(L"Group 1", Read(host.pObject, 2).strName);
    HTREEITEM hAdded = host.tree.InsertItem(L"Added", host.groups[1], TVI_FIRST);
    EXPECT_STREQ(L"Added", Read(host.pObject, 3).strName);
    host.tree.DeleteItem(hAdded);
    EXPECT_EQ(host.ShownRows(), host.ReadRows());

    // The keyboard collapses the selected group.
    host.tree.SelectItem(host.groups[2]);
    ::SetFocus(host.tree.m_hWnd);
    KorvoTest::PumpMessages(10);
    EXPECT_EQ(21, Read(host.pObject).nChildren);
    PressKey(VK_LEFT);
    EXPECT_EQ(0u, host.tree.GetItemState(host.groups[2], TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(12, Read(host.pObject).nChildren);
    EXPECT_EQ(host.ShownRows(), host.ReadRows());

    // The pointer expands the first group by its button.
    CPoint ptButton = host.ButtonOf(host.groups[0]);
    ASSERT_GE(ptButton.x, 0);
    ControlsTest::MovePointer(host.tree.m_hWnd, ptButton.x, ptButton.y);
    ControlsTest::ClickPointer();
    EXPECT_TRUE(ControlsTest::PumpUntil(
        [&] { return (host.tree.GetItemState(host.groups[0], TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }));
    EXPECT_EQ(21, Read(host.pObject).nChildren);
    EXPECT_EQ(host.ShownRows(), host.ReadRows());
    ControlsTest::MovePointerAway();
}
