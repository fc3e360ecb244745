// The control panel's keys and timers: remote keys through the remote-code
// table, keyboard keys through the key table and the hot keys, the channel
// number typed with digits, the short mute around tuning, the picture-
// property bar and the daily power-off time.
#include "app/TVControl.h"

#include "graph/WindowMessages.h"
#include "app/Osd.h"
#include "app/Panel2.h"
#include "app/PellamarApp.h"
#include "app/ShutDownDlg.h"
#include "app/TimeShiftControl.h"
#include "app/TVVideoWnd.h"
#include "engine/TVManager.h"
#include "graph/Clock.h"
#include "graph/DebugHelper.h"
#include "resources/Resource.h"

#include <algorithm>
#include <vector>

using namespace cmd;

// --- remote keys -----------------------------------------------------------------

LRESULT CTVControl::OnRemoteKey(WPARAM wParam, LPARAM lParam)
{
    DebugHelper("Remote Msg : wParam = %d,lParam = %d\n", (int)wParam, (int)lParam);
    if (!m_bKeySwitch)
        return 0;
    const BYTE code = m_manager.TranslateRemoteKey((BYTE)(wParam & 0xFF));
    RefreshState();
    RunDecision(DecideRemoteCode(code, m_router.GetState()), code, lParam);
    RefreshState();
    return 0;
}

void CTVControl::RunDecision(const RemoteDecision& decision, BYTE code, LPARAM lParam)
{
    switch (decision.action) {
    case RemoteAction::kCommand:
        m_router.Execute(decision.command);
        break;
    case RemoteAction::kDigit:
        EnterChannelDigit(decision.value);
        break;
    case RemoteAction::kEntryMode:
        CycleEntryMode();
        break;
    case RemoteAction::kPowerOff:
        StartPowerOffCountdown();
        break;
    case RemoteAction::kOsdKey:
        if (decision.value != 0)
            SendOsdKey((UINT)decision.value, lParam);
        OnOsdKey(code, lParam);
        break;
    case RemoteAction::kNone:
        break;
    }
}

LRESULT CTVControl::OnOsdKey(WPARAM key, LPARAM lParam)
{
    // The on-screen menu takes its keys while it shows. A hidden menu takes
    // none: Enter there would act on a panel nobody sees (start a scan,
    // delete a channel).
    static const UINT kMenuKeys[] = {93, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_RETURN, 254};
    const bool menuKey = std::find(std::begin(kMenuKeys), std::end(kMenuKeys), (UINT)key) != std::end(kMenuKeys);
    if (!menuKey || !IsOsdMenuShown())
        return 0;
    SendOsdKey((UINT)key, lParam);
    return 1;
}

void CTVControl::SendOsdKey(UINT key, LPARAM lParam)
{
    if (IsOsdMenuShown())
        m_pOsdMenu->SendMessage(WM_OSD_KEY, key, lParam);
}

void CTVControl::ShowOsdMenu(BOOL show)
{
    if (show)
        FinishStartup();
    if (m_pOsdMenu == NULL || m_pOsdMenu->m_hWnd == NULL)
        return;
    m_pOsdMenu->ShowPanel(show);
    RefreshState();
}

BOOL CTVControl::IsOsdMenuShown() const
{
    return m_pOsdMenu != NULL && m_pOsdMenu->IsPanelShown();
}

void CTVControl::StartPowerOffCountdown()
{
    if (m_bCountdown)
        return;
    DebugHelper("CTVControl: power-off countdown\n");
    if (m_hWnd != NULL)
        KillTimer(kPowerOffTimer);
    // The windows back in their plain place, so Cancel finds them there.
    CTVVideoWnd* video = VideoWnd();
    if (video != NULL && video->m_hWnd != NULL) {
        if (video->IsDesktopVideo())
            video->ToggleFullScreen();
        if (video->IsZoomed())
            video->ToggleFullScreen();
    }
    // The machine wakes for the next recording of the schedule.
    m_manager.SetOpenComputerTime();
    m_manager.SetOpenComputer();

    CShutDownDlg dialog;
    dialog.SetCount(kShutDownSeconds);
    dialog.AddWindowToHide(this);
    dialog.AddWindowToHide(video);
    m_bCountdown = TRUE;
    const INT_PTR answer = m_runCountdown ? m_runCountdown(dialog) : dialog.DoModal();
    m_bCountdown = FALSE;
    if (answer == IDOK) {
        if (CPellamarApp* app = dynamic_cast<CPellamarApp*>(AfxGetApp()))
            app->SetPowerOffAtExit(TRUE);
        CmdExit(ID_EXIT);
        return;
    }
    // Cancelled (or the dialog could not be made): the program goes on, and
    // so does the daily check, which already counts today's time as done.
    CheckPowerOffTime();
}

