// The control panel's recording: the record command, the schedule's
// events, low disk, the rotation and blink timers, and the engine and
// window calls the recording decisions (CRecordControl) make through the
// panel.
#include "app/TVControl.h"

#include "graph/WindowMessages.h"
#include "app/Osd.h"
#include "app/PellamarApp.h"
#include "app/RecordControl.h"
#include "app/TimeShiftControl.h"
#include "app/TVVideoWnd.h"
#include "engine/DiskWatch.h"
#include "engine/TVManager.h"
#include "graph/DebugHelper.h"
#include "graph/Clock.h"
#include "platform/timing/Timing.h"
#include "resources/Resource.h"

namespace {

// Between the end of one file and the start of the next, for the driver.
const DWORD kRestartSettleMs = 100;
const UINT kRecordBlinkMs = 1200;
const UINT kRecordButtonHoldMs = 1000;

} // namespace

class CTVControl::RecordHost final : public IRecordHost
{
public:
    explicit RecordHost(CTVControl& panel) : m_panel(panel), m_manager(panel.m_manager) {}

    BOOL StartRecord() override { return m_manager.StartRecord(); }
    BOOL StopRecord() override { return m_manager.StopRecord(); }
    int GetMaxLength() override { return m_manager.GetMaxLength(); }
    BOOL GetSegmentStop() override { return m_manager.GetSettings().ExcessLength; }
    BOOL GetDiskFullStop() override { return m_manager.GetSettings().NoSpaceStop; }
    ULONGLONG GetLimitedFileBytes() override { return CRecordControl::LimitedFileBytes(m_manager.GetRecordFilePath()); }
    CString GetRecordDisk() override
    {
        CString root;
        m_manager.getRecordDisk(root);
        return root;
    }
    BOOL IsRecordDisabled() override { return m_manager.IsRecordDisabled(); }
    CString GetCurDisk() override { return m_manager.GetCurDisk(); }
    int GetReservedSpace() override { return m_manager.GetReservedSpace(); }
    CString FindNextRecordDisk(const CString& root) override
    {
        CHardDisk* disk = m_manager.FindNextRecordDisk(root);
        return disk != NULL ? disk->GetRootPath() : CString();
    }
    CString GetVideoFolder() override { return m_manager.GetVideoFolder(); }
    BOOL SetRecordDiskByPath(const CString& path) override { return m_manager.SetRecordDiskByPath(path); }
    BOOL SetVideoDir(const CString& path) override { return m_manager.SetVideoDir(path); }
    BOOL GetMute() override { return m_panel.m_bMuted; }
    void SetMute(BOOL mute) override { m_panel.SetMute(mute); }
    BOOL IsCardOpen() override
    {
        return m_manager.GetVideoSource() == CTVHardWare::kInputFM || m_manager.GetHardware().IsCaptureConnected();
    }
    BOOL IsScanning() override { return m_manager.IsScanning(); }
    BOOL IsTimeShiftRunning() override { return m_manager.IsTFRunning(); }
    BOOL StopTimeShift() override
    {
        if (!m_panel.TimeShift().Stop())
            return FALSE;
        m_panel.RefreshState();
        return TRUE;
    }
    int GetVideoSource() override { return m_manager.GetVideoSource(); }
    void SetVideoSource(int source) override
    {
        if (!m_manager.SetVideoSource(source))
            return;
        if (source == CTVHardWare::kInputTV) {
            m_manager.GetHardware().GetGraph().DisconnectAll();
            m_manager.RunPreview();
        }
        m_panel.ApplyInputSource();
    }
    void TuneScheduledChannel(int source, int kHz) override
    {
        if (source != CTVHardWare::kInputTV && source != CTVHardWare::kInputFM)
            return;
        CChannelTable& table = source == CTVHardWare::kInputFM ? m_manager.GetFMTable() : m_manager.GetTVTable();
        CChannel* channel = table.GetChannel(table.FindByFrequency(kHz));
        if (channel == NULL) {
            DebugHelper("TVControl: no channel at %d kHz for the schedule", kHz);
            return;
        }
        if (channel != table.GetCurrentChannel())
            table.SetCurrentChannel(channel);
        m_panel.ShowChannelText(channel);
    }
    void TuneCurrentChannel() override
    {
        m_panel.MuteForTuning();
        CChannelTable& table = m_manager.GetCurrentTable();
        m_panel.ShowChannelText(table.RestoreCurrentChannel());
    }
    BOOL GetScheduleItem(HTIMINGITEM item, _tagTimingParam* timing, _tagExcuteParam* execute) override
    {
        return Timing_GetItemTimingParam(item, timing) &&
               Timing_GetItemExcuteParam(item, execute, sizeof *execute);
    }
    void CancelScheduleItem() override { Timing_CancelItem(0); }
    void MuteForTuning() override { m_panel.MuteForTuning(); }
    void SetRecordUiState(BOOL recording) override { m_panel.SetRecordUiState(recording); }
    void PostRecordMessage(UINT textId) override
    {
        if (m_panel.m_hWnd != NULL)
            m_panel.PostMessage(WM_RECORD_MESSAGE, textId, 0);
    }
    void PrepareVideoWindow() override
    {
        CTVVideoWnd* video = m_panel.VideoWnd();
        if (video != NULL && video->IsDesktopVideo())
            video->ToggleFullScreen();
        m_panel.ShowOsdMenu(FALSE);
    }
    void CloseForSchedule() override { m_panel.CloseForSchedule(); }
    void StartBlink() override { m_panel.RestartBlink(); }
    void StopBlink() override
    {
        m_panel.m_bBlink = FALSE;
        if (m_panel.m_hWnd != NULL)
            m_panel.KillTimer(kBlinkTimer);
    }
    void UpdatePauseCommand() override { m_panel.RefreshState(); }
    void SetRotationTimer(UINT seconds) override
    {
        if (m_panel.m_hWnd == NULL)
            return;
        if (seconds == 0)
            m_panel.KillTimer(kRotationTimer);
        else
            m_panel.SetTimer(kRotationTimer, seconds * 1000, NULL);
    }
    void HoldRecordCommand() override
    {
        m_panel.EnableCommand(ID_RECORD, FALSE);
        if (m_panel.m_hWnd != NULL)
            m_panel.SetTimer(kRecordButtonTimer, kRecordButtonHoldMs, NULL);
    }
    void SettleBeforeRestart() override { zunk::Sleep(kRestartSettleMs); }
    void ShowPowerOffCountdown() override { m_panel.StartPowerOffCountdown(); }
    void ExitAndHibernate() override
    {
        if (CPellamarApp* app = dynamic_cast<CPellamarApp*>(AfxGetApp()))
            app->SetHibernateAtExit(TRUE);
        m_panel.CmdExit(ID_EXIT);
    }
    __time64_t Now() override { return m_panel.Now().GetTime(); }

private:
    CTVControl& m_panel;
    CTVManager& m_manager;
};

