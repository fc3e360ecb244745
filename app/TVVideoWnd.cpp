#include "app/TVVideoWnd.h"

#include "app/Osd.h"
#include "app/OsdEx.h"
#include "app/OsdSlider.h"
#include "app/PellamarApp.h"
#include "app/TVControl.h"
#include "app/VideoPlacement.h"
#include "graph/DebugHelper.h"
#include "engine/TVManager.h"
#include "graph/Clock.h"
#include "graph/DeviceEnum.h"
#include "graph/WindowMessages.h"
#include "platform/system/SystemServices.h"
#include "resources/Resource.h"
#include "settings/PropSheet.h"

#include <algorithm>
#include <cstdlib>

const char CTVVideoWnd::kTeletextWindow[] = "Teletext_Player";

namespace {

const DWORD kArmWaitMs = 200;
// Within this many pixels of the top the floating tool bar comes up.
const int kToolBarEdge = 3;
const int kIdleCountForRefresh = 5;
// The panel counts as docked under the window within this many pixels.
const int kDockSlack = 2;

// The on-screen texts: their kind and place. The scan's progress and the
// record indicator stay until hidden; the messages keep off the edges.
enum OsdKind { kPlain, kLines, kSlider };
struct OsdRow
{
    OsdKind kind;
    UINT format; // DrawText flags: where in the window the text sits
    BOOL stays;
    BOOL margins;
};
const OsdRow kOsdRows[CTVVideoWnd::kOsdCount] = {
    {kPlain, DT_LEFT | DT_TOP, FALSE, FALSE},                        // channel
    {kSlider, DT_CENTER | DT_BOTTOM | DT_SINGLELINE, FALSE, FALSE},  // volume
    {kSlider, DT_CENTER | DT_BOTTOM | DT_SINGLELINE, FALSE, FALSE},  // picture property
    {kPlain, DT_RIGHT | DT_TOP, TRUE, FALSE},                        // record indicator
    {kPlain, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, FALSE, FALSE},    // mute
    {kLines, DT_CENTER, FALSE, TRUE},                                // messages
    {kPlain, DT_RIGHT | DT_TOP, FALSE, FALSE},                       // time shift
    {kSlider, DT_CENTER | DT_BOTTOM | DT_SINGLELINE, TRUE, FALSE},   // scan progress
};
const int kMessageMargins[4] = {5, 5, 5, 40};

std::unique_ptr<COsd> MakeOsd(OsdKind kind)
{
    switch (kind) {
    case kLines:
        return std::make_unique<COsdEx>();
    case kSlider:
        return std::make_unique<COsdSlider>();
    default:
        return std::make_unique<COsd>();
    }
}

} // namespace

void CProgramWakeUpSteps::StartWakeUpProgram()
{
    m_suspend.StartTimerProgram();
}

void CProgramWakeUpSteps::ArmNextWakeUp()
{
    m_manager.SetOpenComputerTime();
}

void CProgramWakeUpSteps::StartWakeUpService()
{
    m_suspend.StartService(m_manager.GetSettings().EnableSuspend, m_manager.GetWakeUpTime().GetTime(), FALSE);
}

