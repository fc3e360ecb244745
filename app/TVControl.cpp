#include "app/TVControl.h"

#include "settings/ColorDlg.h"

#include "app/ManagerOsdEngine.h"
#include "app/Osd.h"
#include "app/Panel2.h"
#include "app/TVVideoWnd.h"
#include "app/TVWallWnd.h"
#include "graph/DebugHelper.h"
#include "graph/WindowMessages.h"
#include "engine/TVManager.h"
#include "graph/Clock.h"
#include "engine/DiskWatch.h"
#include "platform/timing/Timing.h"
#include "resources/Resource.h"
#include "app/ScreenTool.h"
#include "skin/SkinManager.h"

#include <commctrl.h>

#include <algorithm>

BEGIN_MESSAGE_MAP(CTVControl, CSkinnedDialog)
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_REMOTE_KEY, OnRemoteKey)
    ON_WM_TIMER()
    ON_MESSAGE(WM_SHOW_RADIO_PANEL, OnShowRadioPanel)
    ON_WM_DESTROY()
    ON_WM_RBUTTONDOWN()
    ON_MESSAGE(WM_TIMING_EVENT, OnTimingEvent)
    ON_MESSAGE(WM_LOW_DISK, OnLowDisk)
    ON_MESSAGE(WM_RECORD_MESSAGE, OnRecordMessage)
    ON_MESSAGE(WM_RELAYOUT, OnRelayout)
    ON_MESSAGE(WM_HSCROLL, OnHScroll)
    ON_MESSAGE(WM_VSCROLL, OnVScroll)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOVE()
    ON_WM_SHOWWINDOW()
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_QUERYDRAGICON()
    ON_MESSAGE(WM_POWERBROADCAST, OnPowerBroadcast)
END_MESSAGE_MAP()

// The manager's mixer (the playback line of the sound settings).
class CTVControl::ManagerVolume final : public IPanelVolume
{
public:
    explicit ManagerVolume(CTVManager& manager) : m_manager(manager) {}

    BOOL GetVolume(int* volume) override { return m_manager.GetVolume(volume); }
    BOOL SetVolume(int volume) override { return m_manager.SetVolume(volume); }
    CString Refusal() override
    {
        if (m_manager.IsTFRunning())
            return "time shift's sound renderer takes no volume";
        if (m_manager.GetHardware().GetAudioControl() == NULL)
            return "no mixer";
        const HardwareSettings& settings = m_manager.GetHardwareSettings();
        if (settings.AudioPlayInput.IsEmpty())
            return "no playback line chosen in the sound settings";
        CString why;
        why.Format("the mixer gives no volume control for line \"%s\" of \"%s\" (or no mixer at all)",
                   (LPCSTR)settings.AudioPlayInput, (LPCSTR)settings.AudioPlayInputDev);
        return why;
    }

private:
    CTVManager& m_manager;
};

CTVControl::CTVControl(CTVManager& manager, const CString& appFolder)
    : CSkinnedDialog(IDD_PANEL), m_manager(manager), m_router(*this), m_appFolder(appFolder), m_bPanelWanted(TRUE), m_bMuted(FALSE), m_pVideoWnd(NULL)
{
    m_pManagerVolume.reset(new ManagerVolume(manager));
    m_pVolume = m_pManagerVolume.get();
}

CTVControl::~CTVControl()
{
    DeleteRecord();
    DeleteTimeShift();
    DeleteScreenTool();
}

BOOL CTVControl::CreatePanel(CWnd* videoWnd)
{
    m_pVideoWnd = videoWnd;
    if (!Create(IDD_PANEL, videoWnd))
        return FALSE;
    // The panel's own buttons show the commands' states.
    m_router.AddView(m_hWnd);
    return TRUE;
}