CRecordControl& CTVControl::Record()
{
    if (m_pRecord == NULL) {
        m_pRecordHost = new RecordHost(*this);
        m_pRecord = new CRecordControl(*m_pRecordHost);
    }
    return *m_pRecord;
}

void CTVControl::DeleteRecord()
{
    delete m_pRecord;
    m_pRecord = NULL;
    delete m_pRecordHost;
    m_pRecordHost = NULL;
}

void CTVControl::CmdRecord(UINT)
{
    Record().OnRecordCommand();
    UpdateChannelButtons();
}

void CTVControl::ToggleRecord()
{
    Record().ToggleRecord();
    UpdateChannelButtons();
}

BOOL CTVControl::IsRecordRunning()
{
    return Record().IsRecording();
}

LRESULT CTVControl::OnTimingEvent(WPARAM item, LPARAM event)
{
    Record().OnTimingEvent(reinterpret_cast<HTIMINGITEM>(item), event);
    UpdateChannelButtons();
    return 0;
}

LRESULT CTVControl::OnLowDisk(WPARAM drive, LPARAM freeMiB)
{
    Record().OnLowDisk(LowDiskRoot(drive), (LONGLONG)(DWORD)freeMiB);
    UpdateChannelButtons();
    return 0;
}

LRESULT CTVControl::OnRecordMessage(WPARAM textId, LPARAM captionId)
{
    ShowPanelMessage((UINT)textId, (UINT)captionId);
    return 0;
}

void CTVControl::OnRecordTimer(UINT_PTR id)
{
    switch (id) {
    case kRotationTimer:
        Record().RotateRecordFile();
        break;
    case kBlinkTimer:
        if (!Record().IsRecording()) {
            m_bBlink = FALSE;
            KillTimer(kBlinkTimer);
            ShowRecordIndicator(FALSE);
            break;
        }
        m_bBlink = !m_bBlink;
        ShowRecordIndicator(m_bBlink);
        break;
    case kRecordButtonTimer:
        Record().ReleaseRecordCommand();
        break;
    default:
        break;
    }
}

void CTVControl::RestartBlink()
{
    m_bBlink = TRUE;
    ShowRecordIndicator(TRUE);
    if (m_hWnd != NULL)
        SetTimer(kBlinkTimer, kRecordBlinkMs, NULL);
}

void CTVControl::ShowRecordIndicator(BOOL show)
{
    CTVVideoWnd* video = VideoWnd();
    COsd* osd = video != NULL ? video->GetOsd(CTVVideoWnd::kOsdRecord) : NULL;
    if (osd == NULL)
        return;
    if (!show || !Record().IsRecording()) {
        osd->ShowOsd(FALSE);
        return;
    }
    CString text, separator, format;
    if (m_manager.IsRecordPaused()) {
        text.LoadString(IDS_OSD_PAUSED);
    } else {
        text.LoadString(IDS_OSD_RECORDING);
        separator.LoadString(IDS_OSD_RECORDING_SEPARATOR);
        m_manager.GetRecordFormatName(format);
        text += separator + format;
    }
    osd->SetText(text);
    if (video->IsWindowVisible())
        osd->ShowOsd(TRUE);
}

void CTVControl::SetRecordUiState(BOOL recording)
{
    RefreshState();
    if (m_hWnd != NULL)
        CheckDlgButton(ID_RECORD, recording ? BST_CHECKED : BST_UNCHECKED);
    m_nRecordSeconds = 0;
    if (!recording) {
        ShowRecordIndicator(FALSE);
        HidePropertyBar();
    }
    ShowOsdMenu(FALSE);
}
