// CTVVideoWnd: the window the picture shows in, on the caption-and-border
// dialog. Run modally, its loop is the program's main loop. Its
// initialisation hands the window to the graph owner and the manager,
// creates the control panel, places both windows and starts preview; it
// receives the workers' messages (scan points, scan end, remote keys) and
// hands keys on to the panel, hides the cursor in full screen, switches
// desktop video, and runs the one exit sequence. UI thread only: the
// workers post to it and never touch it otherwise.
#pragma once
#include "app/Osd.h"
#include "engine/ChannelTable.h"
#include "engine/SuspendWakeUp.h"
#include "skin/CaptionDlg.h"

#include <memory>

class CPellamarApp;
class CTVControl;
class CTVManager;

// The wake-up steps of start-up and exit: the wake-up timer program started
// with the window, the next wake-up armed from the schedule and the
// suspend and wake-up service handed that time at exit. The program's
// suspend and wake-up object supplies them; tests record them.
class IWakeUpSteps
{
public:
    virtual void StartWakeUpProgram() = 0;
    virtual void ArmNextWakeUp() = 0;
    virtual void StartWakeUpService() = 0;

protected:
    ~IWakeUpSteps() {}
};

// The program's wake-up steps: the next wake-up from the manager's schedule
// and the suspend and wake-up object.
class CProgramWakeUpSteps : public IWakeUpSteps
{
public:
    explicit CProgramWakeUpSteps(CTVManager& manager) : m_manager(manager) {}
    void StartWakeUpProgram() override;
    void ArmNextWakeUp() override;
    void StartWakeUpService() override;

private:
    CTVManager& m_manager;
    CSuspendWakeUp m_suspend;
};

class CTVVideoWnd : public CCaptionDlg
{
public:
    enum Timer : UINT_PTR { kCursorTimer = 1, kDesktopTimer = 2 };
    // The on-screen texts over the picture.
    enum OsdText
    {
        kOsdChannel, kOsdVolume, kOsdProperty, kOsdRecord, kOsdMute, kOsdMessage, kOsdTimeShift, kOsdScan,
        kOsdCount
    };
    static const int kOsdHideDelayMs = 4000;
    static const COLORREF kOsdColour = RGB(0, 255, 0);
    static const UINT kCursorTimerMs = 2000;
    static const UINT kDesktopTimerMs = 100;
    // The picture area of a first start, and what the size commands set.
    static const int kFirstWidth = 640;
    static const int kFirstHeight = 480;
    // The window the exit tells to close.
    static const char kTeletextWindow[];
    static const UINT kTeletextCloseTimeoutMs = 2000;

    CTVVideoWnd(CPellamarApp& app, CTVManager& manager, CTVControl& control);
    ~CTVVideoWnd() override {}

