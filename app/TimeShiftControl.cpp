#include "app/TimeShiftControl.h"

#include "engine/TVHardWare.h"
#include "engine/TVManager.h"
#include "graph/DebugHelper.h"
#include "resources/Resource.h"

#include <string>

BOOL CTimeShiftControl::IsRunning()
{
    return m_manager.IsTFRunning();
}

BOOL CTimeShiftControl::Start()
{
    // The command is not offered in these states: refused without a word.
    if (m_manager.IsRecording() || m_manager.IsScanning() || IsRunning() ||
        m_manager.GetVideoSource() != CTVHardWare::kInputTV || m_view.IsDesktopVideo())
        return FALSE;
    if (!m_manager.IsTFAvailable()) {
        m_view.PostMessageText(IDS_TIMESHIFT_UNAVAILABLE, IDS_TIMESHIFT_ERROR_CAPTION);
        return FALSE;
    }
    m_view.ShowOsdText(IDS_TIMESHIFT);
    CString root;
    m_manager.getRecordDisk(root);
    if (root.IsEmpty() || !m_manager.SetRecordDiskByPath(root)) {
        m_view.PostMessageText(IDS_TIMESHIFT_NO_DISK, IDS_TIMESHIFT_ERROR_CAPTION);
        return FALSE;
    }
    m_view.MuteForTuning();
    if (!m_manager.StartTFPreview()) {
        m_view.PostMessageText(IDS_TIMESHIFT_START_FAILED, IDS_TIMESHIFT_ERROR_CAPTION);
        return FALSE;
    }
    // Time shift plays the sound itself: the tuning mute would outlast it.
    m_view.EndTuningMute();
    m_manager.MuteRecSrcPalyBack(TRUE);
    m_nSeconds = 0;
    m_bLimitRefused = FALSE;
    m_view.SetBarState(ITimeShiftView::kRunning);
    m_view.SetTickTimer(kTickMs);
    return TRUE;
}

BOOL CTimeShiftControl::Pause()
{
    if (!IsRunning())
        return FALSE;
    if (!m_manager.PauseTF()) {
        m_view.PostMessageText(IDS_TIMESHIFT_PAUSE_FAILED, IDS_TIMESHIFT_ERROR_CAPTION);
        return FALSE;
    }
    m_view.SetBarState(m_manager.IsTFPaused() ? ITimeShiftView::kPaused : ITimeShiftView::kRunning);
    return TRUE;
}

BOOL CTimeShiftControl::Stop()
{
    if (IsRunning()) {
        if (!m_manager.StopTF()) {
            m_view.PostMessageText(IDS_TIMESHIFT_STOP_FAILED, IDS_TIMESHIFT_ERROR_CAPTION);
            return FALSE;
        }
        m_view.SetTickTimer(0);
        m_nSeconds = 0;
        m_view.SetBarState(ITimeShiftView::kStopped);
    }
    // The sound comes back whichever way time shift ended.
    m_view.ClearMute();
    m_manager.MuteRecSrcPalyBack(FALSE);
    return TRUE;
}

void CTimeShiftControl::OnTick()
{
    m_view.SetTickTimer(0);
    if (!IsRunning()) {
        // Ended elsewhere (the exit, a schedule): the bar follows.
        m_nSeconds = 0;
        m_view.SetBarState(ITimeShiftView::kStopped);
        return;
    }
    if (LimitReached()) {
        if (Stop()) {
            m_view.PostMessageText(IDS_TIMESHIFT_LIMIT_REACHED, IDS_TIMESHIFT);
            m_view.UpdateChannelButtons();
            return;
        }
        // Stop said why it would not; time shift goes on and is not
        // stopped again every second.
        m_bLimitRefused = TRUE;
    }
    TimeShiftPosition position = {};
    if (m_manager.GetTFPosition(&position)) {
        m_view.SetBar(position);
        DebugHelper("llTotalBufLen = %s,llCurBufLen = %s,llReadPos = %s", std::to_string(position.capacity).c_str(),
                    std::to_string(position.end - position.start).c_str(),
                    std::to_string(position.read - position.start).c_str());
    }
    ++m_nSeconds;
    m_view.SetTickTimer(kTickMs);
}

BOOL CTimeShiftControl::LimitReached() const
{
    // The reserve switch of the record page holds time shift to its length.
    return !m_bLimitRefused && m_manager.GetTFReserved() != 0 && m_nSeconds >= m_manager.GetTFTime();
}

BOOL CTimeShiftControl::SeekTo(LONGLONG position)
{
    return IsRunning() && m_manager.SeekTF(position);
}