// --- keyboard --------------------------------------------------------------------

BOOL CTVControl::PreTranslateMessage(MSG* msg)
{
    const BOOL mine = msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd);
    if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && mine) {
        if (HandleKey(msg))
            return TRUE;
    }
    return CSkinnedDialog::PreTranslateMessage(msg);
}

void CTVControl::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    MSG msg = {};
    msg.hwnd = m_hWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = MAKELPARAM(repeat, flags);
    HandleKey(&msg);
}

BOOL CTVControl::HandleKey(MSG* msg)
{
    RefreshState();
    const KeyDecision key = DecideKey((UINT)msg->wParam, m_router.GetState(), m_bKeySwitch != FALSE,
                                      m_bHotKeys != FALSE);
    if (key.what.action != RemoteAction::kNone) {
        RunDecision(key.what, 0, 0);
        RefreshState();
        if (key.consumed)
            return TRUE;
    }
    if (m_bHotKeys && m_hAccel != NULL && ::TranslateAcceleratorA(m_hWnd, m_hAccel, msg))
        return TRUE;
    return FALSE;
}

// --- channel-number entry ----------------------------------------------------------

void CTVControl::EnterChannelDigit(int digit)
{
    RefreshState();
    if (m_router.GetState().Has(kScan | kRecord))
        return;
    const CChannelEntry::Step step = m_entry.Enter(digit, zunk::GetTickCount());
    ShowChannelDigits();
    if (step == CChannelEntry::kTuneNow) {
        TuneEnteredChannel();
        return;
    }
    SetTimer(kEntryTimer, m_entry.PauseMs(), NULL);
}

void CTVControl::ShowChannelDigits(BOOL emptyPlaces)
{
    // An empty entry hides the text, unless a new mode shows its places.
    const CString text(m_entry.IsEmpty() && !emptyPlaces ? "" : m_entry.Text().c_str());
    const BOOL fm = m_manager.GetVideoSource() == CTVHardWare::kInputFM;
    if (fm) {
        if (text.IsEmpty())
            ShowChannelText(m_manager.GetCurrentChannel());
        else if (m_hWnd != NULL)
            SetDlgItemText(IDC_PANEL_CHANNEL_TEXT, text);
        return;
    }
    CTVVideoWnd* video = VideoWnd();
    COsd* osd = video != NULL ? video->GetOsd(CTVVideoWnd::kOsdChannel) : NULL;
    if (osd == NULL)
        return;
    if (text.IsEmpty()) {
        osd->ShowOsd(FALSE);
        return;
    }
    osd->SetText(text);
    osd->ShowOsd(TRUE);
}

void CTVControl::TuneEnteredChannel()
{
    if (m_hWnd != NULL)
        KillTimer(kEntryTimer);
    const int source = m_manager.GetVideoSource();
    if (source == CTVHardWare::kInputTV || source == CTVHardWare::kInputFM) {
        const int number = m_entry.Number();
        const BOOL busy = m_manager.IsRecording() || m_manager.IsScanning() || m_manager.IsTFRunning();
        if (!busy && number >= 0) {
            CChannelTable& table = m_manager.GetCurrentTable();
            CChannel* channel = table.GetChannel(table.FindById(number));
            if (channel != NULL) {
                MuteForTuning();
                table.SetCurrentChannel(channel);
                m_entry.Clear();
                ShowChannelText(channel);
                return;
            }
        }
    }
    m_entry.Clear();
    ShowChannelDigits();
}

void CTVControl::CycleEntryMode()
{
    const int source = m_manager.GetVideoSource();
    if (source != CTVHardWare::kInputTV && source != CTVHardWare::kInputFM)
        return;
    if (m_hWnd != NULL)
        KillTimer(kEntryTimer);
    m_entry.CycleMode();
    ShowChannelDigits(TRUE);
}

// --- tuning mute -------------------------------------------------------------------