    // Tests: steps of their own (NULL: the program's).
    void SetWakeUpSteps(IWakeUpSteps* steps) { m_pWakeUp = steps ? steps : &m_wakeUp; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Ends the main loop: the only normal end of the program.
    void ExitSequence();
    // A scan starts (the manager calls it): the progress shows in a strip
    // the window grows by below the picture. EndScanDisplay takes both
    // away again (the scan's end; the exit during a scan).
    void BeginScanDisplay();
    void EndScanDisplay();
    static const int kScanStripHeight = 35;
    BOOL IsScanStripShown() const { return m_bScanStrip; }
    // The picture area set to width x height, out of full screen, aspect 4:3.
    void SetPictureSize(int width, int height);
    void ToggleFullScreen();

    // The movie player at `path` started on the record folder, with the
    // device closed while it runs (WM_REBUILD_GRAPH brings the picture back).
    void StartMoviePlayer(LPCSTR path);
    BOOL IsPlayerRunning() const { return m_bPlayerRunning; }
    BOOL IsFull() const { return m_bFull; }
    BOOL IsDesktopVideo() const { return m_bDesktopVideo; }
    BOOL IsCursorShown() const { return m_bCursorShown; }
    BOOL IsCursorTimerRunning() const { return m_bCursorTimer; }
    // The cursor is hidden in full screen only while this is on (it is off
    // while the about box runs).
    void SetCursorHiding(BOOL on);
    BOOL IsCursorHiding() const { return m_bCursorHiding; }
    // The cursor-hide timer stopped (the pointer is over the panel).
    void StopCursorTimer();
    // The scan's progress in percent, and whether it shows.
    int GetScanPercent() const;
    BOOL IsScanShown() const { return m_bScanShown; }
    // One on-screen text (NULL before the window is initialised).
    COsd* GetOsd(OsdText which) const { return m_osd[which].get(); }
    // The current channel's number and name on the screen.
    void ShowChannelOsd();
    // Steps taken of a range, in percent from 0 to 100; 0 for a range of no
    // width (a tuner that reports none).
    static int ScanPercent(long step, long lower, long upper);

    // Lays the client area out: the picture fills it and the on-screen
    // texts take their places in it. Called on every size change.
    void Layout(const CRect& client);

protected:
    // The places of both windows and the saved aspect and top-most state.
    void PlaceWindows();
    void Init();

    LRESULT OnSearchPoint(WPARAM kHz, LPARAM lockResult);
    LRESULT OnSearchEnd(WPARAM, LPARAM);
    LRESULT OnRemoteKey(WPARAM key, LPARAM extra);
    LRESULT OnExitNoTray(WPARAM, LPARAM);
    LRESULT OnReserved(WPARAM, LPARAM) { return 0; }
    LRESULT OnRebuildGraph(WPARAM, LPARAM);
    LRESULT OnPowerBroadcast(WPARAM event, LPARAM);
    LRESULT OnDeviceChange(WPARAM, LPARAM);
    LRESULT OnKickIdle(WPARAM, LPARAM idleCount);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnSize(UINT type, int cx, int cy);
    void OnMove(int x, int y);
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnShowWindow(BOOL show, UINT status);
    void OnSysCommand(UINT id, LPARAM lParam);
    void CreateOsdTexts();
    void RefreshOsdTexts();
    void HideOsdTexts();
    void OnTimer(UINT_PTR id);
    void OnTeletext();
    void OnClose();
    void OnDestroy();
    void OnOK() override {}
    void OnCancel() override {}
    DECLARE_MESSAGE_MAP()

private:
    void SetClientSize(int width, int height);
    // A restore or maximise that ends a minimise: the live picture and the
    // panel back.
    void BackFromMinimised(UINT type);
    void RestartPicture();
    // Leaving full screen: the pointer free of the screen it was kept in.
    void FreePointer();
    // Whether a double click of message time `clickTime` began before the
    // last restore from minimised.
    BOOL RestoringClick(LONG clickTime) const;
    void ShowCursorState(BOOL show);
    void CheckCursor();
    // The panel owned by this window while it shows, on its own when it hides.
    void AttachPanel(BOOL attach);

    CPellamarApp& m_app;
    CTVManager& m_manager;
    CTVControl& m_control;
    CProgramWakeUpSteps m_wakeUp;
    IWakeUpSteps* m_pWakeUp;
    std::unique_ptr<COsd> m_osd[kOsdCount];

    BOOL m_bTopMost;
    BOOL m_bFull;
    BOOL m_bCursorShown;
    BOOL m_bCursorTimer;
    BOOL m_bCursorHiding;
    BOOL m_bDesktopVideo;
    BOOL m_bPlayerRunning;
    BOOL m_bExiting;
    // Whether the last size change left the window full: 1 after a maximise
    // outside desktop video and after a minimise inside it.
    BOOL m_bWindowStateFull;
    BOOL m_bMinimised;
    // The message time of the last restore from minimised.
    LONG m_restoredAt;

    // Whether the scan's progress shows (the manager keeps the scan's table),
    // and whether the window grew its strip for it.
    BOOL m_bScanShown;
    BOOL m_bScanStrip;
    void ResizeForScanStrip(int change);
};
