// ITunerOwner: what a tuner asks of the card filter that owns it - the
// decoder's lock, the card type, and pausing the remote-control polling
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
    virtual void StopRemote() = 0;
    virtual BOOL StartRemote() = 0;
    // Whether remote-control polling runs now, and whether the card is
    // being closed (a search ending then must not restart polling).
    virtual BOOL IsRemoteRunning() = 0;
    virtual BOOL IsClosing() = 0;

protected:
    ~ITunerOwner() {}
};
