// CDelvinCardFilter ("Delvin Video Capture") and CDelvorCardFilter ("Delvor
// Video Capture"): SAA713x cards with a GPIO-attached controller on the base
// wiring (remote keys and the power-on timer) and a separate tuner device
// ("PhTVTune"), their tuner facts at EEPROM 0xA0/0xA1. They differ only in
// the access class: the Delvor card's holds each GPIO word longer. Their
// crossbars keep the base pin map. Owned by the graph's list; UI thread,
// ReadRemoteKey on the remote thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"

class CDelvinCardFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CDelvinCardFilter() override { Close(); }

    BOOL Init() override;
    // One external input: inputs 0, 1 and 2 all select it (bit 12);
    // muting sets bits 12-14. A failed read writes nothing.
    HRESULT SelectAudioInput(int input, BOOL on) override;
    // The base reader without its pause after a key.
    DWORD GetRemoteKeyPause() const override { return 0; }
    HRESULT OpenAccess() override;

    // A bounded wait (500 ms) for a GPIO pattern; no caller in this program.
    BOOL WaitGpioPattern(DWORD* value, DWORD mask, DWORD pattern);

protected:
    BOOL HasPowerOnTimer() const override { return TRUE; }
    virtual CCustomDataAccess* MakeAccess() const;
};

class CDelvinCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};

class CDelvorCardFilter : public CDelvinCardFilter
{
public:
    using CDelvinCardFilter::CDelvinCardFilter;
    ~CDelvorCardFilter() override { Close(); }

protected:
    CCustomDataAccess* MakeAccess() const override;
};

class CDelvorCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};

// The filter-creator records of the two cards and their crossbars, by
// device name. Start-up registers them once; UI thread.
void RegisterDelvinFilters();
// For tests that take the records out again.
void UnregisterDelvinFilters();