BOOL CTVControl::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_APP));
    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)icon);
    SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)icon);
    m_manager.InitRecordDisk(m_hWnd);
    LoadColorSkin();
    LoadAccel();
    m_bKeySwitch = TRUE;
    SetPowerOffTime(m_manager.GetShutTime(), m_manager.GetEnableShut());
    if (m_pVideoWnd != NULL && m_pVideoWnd->m_hWnd != NULL) {
        CString title;
        m_pVideoWnd->GetWindowText(title);
        SetWindowText(title);
    }
    SendDlgItemMessage(IDC_PANEL_VOLUME, TBM_SETRANGE, TRUE, MAKELPARAM(0, kVolumeMax));
    SendDlgItemMessage(IDC_PANEL_VOLUME, TBM_SETPAGESIZE, 0, kVolumeStep);
    SendDlgItemMessage(IDC_PANEL_VOLUME, TBM_SETLINESIZE, 0, kVolumeStep);
    ShowVolumeSliders(ReadVolume());
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    ShowTimeShiftState(0); // the bar and its commands wait for time shift
    OpenSchedule();
    StartClock();
    // Made here, the windows that wait for their first use held the first
    // picture up by more than a second: they come once it shows.
    m_bStartupFinished = FALSE;
    ::SetTimer(m_hWnd, kStartupTimer, kStartupDelayMs, OnStartupTimer);
    // Help has nothing to show.
    EnableCommand(ID_PANEL_HELP, FALSE);
    return TRUE;
}

void CALLBACK CTVControl::OnStartupTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(window, id);
    if (CTVControl* panel = static_cast<CTVControl*>(CWnd::FromHandlePermanent(window)))
        panel->FinishStartup();
}

void CTVControl::FinishStartup()
{
    if (m_bStartupFinished || m_hWnd == NULL)
        return;
    m_bStartupFinished = TRUE;
    ::KillTimer(m_hWnd, kStartupTimer);
    CreateWall();
    CreateScreenTool();
    AddToolTips();
    CreateOsdMenu();
}

void CTVControl::CreateOsdMenu()
{
    // Over the picture and owned by the panel.
    m_pOsdEngine.reset(new CManagerOsdEngine(m_manager, *this));
    m_pOsdMenu.reset(new CPanel2(*m_pOsdEngine));
    if (!m_pOsdMenu->Create(this)) {
        DebugHelper("CTVControl: the on-screen menu could not be made\n");
        m_pOsdMenu.reset();
    } else {
        m_manager.AddScanListener(m_pOsdMenu.get());
    }
}

void CTVControl::OpenSchedule()
{
    const CString path = m_appFolder + "\\Rec.rec";
    m_bScheduleOpen = Timing_Initialize(path, kScheduleItems);
    if (!m_bScheduleOpen) {
        DebugHelper("CTVControl: the schedule %s did not open\n", (LPCSTR)path);
        return;
    }
    Timing_RegisterMsgWnd(m_hWnd);
    Timing_StartTrigger(0);
}

void CTVControl::CloseSchedule()
{
    if (!m_bScheduleOpen)
        return;
    Timing_StopTrigger(0);
    Timing_Uninitialize();
    m_bScheduleOpen = FALSE;
}

BOOL CTVControl::SetSkin(LPCSTR skinName)
{
    SkinFiles files;
    if (!GetSkinFiles(skinName, m_manager.GetDefaultSkinName(), &m_manager.GetSkinSet(), m_appFolder, files) &&
        !GetSkinFiles(m_manager.GetDefaultSkinName(), m_manager.GetDefaultSkinName(), &m_manager.GetSkinSet(),
                      m_appFolder, files)) {
        DebugHelper("CTVControl::SetSkin: no files for skin %s\n", skinName);
        return FALSE;
    }
    const SkinLoadResult result = CSkinnedDialog::SetSkin(files.panelIni, files.panelLibrary);
    DebugHelper("CTVControl::SetSkin %s: %d\n", skinName, (int)result);
    // A new skin makes new controls: they take the commands' states. Its
    // volume slider may stand the other way: the volume is shown again.
    m_router.PushAll();
    ShowVolumeSliders(m_nVolume);
    if (m_hWnd != NULL && IsWindowVisible())
        Invalidate();
    return result == kSkinLoaded;
}

BOOL CTVControl::LoadColorSkin()
{
    return LoadColorSkin(m_appFolder + "\\ColorSkin.ini", m_appFolder + "\\Orbane.dll");
}

