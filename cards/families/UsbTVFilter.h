// The USB TV boxes on the Empia EM2800, EM2820, EM2821 and EM2881 bridges:
// one card-filter base, CUsbTVFilter, with one registered class per box
// model, and one crossbar base, CUsbTVCrossBarFitler, with one crossbar per
// model. The box's bridge is reached by its capture filter's friendly name
// (CEm2800Access); its tuner is a CEm2800Tuner carrying the description of
// the module fitted (or the FQ1216ME_5 class for that module). Each model
// is a row of data: names, card type, remote receiver, crossbar wiring.
// Owned by the graph's list; UI thread, ReadRemoteKey on the remote thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/I2CKey.h"
#include "cards/TVCardFilter.h"

#include <uuids.h>

class CEm2800Access;

// What sets one box model apart.
struct UsbBoxModel
{
    const char* tunerDevice;   // m_strTunerDevice, set by SetDefaults
    const char* bridgeName;    // the device OpenAccess opens; NULL: m_strTunerDevice
    int cardType;
    const I2CKeyWiring* remote;
};

class CUsbTVFilter : public CTVCardFilter
{
public:
    CUsbTVFilter(CRootGraph* owner, const GUID* category, const char* friendlyName, BOOL firstMatch);
    CUsbTVFilter(CRootGraph* owner, const CLSID* clsid);
    // The remote thread reads keys through us: closed while we stand.
    ~CUsbTVFilter() override { Close(); }

    void SetDefaults() override;
    // A new CEm2800Access on the model's bridge name: S_OK when the box
    // opened, E_FAIL when it did not (the access object and the card type
    // stay, so the box may be opened later).
    HRESULT OpenAccess() override;
    BOOL ReadRemoteKey(BYTE* key) override;
    // The audio multiplexer on the bridge's GPIO byte: inputs 0, 1, 2 put
    // 1, 2, 0 on bits 0-1 (bits 2-3 kept, the rest cleared); off sets bits
    // 0-2; any other input writes back what was read.
    HRESULT SelectAudioInput(int input, BOOL on) override;
    // The tuner code the box's controller gives (register 50 of 0x60), or,
    // when it gives none, the card EEPROM's facts at 0xC0/0xC1. S_OK.
    HRESULT ReadTunerInfoFromEeprom(int* brand, int* type) override;
    // As above; then a card EEPROM naming the TNF9935 module (69) wins.
    int ReadTunerInfo() override;
    // The box's tuner for m_nTunerType (FALSE for 0), replacing any tuner in
    // place, and the decoder's address (0x42, else 0x4B) probed.
    BOOL CreateTunerFromType() override;
    // The tuner of another type; FALSE, with the tuner in place kept, when
    // none can be made.
    BOOL SetTunerType(int type) override;

    // The tuner bus scan of the bridge with the tuner's status mask; at most
    // `capacity` addresses. 0 without an access object or a tuner.
    size_t ScanTunerBus(BYTE* found, size_t capacity, DWORD last);
    BOOL GetDecoderAddress(BYTE* address);
    BOOL GetLargestYuy2Size(SIZE* size) { return GetLargestCaptureSize(MEDIASUBTYPE_YUY2, size); }
    // Whether the tuner facts came from the card EEPROM.
    BOOL TunerFactsFromEeprom() const { return m_bTunerFromEeprom; }

protected:
    virtual const UsbBoxModel& Model() const;
    CEm2800Access* Bridge() const;

private:
    // The box's tuner for `type`: the FQ1216ME_5 class for its module, else
    // a CEm2800Tuner with the module's description (its own defaults for a
    // type no module carries); NULL for type 0.
    CTVTuner* MakeBoxTuner(int type);
    void ProbeDecoderAddress(CTVTuner* tuner);

    BOOL m_bTunerFromEeprom;
};

