#include "app/RecordControl.h"

#include "engine/PathHelpers.h"
#include "graph/DebugHelper.h"
#include "resources/Resource.h"

namespace {

const int kSourceTV = 0;
const int kSourceFM = 3;
const int kSourceCount = 4;
// The check while more than a minute remains: every 30 s.
const LONGLONG kCheckWindowSeconds = 60;

CString DriveOf(const CString& path)
{
    return path.Left(3);
}

} // namespace

UINT CRecordControl::NextCheckSeconds(LONGLONG remaining)
{
    const LONGLONG window = remaining < kCheckWindowSeconds ? remaining : kCheckWindowSeconds;
    const LONGLONG half = window / 2;
    return half < 1 ? 1u : (UINT)half;
}

// --- one file --------------------------------------------------------------------

BOOL CRecordControl::StartFile()
{
    if (!m_host.StartRecord())
        return FALSE;
    m_host.SetRecordUiState(TRUE);
    m_start = m_host.Now();
    m_host.SetRotationTimer(1);
    return TRUE;
}

void CRecordControl::StopFile(LPCSTR trace)
{
    m_host.PrepareVideoWindow();
    m_host.MuteForTuning();
    DebugHelper("%s", trace);
    m_host.StopRecord();
}

void CRecordControl::Finish(State was)
{
    m_state = kNone;
    m_host.StopBlink();
    m_host.SetRotationTimer(0);
    m_host.UpdatePauseCommand();
    m_host.SetRecordUiState(FALSE);
    // A scheduled recording may have tuned elsewhere: the table's current
    // channel comes back.
    if (was == kScheduled) {
        const int source = m_host.GetVideoSource();
        if (source == kSourceTV || source == kSourceFM)
            m_host.TuneCurrentChannel();
    }
}

UINT CRecordControl::StartFailureText()
{
    const CString disk = m_host.GetRecordDisk();
    return !m_host.IsRecordDisabled() && !disk.IsEmpty() ? IDS_RECORD_START_FAILED : IDS_RECORD_NO_DISK;
}

void CRecordControl::RestartFile(BOOL endHere, UINT endText)
{
    const State was = m_state;
    StopFile(was == kScheduled ? "TVControl SwitchDisk StopRecord" : "TVControl StopManualRecord");
    if (endHere) {
        Finish(was);
        if (endText != 0)
            m_host.PostRecordMessage(endText);
        return;
    }
    m_host.SettleBeforeRestart();
    const BOOL started = StartFile();
    DebugHelper("TVControl restart StartRecord value is %d", started);
    if (!started) {
        // The recording is over: the panel says so once and shows no
        // recording, and the next check finds nothing to do.
        Finish(was);
        m_host.PostRecordMessage(StartFailureText());
        return;
    }
    m_state = was;
    m_host.StartBlink();
    m_host.UpdatePauseCommand();
}

// --- manual and scheduled ------------------------------------------------------------

BOOL CRecordControl::StartManualRecord()
{
    DebugHelper("CTVControl::StartManualRecord");
    m_host.PrepareVideoWindow();
    const BOOL started = StartFile();
    if (started) {
        DebugHelper("StartRecord is succeed!");
        m_state = kManual;
    } else {
        m_host.PostRecordMessage(StartFailureText());
        m_host.SetRecordUiState(FALSE);
    }
    m_host.UpdatePauseCommand();
    return started;
}

void CRecordControl::StopManualRecord()
{
    StopFile("TVControl StopManualRecord");
    Finish(kManual);
}

void CRecordControl::StopScheduleRecord()
{
    StopFile("TVControl StopScheduleRecord ");
    Finish(kScheduled);
}

void CRecordControl::CancelSchedule()
{
    // The user ended it: the library forgets the occurrence, and nothing
    // follows it (no power-off, no hibernation).
    m_host.CancelScheduleItem();
    StopScheduleRecord();
    m_host.SetMute(m_bSavedMute);
    ForgetSchedule();
}

void CRecordControl::ToggleRecord()
{
    if (m_host.IsScanning())
        return;
    switch (m_state) {
    case kNone:
        StartManualRecord();
        break;
    case kManual:
        StopManualRecord();
        break;
    default:
        CancelSchedule();
        break;
    }
    if (m_state != kNone)
        m_host.StartBlink();
}

void CRecordControl::OnRecordCommand()
{
    if (m_state == kScheduled) {
        CancelSchedule();
        return;
    }
    if (m_host.IsTimeShiftRunning()) {
        m_host.StopTimeShift();
        return;
    }
    if (m_bHeld)
        return;
    m_bHeld = TRUE;
    m_host.HoldRecordCommand();
    ToggleRecord();
}

// --- rotation and disks -----------------------------------------------------------------

void CRecordControl::RotateRecordFile()
{
    m_host.SetRotationTimer(0);
    if (m_state == kNone)
        return;
    const LONGLONG segment = (LONGLONG)m_host.GetMaxLength() * 60;
    const LONGLONG elapsed = (LONGLONG)(m_host.Now() - m_start);
    const LONGLONG remaining = segment - elapsed;
    // A file that would reach the multiplexer's limit before the next check
    // is cut now, as at the end of a segment, but always goes on.
    const ULONGLONG bytes = m_host.GetLimitedFileBytes();
    const ULONGLONG room = kFileLimit - kFileMargin;
    const ULONGLONG rate = elapsed > 0 ? bytes / (ULONGLONG)elapsed : bytes;
    if (bytes >= room || room - bytes <= rate * 2) {
        DebugHelper("TVControl: the file nears the 2 GiB limit, a new one starts");
        RestartFile(FALSE, 0);
        return;
    }
    if (elapsed < 0 || remaining <= 1) {
        if (m_state == kScheduled)
            DebugHelper("start Record Schedule");
        RestartFile(m_host.GetSegmentStop(), 0);
        return;
    }
    UINT next = NextCheckSeconds(remaining);
    if (rate > 0) {
        // Half the time the file takes to fill up.
        const ULONGLONG fill = (room - bytes) / rate / 2;
        if (fill < next)
            next = fill < 1 ? 1u : (UINT)fill;
    }
    m_host.SetRotationTimer(next);
}

