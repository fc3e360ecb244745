// CPipCardFilter: the SAA713x picture-in-picture card ("713x_PIP TV Card
// Capture") on the common property set, with the IO layout of the remote
// receiver and controller and its own strobe that keeps the audio lines.
// Owned by the graph's list; UI thread, ReadRemoteKey on the remote thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"

class CPipCardFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CPipCardFilter() override { Close(); }

    BOOL Init() override;
    BOOL ReadRemoteKey(BYTE* key) override;
    DWORD GetRemoteKeyPause() const override { return 0; }
    HRESULT OpenAccess() override;

protected:
    void OnInitLockFailed() override;
    const McuWiring& GetMcuWiring() const override { return kMcuPipWiring; }
    BOOL HasPowerOnTimer() const override { return TRUE; }
};

class CPipCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};