BOOL CTVControl::LoadColorSkin(LPCSTR iniPath, LPCSTR library)
{
    if (m_pPictureDialog != NULL && m_pPictureDialog->m_hWnd != NULL) {
        const SkinLoadResult result = m_pPictureDialog->SetSkin(iniPath, library);
        DebugHelper("CTVControl::LoadColorSkin: %d\n", (int)result);
        return result == kSkinLoaded;
    }
    // No picture dialog yet: the files are checked, and the library must
    // load, so that the dialog can wear the skin when it comes.
    if (::GetFileAttributesA(iniPath) == INVALID_FILE_ATTRIBUTES ||
        ::GetFileAttributesA(library) == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    HMODULE module = ::LoadLibraryExA(library, NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (module == NULL) {
        DebugHelper("CTVControl::LoadColorSkin: %s does not load\n", library);
        return FALSE;
    }
    ::FreeLibrary(module);
    return TRUE;
}

void CTVControl::SetPictureDialog(CSkinnedDialog* dialog)
{
    m_pPictureDialog = dialog;
    if (dialog != NULL)
        LoadColorSkin();
}

void CTVControl::ApplyInputSource()
{
    const int source = m_manager.GetVideoSource();
    CTVHardWare& hardware = m_manager.GetHardware();
    if (source == CTVHardWare::kInputFM) {
        m_manager.StopGraph(TRUE);
        if (hardware.BuildNullGraph()) {
            hardware.GetGraph().Run();
            if (hardware.IsTeletextOn() && hardware.IsTeletextRunning() && hardware.ConnectNullGraph())
                hardware.GetGraph().Run();
        }
        if (m_hWnd != NULL)
            ShowWindow(SW_SHOW);
        hardware.SelectInput(CTVHardWare::kInputFM);
        hardware.StartRemote();
    } else {
        if (!hardware.IsCaptureConnected())
            m_manager.RunPreview();
        if (m_pVideoWnd != NULL && m_pVideoWnd->m_hWnd != NULL && !m_pVideoWnd->IsWindowVisible())
            m_pVideoWnd->ShowWindow(SW_SHOW);
    }
    // The table decides the enables by source; holds from the last source go.
    m_router.ClearHolds();
    m_router.EnableCommand(ID_PANEL_HELP, FALSE); // help has nothing to show
    RefreshState();

    CString format;
    m_manager.GetRecordFormatName(format);
    if (source == CTVHardWare::kInputAV || source == CTVHardWare::kInputSV) {
        const CString* name = m_manager.GetInputNames().Find((DWORD)source);
        const CString input = name != NULL ? *name : CString();
        if (m_hWnd != NULL)
            SetDlgItemText(IDC_PANEL_CHANNEL_TEXT, input);
        if (CTVVideoWnd* video = VideoWnd()) {
            if (COsd* osd = video->GetOsd(CTVVideoWnd::kOsdChannel)) {
                osd->SetText(input);
                if (video->IsWindowVisible())
                    osd->ShowOsd(TRUE);
            }
        }
    } else {
        // Selecting the input tuned nothing: the channel restored is tuned once.
        hardware.SetVideoStandard(m_manager.GetHardwareSettings().TunerStandard);
        ShowChannelText(m_manager.GetCurrentTable().RestoreCurrentChannel());
    }
    if (m_hWnd != NULL)
        SetDlgItemText(IDC_PANEL_FORMAT_TEXT, format);
}

void CTVControl::ShowVolumeAndMute()
{
    ShowVolumeSliders(ReadVolume());
}

void CTVControl::SetVolumeDoor(IPanelVolume* volume)
{
    m_pVolume = volume != NULL ? volume : m_pManagerVolume.get();
}

int CTVControl::ReadVolume()
{
    int volume = 0;
    if (m_pVolume->GetVolume(&volume))
        m_nVolume = std::max(0, std::min(kVolumeMax, volume));
    return m_nVolume;
}

void CTVControl::SetVolume(int volume)
{
    volume = std::max(0, std::min(kVolumeMax, volume));
    m_nVolume = volume;
    if (!m_pVolume->SetVolume(volume))
        DebugHelper("CTVControl: volume %d shown but not set: %s\n", volume, (LPCSTR)m_pVolume->Refusal());
    ShowVolumeSliders(volume);
    ShowVolumeOsd(volume);
}

void CTVControl::ShowVolumeSliders(int volume)
{
    if (m_pScreenTool != NULL)
        m_pScreenTool->ShowVolume(volume);
    HWND slider = m_hWnd != NULL ? ::GetDlgItem(m_hWnd, IDC_PANEL_VOLUME) : NULL;
    if (slider == NULL)
        return;
    // A skin stands the slider upright (its top the loudest) or lays it
    // across (its right end the loudest).
    const BOOL upright = (::GetWindowLongA(slider, GWL_STYLE) & TBS_VERT) != 0;
    const int position = upright ? kVolumeMax - volume : volume;
    if (::SendMessageA(slider, TBM_GETPOS, 0, 0) != position)
        ::SendMessageA(slider, TBM_SETPOS, TRUE, position);
}

CTVControl::SliderReading CTVControl::ReadVolumeSlider() const
{
    SliderReading reading = {0, 0, kVolumeMax, kVolumeStep};
    HWND slider = m_hWnd != NULL ? ::GetDlgItem(m_hWnd, IDC_PANEL_VOLUME) : NULL;
    if (slider == NULL)
        return reading;
    reading.position = (int)::SendMessageA(slider, TBM_GETPOS, 0, 0);
    reading.minimum = (int)::SendMessageA(slider, TBM_GETRANGEMIN, 0, 0);
    reading.maximum = (int)::SendMessageA(slider, TBM_GETRANGEMAX, 0, 0);
    reading.page = (int)::SendMessageA(slider, TBM_GETPAGESIZE, 0, 0);
    return reading;
}

int CTVControl::VolumeForHScroll(UINT code, int thumb, int current, const SliderReading& slider)
{
    int volume = current;
    switch (code) {
    case TB_LINEUP:
        volume = current - kVolumeStep;
        break;
    case TB_LINEDOWN:
        volume = current + kVolumeStep;
        break;
    case TB_PAGEUP:
        volume = current - slider.page;
        break;
    case TB_PAGEDOWN:
        volume = current + slider.page;
        break;
    case TB_THUMBPOSITION:
    case TB_THUMBTRACK:
        volume = thumb;
        break;
    case TB_TOP:
        volume = slider.minimum;
        break;
    case TB_BOTTOM:
        volume = slider.maximum;
        break;
    case TB_ENDTRACK:
        return -1;
    default:
        break; // the current volume again
    }
    return std::max(slider.minimum, std::min(slider.maximum, volume));
}

int CTVControl::VolumeForVScroll(UINT code, const SliderReading& slider)
{
    // Upright, the slider reads from the top: its top is the loudest.
    if (code != TB_ENDTRACK && code != TB_THUMBPOSITION)
        return -1;
    return std::max(0, std::min(kVolumeMax, kVolumeMax - slider.position));
}

LRESULT CTVControl::OnVScroll(WPARAM wParam, LPARAM lParam)
{
    HWND slider = m_hWnd != NULL ? ::GetDlgItem(m_hWnd, IDC_PANEL_VOLUME) : NULL;
    if (slider != NULL && (HWND)lParam == slider) {
        const int volume = VolumeForVScroll(LOWORD(wParam), ReadVolumeSlider());
        if (volume >= 0)
            SetVolume(volume);
        return 0;
    }
    return Default();
}

// --- the panel's window -------------------------------------------------------------

void CTVControl::OnLButtonDown(UINT flags, CPoint point)
{
    (void)flags;
    // The panel has no caption: a press anywhere on it moves it.
    ClientToScreen(&point);
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

void CTVControl::OnMouseMove(UINT flags, CPoint point)
{
    (void)flags;
    (void)point;
    // Over the panel the pointer stays, also in full screen.
    if (CTVVideoWnd* video = VideoWnd())
        video->StopCursorTimer();
    Default();
}

void CTVControl::OnMove(int x, int y)
{
    (void)x;
    (void)y;
    if (m_pColorDlg && m_pColorDlg->m_hWnd != NULL && m_pColorDlg->IsWindowVisible())
        PlacePictureDialog();
    Default();
}

void CTVControl::OnShowWindow(BOOL show, UINT status)
{
    (void)status;
    if (!show)
        ShowPictureDialog(FALSE);
    Default();
}

void CTVControl::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    (void)other;
    (void)minimized;
    m_bActive = state != WA_INACTIVE;
    Default();
}

void CTVControl::OnClose()
{
    // The system menu's close (the FM panel stands alone on the task bar):
    // the exit command, refused where the command is.
    RefreshState();
    m_router.Execute(ID_EXIT);
}

LRESULT CTVControl::OnPowerBroadcast(WPARAM event, LPARAM)
{
    // A suspend would cut a recording or a schedule's start short.
    return event == PBT_APMQUERYSUSPEND ? BROADCAST_QUERY_DENY : TRUE;
}

HCURSOR CTVControl::OnQueryDragIcon()
{
    return (HCURSOR)::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_APP));
}

