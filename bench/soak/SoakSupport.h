// What the soak's parts share: the process's figures, seeded random numbers, a watchdog, and a
// window that owns popup menus and ends them as soon as they are idle.
#pragma once
#include <afxwin.h>
#include <atomic>
#include <functional>
#include <thread>

namespace Soak
{

// The process's figures. Under Wine GetGuiResources, GetProcessHandleCount and the private
// usage of GetProcessMemoryInfo answer 0, so real counts stand beside them: the highest of a few
// hundred fresh kernel handles and of the test helpers' fresh GDI and USER handles (objects
// leaked in between push these up), the committed private memory found by walking the address
// space, and the process's threads.
struct CFigures
{
    DWORD nHandles = 0, nGdi = 0, nUser = 0;
    int nFreshKernel = 0, nFreshGdi = 0, nFreshUser = 0;
    SIZE_T nPrivate = 0, nCommitted = 0;
    int nThreads = 0;
};

CFigures Measure();
void PrintFigures(const char* pszPart, const char* pszWhen, const CFigures& figures);
// The threads of this process, from a Toolhelp snapshot; -1 when none can be taken.
int CountThreads();

// Deterministic pseudo-random numbers, so that a failing input can be made again from its number.
struct CRandom
{
    unsigned long long m_nState;
    explicit CRandom(unsigned long long nSeed) : m_nState(nSeed * 0x9E3779B97F4A7C15ull + 1) {}
    unsigned Next()
    {
        m_nState ^= m_nState << 13;
        m_nState ^= m_nState >> 7;
        m_nState ^= m_nState << 17;
        return (unsigned)(m_nState >> 16);
    }
    unsigned Below(unsigned n) { return n ? Next() % n : 0; }
};

// Ends the process with status 3 when one step takes longer than its time: fnHang runs first
// (on the watchdog's thread) with the number of the step, to keep what is needed to repeat it.
class CWatchdog
{
public:
    CWatchdog(DWORD nSeconds, std::function<void(unsigned)> fnHang);
    ~CWatchdog();
    void Begin(unsigned nStep)
    {
        m_nStep = nStep;
        m_nStart = ::GetTickCount();
        m_bBusy = true;
    }
    void End() { m_bBusy = false; }

private:
    std::atomic<unsigned> m_nStep{0};
    std::atomic<DWORD> m_nStart{0};
    std::atomic<bool> m_bBusy{false};
    std::atomic<bool> m_bWatching{true};
    std::thread m_thread;
};

// Ends menus as soon as their loop is idle, and answers the skinned menus' messages.
class COwnerWnd : public CWnd
{
protected:
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override;
};

// A timer procedure that ends any menu, in case no owner hears of its loop.
void CALLBACK EndMenuTimer(HWND, UINT, UINT_PTR, DWORD);

// The parts. Each prints its figures and counts, and returns the number of steps it ran, or -1
// with strError set when it could not run or found a fault.
int RunApi(const CString& strHuge, COwnerWnd& owner);
int RunDefinitions(unsigned nCount, DWORD nWatchdogSeconds, const CString& strBundled, CString& strError);
int RunSwitches(unsigned nCount, COwnerWnd& owner, CString& strError);
int RunAnimation(unsigned nCount, DWORD nWatchdogSeconds, CString& strError);
// The messages part fires nCount messages from each sender; its child, started by it, finds the
// part's windows and fires its share.
int RunMessages(unsigned nCount, CString& strError);
int RunMessagesChild(unsigned nCount);

} // namespace Soak