void CRecordControl::SwitchDisk()
{
    if (m_state == kNone)
        return;
    RestartFile(m_host.GetDiskFullStop(), IDS_RECORD_DISK_FULL);
}

void CRecordControl::OnLowDisk(const CString& root, LONGLONG freeMiB)
{
    const CString current = m_host.GetCurDisk();
    if (current.IsEmpty() || DriveOf(current).CompareNoCase(DriveOf(root)) != 0)
        return;
    if (freeMiB > (LONGLONG)m_host.GetReservedSpace())
        return;
    const CString next = m_host.FindNextRecordDisk(current);
    if (!next.IsEmpty() && DriveOf(next).CompareNoCase(DriveOf(current)) != 0) {
        const CString folder = m_host.GetVideoFolder();
        const CString path = folder.IsEmpty() ? next : PathJoin(next, folder);
        m_host.SetRecordDiskByPath(path);
        SwitchDisk();
        m_host.SetVideoDir(path);
        return;
    }
    if (m_state == kNone)
        return;
    const State was = m_state;
    StopFile(was == kScheduled ? "TVControl StopScheduleRecord " : "TVControl StopManualRecord");
    Finish(was);
    m_host.PostRecordMessage(IDS_RECORD_DISK_FULL);
}

// --- the schedule ----------------------------------------------------------------------

void CRecordControl::ForgetSchedule()
{
    m_bScheduleActive = FALSE;
    m_bPowerOffAfter = FALSE;
    m_bHibernateAfter = FALSE;
}

void CRecordControl::RefuseSchedule(LPCSTR why, UINT textId)
{
    DebugHelper("TVControl OnTimingEvent: %s, the item is cancelled", why);
    m_host.CancelScheduleItem();
    if (textId != 0)
        m_host.PostRecordMessage(textId);
}

void CRecordControl::OnTimingEvent(HTIMINGITEM item, LPARAM event)
{
    if (event == TIMING_EVENT_STOP) {
        OnScheduleStop();
        return;
    }
    if (event != TIMING_EVENT_START)
        return;
    if (m_state != kNone) {
        // The recording that runs goes on.
        RefuseSchedule("a recording runs", 0);
        return;
    }
    _tagTimingParam timing = {};
    _tagExcuteParam execute = {};
    execute.nSize = sizeof execute;
    if (!m_host.GetScheduleItem(item, &timing, &execute) || execute.nSource < 0 ||
        execute.nSource >= kSourceCount) {
        RefuseSchedule("the item cannot be read", IDS_SCHEDULE_RECORD_FAILED);
        return;
    }
    if (!m_host.IsCardOpen()) {
        RefuseSchedule("no capture card", IDS_SCHEDULE_RECORD_FAILED);
        return;
    }
    // The schedule wins over time shift: the user asked for this recording.
    if (m_host.IsTimeShiftRunning() && !m_host.StopTimeShift()) {
        RefuseSchedule("time shift does not stop", IDS_SCHEDULE_TIMESHIFT);
        return;
    }
    StartSchedule(execute);
}

void CRecordControl::StartSchedule(const _tagExcuteParam& execute)
{
    m_bSavedMute = m_host.GetMute();
    m_host.MuteForTuning();
    m_host.CloseForSchedule();
    m_host.PrepareVideoWindow();
    if (m_host.GetVideoSource() != execute.nSource)
        m_host.SetVideoSource(execute.nSource);
    m_host.TuneScheduledChannel(execute.nSource, execute.nFrequency);
    const BOOL started = StartFile();
    DebugHelper("TVContorl OnTimingEvent StartRecord value is %d", started);
    if (!started) {
        m_host.SetRecordUiState(FALSE);
        m_host.SetMute(m_bSavedMute);
        m_host.UpdatePauseCommand();
        RefuseSchedule("the recording did not start", IDS_SCHEDULE_RECORD_FAILED);
        return;
    }
    m_state = kScheduled;
    m_bScheduleActive = TRUE;
    m_bPowerOffAfter = execute.bPowerOff != 0;
    m_bHibernateAfter = execute.bHibernate != 0;
    m_host.StartBlink();
    m_host.UpdatePauseCommand();
}

void CRecordControl::OnScheduleStop()
{
    // Only the item this panel started; it may have ended early (a full
    // disk, a failed new file): what was asked to follow still follows.
    if (!m_bScheduleActive)
        return;
    if (m_state == kScheduled)
        StopScheduleRecord();
    else if (m_state == kManual) {
        // The user started a recording of his own since: he is here, and
        // nothing switches the machine off under it.
        ForgetSchedule();
        return;
    }
    m_host.SetMute(m_bSavedMute);
    const BOOL powerOff = m_bPowerOffAfter;
    const BOOL hibernate = m_bHibernateAfter;
    ForgetSchedule();
    if (powerOff)
        m_host.ShowPowerOffCountdown();
    else if (hibernate)
        m_host.ExitAndHibernate();
}

ULONGLONG CRecordControl::LimitedFileBytes(const CString& path)
{
    if (path.GetLength() < 4 || path.Right(4).CompareNoCase(".avi") != 0)
        return 0;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return ((ULONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}
