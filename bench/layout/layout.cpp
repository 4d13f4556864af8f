// One layout pass over 500 anchored children: ArrangeLayout's single deferred batch against
// placing the same children at the same rectangles one SetWindowPos at a time, in the same
// process on the same windows; and a pass in which nothing changed.
//
// Two layouts: a grid that stretches with the window, so that every child moves and resizes
// (the batch against the same moves made singly), and a dialog-like one in which only every
// fifth child follows the bottom-right corner (the batch, which leaves unchanged children out,
// against positioning every child).
#include <algorithm>
#include "../BenchSupport.h"
#include <KorvoSkin/CResizableLayout.h>
#include <KorvoTest.h>
#include <stdio.h>
#include <vector>

namespace
{
const int COLUMNS = 25;
const int ROWS = 20;
const int PASSES = 4;
const int RUNS = 3;

// A shown top-level window whose layout area the benchmark chooses, so that the parent itself
// never changes and every pass measures only the children's positioning.
class CBenchWnd : public CWnd, public CResizableLayout
{
public:
    using CResizableLayout::AddAnchor;
    using CResizableLayout::ArrangeLayout;
    using CResizableLayout::GetAnchorPosition;

    CRect m_rectTotal;
    std::vector<HWND> m_children;
    CWnd* GetResizableWnd() override { return this; }

    // bStretch: every child follows its own grid cell; otherwise every fifth child keeps to the
    // bottom-right corner and the others to the top-left.
    BOOL Create(BOOL bStretch)
    {
        if (!CreateEx(0, NULL, L"layout bench", WS_POPUP | WS_VISIBLE, 0, 0, 960, 720, NULL, NULL))
            return FALSE;
        m_rectTotal = CRect(0, 0, 800, 600);
        const int nCellWidth = 800 / COLUMNS, nCellHeight = 600 / ROWS;
        for (int nRow = 0; nRow < ROWS; nRow++)
        {
            for (int nColumn = 0; nColumn < COLUMNS; nColumn++)
            {
                HWND hChild = ::CreateWindowExW(0, L"Button", L"x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                                nColumn * nCellWidth + 1, nRow * nCellHeight + 1, nCellWidth - 2,
                                                nCellHeight - 2, m_hWnd, NULL, NULL, NULL);
                if (!hChild)
                    return FALSE;
                m_children.push_back(hChild);
                if (bStretch)
                    AddAnchor(hChild, CSize(nColumn * 100 / COLUMNS, nRow * 100 / ROWS),
                              CSize((nColumn + 1) * 100 / COLUMNS, (nRow + 1) * 100 / ROWS));
                else
                    AddAnchor(hChild, m_children.size() % 5 ? TOP_LEFT : BOTTOM_RIGHT);
            }
        }
        return TRUE;
    }

