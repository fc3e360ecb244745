// CTridentUsbFilter: the Trident USB box ("Trident USB Capture"), with its
// crossbar and its TV-audio filter. Its chips are reached through TridentUsbAccess, its EEPROM
// through the access object's own EEPROM requests. Owned by the graph's
// list; UI thread, ReadRemoteKey on the remote thread.
#pragma once
#include "cards/families/TunnelCardFilter.h"
#include "graph/wrappers/TVAudioFilter.h"

class CTridentUsbFilter : public CTunnelCardFilter
{
public:
    using CTunnelCardFilter::CTunnelCardFilter;
    // The remote thread reads keys through us: closed while we stand.
    ~CTridentUsbFilter() override { Close(); }

    HRESULT OpenAccess() override;

    // Bridge status register 0x3A, bit 0 inverted; TRUE also when it cannot
    // be read.
    BOOL ReadStatusBit3A();
    // Holds the tuner in reset.
    BOOL ResetTuner();

protected:
    HRESULT ReadEepromByte(BYTE sub, BYTE* value) override;
    HRESULT WriteEepromByte(BYTE sub, BYTE value) override;
    int GetConfigMark() const override { return 0x80; }
    // The card type the box stores.
    virtual int GetBoxCardType() const { return 17; }
};

class CTridentUsbCrossBarFilter : public CTunnelCrossbarFilter
{
public:
    using CTunnelCrossbarFilter::CTunnelCrossbarFilter;
};

class CTridentUSBTVAudio : public CTVAudioFilter
{
public:
    using CTVAudioFilter::CTVAudioFilter;
};
