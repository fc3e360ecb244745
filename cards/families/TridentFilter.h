// CTridentFilter: the Trident PCI card ("TridVid Capture"). Its chips are
// reached through CTridentAccess; its tuner mode through the driver's TV
// tuner filter, which the capture graph builder finds upstream of the
// capture filter when the card opens. Stores no card type. Owned by the
// graph's list; UI thread, ReadRemoteKey on the remote thread.
#pragma once
#include "cards/families/TunnelCardFilter.h"
#include "graph/ComPtr.h"

class CTridentFilter : public CTunnelCardFilter
{
public:
    using CTunnelCardFilter::CTunnelCardFilter;
    // The remote thread reads keys through us: closed while we stand.
    ~CTridentFilter() override;

    // One of the tuner modes 1 (TV), 2 (FM), 4 (AM), 8 (DSS) that the
    // driver's tuner offers; FALSE for anything else or without a tuner.
    int SetTunerMode(int mode) override;
    HRESULT OpenAccess() override;
    // EEPROM facts with the card's own fallbacks: maker 'A' for none, tuner
    // type 133 for none; returns the type as read.
    int ReadTunerInfo() override;
    // The GPIO line `line` switched on or off.
    BOOL McuWrite(DWORD on, DWORD line, DWORD delayMs) override;

protected:
    int GetConfigMark() const override { return 'F'; }

private:
    // The driver's TV tuner, found upstream by the capture graph builder,
    // which can search only a graph the capture filter is in.
    void FindTunerFilter();
    void ReleaseTunerFilter();

    ComPtr<IAMTVTuner> m_pAMTVTuner;
};

class CTridentCrossbarFilter : public CTunnelCrossbarFilter
{
public:
    using CTunnelCrossbarFilter::CTunnelCrossbarFilter;
};
