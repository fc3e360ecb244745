// CHesk713xCardFilter: the SAA713x card under its BDA driver ("713x BDA
// Analog Capture"), the engine's first choice. It opens CHeskAccess over the
// BDA driver's property sets, names its tuner by a driver tuner id in the
// EEPROM, reads keys through the access object's GPIO handshake, and talks
// to its power-on controller on the Hesk wiring. Owned by the graph's list;
// UI thread, ReadRemoteKey on the remote thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"

class CHesk713xCardFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CHesk713xCardFilter() override { Close(); }

    BOOL Init() override;
    BOOL ReadRemoteKey(BYTE* key) override;
    DWORD GetRemoteKeyPause() const override { return 0; }
    HRESULT OpenAccess() override;
    int ReadTunerInfo() override;
    HRESULT ReadTunerInfoFromEeprom(int* brand, int* type) override;

protected:
    const McuWiring& GetMcuWiring() const override { return kMcuHeskWiring; }
    BOOL HasPowerOnTimer() const override { return TRUE; }
};

class CHesk713XBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};