void CTVControl::RefreshState()
{
    // Pushed to the views only when something changed: idle time costs a
    // few reads of the manager.
    m_router.SetState(ComputeState());
    UpdateScreenTool();
}

void CTVControl::ShowAsWanted()
{
    if (m_hWnd != NULL)
        ShowWindow(m_bPanelWanted ? SW_SHOWNA : SW_HIDE);
}

void CTVControl::OnRButtonDown(UINT flags, CPoint point)
{
    (void)flags;
    ClientToScreen(&point);
    ShowContextMenu(point);
}

void CTVControl::StopForExit()
{
    if (m_bScheduleOpen) {
        Timing_CancelItem(0);
        zunk::Sleep(kCancelWaitMs);
    }
    // The picture goes back to the video window before the graph stops.
    CloseTVWall();
    if (m_manager.IsTFRunning())
        m_manager.StopTF();
    if (m_pPictureDialog != NULL && m_pPictureDialog->m_hWnd != NULL)
        m_pPictureDialog->ShowWindow(SW_HIDE);
    if (m_hWnd != NULL)
        ShowWindow(SW_HIDE);
    if (m_manager.IsRecording())
        m_manager.StopRecord();
    if (m_manager.IsScanning())
        m_manager.StopScan();
    // The scan's strip is not part of the place kept for the next run.
    if (CTVVideoWnd* video = VideoWnd())
        video->EndScanDisplay();
    m_manager.StopGraph(FALSE);
    SavePlaces();
}