    // The same rectangles ArrangeLayout would use, each child placed by its own call.
    void PlaceOneByOne()
    {
        for (HWND hChild : m_children)
        {
            CRect rect;
            UINT nFlags = 0;
            GetAnchorPosition(hChild, m_rectTotal, rect, &nFlags);
            ::SetWindowPos(hChild, NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                           nFlags & ~(SWP_NOMOVE | SWP_NOSIZE));
        }
    }

protected:
    void GetTotalClientRect(LPRECT lpRect) override { *lpRect = m_rectTotal; }
};

// The time of one run of PASSES passes, per pass, alternating between two layout areas (or
// staying on the first); painting is the same work either way and is left out.
template <class FN> double TimeRun(CBenchWnd& wnd, BOOL bAlternate, FN fn)
{
    const CRect rects[2] = { CRect(0, 0, 800, 600), CRect(0, 0, 900, 680) };
    wnd.m_rectTotal = rects[0];
    wnd.ArrangeLayout();
    wnd.RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    double dTime = 0;
    for (int nPass = 0; nPass < PASSES; nPass++)
    {
        wnd.m_rectTotal = rects[bAlternate ? (nPass + 1) % 2 : 0];
        double dStart = KorvoTest::Now();
        fn();
        dTime += KorvoTest::Now() - dStart;
        wnd.RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return dTime / PASSES;
}

// Best of RUNS runs.
template <class FN> double Measure(CBenchWnd& wnd, BOOL bAlternate, FN fn)
{
    double dBest = 1e30;
    for (int nRun = 0; nRun < RUNS; nRun++)
        dBest = std::min(dBest, TimeRun(wnd, bAlternate, fn));
    return dBest;
}

// Best of RUNS runs of each of two ways, their runs taken in turn so that a change in the
// machine's load falls on both alike.
template <class FN1, class FN2>
void MeasurePair(CBenchWnd& wnd, BOOL bAlternate, FN1 fn1, FN2 fn2, double& dBest1, double& dBest2)
{
    dBest1 = dBest2 = 1e30;
    for (int nRun = 0; nRun < RUNS; nRun++)
    {
        dBest1 = std::min(dBest1, TimeRun(wnd, bAlternate, fn1));
        dBest2 = std::min(dBest2, TimeRun(wnd, bAlternate, fn2));
    }
}

void Row(const char* pszName, double dSeconds)
{
    printf("  %-48s %9.3f ms per pass\n", pszName, dSeconds * 1000.0);
}
}

int main()
{
    static CWinApp app(L"LayoutBench");
    AfxWinInit(::GetModuleHandleW(NULL), NULL, ::GetCommandLineW(), SW_SHOWNORMAL);
    setvbuf(stdout, NULL, _IONBF, 0);
    double dStart = KorvoTest::Now();
    printf("%d anchored push buttons in a shown window; best of %d runs of %d passes each\n", COLUMNS * ROWS, RUNS,
           PASSES);

    CBenchWnd stretch;
    if (!stretch.Create(TRUE))
    {
        printf("The windows could not be created (error %lu)\n", ::GetLastError());
        return 1;
    }
    double dBatch, dSingle;
    MeasurePair(stretch, TRUE, [&]() { stretch.ArrangeLayout(); }, [&]() { stretch.PlaceOneByOne(); }, dBatch, dSingle);
    double dUnchanged = Measure(stretch, FALSE, [&]() { stretch.ArrangeLayout(); });
    stretch.DestroyWindow();

    CBenchWnd dialog;
    if (!dialog.Create(FALSE))
    {
        printf("The windows could not be created (error %lu)\n", ::GetLastError());
        return 1;
    }
    double dDialogBatch, dDialogSingle;
    MeasurePair(dialog, TRUE, [&]() { dialog.ArrangeLayout(); }, [&]() { dialog.PlaceOneByOne(); }, dDialogBatch,
                dDialogSingle);
    dialog.DestroyWindow();

    printf("Every child moves and resizes:\n");
    Row("ArrangeLayout, one deferred batch", dBatch);
    Row("one SetWindowPos per child", dSingle);
    Row("ArrangeLayout, nothing changed", dUnchanged);
    printf("One child in five follows the corner:\n");
    Row("ArrangeLayout, changed children only", dDialogBatch);
    Row("one SetWindowPos per child, all children", dDialogSingle);
    printf("\nBatch vs one at a time, every child moving: %.2fx faster\n", dSingle / dBatch);
    printf("ArrangeLayout vs one at a time, one in five moving: %.2fx faster\n", dDialogSingle / dDialogBatch);
    printf("Nothing changed: %.3f%% of a moving pass (%.2f us per child)\n", 100.0 * dUnchanged / dBatch,
           dUnchanged * 1e6 / (COLUMNS * ROWS));
    KorvoBench::Row("layout: one batch vs SetWindowPos per child", dBatch, dSingle, KorvoBench::SPEED_AT_LEAST, 1.0);
    KorvoBench::Row("layout: changed children only vs all", dDialogBatch, dDialogSingle, KorvoBench::SPEED_AT_LEAST, 1.0);
    KorvoBench::Row("layout: nothing changed vs every child moving", dUnchanged, dBatch, KorvoBench::NO_TARGET);
    printf("Total run: %.1f s\n", KorvoTest::Now() - dStart);
    return 0;
}