void CTVControl::MuteForTuning()
{
    if (m_manager.IsTFRunning())
        return;
    if (!m_bTuningMute) {
        m_bMuteBeforeTuning = m_manager.GetMute();
        m_bTuningMute = TRUE;
    }
    m_manager.SetMute(TRUE);
    zunk::Sleep(kTuningMuteSettleMs);
    if (m_hWnd != NULL)
        SetTimer(kTuningMuteTimer, kTuningMuteMs, NULL);
    else
        EndTuningMute();
}

void CTVControl::EndTuningMute()
{
    if (m_hWnd != NULL)
        KillTimer(kTuningMuteTimer);
    if (!m_bTuningMute)
        return;
    m_bTuningMute = FALSE;
    m_manager.SetMute(m_bMuteBeforeTuning);
}

// --- picture-property bar ----------------------------------------------------------

namespace {

struct PropertyRow
{
    UINT nameId;
    int (CTVManager::*get)() const;
    int (CTVManager::*set)(int value);
};

const PropertyRow kProperties[CTVManager::kVideoPropertyCount] = {
    {IDS_PROPERTY_BRIGHTNESS, &CTVManager::GetBrightness, &CTVManager::SetBrightness},
    {IDS_PROPERTY_CONTRAST, &CTVManager::GetContrast, &CTVManager::SetContrast},
    {IDS_PROPERTY_HUE, &CTVManager::GetHue, &CTVManager::SetHue},
    {IDS_PROPERTY_SATURATION, &CTVManager::GetSaturation, &CTVManager::SetSaturation},
    {IDS_PROPERTY_SHARPNESS, &CTVManager::GetSharpness, &CTVManager::SetSharpness},
};

} // namespace

int CTVControl::PropertyPercent(int value, int minimum, int maximum)
{
    if (minimum < 0 || maximum <= minimum)
        return -1;
    const long long percent = (long long)(value - minimum) * 100 / (maximum - minimum);
    return percent >= 0 && percent <= 100 ? (int)percent : -1;
}

void CTVControl::ShowPropertyBar()
{
    const PropertyRow& row = kProperties[m_nProperty];
    const CMinMaxDef& range = m_manager.GetCardRange(m_nProperty);
    const int percent = PropertyPercent((m_manager.*row.get)(), range.Min, range.Max);
    m_bPropertyBar = TRUE;
    SetTimer(kPropertyTimer, kPropertyBarMs, NULL);
    CTVVideoWnd* video = VideoWnd();
    COsd* osd = video != NULL ? video->GetOsd(CTVVideoWnd::kOsdProperty) : NULL;
    if (osd == NULL || percent < 0)
        return;
    CString name, text;
    name.LoadString(row.nameId);
    text.Format("%s %d%%", (LPCSTR)name, percent);
    osd->SetText(text);
    osd->SetValue(percent);
    osd->ShowOsd(TRUE);
}

void CTVControl::CmdPropertySelect(UINT)
{
    if (m_bPropertyBar)
        m_nProperty = (m_nProperty + 1) % CTVManager::kVideoPropertyCount;
    ShowPropertyBar();
}

void CTVControl::StepProperty(int direction)
{
    if (!m_bPropertyBar)
        return;
    const PropertyRow& row = kProperties[m_nProperty];
    const CMinMaxDef& range = m_manager.GetCardRange(m_nProperty);
    const int step = (range.Max - range.Min) / 20;
    const int value = std::max(range.Min, std::min(range.Max, (m_manager.*row.get)() + direction * step));
    (m_manager.*row.set)(value);
    ShowPropertyBar();
}

void CTVControl::CmdPropertyDown(UINT)
{
    StepProperty(-1);
}

void CTVControl::CmdPropertyUp(UINT)
{
    StepProperty(+1);
}

void CTVControl::CmdPropertyReset(UINT)
{
    HidePropertyBar();
    m_manager.ResetVideoProperties();
    ClosePictureDialog();
}

void CTVControl::HidePropertyBar()
{
    EndPropertyBar();
    if (CTVVideoWnd* video = VideoWnd())
        if (COsd* osd = video->GetOsd(CTVVideoWnd::kOsdProperty))
            osd->ShowOsd(FALSE);
}

void CTVControl::EndPropertyBar()
{
    if (m_hWnd != NULL)
        KillTimer(kPropertyTimer);
    m_bPropertyBar = FALSE;
    m_nProperty = 0;
}