void CTVControl::SavePlaces()
{
    // Where the windows were left, so the next run opens them there. A
    // maximised or minimised window keeps the place it had before.
    CTVVideoWnd* video = VideoWnd();
    if (video == NULL)
        return;
    ManagerSettings& settings = m_manager.Settings();
    const CRect rect = PlaceOf(*video);
    if (!rect.IsRectEmpty())
        settings.VideoWnd = rect;
    settings.TopMost = (video->GetExStyle() & WS_EX_TOPMOST) != 0;
    const CSize ratio = video->GetAspectRatio();
    if (ratio.cx > 0 && ratio.cy > 0)
        settings.VideoRatio = ratio;
    if (m_hWnd != NULL) {
        const CRect panel = PlaceOf(*this);
        if (!panel.IsRectEmpty())
            settings.ControlLeftTop = panel.TopLeft();
    }
}

CRect CTVControl::PlaceOf(CWnd& window)
{
    CRect rect;
    if (!window.IsIconic() && !window.IsZoomed()) {
        window.GetWindowRect(&rect);
        return rect;
    }
    // Full screen or minimised: the place it comes back to.
    WINDOWPLACEMENT place = {};
    place.length = sizeof place;
    if (::GetWindowPlacement(window.m_hWnd, &place))
        rect = place.rcNormalPosition;
    return rect;
}


LRESULT CTVControl::OnShowRadioPanel(WPARAM, LPARAM)
{
    // Hidden, the video window lets the panel stand alone on the task bar.
    if (m_pVideoWnd != NULL && m_pVideoWnd->m_hWnd != NULL)
        m_pVideoWnd->ShowWindow(SW_HIDE);
    ShowWindow(SW_MINIMIZE);
    ShowWindow(SW_RESTORE);
    ShowWindow(SW_SHOW);
    return 0;
}

void CTVControl::OnDestroy()
{
    CloseTVWall();
    m_pWall.reset();
    m_manager.RemoveScanListener(m_pOsdMenu.get());
    m_pOsdMenu.reset();
    if (m_pScreenTool != NULL && m_pScreenTool->m_hWnd != NULL)
        m_pScreenTool->DestroyWindow();
    CloseSchedule();
    m_hAccel = NULL; // the hot-key table keeps and destroys it
    if (m_pColorDlg && m_pColorDlg->m_hWnd != NULL)
        m_pColorDlg->DestroyWindow();
    m_router.RemoveView(m_hWnd);
    Default();
}
