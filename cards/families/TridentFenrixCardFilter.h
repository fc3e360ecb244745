// CTridentFenrixCardFilter: the Trident Fenrix USB box ("Trident Fenrix
// Capture"), with its crossbar and its TV-audio filter: the Trident USB box with a card type and a
// mark of its own, GPIO lines for the controller link and the driver's
// extra command, and a tuner made even when its driver does not open.
// Owned by the graph's list; UI thread, ReadRemoteKey on the remote thread.
#pragma once
#include "cards/families/TridentUsbFilter.h"

class CTridentFenrixCardFilter : public CTridentUsbFilter
{
public:
    using CTridentUsbFilter::CTridentUsbFilter;
    ~CTridentFenrixCardFilter() override { Close(); }

    // The GPIO line `line` switched on or off.
    BOOL McuWrite(DWORD on, DWORD line, DWORD delayMs) override;
    // The same with the line first: S_OK, or the failure.
    HRESULT ExtCommand(DWORD line, DWORD on) override;

protected:
    BOOL OpensWithoutAccess() const override { return TRUE; }
    int GetConfigMark() const override { return 0x81; }
    int GetBoxCardType() const override { return 19; }
};

class CTridentFenrixCrossBarFilter : public CTunnelCrossbarFilter
{
public:
    using CTunnelCrossbarFilter::CTunnelCrossbarFilter;
};

class CTridentFenrixTVAudio : public CTVAudioFilter
{
public:
    using CTVAudioFilter::CTVAudioFilter;
};
