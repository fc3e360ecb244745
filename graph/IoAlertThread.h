// CIoAlertThread: waits for its owner card's device event and calls the
// owner's callback on this worker thread. Owned by the card filter, which
// starts and stops it on the UI thread, and only once the event exists: a
// thread whose owner has no event ends at once.
#pragma once
#include "graph/Thread.h"

typedef void (*IoAlertCallback)();

// What the thread reads of its owner: the device event and the callback
// (which may be NULL). The callback takes whatever lock the owner's data needs.
class IIoAlertOwner
{
public:
    virtual HANDLE GetIoEvent() const = 0;
    virtual IoAlertCallback GetIoCallback() const = 0;
protected:
    ~IIoAlertOwner() {}
};

class CIoAlertThread : public CThread
{
public:
    explicit CIoAlertThread(IIoAlertOwner* owner);
    ~CIoAlertThread() override;

    BOOL InitInstance() override;

protected:
    unsigned Run() override;
    unsigned ExitInstance() override;

private:
    IIoAlertOwner* m_pOwner;  // the owner card deletes us, never the reverse
};
