// CDiskWatch: checks one fixed drive at a fixed interval and posts
// WM_LOW_DISK to its owner window when the drive's free space falls to the
// threshold. Each watch keeps its own drive list and MTimer; every watch
// is on one program-wide list, through which the shared timer callback
// finds the watch whose timer fired. The manager owns one. UI thread.
#pragma once
#include "engine/DiskManager.h"
#include "engine/MTimer.h"
#include "graph/WindowMessages.h"

// The root ("D:\") of the drive a WM_LOW_DISK names.
CString LowDiskRoot(WPARAM wParam);

class CDiskWatch
{
public:
    CDiskWatch();
    virtual ~CDiskWatch();
    CDiskWatch(const CDiskWatch&) = delete;
    CDiskWatch& operator=(const CDiskWatch&) = delete;

    // Lists the fixed drives (again) and keeps the owner; the result of the
    // enumeration. A drive watched before stays watched when still listed.
    BOOL Init(HWND owner);
    // Watches the listed drive of `rootPath` (compared without regard to
    // case) with a threshold in MiB; FALSE, and no drive watched, when the
    // drive is not listed. A low drive is reported again after this.
    BOOL SetDisk(LPCSTR rootPath, DWORD thresholdMiB);
    void Start(UINT intervalMs);
    BOOL IsRunning() const { return m_bRunning; }
    HWND GetOwner() const { return m_hOwner; }
    const CString& GetRootPath() const { return m_strRootPath; }
    DWORD GetThreshold() const { return m_dwThreshold; }
    CHardDisk* GetDisk() const { return m_pDisk; }
    CDiskManager& GetDiskManager() { return m_diskManager; }

    // One check of the watched drive.
    virtual void OnTimer();
    // The timers' shared callback: runs OnTimer of the watch whose timer
    // fired; -1 when no watch exists.
    static int TimerCallback();

private:
    HWND m_hOwner;
    CString m_strRootPath;
    DWORD m_dwThreshold; // MiB
    MTimer m_timer;
    CHardDisk* m_pDisk;  // in m_diskManager's list, or NULL
    BOOL m_bRunning;
    // Whether the drive was at or below the threshold at the last check:
    // a message goes out only when it falls there from above.
    BOOL m_bLow;
    CDiskManager m_diskManager;
};