BEGIN_MESSAGE_MAP(CTVVideoWnd, CCaptionDlg)
    ON_MESSAGE(WM_SEARCH_POINT, OnSearchPoint)
    ON_MESSAGE(WM_SEARCH_END, OnSearchEnd)
    ON_MESSAGE(WM_REMOTE_KEY, OnRemoteKey)
    ON_MESSAGE(WM_EXIT_NO_TRAY, OnExitNoTray)
    ON_MESSAGE(WM_VIDEO_RESERVED, OnReserved)
    ON_MESSAGE(WM_REBUILD_GRAPH, OnRebuildGraph)
    ON_MESSAGE(WM_POWERBROADCAST, OnPowerBroadcast)
    ON_MESSAGE(WM_DEVICECHANGE, OnDeviceChange)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SHOWWINDOW()
    ON_WM_SYSCOMMAND()
    ON_WM_TIMER()
    ON_COMMAND(ID_TELETEXT, OnTeletext)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CTVVideoWnd::CTVVideoWnd(CPellamarApp& app, CTVManager& manager, CTVControl& control)
    : CCaptionDlg(IDD_VIDEOWND), m_app(app), m_manager(manager), m_control(control), m_wakeUp(manager), m_pWakeUp(&m_wakeUp), m_osd{},
      m_bTopMost(FALSE), m_bFull(FALSE), m_bCursorShown(TRUE), m_bCursorTimer(FALSE), m_bCursorHiding(TRUE),
      m_bDesktopVideo(FALSE), m_bPlayerRunning(FALSE), m_bExiting(FALSE), m_bWindowStateFull(TRUE), m_bMinimised(FALSE),
      m_restoredAt(::GetMessageTime() - (LONG)::GetDoubleClickTime()), m_bScanShown(FALSE), m_bScanStrip(FALSE)
{
}

// --- initialisation --------------------------------------------------------------

BOOL CTVVideoWnd::OnInitDialog()
{
    SetBorderBitmaps(IDB_BORDER_LEFT, IDB_BORDER_RIGHT, IDB_BORDER_BOTTOM);
    SetCaptionBitmaps(IDB_CAPTION_LEFT, IDB_CAPTION_RIGHT, IDB_CAPTION_MIDDLE);
    SetMinButtonBitmaps(IDB_MINIMIZE_NORMAL, IDB_MINIMIZE_HOVER, IDB_MINIMIZE_PRESSED);
    SetMaxButtonBitmaps(IDB_MAXIMIZE_NORMAL, IDB_MAXIMIZE_HOVER, IDB_MAXIMIZE_PRESSED);
    SetCloseButtonBitmaps(IDB_CLOSE_NORMAL, IDB_CLOSE_HOVER, IDB_CLOSE_PRESSED);
    HICON icon = m_app.LoadIcon(IDI_APP);
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    CCaptionDlg::OnInitDialog();

    // The frame is drawn by the caption dialog: the system draws none.
    ModifyStyle(WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0);
    if (m_manager.GetHardware().IsEvrInUse())
        ::SetWindowLongA(m_hWnd, GWL_STYLE, 0);
    CString title;
    title.LoadString(IDS_VIDEOWND_TITLE);
    SetWindowText(title);
    ShowWindow(SW_HIDE);

    DebugHelper("Before VideoWnd::Init Graph vlaue is %d\n", m_manager.GetHardware().GetGraph().GetState());
    Init();
    DebugHelper("After VideoWnd::Init Graph vlaue is %d\n", m_manager.GetHardware().GetGraph().GetState());
    m_pWakeUp->StartWakeUpProgram();
    return TRUE;
}

void CTVVideoWnd::CreateOsdTexts()
{
    for (int i = 0; i < kOsdCount; ++i) {
        const OsdRow& row = kOsdRows[i];
        std::unique_ptr<COsd> osd = MakeOsd(row.kind);
        if (!osd->Create(this)) {
            DebugHelper("On-screen text %d could not be made\n", i);
            continue;
        }
        osd->SetHideDelay(row.stays ? 0 : kOsdHideDelayMs);
        osd->SetColor(kOsdColour);
        osd->SetTextFormat(row.format);
        if (row.margins)
            osd->SetMargins(kMessageMargins[0], kMessageMargins[1], kMessageMargins[2], kMessageMargins[3]);
        m_osd[i] = std::move(osd);
    }
}

void CTVVideoWnd::RefreshOsdTexts()
{
    for (const std::unique_ptr<COsd>& osd : m_osd) {
        if (osd && osd->m_hWnd != NULL) {
            osd->FitToOwner();
            osd->Refresh();
        }
    }
}

