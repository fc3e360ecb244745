// CRecordControl: the control panel's recording decisions. It keeps the
// record state (none, manual, scheduled), cuts a long recording into files
// of the maximum length, moves a recording to the next disk when its disk
// runs low, answers the schedule's start and stop events and powers off or
// hibernates after a scheduled recording that asked for it. Everything it
// does to the engine and the windows goes through IRecordHost, which the
// control panel implements and tests fake. Owned by the control panel; UI
// thread only.
#pragma once
#include "platform/mfc/String.h"
#include "platform/timing/Timing.h"

#include <windows.h>

// What the recording decisions need of the engine and the panel.
class IRecordHost
{
public:
    // The manager's recording road.
    virtual BOOL StartRecord() = 0;
    virtual BOOL StopRecord() = 0;
    virtual int GetMaxLength() = 0;         // minutes a file may last
    virtual BOOL GetSegmentStop() = 0;      // a segment's end ends the recording
    virtual BOOL GetDiskFullStop() = 0;     // a full disk ends the recording
    // Bytes in the running recording's file when its writer ends files at
    // kFileLimit (AVI), else 0.
    virtual ULONGLONG GetLimitedFileBytes() = 0;
    // The root of the disk a recording would go to now ("" with none).
    virtual CString GetRecordDisk() = 0;
    virtual BOOL IsRecordDisabled() = 0;
    virtual CString GetCurDisk() = 0;       // the watched record disk's root
    virtual int GetReservedSpace() = 0;     // MiB
    // The root of the next disk with room after `root`, "" when none.
    virtual CString FindNextRecordDisk(const CString& root) = 0;
    virtual CString GetVideoFolder() = 0;   // folder name on a disk, may be ""
    virtual BOOL SetRecordDiskByPath(const CString& path) = 0;
    virtual BOOL SetVideoDir(const CString& path) = 0;
    virtual BOOL GetMute() = 0;
    virtual void SetMute(BOOL mute) = 0;
    virtual BOOL IsCardOpen() = 0;
    virtual BOOL IsScanning() = 0;
    virtual BOOL IsTimeShiftRunning() = 0;
    // Time shift stopped as its stop command does; FALSE when it goes on.
    virtual BOOL StopTimeShift() = 0;
    virtual int GetVideoSource() = 0;
    virtual void SetVideoSource(int source) = 0;
    // The channel with `kHz` in the source's table made current and shown.
    virtual void TuneScheduledChannel(int source, int kHz) = 0;
    // The source's current channel tuned again (TV and FM).
    virtual void TuneCurrentChannel() = 0;

    // The schedule: the item's two records; the running item dropped.
    virtual BOOL GetScheduleItem(HTIMINGITEM item, _tagTimingParam* timing, _tagExcuteParam* execute) = 0;
    virtual void CancelScheduleItem() = 0;

    // The panel.
    virtual void MuteForTuning() = 0;
    virtual void SetRecordUiState(BOOL recording) = 0;
    // A message shown once the handler has returned (never a modal box
    // inside it: its loop would run the timers and events again).
    virtual void PostRecordMessage(UINT textId) = 0;
    // Before a recording starts or stops: the video window back from
    // desktop-video mode, the on-screen menu hidden.
    virtual void PrepareVideoWindow() = 0;
    // Before a scheduled start: the channel wall and the settings sheet
    // closed (with what closing the sheet does).
    virtual void CloseForSchedule() = 0;
    virtual void StartBlink() = 0;
    virtual void StopBlink() = 0;
    virtual void UpdatePauseCommand() = 0;
    // The rotation check (seconds; 0 stops it).
    virtual void SetRotationTimer(UINT seconds) = 0;
    // The record command held for a moment (released by ReleaseRecordCommand).
    virtual void HoldRecordCommand() = 0;
    // The short settle between stopping a file and starting the next.
    virtual void SettleBeforeRestart() = 0;
    virtual void ShowPowerOffCountdown() = 0;
    // The exit road, with hibernation as the program's last step.
    virtual void ExitAndHibernate() = 0;
    virtual __time64_t Now() = 0;

protected:
    ~IRecordHost() {}
};

class CRecordControl
{
public:
    enum State
    {
        kNone = 0,
        kManual = 1,
        kScheduled = 2,
    };

    explicit CRecordControl(IRecordHost& host) : m_host(host) {}
    CRecordControl(const CRecordControl&) = delete;
    CRecordControl& operator=(const CRecordControl&) = delete;

    int GetState() const { return m_state; }
    BOOL IsRecording() const { return m_state != kNone; }
    __time64_t GetStartTime() const { return m_start; }

    BOOL StartManualRecord();
    void StopManualRecord();
    void StopScheduleRecord();
    void ToggleRecord();
    // The record command: a scheduled recording is cancelled, time shift
    // stopped, otherwise a toggle (once while the command is held).
    void OnRecordCommand();
    void ReleaseRecordCommand() { m_bHeld = FALSE; }
    // The rotation check (the rotation timer).
    void RotateRecordFile();
    void SwitchDisk();
    void OnTimingEvent(HTIMINGITEM item, LPARAM event);
    void OnLowDisk(const CString& root, LONGLONG freeMiB);
    // The exit road: nothing more follows from a running item.
    void ForgetSchedule();

    // The AVI multiplexer ends a file at 2 GiB: a new file starts before.
    static const ULONGLONG kFileLimit = 2ull << 30;
    static const ULONGLONG kFileMargin = 64ull << 20;

    // The check comes closer as the file's end nears: half of what remains
    // of the last minute, at least one second.
    static UINT NextCheckSeconds(LONGLONG remaining);
    // The bytes of the recording at `path` when its writer ends files at
    // kFileLimit (an AVI file), else 0.
    static ULONGLONG LimitedFileBytes(const CString& path);

private:
    BOOL StartFile();
    void StopFile(LPCSTR trace);
    // The recording over: state, blink, timers and buttons.
    void Finish(State was);
    UINT StartFailureText();
    // The current file ended (rotation, disk switch): a new one follows
    // unless `endHere`, and the state follows the new start's result.
    void RestartFile(BOOL endHere, UINT endText);
    void CancelSchedule();
    void RefuseSchedule(LPCSTR why, UINT textId);
    void StartSchedule(const _tagExcuteParam& execute);
    void OnScheduleStop();

    IRecordHost& m_host;
    State m_state = kNone;
    __time64_t m_start = 0;
    BOOL m_bHeld = FALSE;
    // A scheduled item the library still runs (its stop event is ours,
    // also after its recording ended early).
    BOOL m_bScheduleActive = FALSE;
    BOOL m_bSavedMute = FALSE;
    BOOL m_bPowerOffAfter = FALSE;
    BOOL m_bHibernateAfter = FALSE;
};
