#include "CHostThread.h"

CHostThread::~CHostThread()
{
    if (m_hOwner)
        ::CloseHandle(m_hOwner);
}

BOOL CHostThread::Enter()
{
    DWORD dwSelf = ::GetCurrentThreadId();
    if (m_dwHolder.load(std::memory_order_acquire) == dwSelf)
    {
        m_nDepth++;
        return TRUE;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bOwned && m_hOwner && ::WaitForSingleObject(m_hOwner, 0) == WAIT_OBJECT_0)
    {
        // Its hook went with it; what it loaded stays until the next load replaces it.
        ::CloseHandle(m_hOwner);
        m_hOwner = NULL;
        m_bOwned = FALSE;
        m_dwHolder.store(0, std::memory_order_release);
        m_nDepth = 0;
    }
    if (m_dwHolder.load(std::memory_order_relaxed) != 0)
        return FALSE;
    m_dwHolder.store(dwSelf, std::memory_order_release);
    m_nDepth = 1;
    return TRUE;
}

void CHostThread::Leave()
{
    if (--m_nDepth > 0)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_bOwned)
        m_dwHolder.store(0, std::memory_order_release);
}

BOOL CHostThread::Adopt()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bOwned)
        return FALSE;
    m_bOwned = TRUE;
    m_hOwner = ::OpenThread(SYNCHRONIZE, FALSE, ::GetCurrentThreadId());
    return TRUE;
}

void CHostThread::Disown()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_hOwner)
        ::CloseHandle(m_hOwner);
    m_hOwner = NULL;
    m_bOwned = FALSE;
}

BOOL CHostThread::IsOwned()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bOwned;
}