void CTVVideoWnd::OnWindowPosChanged(WINDOWPOS* pos)
{
    Default();
    if (!(pos->flags & SWP_NOZORDER) || (pos->flags & SWP_SHOWWINDOW)) {
        COsd* texts[kOsdCount];
        for (int i = 0; i < kOsdCount; ++i)
            texts[i] = m_osd[i].get();
        COsd::RaiseOverOwner(*this, texts, kOsdCount);
    }
}

void CTVVideoWnd::HideOsdTexts()
{
    for (const std::unique_ptr<COsd>& osd : m_osd) {
        if (osd && osd->m_hWnd != NULL && osd->IsWindowVisible())
            osd->ShowOsd(FALSE);
    }
}

void CTVVideoWnd::ShowChannelOsd()
{
    COsd* osd = m_osd[kOsdChannel].get();
    if (osd == NULL || !IsWindowVisible())
        return;
    CString text;
    if (CChannel* channel = m_manager.GetCurrentChannel())
        text.Format("%ld %s", channel->ID, (LPCSTR)channel->Name);
    else
        text = m_manager.GetVideoSource() == CTVHardWare::kInputFM ? "FM" : "TV";
    osd->SetText(text);
    osd->ShowOsd(TRUE);
}

void CTVVideoWnd::Init()
{
    CreateOsdTexts();
    ShowWindow(SW_HIDE);
    CTVHardWare& hardware = m_manager.GetHardware();
    hardware.SetVideoWindow(m_hWnd);
    m_manager.SetNotifyWindow(m_hWnd);
    m_manager.SetVideoOwner(m_hWnd);

    m_control.CreatePanel(this);
    m_control.SetSkin(m_manager.GetSkinName());
    PlaceWindows();
    m_control.RefreshState();

    DebugHelper("TVVideoWnd Init\n");
    if (!hardware.IsRecording())
        m_manager.RunPreview();
    m_manager.ApplyVideoProperties();
    m_control.ApplyInputSource();
    m_app.CloseSplash();
    m_manager.SetMute(m_control.IsMuted());
    m_control.ShowVolumeAndMute();

    // A first start: the set-up wizard, once; it writes the settings. The
    // panel's hot keys are off while it runs.
    if (m_manager.GetSettings().Run)
        RunFirstStartWizard(SettingsContext{m_manager, m_control}, this);

    if (m_manager.GetVideoSource() != CTVHardWare::kInputFM) {
        m_control.ShowAsWanted();
    } else {
        m_control.ShowWindow(SW_HIDE);
        m_control.PostMessage(WM_SHOW_RADIO_PANEL);
    }
    if (hardware.HasAudioPin()) {
        if (hardware.IsTeletextOn())
            m_manager.StartTeletext();
        hardware.SetTVAudioMode(hardware.GetTVAudioMode());
    }
}

