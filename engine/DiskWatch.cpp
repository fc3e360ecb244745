#include "engine/DiskWatch.h"

#include <algorithm>
#include <vector>

namespace {

// Every watch, in order of construction.
std::vector<CDiskWatch*>& Watches()
{
    static std::vector<CDiskWatch*> watches;
    return watches;
}

} // namespace

CString LowDiskRoot(WPARAM wParam)
{
    CString root;
    root.Format("%c:\\", (char)(wParam & 0xFF));
    return root;
}

CDiskWatch::CDiskWatch()
    : m_hOwner(NULL), m_dwThreshold(1), m_pDisk(NULL), m_bRunning(FALSE), m_bLow(FALSE)
{
    Watches().push_back(this);
}

CDiskWatch::~CDiskWatch()
{
    m_timer.Stop();
    auto& watches = Watches();
    watches.erase(std::remove(watches.begin(), watches.end(), this), watches.end());
}

BOOL CDiskWatch::Init(HWND owner)
{
    // The enumeration frees the disk watched so far: find it again.
    const BOOL listed = m_diskManager.Enumerate();
    m_pDisk = m_strRootPath.IsEmpty() ? NULL : m_diskManager.FindDisk(m_strRootPath);
    m_timer.SetCallback(&CDiskWatch::TimerCallback);
    m_hOwner = owner;
    m_bLow = FALSE;
    return listed;
}

BOOL CDiskWatch::SetDisk(LPCSTR rootPath, DWORD thresholdMiB)
{
    m_pDisk = m_diskManager.FindDisk(rootPath);
    if (!m_pDisk)
        return FALSE;
    m_strRootPath = m_pDisk->GetRootPath();
    m_dwThreshold = thresholdMiB;
    m_bLow = FALSE;
    return TRUE;
}

void CDiskWatch::Start(UINT intervalMs)
{
    if (m_bRunning)
        m_timer.Stop();
    m_timer.Start(intervalMs);
    m_bRunning = TRUE;
}

void CDiskWatch::OnTimer()
{
    if (!m_pDisk)
        return;
    const DWORD free = m_pDisk->GetFreeSpace();
    const BOOL low = free <= m_dwThreshold;
    if (low && !m_bLow && m_hOwner) {
        const char letter = m_strRootPath.IsEmpty() ? 0 : m_strRootPath[0];
        ::PostMessageA(m_hOwner, WM_LOW_DISK, (WPARAM)(BYTE)letter, (LPARAM)free);
    }
    m_bLow = low;
}

int CDiskWatch::TimerCallback()
{
    auto& watches = Watches();
    if (watches.empty())
        return -1;
    for (size_t i = 0; i < watches.size(); ++i) {
        CDiskWatch* watch = watches[i];
        if (!watch->m_timer.IsBusy())
            continue;
        // Stopped while it runs, started again after: a new identifier.
        const UINT interval = watch->m_timer.GetInterval();
        watch->m_timer.Stop();
        watch->OnTimer();
        watch->m_timer.Start(interval);
    }
    return 0;
}
