// ITunerOwner: what a tuner asks of the card filter that owns it - the
// decoder's lock, the card type, and a pause of the remote-control polling
// around a sweep. CTVCardFilter implements it; the tuner layer knows
// nothing else of the card layer. Called from the UI thread and from the
// tuner's search threads.
#pragma once
#include <windows.h>

class ITunerOwner
{
public:
    // The video decoder's horizontal lock, as IAMAnalogVideoDecoder reports it.
    virtual HRESULT IsSignalLocked(long* locked) = 0;
    virtual int GetCardType() = 0;
    // A search holds polling off between the two calls, which always come
    // in pairs. Polling comes back afterwards only if the user still wants
    // it and no other search holds it off: whether it runs is the card's
    // decision, not the search's.
    virtual void PauseRemote() = 0;
    virtual void ResumeRemote() = 0;

protected:
    ~ITunerOwner() {}
};
