// IChannelTuner: what a channel table needs of the manager to tune a channel
// (the manager implements it; tests give a fake). UI thread.
#pragma once
#include <windows.h>

class IChannelTuner
{
public:
    // Tunes the band's tuner; TRUE when the card took the frequency.
    virtual BOOL TuneFrequency(BOOL fm, long kHz) = 0;
    // The card's tuning range of the band, kHz.
    virtual void GetFrequencyRange(BOOL fm, long& minKHz, long& maxKHz) = 0;
    // After a TV channel change: applies the stored TV sound mode again when
    // the card has a TV audio pin.
    virtual void ReapplyTVAudioMode() = 0;

protected:
    ~IChannelTuner() {}
};
