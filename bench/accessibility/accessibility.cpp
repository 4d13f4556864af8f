// A screen reader's questions to a skinned tree, asked in this process through the object
// AccessibleObjectFromWindow gives: one hit test on the first row, and the names of every shown
// row read one by one. A small tree and one eight times its size side by side: a question costs
// the same in both, and reading every row grows with the rows, not with their square.
#include "../BenchSupport.h"
#include <KorvoSkin.h>
#include <oleacc.h>
#include <stdio.h>

namespace
{
const int SMALL_ROWS = 25;
const int LARGE_ROWS = 200;
const int RUNS = 3;

// A top-level window holding a skinned tree of nRows shown rows: heads of ten, all expanded.
class CTreeWindow
{
public:
    explicit CTreeWindow(int nRows)
    {
        m_hFrame = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 320, 300, NULL, NULL, NULL, NULL);
        HWND hTree = ::CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                                       0, 0, 320, 300, m_hFrame, NULL, NULL, NULL);
        m_tree.SubclassWindow(hTree);
        for (int nHead = 0; nHead * 10 < nRows; nHead++)
        {
            wchar_t szText[32];
            swprintf(szText, _countof(szText), L"Group %d", nHead);
            HTREEITEM hHead = m_tree.InsertItem(szText);
            for (int n = 1; n < 10 && nHead * 10 + n < nRows; n++)
            {
                swprintf(szText, _countof(szText), L"Member %d.%d", nHead, n);
                m_tree.InsertItem(szText, hHead);
            }
            m_tree.Expand(hHead, TVE_EXPAND);
        }
        m_tree.SelectSetFirstVisible(m_tree.GetRootItem());
        ::UpdateWindow(m_hFrame);
        if (FAILED(::AccessibleObjectFromWindow(hTree, (DWORD)OBJID_CLIENT, __uuidof(IAccessible), (void**)&m_pObject)))
            m_pObject = NULL;
    }
    ~CTreeWindow()
    {
        if (m_pObject)
            m_pObject->Release();
        m_tree.UnsubclassWindow();
        ::DestroyWindow(m_hFrame);
    }

    // One hit test at the middle of the first row; FALSE unless it names that row.
    bool HitTest()
    {
        CRect rc;
        if (!m_pObject || !m_tree.GetItemRect(m_tree.GetRootItem(), &rc, TRUE))
            return false;
        CPoint pt = rc.CenterPoint();
        m_tree.ClientToScreen(&pt);
        VARIANT var;
        ::VariantInit(&var);
        bool bFound = SUCCEEDED(m_pObject->accHitTest(pt.x, pt.y, &var)) && var.vt == VT_I4 && var.lVal == 1;
        ::VariantClear(&var);
        return bFound;
    }

    // Every shown row's name, one question each; FALSE when one has none.
    bool ReadNames()
    {
        long nChildren = 0;
        if (!m_pObject || FAILED(m_pObject->get_accChildCount(&nChildren)) || nChildren <= 0)
            return false;
        for (long idChild = 1; idChild <= nChildren; idChild++)
        {
            VARIANT var;
            var.vt = VT_I4;
            var.lVal = idChild;
            BSTR bstrName = NULL;
            if (FAILED(m_pObject->get_accName(var, &bstrName)) || !bstrName)
                return false;
            ::SysFreeString(bstrName);
        }
        return true;
    }

private:
    HWND m_hFrame = NULL;
    CSkinTree m_tree;
    IAccessible* m_pObject = NULL;
};
}

int main()
{
    KorvoBench::StartHostApplication(L"AccessibilityBench");
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_TREEVIEW_CLASSES };
    ::InitCommonControlsEx(&icc);
    ::CoInitialize(NULL);
    {
        CTreeWindow small(SMALL_ROWS), large(LARGE_ROWS);
        double dSmall = KorvoBench::BestTime(RUNS, [&] { return small.HitTest(); });
        double dLarge = KorvoBench::BestTime(RUNS, [&] { return large.HitTest(); });
        printf("skinned tree, one hit test: %d rows %.3f ms, %d rows %.3f ms (best of %d)\n", SMALL_ROWS,
               dSmall * 1000, LARGE_ROWS, dLarge * 1000, RUNS);
        KorvoBench::Row("tree hit test: 200 rows vs 25", dLarge, dSmall, KorvoBench::TIME_AT_MOST, 2.0);
        dSmall = KorvoBench::BestTime(RUNS, [&] { return small.ReadNames(); });
        dLarge = KorvoBench::BestTime(RUNS, [&] { return large.ReadNames(); });
        printf("skinned tree, every row's name: %d rows %.3f ms, %d rows %.3f ms (best of %d)\n", SMALL_ROWS,
               dSmall * 1000, LARGE_ROWS, dLarge * 1000, RUNS);
        KorvoBench::Row("tree names, every row: 200 rows vs 8 x 25", dLarge, dSmall * LARGE_ROWS / SMALL_ROWS,
                        KorvoBench::TIME_AT_MOST, 2.0);
    }
    ::CoUninitialize();
    return 0;
}
