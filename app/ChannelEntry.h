// CChannelEntry: the channel number typed with digit keys, before it is
// tuned. Three places (hundreds, tens, units), each empty or a digit; a free
// entry shifts digits in from the right and is tuned a pause after the last
// one, a fixed entry fills the places of its mode (one, two or three
// digits) and is tuned as soon as the last place is filled. Times are tick
// counts handed in by the caller, so tests run on a clock of their own.
// Owned by the control panel; UI thread.
#pragma once
#include <windows.h>

#include <string>

class CChannelEntry
{
public:
    static const DWORD kFreePauseMs = 1500;
    static const DWORD kFixedPauseMs = 6000;

    // What a digit asks of the panel.
    enum Step
    {
        kShow,    // show Text() and tune when the pause has run out
        kTuneNow, // the entry is complete: tune Number() now
    };

    void SetFixed(bool fixed) { m_fixed = fixed; Clear(); }
    bool IsFixed() const { return m_fixed; }
    // 0, 1 or 2: one, two or three places of a fixed entry.
    int GetMode() const { return m_mode; }
    void SetMode(int mode) { m_mode = (mode % 3 + 3) % 3; Clear(); }
    // The next mode (empty entry).
    void CycleMode() { SetMode(m_mode + 1); }

    Step Enter(int digit, DWORD now);
    // The pause after the last digit.
    DWORD PauseMs() const { return m_fixed ? kFixedPauseMs : kFreePauseMs; }
    // Whether the pause after the last digit has run out.
    bool IsDue(DWORD now) const { return !IsEmpty() && now - m_lastDigitAt >= PauseMs(); }
    // The digits as a number; -1 when there are none, or a fixed entry has
    // empty places.
    int Number() const;
    // Free: the digits present; fixed: the mode's places, '-' for an empty one.
    std::string Text() const;
    bool IsEmpty() const { return m_places[0] < 0 && m_places[1] < 0 && m_places[2] < 0; }
    void Clear() { m_places[0] = m_places[1] = m_places[2] = -1; }

private:
    enum { kHundreds, kTens, kUnits };
    int m_places[3] = {-1, -1, -1};
    bool m_fixed = false;
    int m_mode = 0;
    DWORD m_lastDigitAt = 0;
};
