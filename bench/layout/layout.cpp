// One layout pass over 500 anchored children: ArrangeLayout's single deferred batch against
// placing the same children at the same rectangles one SetWindowPos at a time, in the same
// process on the same windows; and a pass in which nothing changed.
#include "resizable/CResizableLayout.h"
#include <stdio.h>

namespace
{
const int COLUMNS = 25;
const int ROWS = 20;
const int PASSES = 2;
const int RUNS = 1;

double Now()
{
    static LARGE_INTEGER liFrequency;
    if (!liFrequency.QuadPart)
        ::QueryPerformanceFrequency(&liFrequency);
    LARGE_INTEGER liCounter;
    ::QueryPerformanceCounter(&liCounter);
    return (double)liCounter.QuadPart / (double)liFrequency.QuadPart;
}

// A shown top-level window whose layout area the benchmark chooses, so that the parent itself
// never changes and every pass measures only the children's positioning.
class CBenchWnd : public CWnd, public CResizableLayout
{
public:
    using CResizableLayout::AddAnchor;
    using CResizableLayout::ArrangeLayout;
    using CResizableLayout::GetAnchorPosition;

    CRect m_rectTotal;
    CWnd* GetResizableWnd() override { return this; }

protected:
    void GetTotalClientRect(LPRECT lpRect) override { *lpRect = m_rectTotal; }
};

void Flush(CWnd& wnd)
{
    wnd.RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Best time of RUNS for PASSES passes alternating between two layout areas; fn does one pass.
template <class FN> double Measure(CBenchWnd& wnd, const CRect* rects, BOOL bAlternate, FN fn)
{
    double dBest = 1e30;
    for (int nRun = 0; nRun < RUNS; nRun++)
    {
        wnd.m_rectTotal = rects[0];
        wnd.ArrangeLayout();
        Flush(wnd);
        double dTime = 0;
        for (int nPass = 0; nPass < PASSES; nPass++)
        {
            wnd.m_rectTotal = rects[bAlternate ? (nPass + 1) % 2 : 0];
            double dStart = Now();
            fn();
            dTime += Now() - dStart;
            // Painting is the same work either way; it is kept out of the figures.
            Flush(wnd);
        }
        dTime /= PASSES;
        if (dTime < dBest)
            dBest = dTime;
    }
    return dBest;
}
}

int main()
{
    static CWinApp app(L"LayoutBench");
    AfxWinInit(::GetModuleHandleW(NULL), NULL, ::GetCommandLineW(), SW_SHOWNORMAL);
    double dStart = Now();

    CBenchWnd wnd;
    if (!wnd.CreateEx(0, NULL, L"layout bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 960, 720, NULL, NULL))
    {
        printf("The parent window could not be created\n");
        return 1;
    }
    const CRect rects[2] = { CRect(0, 0, 800, 600), CRect(0, 0, 900, 680) };
    wnd.m_rectTotal = rects[0];
    HWND children[COLUMNS * ROWS];
    for (int nRow = 0; nRow < ROWS; nRow++)
    {
        for (int nColumn = 0; nColumn < COLUMNS; nColumn++)
        {
            // A grid that stretches with the area: every child moves and resizes on a change.
            int nCellWidth = 800 / COLUMNS, nCellHeight = 600 / ROWS;
            HWND hChild = ::CreateWindowExW(0, L"Button", L"x", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                            nColumn * nCellWidth + 1, nRow * nCellHeight + 1, nCellWidth - 2,
                                            nCellHeight - 2, wnd.m_hWnd, NULL, NULL, NULL);
            children[nRow * COLUMNS + nColumn] = hChild;
            wnd.AddAnchor(hChild, CSize(nColumn * 100 / COLUMNS, nRow * 100 / ROWS),
                          CSize((nColumn + 1) * 100 / COLUMNS, (nRow + 1) * 100 / ROWS));
        }
    }
    printf("%d anchored push buttons in a shown window; best of %d runs of %d passes each\n", COLUMNS * ROWS, RUNS,
           PASSES);

    double dBatch = Measure(wnd, rects, TRUE, [&]() { wnd.ArrangeLayout(); });
    double dSingle = Measure(wnd, rects, TRUE, [&]() {
        for (HWND hChild : children)
        {
            CRect rect;
            UINT nFlags = 0;
            wnd.GetAnchorPosition(hChild, wnd.m_rectTotal, rect, &nFlags);
            ::SetWindowPos(hChild, NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                           nFlags & ~(SWP_NOMOVE | SWP_NOSIZE));
        }
    });
    double dNoRedraw = Measure(wnd, rects, TRUE, [&]() {
        for (HWND hChild : children)
        {
            CRect rect;
            UINT nFlags = 0;
            wnd.GetAnchorPosition(hChild, wnd.m_rectTotal, rect, &nFlags);
            ::SetWindowPos(hChild, NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOREDRAW | (nFlags & ~(SWP_NOMOVE | SWP_NOSIZE)));
        }
    });
    printf("noredraw %f\n", dNoRedraw*1000);
    wnd.ShowWindow(SW_HIDE);
    double dHidden = Measure(wnd, rects, TRUE, [&]() { wnd.ArrangeLayout(); });
    printf("hidden %f\n", dHidden*1000);
    wnd.ShowWindow(SW_SHOWNA);
    double dUnchanged = Measure(wnd, rects, FALSE, [&]() { wnd.ArrangeLayout(); });

    printf("  %-44s %9.3f ms per pass\n", "ArrangeLayout, one deferred batch", dBatch * 1000.0);
    printf("  %-44s %9.3f ms per pass\n", "one SetWindowPos per child", dSingle * 1000.0);
    printf("  %-44s %9.3f ms per pass\n", "ArrangeLayout, nothing changed", dUnchanged * 1000.0);
    printf("Batch vs one at a time: %.2fx faster\n", dSingle / dBatch);
    printf("Nothing changed vs a moving pass: %.1f%% of the time (%.2f us per child)\n",
           100.0 * dUnchanged / dBatch, dUnchanged * 1e6 / (COLUMNS * ROWS));
    printf("Total run: %.1f s\n", Now() - dStart);
    wnd.DestroyWindow();
    return 0;
}