void CTVControl::ClosePictureDialog()
{
    ShowPictureDialog(FALSE);
}

// --- daily power-off time ------------------------------------------------------------

void CTVControl::SetPowerOffTime(const CTime& time, BOOL enable)
{
    m_powerOff.Set(time, enable != FALSE, Now());
    if (!enable) {
        if (m_hWnd != NULL)
            KillTimer(kPowerOffTimer);
        return;
    }
    CheckPowerOffTime();
}

void CTVControl::CheckPowerOffTime()
{
    const CPowerOffTime::Check check = m_powerOff.Run(Now());
    if (m_hWnd == NULL)
        return;
    if (!check.enabled) {
        KillTimer(kPowerOffTimer);
        return;
    }
    SetTimer(kPowerOffTimer, check.nextSeconds * 1000, NULL);
    if (check.countdown)
        StartPowerOffCountdown();
}

CTime CTVControl::Now() const
{
    return m_pfnNow != NULL ? m_pfnNow() : CTime::GetCurrentTime();
}

// --- timers --------------------------------------------------------------------------

void CTVControl::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kTuningMuteTimer:
        EndTuningMute();
        break;
    case kClockTimer:
        ShowClock();
        break;
    case kPowerOffTimer:
        CheckPowerOffTime();
        break;
    case kEntryTimer:
        TuneEnteredChannel();
        break;
    case kRecordButtonTimer:
        KillTimer(kRecordButtonTimer);
        EnableCommand(ID_RECORD, TRUE);
        OnRecordTimer(id);
        break;
    case kPropertyTimer:
        EndPropertyBar();
        break;
    case kRotationTimer:
    case kBlinkTimer:
        OnRecordTimer(id);
        break;
    case kTimeShiftTimer:
        TimeShift().OnTick();
        break;
    default:
        break;
    }
    Default();
}

void CTVControl::StartClock()
{
    ShowClock();
    if (m_hWnd != NULL)
        SetTimer(kClockTimer, kClockMs, NULL);
}

void CTVControl::ShowClock()
{
    if (m_hWnd == NULL || GetDlgItem(IDC_PANEL_CLOCK) == NULL)
        return;
    const CTime now = Now();
    CString text;
    if (m_pRecord != NULL && IsRecordRunning()) {
        // The recording's length, standing still while it is paused.
        if (!m_manager.IsRecordPaused())
            ++m_nRecordSeconds;
        const int seconds = m_nRecordSeconds;
        text.Format("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    } else {
        m_nRecordSeconds = 0;
        text.Format("%02d:%02d:%02d", now.GetHour(), now.GetMinute(), now.GetSecond());
    }
    CString shown;
    GetDlgItemText(IDC_PANEL_CLOCK, shown);
    if (shown != text)
        SetDlgItemText(IDC_PANEL_CLOCK, text);
}

// --- hot keys ------------------------------------------------------------------------

void CTVControl::LoadAccel()
{
    // The user's hot keys from "Accel"; without a readable file, the
    // commands' default keys, saved there.
    if (!m_accel.LoadFromFile(AccelPath())) {
        RegisterCommands();
        m_accel.SaveToFile(AccelPath());
    }
    m_accel.SetEnabled((DWORD_PTR)this);
    m_accel.CreateAccelTable();
    m_hAccel = m_accel.GetAccelTable();
}

CString CTVControl::AccelPath() const
{
    return m_appFolder + "\\Accel";
}

void CTVControl::RegisterCommands()
{
    m_accel.RemoveAll();
    CString group;
    group.LoadString(IDS_GROUP_MAIN);
    m_accel.AddGroup(group);
    group.LoadString(IDS_GROUP_OTHER);
    m_accel.AddGroup(group);
    for (size_t i = 0; i < kCommandRowCount; ++i) {
        const CommandRow& row = kCommandRows[i];
        if (row.group == kNoGroup)
            continue;
        CString name, description;
        name.LoadString(row.nameId);
        description.LoadString(row.descId);
        m_accel.AddCommand((UINT)row.group, (WORD)row.id, name, description);
        for (const HotKey& key : row.keys) {
            if (key.key != 0)
                m_accel.SetBinding((DWORD)(FVIRTKEY | key.flags) | ((DWORD)key.key << 16), (WORD)row.id, 0);
        }
    }
}
