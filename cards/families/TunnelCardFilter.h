// CTunnelCardFilter: what the card filters share whose driver carries the
// USB request tunnel (the Trident cards and the Fenmo boxes): how they open,
// the configuration byte at EEPROM byte 3, the tuner facts read without
// fallbacks, the remote receiver at I2C 0xBB, the bridge's status and
// control registers and the UYVY capture helpers. CTunnelCrossbarFilter is
// the crossbar these cards share. Owned by the graph's list; UI thread,
// ReadRemoteKey on the remote thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"

class CUsbTunnelAccess;

class CTunnelCardFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CTunnelCardFilter() override { Close(); }

    // The receiver at 0xBB: register 0x30 reads 1 while a key waits, 0x31
    // holds the key.
    BOOL ReadRemoteKey(BYTE* key) override;
    signed char ReadConfigByte() override;
    int ReadTunerInfo() override;

    // Bridge status register 0x3C, bit 0; TRUE also when it cannot be read.
    BOOL ReadStatusBit3C();
    // Register 0x80 of the bridge.
    BOOL WriteControlRegister(BYTE value);
    BOOL WriteRegisterByte(unsigned reg, BYTE value);
    BOOL TuneTV(float kHz) { return SetTVFrequency(kHz); }
    // Tells the receiver its key was taken.
    BOOL ClearRemoteKey();
    // The configuration byte is the card's mark (none on the Fenmo boxes).
    BOOL HasConfigMark();
    // The capture (which 1) or preview format with the given fields, UYVY.
    HRESULT SetUyvyFormat(const VIDEOINFOHEADER& fields, int which);
    BOOL GetLargestUyvySize(SIZE* size);

protected:
    // Open, then the tuner facts and the tuner, unless the access did not
    // open and the card needs it (OpensWithoutAccess). No card type needed.
    BOOL OpenUnderLock() override;
    virtual BOOL OpensWithoutAccess() const { return FALSE; }
    // The mark HasConfigMark looks for; -1: none.
    virtual int GetConfigMark() const { return -1; }
    // The card keeps `access` (NULL: out of memory) and its card type even
    // when the driver refuses it; the result is its Attach.
    HRESULT OpenTunnelAccess(CUsbTunnelAccess* access, int cardType);
    // Bit 0 of a bridge register, or TRUE when there is none to read.
    BOOL ReadStatusBit(BYTE reg, BOOL inverted);
    // One GPIO line of the bridge through the access object.
    BOOL WriteGpioLine(DWORD on, DWORD line);
};

// The crossbars of these cards: the audio inputs start at pin 4.
class CTunnelCrossbarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
    void SetPinMap() override;
};
