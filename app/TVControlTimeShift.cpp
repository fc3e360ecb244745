// The control panel's time shift: its commands, the pause command shared
// with recording, the time-shift bar (its state, its once-a-second move and
// its drag) and the panel calls the time-shift decisions
// (CTimeShiftControl) make.
#include "app/TVControl.h"

#include "app/Osd.h"
#include "app/RecordControl.h"
#include "app/TimeShiftControl.h"
#include "app/TVVideoWnd.h"
#include "engine/TVManager.h"
#include "resources/Resource.h"
#include "skin/SkinMultiSlider.h"

namespace {

// The tool tips of the record and pause buttons, which stop and pause time
// shift while it runs.
struct TipRow
{
    UINT control;
    UINT plain;
    UINT timeShift;
};

const TipRow kTimeShiftTips[] = {
    {ID_RECORD, IDS_TIP_RECORD, IDS_TIP_STOP_TIMESHIFT},
    {ID_PAUSE, IDS_TIP_PAUSE, IDS_TIP_PAUSE_TIMESHIFT},
};

} // namespace

class CTVControl::TimeShiftView final : public ITimeShiftView
{
public:
    explicit TimeShiftView(CTVControl& panel) : m_panel(panel) {}

    BOOL IsDesktopVideo() override
    {
        CTVVideoWnd* video = m_panel.VideoWnd();
        return video != NULL && video->IsDesktopVideo();
    }
    void ShowOsdText(UINT textId) override { m_panel.ShowMessageOsd(textId); }
    void PostMessageText(UINT textId, UINT captionId) override
    {
        if (m_panel.m_hWnd != NULL)
            m_panel.PostMessage(WM_RECORD_MESSAGE, textId, captionId);
    }
    void MuteForTuning() override { m_panel.MuteForTuning(); }
    void EndTuningMute() override { m_panel.EndTuningMute(); }
    void ClearMute() override { m_panel.SetMute(FALSE); }
    void SetBarState(BarState state) override { m_panel.ShowTimeShiftState(state); }
    void SetBar(const TimeShiftPosition& position) override
    {
        CSkinMultiSlider* bar = m_panel.TimeShiftBar();
        if (bar == NULL)
            return;
        bar->SetRange(position.start, position.start + position.capacity, FALSE);
        bar->SetSelection(position.start, position.end, FALSE);
        bar->SetPos(position.read, TRUE);
    }
    void SetTickTimer(UINT ms) override
    {
        if (m_panel.m_hWnd == NULL)
            return;
        if (ms == 0)
            m_panel.KillTimer(kTimeShiftTimer);
        else
            m_panel.SetTimer(kTimeShiftTimer, ms, NULL);
    }
    void UpdateChannelButtons() override { m_panel.UpdateChannelButtons(); }

private:
    CTVControl& m_panel;
};

CTimeShiftControl& CTVControl::TimeShift()
{
    if (m_pTimeShift == NULL) {
        m_pTimeShiftView = new TimeShiftView(*this);
        m_pTimeShift = new CTimeShiftControl(m_manager, *m_pTimeShiftView);
    }
    return *m_pTimeShift;
}

void CTVControl::DeleteTimeShift()
{
    delete m_pTimeShift;
    m_pTimeShift = NULL;
    delete m_pTimeShiftView;
    m_pTimeShiftView = NULL;
}

CSkinMultiSlider* CTVControl::TimeShiftBar() const
{
    CSkinManager* skin = GetSkin();
    return skin != NULL ? dynamic_cast<CSkinMultiSlider*>(skin->FindControl(IDC_PANEL_TIMESHIFT_BAR)) : NULL;
}

void CTVControl::ShowTimeShiftState(int state)
{
    RefreshState(); // the pause and stop commands follow the running state
    if (m_hWnd == NULL)
        return;
    const BOOL running = state != ITimeShiftView::kStopped;
    if (CWnd* bar = GetDlgItem(IDC_PANEL_TIMESHIFT_BAR))
        bar->EnableWindow(running);
    if (m_tips.m_hWnd != NULL) {
        for (const TipRow& row : kTimeShiftTips) {
            CWnd* control = GetDlgItem(row.control);
            if (control == NULL)
                continue;
            CString text;
            text.LoadString(running ? row.timeShift : row.plain);
            m_tips.UpdateTipText(text, control);
        }
    }
}

void CTVControl::CmdTimeShiftStart(UINT)
{
    TimeShift().Start();
    UpdateChannelButtons();
}

void CTVControl::CmdTimeShiftPause(UINT)
{
    TimeShift().Pause();
}

void CTVControl::CmdTimeShiftStop(UINT)
{
    TimeShift().Stop();
    UpdateChannelButtons();
}

void CTVControl::CmdPause(UINT)
{
    if (TimeShift().IsRunning()) {
        TimeShift().Pause();
        return;
    }
    // The command table offers pause only for a recording whose format can.
    if (!IsRecordRunning())
        return;
    m_manager.PauseRecord(!m_manager.IsRecordPaused());
    RestartBlink();
}

LRESULT CTVControl::OnHScroll(WPARAM wParam, LPARAM lParam)
{
    CSkinMultiSlider* bar = TimeShiftBar();
    if (bar != NULL && (HWND)lParam == bar->m_hWnd && LOWORD(wParam) == CSkinMultiSlider::kScrollCode)
        TimeShift().SeekTo(bar->GetPos());
    HWND volume = m_hWnd != NULL ? ::GetDlgItem(m_hWnd, IDC_PANEL_VOLUME) : NULL;
    if (volume != NULL && (HWND)lParam == volume) {
        const int asked = VolumeForHScroll(LOWORD(wParam), (short)HIWORD(wParam), ReadVolume(), ReadVolumeSlider());
        if (asked >= 0)
            SetVolume(asked);
        return 0;
    }
    return Default();
}