class CEm2800CardFilter : public CUsbTVFilter
{
public:
    using CUsbTVFilter::CUsbTVFilter;
    ~CEm2800CardFilter() override { Close(); }

protected:
    const UsbBoxModel& Model() const override;
};

// Its receiver is at 0xBB and wants its flag taken before the key is read.
class CQor2800CardFilter : public CUsbTVFilter
{
public:
    using CUsbTVFilter::CUsbTVFilter;
    ~CQor2800CardFilter() override { Close(); }

protected:
    const UsbBoxModel& Model() const override;
};

class CEm2820CardFilter : public CUsbTVFilter
{
public:
    using CUsbTVFilter::CUsbTVFilter;
    ~CEm2820CardFilter() override { Close(); }

protected:
    const UsbBoxModel& Model() const override;
};

// Its card EEPROM keeps the tuner facts at 0xD0/0xD1 once its tuner has
// been made; the bridge's indexed words and driver controls are open to it.
class CEm2821CardFilter : public CUsbTVFilter
{
public:
    using CUsbTVFilter::CUsbTVFilter;
    ~CEm2821CardFilter() override { Close(); }

    BOOL CreateTunerFromType() override;
    // TRUE when the bridge operation succeeded.
    BOOL ReadIndexedByte(BYTE index, WORD* value);
    BOOL SetControlValue(DWORD id, void* data);
    BOOL GetControlValue(DWORD id, void* data);

protected:
    const UsbBoxModel& Model() const override;
};

// The EM2881 box: its bridge is always "USB 2881 Video", card type 8.
class CEm2880CardFilter : public CUsbTVFilter
{
public:
    using CUsbTVFilter::CUsbTVFilter;
    ~CEm2880CardFilter() override { Close(); }

protected:
    const UsbBoxModel& Model() const override;
};

// --- crossbars ---------------------------------------------------------------

// What sets one box's crossbar apart.
struct UsbCrossbarModel
{
    int pinMap[CCrossBarFilter::kInputCount];
    const char* bridgeName;  // the device RouteVideoInput programs
    bool crossbarFirst;      // the crossbar's own route before the decoder's
};

// Video inputs are switched in the box's video decoder (register 2 of
// 0x4A), reached through the bridge for the length of one call; audio is
// the crossbar's.
class CUsbTVCrossBarFitler : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;

    void SetPinMap() override;
    // 0 the tuner, 1 composite, 2 S-video (any other input as composite).
    BOOL RouteVideoInput(int input) override;

protected:
    virtual const UsbCrossbarModel& Model() const;
};

class CEm2800CrossBarFilter : public CUsbTVCrossBarFitler
{
public:
    using CUsbTVCrossBarFitler::CUsbTVCrossBarFitler;

protected:
    const UsbCrossbarModel& Model() const override;
};

class CQor2800CrossBarFilter : public CUsbTVCrossBarFitler
{
public:
    using CUsbTVCrossBarFitler::CUsbTVCrossBarFitler;

protected:
    const UsbCrossbarModel& Model() const override;
};

class CEm2820CrossBarFilter : public CUsbTVCrossBarFitler
{
public:
    using CUsbTVCrossBarFitler::CUsbTVCrossBarFitler;

protected:
    const UsbCrossbarModel& Model() const override;
};

class CEm2821CrossBarFilter : public CUsbTVCrossBarFitler
{
public:
    using CUsbTVCrossBarFitler::CUsbTVCrossBarFitler;

protected:
    const UsbCrossbarModel& Model() const override;
};

class CEm2880CrossBarFilter : public CUsbTVCrossBarFitler
{
public:
    using CUsbTVCrossBarFitler::CUsbTVCrossBarFitler;

protected:
    const UsbCrossbarModel& Model() const override;
};

// The filter-creator records of the five boxes and their crossbars, by
// capture and crossbar device name. Start-up registers them once; UI thread.
void RegisterUsbTVFilters();
// For tests that take the records out again.
void UnregisterUsbTVFilters();
