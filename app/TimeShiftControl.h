// CTimeShiftControl: the control panel's time shift. It starts, pauses and
// stops time shift through the manager, keeps the time-shift bar's state
// and, once a second while time shift runs, moves the bar to where the
// buffer and playback stand. What it shows goes through ITimeShiftView,
// which the control panel implements and tests fake; the engine is the
// manager (whose record graphs tests fake). Owned by the control panel; UI
// thread only.
#pragma once
#include "engine/RecordGraphs.h"

#include <windows.h>

class CTVManager;

// What time shift shows and asks of the panel.
class ITimeShiftView
{
public:
    enum BarState
    {
        kStopped,
        kRunning,
        kPaused,
    };

    virtual BOOL IsDesktopVideo() = 0;
    virtual void ShowOsdText(UINT textId) = 0;
    // A message box shown once the handler has returned.
    virtual void PostMessageText(UINT textId, UINT captionId) = 0;
    virtual void MuteForTuning() = 0;
    virtual void EndTuningMute() = 0;
    // The panel's own mute off (time shift no longer holds the sound).
    virtual void ClearMute() = 0;
    // Commands, tool tips and the pause button for the state.
    virtual void SetBarState(BarState state) = 0;
    virtual void SetBar(const TimeShiftPosition& position) = 0;
    // The once-a-second tick (0 stops it).
    virtual void SetTickTimer(UINT ms) = 0;
    virtual void UpdateChannelButtons() = 0;

protected:
    ~ITimeShiftView() {}
};

class CTimeShiftControl
{
public:
    static constexpr UINT kTickMs = 1000;

    CTimeShiftControl(CTVManager& manager, ITimeShiftView& view) : m_manager(manager), m_view(view) {}
    CTimeShiftControl(const CTimeShiftControl&) = delete;
    CTimeShiftControl& operator=(const CTimeShiftControl&) = delete;

    // The start command; FALSE when refused or failed (a message says why,
    // except for the states in which the command is not offered at all).
    BOOL Start();
    // The pause command while time shift runs (pause or resume).
    BOOL Pause();
    // The stop command; FALSE when time shift ran and would not stop.
    BOOL Stop();
    // The once-a-second tick. With the time-shift limit on (the record
    // page's reserve switch) time shift stops once it has run its stored
    // length, and says so.
    void OnTick();
    // The bar dragged or clicked: playback reads from there.
    BOOL SeekTo(LONGLONG position);

    BOOL IsRunning();
    // Seconds counted since time shift started.
    int GetSeconds() const { return m_nSeconds; }

private:
    BOOL LimitReached() const;

    CTVManager& m_manager;
    ITimeShiftView& m_view;
    int m_nSeconds = 0;
    // The stop at the limit was refused once (not tried every second).
    BOOL m_bLimitRefused = FALSE;
};
