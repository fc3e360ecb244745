// IScanListener: a window that follows a channel scan (the channel page,
// the on-screen menu). The manager tells every listener it was given, in
// the order given, on the UI thread; a listener may remove itself (or
// another) while it is told.
#pragma once
#include <windows.h>

class CChannel;

class IScanListener
{
public:
    // A channel was added to the table being scanned.
    virtual void OnScanChannelFound(const CChannel& channel) = 0;
    // The scan has come `percent` (0-100) of its way.
    virtual void OnScanProgress(int percent) = 0;
    // The scan has ended and its table is complete.
    virtual void OnScanFinished() = 0;

protected:
    ~IScanListener() {}
};
