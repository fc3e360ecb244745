// The maker's PCI Express card: its capture filter CPcieFilter, TV-audio
// filter CPcieAudioFilter and crossbar CPcieCrossBarFilter. The card's
// chips are reached through its driver's own device interface (CPcieAccess),
// not the capture filter; its tuner is an Xceive XC2028 on every board, so
// no EEPROM is read. Like the Trident PCI card it stores no card type. Two
// identical cards are told apart by their index among devices of one
// name. Owned by the graph's list; UI thread, ReadRemoteKey on the remote
// thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"
#include "graph/ComPtr.h"
#include "graph/wrappers/TVAudioFilter.h"

class CPcieFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CPcieFilter() override;

    // The controller at I2C 0xBB: register 0x30 reads 1 while a key waits,
    // 0x31 holds it.
    BOOL ReadRemoteKey(BYTE* key) override;
    // The card's own device interface, then the driver's tuner upstream.
    HRESULT OpenAccess() override;
    // What the driver's tuner says of the signal; the decoder's lock where
    // the tuner cannot tell.
    HRESULT IsSignalLocked(long* locked) override;

    HRESULT FindTunerInterface();
    // Tells the controller its key was taken.
    BOOL ClearRemoteKey();

protected:
    // The XC2028 without an EEPROM read; fails when the device interface
    // did not open.
    BOOL OpenUnderLock() override;

    ComPtr<IAMTVTuner> m_pTunerControl;
};

class CPcieAudioFilter : public CTVAudioFilter
{
public:
    using CTVAudioFilter::CTVAudioFilter;
};

class CPcieCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
};

// The filter-creator records of the card, its TV-audio filter and its
// crossbar, by device name. Start-up registers them once; UI thread.
void RegisterPcieFilters();
// For tests that take the records out again.
void UnregisterPcieFilters();