void CTVVideoWnd::SetClientSize(int width, int height)
{
    const CVideoPlacement::Frame frame = {GetBorderWidth(), GetCaptionHeight(), GetBottomHeight()};
    const CSize window = CVideoPlacement::WindowSize(CSize(width, height), frame);
    SetWindowPos(NULL, 0, 0, window.cx, window.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CTVVideoWnd::PlaceWindows()
{
    const ManagerSettings& settings = m_manager.GetSettings();
    if (settings.VideoWnd.IsRectEmpty()) {
        const CVideoPlacement::Frame frame = {GetBorderWidth(), GetCaptionHeight(), GetBottomHeight()};
        const BOOL withPanel = m_control.m_hWnd != NULL && m_manager.GetVideoSource() != CTVHardWare::kInputFM;
        CRect panel;
        if (withPanel)
            m_control.GetWindowRect(&panel);
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        ::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
        const CVideoPlacement::Places places = CVideoPlacement::FirstStart(
            monitor.rcWork, CVideoPlacement::WindowSize(CSize(kFirstWidth, kFirstHeight), frame), panel.Size(),
            withPanel);
        SetWindowPos(NULL, places.video.left, places.video.top, places.video.Width(), places.video.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (withPanel)
            m_control.SetWindowPos(NULL, places.panel.left, places.panel.top, 0, 0,
                                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        const CRect& saved = settings.VideoWnd;
        SetWindowPos(NULL, saved.left, saved.top, saved.Width(), saved.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (m_control.m_hWnd != NULL)
            m_control.SetWindowPos(NULL, settings.ControlLeftTop.x, settings.ControlLeftTop.y, 0, 0,
                                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetAspectRatio(settings.VideoRatio.cx, settings.VideoRatio.cy);
    m_bTopMost = settings.TopMost;
    SetWindowPos(m_bTopMost ? &wndTopMost : &wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// --- sizes, full screen and desktop video ------------------------------------------

void CTVVideoWnd::SetPictureSize(int width, int height)
{
    if (IsZoomed())
        ShowWindow(SW_RESTORE);
    SetClientSize(width, height);
    m_control.ShowAsWanted();
    SetAspectRatio(4, 3);
}

void CTVVideoWnd::ToggleFullScreen()
{
    if (m_manager.GetVideoSource() == CTVHardWare::kInputFM)
        return;
    if (IsZoomed()) {
        ShowWindow(SW_RESTORE);
        m_control.ShowScreenTool(FALSE);
        m_control.ShowAsWanted();
        m_manager.HideOsdPanel();
    } else {
        ShowWindow(SW_MAXIMIZE);
        if (!m_bDesktopVideo && m_control.m_hWnd != NULL)
            m_control.ShowWindow(SW_HIDE);
    }
}

void CTVVideoWnd::OnSize(UINT type, int cx, int cy)
{
    CCaptionDlg::OnSize(type, cx, cy);
    const BOOL desktopBefore = m_bDesktopVideo;
    // A maximise makes the window full once, however many size changes the
    // system or a window manager sends for it; maximised again after the
    // desktop picture's minimise, it ends desktop video.
    if (type == SIZE_MAXIMIZED && (m_bDesktopVideo ? m_bWindowStateFull : !m_bFull)) {
        m_bFull = TRUE;
        if (!m_bDesktopVideo) {
            if (m_control.m_hWnd != NULL)
                m_control.ShowWindow(SW_HIDE);
            if (m_manager.ApplyDesktopWallpaper()) {
                m_bDesktopVideo = TRUE;
                SetTimer(kDesktopTimer, kDesktopTimerMs, NULL);
            } else {
                RestartPicture();
            }
        } else {
            m_manager.RestoreWallpaper();
            m_bDesktopVideo = FALSE;
            if (IsZoomed())
                ToggleFullScreen();
        }
    }
    if (type != SIZE_MINIMIZED && m_bMinimised) {
        m_bMinimised = FALSE;
        BackFromMinimised(type);
    }
    if (type != SIZE_MAXIMIZED && m_bFull)
        FreePointer();
    if (type == SIZE_RESTORED) {
        const BOOL wasFull = m_bFull;
        m_bFull = FALSE;
        if (wasFull) {
            ShowCursorState(TRUE);
            StopCursorTimer();
            RestartPicture();
        }
    } else if (type == SIZE_MINIMIZED) {
        m_bFull = FALSE;
        m_bMinimised = TRUE;
    }
    m_bWindowStateFull = (type == SIZE_MAXIMIZED && !desktopBefore) || (type == SIZE_MINIMIZED && desktopBefore);
    CRect client;
    GetClientRect(&client);
    Layout(client);
}

void CTVVideoWnd::FreePointer()
{
    // The system confines the pointer to a full-screen window with the
    // focus (Wine grabs the pointer on the X server at the first click in
    // it) and keeps it so after the window leaves full screen; once that
    // stale grab loses its owner, clicks no longer reach any window. A
    // clip of our own that ends lets the system end its grab: setting no
    // clip alone changes nothing and is not passed on.
    const CRect screen(::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                       ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                       ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    const CRect inner(screen.left, screen.top, screen.right - 1, screen.bottom - 1);
    ::ClipCursor(&inner);
    ::ClipCursor(NULL);
}

void CTVVideoWnd::RestartPicture()
{
    // Under Wine the enhanced renderer can stop drawing for good when its
    // window is minimised or leaves full screen (its mixer keeps a frame it
    // never gives out, and the card's thread waits on it): a stop and a run
    // of the preview graph start it again. A recording or time shift runs
    // on untouched; its picture comes back with the next graph.
    CTVHardWare& hardware = m_manager.GetHardware();
    CRootGraph& graph = hardware.GetGraph();
    if (!hardware.IsRecording() && !hardware.IsTFRunning() && graph.GetState() == 1 && !m_bPlayerRunning) {
        graph.Stop();
        graph.Run();
    }
}

void CTVVideoWnd::BackFromMinimised(UINT type)
{
    m_restoredAt = ::GetMessageTime();
    RestartPicture();
    // The panel went with the window; it comes back as it was.
    if (type == SIZE_RESTORED && !m_bDesktopVideo && m_manager.GetVideoSource() != CTVHardWare::kInputFM)
        m_control.ShowAsWanted();
}

void CTVVideoWnd::Layout(const CRect& client)
{
    RefreshOsdTexts();
    // A minimised window has no client area: the picture keeps its last
    // place and comes back there on the restore's size change.
    CRect picture = client;
    if (m_bScanStrip && picture.Height() > kScanStripHeight)
        picture.bottom -= kScanStripHeight;
    if (!picture.IsRectEmpty())
        m_manager.AdjustVideoRect(picture);
}

// --- the cursor ------------------------------------------------------------------

void CTVVideoWnd::ShowCursorState(BOOL show)
{
    // One hide matches one show: the count changes only with the state.
    if (show == m_bCursorShown)
        return;
    ::ShowCursor(show);
    m_bCursorShown = show;
}

void CTVVideoWnd::StopCursorTimer()
{
    if (m_bCursorTimer && m_hWnd != NULL)
        KillTimer(kCursorTimer);
    m_bCursorTimer = FALSE;
}

void CTVVideoWnd::SetCursorHiding(BOOL on)
{
    m_bCursorHiding = on;
    if (!on) {
        StopCursorTimer();
        ShowCursorState(TRUE);
    } else if (m_bFull) {
        SetTimer(kCursorTimer, kCursorTimerMs, NULL);
        m_bCursorTimer = TRUE;
    }
}

void CTVVideoWnd::CheckCursor()
{
    if (!m_bCursorHiding) {
        StopCursorTimer();
        return;
    }
    const BOOL panelUp = (m_control.m_hWnd != NULL && m_control.IsWindowVisible()) || m_control.IsScreenToolShown();
    ShowCursorState(panelUp);
}

void CTVVideoWnd::OnMouseMove(UINT flags, CPoint point)
{
    CCaptionDlg::OnMouseMove(flags, point);
    ShowCursorState(TRUE);
    if (!m_bFull)
        return;
    if (point.y < kToolBarEdge && !m_manager.GetHardware().IsTFRunning() && !m_manager.IsScanning())
        m_control.ShowScreenTool(TRUE);
    if (m_bCursorHiding) {
        SetTimer(kCursorTimer, kCursorTimerMs, NULL);
        m_bCursorTimer = TRUE;
    }
}

void CTVVideoWnd::OnRButtonDown(UINT flags, CPoint point)
{
    (void)flags;
    ShowCursorState(TRUE);
    StopCursorTimer();
    ClientToScreen(&point);
    m_control.ShowContextMenu(point);
}

void CTVVideoWnd::OnLButtonDblClk(UINT flags, CPoint point)
{
    (void)flags;
    (void)point;
    if (!RestoringClick(::GetMessageTime()))
        ToggleFullScreen();
}

BOOL CTVVideoWnd::RestoringClick(LONG clickTime) const
{
    // The double click that restores the minimised window (on Wine's bar
    // of it, or a task bar's button) can end in the picture as a double
    // click of its own: one that ends within a double-click time of the
    // restore began before it.
    // Message times wrap: the difference is taken unsigned.
    return (LONG)((DWORD)clickTime - (DWORD)m_restoredAt) < (LONG)::GetDoubleClickTime();
}

void CTVVideoWnd::OnTimer(UINT_PTR id)
{
    if (id == kCursorTimer) {
        CheckCursor();
    } else if (id == kDesktopTimer) {
        KillTimer(kDesktopTimer);
        m_control.ShowScreenTool(FALSE);
        // The picture stays on the desktop behind the minimised window.
        ShowWindow(SW_MINIMIZE);
    }
}

// --- showing and hiding ------------------------------------------------------------

void CTVVideoWnd::OnMove(int x, int y)
{
    (void)x;
    (void)y;
    RefreshOsdTexts();
}

void CTVVideoWnd::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == SC_MINIMIZE)
        HideOsdTexts();
    (void)lParam;
    Default();
}

void CTVVideoWnd::OnShowWindow(BOOL show, UINT status)
{
    (void)status;
    if (!show)
        HideOsdTexts();
    AttachPanel(show);
}

void CTVVideoWnd::AttachPanel(BOOL attach)
{
    if (m_control.m_hWnd == NULL)
        return;
    HWND panel = m_control.m_hWnd;
    if (attach) {
        // Owned by this window: above it, off the task bar.
        ::SetWindowLongPtrA(panel, GWLP_HWNDPARENT, (LONG_PTR)m_hWnd);
        m_control.ModifyStyle(WS_SYSMENU | WS_MINIMIZEBOX, 0);
        m_control.ModifyStyleEx(WS_EX_APPWINDOW, 0);
    } else {
        // Alone on the task bar while the picture is away.
        m_control.ModifyStyleEx(WS_EX_TOOLWINDOW, WS_EX_APPWINDOW);
        ::SetWindowLongPtrA(panel, GWLP_HWNDPARENT, 0);
        m_control.ModifyStyle(0, WS_SYSMENU | WS_MINIMIZEBOX);
    }
    m_control.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

// --- keys, remote keys, power --------------------------------------------------------

BOOL CTVVideoWnd::PreTranslateMessage(MSG* msg)
{
    const BOOL mine = msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd);
    if (mine && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && m_control.m_hWnd != NULL) {
        m_control.PostMessage(WM_KEYDOWN, msg->wParam, msg->lParam);
        return TRUE;
    }
    return CCaptionDlg::PreTranslateMessage(msg);
}

LRESULT CTVVideoWnd::OnRemoteKey(WPARAM key, LPARAM extra)
{
    DebugHelper("OnRemoteInfo is execute %d %d\n", (int)key, (int)extra);
    if (m_control.m_hWnd != NULL)
        m_control.SendMessage(WM_REMOTE_KEY, key, extra);
    return 0;
}

LRESULT CTVVideoWnd::OnPowerBroadcast(WPARAM event, LPARAM)
{
    return event == PBT_APMQUERYSUSPEND ? BROADCAST_QUERY_DENY : TRUE;
}

// A card or sound device came or went: the next graph build lists afresh.
LRESULT CTVVideoWnd::OnDeviceChange(WPARAM, LPARAM)
{
    zunk::ForgetDeviceListings();
    return TRUE;
}

LRESULT CTVVideoWnd::OnKickIdle(WPARAM, LPARAM idleCount)
{
    if (idleCount < kIdleCountForRefresh)
        return 1;
    m_control.RefreshState();
    return 0;
}

void CTVVideoWnd::OnTeletext()
{
    CTVHardWare& hardware = m_manager.GetHardware();
    if (hardware.IsTeletextOn() && hardware.IsTeletextRunning()) {
        hardware.SetTeletextOn(FALSE);
        hardware.CloseTeletext();
    } else {
        hardware.SetTeletextOn(TRUE);
        m_manager.StartTeletext();
    }
}

// --- scans ---------------------------------------------------------------------------

void CTVVideoWnd::BeginScanDisplay()
{
    m_manager.BeginScanTable();
    m_bScanShown = IsWindowVisible();
    if (m_bScanShown && !m_bScanStrip) {
        m_bScanStrip = TRUE;
        ResizeForScanStrip(kScanStripHeight);
    }
    if (m_bScanShown && m_osd[kOsdScan] != NULL) {
        m_osd[kOsdScan]->SetTextId(IDS_SCAN_PROGRESS);
        m_osd[kOsdScan]->SetValue(0);
        m_osd[kOsdScan]->ShowOsd(TRUE);
    }
    m_app.EngineUi().EnableCommand(ID_CHANNEL_SCAN, FALSE);
    m_manager.SetMute(TRUE);
}

LRESULT CTVVideoWnd::OnSearchPoint(WPARAM kHz, LPARAM lockResult)
{
    DebugHelper("Freq Point: %d,Result: %d\n", (int)kHz, (int)lockResult);
    // The listeners (an open channel page, the on-screen menu) hear of it
    // from the manager.
    m_manager.AddScanPoint((long)kHz, (long)lockResult);
    if (m_manager.GetVideoSource() == CTVHardWare::kInputFM) {
        CString text;
        text.Format("FM %g", (double)kHz / 1000.0);
        if (m_control.m_hWnd != NULL)
            m_control.SetDlgItemText(IDC_PANEL_CHANNEL_TEXT, text);
        return 0;
    }
    if (m_bScanShown && m_osd[kOsdScan] != NULL)
        m_osd[kOsdScan]->SetValue(m_manager.GetScanPercent());
    return 0;
}

void CTVVideoWnd::EndScanDisplay()
{
    if (m_osd[kOsdScan] != NULL && m_osd[kOsdScan]->m_hWnd != NULL)
        m_osd[kOsdScan]->ShowOsd(FALSE);
    m_bScanShown = FALSE;
    if (m_bScanStrip) {
        m_bScanStrip = FALSE;
        ResizeForScanStrip(-kScanStripHeight);
    }
}

void CTVVideoWnd::ResizeForScanStrip(int change)
{
    // A maximised or minimised window keeps its size: the strip comes and
    // goes in the place it is restored to.
    WINDOWPLACEMENT place = {};
    place.length = sizeof place;
    if (IsZoomed() || IsIconic()) {
        if (::GetWindowPlacement(m_hWnd, &place)) {
            place.rcNormalPosition.bottom += change;
            place.showCmd = IsZoomed() ? SW_SHOWMAXIMIZED : SW_SHOWMINNOACTIVE;
            ::SetWindowPlacement(m_hWnd, &place);
        }
        CRect client;
        GetClientRect(&client);
        Layout(client);
        return;
    }
    CRect window;
    GetWindowRect(&window);
    // A panel that sits right under the window moves with its bottom edge,
    // so that it does not cover the strip.
    CRect panel;
    BOOL docked = FALSE;
    if (m_control.m_hWnd != NULL && m_control.IsWindowVisible()) {
        m_control.GetWindowRect(&panel);
        docked = std::abs(panel.top - window.bottom) <= kDockSlack;
    }
    SetWindowPos(NULL, 0, 0, window.Width(), window.Height() + change, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (docked)
        m_control.SetWindowPos(NULL, panel.left, panel.top + change, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CTVVideoWnd::GetScanPercent() const
{
    return m_manager.GetScanPercent();
}

int CTVVideoWnd::ScanPercent(long step, long lower, long upper)
{
    return CTVManager::ScanPercent(step, lower, upper);
}

LRESULT CTVVideoWnd::OnSearchEnd(WPARAM, LPARAM)
{
    m_manager.FinishScan();
    m_app.EngineUi().EnableCommand(ID_CHANNEL_SCAN, TRUE);
    m_manager.SetMute(FALSE);
    m_control.ApplyInputSource();
    if (IsIconic())
        ShowWindow(SW_RESTORE);
    ShowChannelOsd();
    EndScanDisplay();
    m_app.ShowMessage(this, IDS_SCAN_FINISHED, IDS_APP_TITLE, MB_OK);
    return 0;
}

// --- the movie player's return, exit -------------------------------------------------

void CTVVideoWnd::StartMoviePlayer(LPCSTR path)
{
    if (m_bPlayerRunning)
        return;
    m_control.ShowWindow(SW_HIDE);
    ShowWindow(SW_HIDE);
    m_manager.CloseDevice();
    m_manager.GetHardware().ResetFilters();
    char shortFolder[MAX_PATH] = {0};
    if (::GetShortPathNameA(m_manager.GetRecordFolder(), shortFolder, sizeof shortFolder) == 0)
        lstrcpynA(shortFolder, m_manager.GetRecordFolder(), sizeof shortFolder);
    CString parameters;
    parameters.Format("/P=%s /H=%d", shortFolder, (int)(INT_PTR)m_hWnd);
    const CString file(path);
    const CString folder = file.Left(file.ReverseFind('\\'));
    if ((INT_PTR)SystemServices().Execute(m_hWnd, "open", path, parameters, folder, SW_SHOWNORMAL) > 32) {
        m_bPlayerRunning = TRUE;
        return;
    }
    OnRebuildGraph(0, 0);
    m_app.ShowMessage(this, IDS_PLAYER_START_FAILED, IDS_APP_TITLE, MB_OK);
}

LRESULT CTVVideoWnd::OnRebuildGraph(WPARAM, LPARAM)
{
    if (!m_manager.GetHardware().RebuildPreview()) {
        ExitSequence();
        return 0;
    }
    if (m_manager.GetVideoSource() == CTVHardWare::kInputFM) {
        ShowWindow(SW_MINIMIZE);
        m_control.ShowWindow(SW_SHOW);
        ShowWindow(SW_RESTORE);
    } else {
        m_control.ShowAsWanted();
        ShowWindow(SW_SHOW);
    }
    m_manager.SetMute(m_control.IsMuted());
    m_bPlayerRunning = FALSE;
    return 0;
}

LRESULT CTVVideoWnd::OnExitNoTray(WPARAM, LPARAM)
{
    m_app.SetTrayAtExit(FALSE);
    ExitSequence();
    return 0;
}

void CTVVideoWnd::OnClose()
{
    ExitSequence();
}

void CTVVideoWnd::ExitSequence()
{
    if (m_bExiting)
        return;
    m_bExiting = TRUE;
    m_pWakeUp->ArmNextWakeUp();
    zunk::Sleep(kArmWaitMs);
    m_control.StopForExit();
    ShowWindow(SW_HIDE);
    m_manager.CloseDevice();
    m_pWakeUp->StartWakeUpService();
    // A teletext program that hangs must not hold the exit up.
    if (HWND teletext = ::FindWindowA(NULL, kTeletextWindow)) {
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutA(teletext, WM_TELETEXT_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kTeletextCloseTimeoutMs,
                              &answer);
    }
    EndDialog(IDOK);
}

void CTVVideoWnd::OnDestroy()
{
    StopCursorTimer();
    ShowCursorState(TRUE);
    for (std::unique_ptr<COsd>& osd : m_osd) {
        if (osd)
            osd->DestroyWindow();
        osd.reset();
    }
    Default();
}
