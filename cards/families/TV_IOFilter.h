// CTV_IOFilter: the SAA713x IO card ("713x_IO TV Card Capture") on the common
// property set, with the IO wiring of the on-card controller and remote, and
// the card's device event: an event the driver signals, waited on by an
// IO-alert thread that calls the engine's callback. The card reopens itself
// for its IO requests and closes when one fails. UI thread, except the
// callback (IO-alert thread) and ReadRemoteKey (remote thread).
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"

class CTV_IOFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CTV_IOFilter() override { Close(); }

    BOOL ReadRemoteKey(BYTE* key) override;
    DWORD GetRemoteKeyPause() const override { return 0; }
    HRESULT OpenAccess() override;
    BOOL SendIoCommand(unsigned value) override;
    BOOL SetIoEvent(IoAlertCallback callback) override;
    BOOL StartIoAlert(unsigned value) override;
    BOOL StopIoAlert() override;

protected:
    const McuWiring& GetMcuWiring() const override { return kMcuIoWiring; }
    BOOL HasPowerOnTimer() const override { return TRUE; }

private:
    // Reopens a closed card; FALSE (and closed) when that fails.
    BOOL EnsureOpen();
    // A driver request's end: TRUE on success, else the card closes.
    BOOL Finish(HRESULT hr);
};

class CTV_IOCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};
