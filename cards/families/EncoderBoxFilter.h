// The maker's two USB encoder boxes: the MPEG-2 box (CMpeg2BoxFilter, card
// type 10) and the Estrel box (CEstrelBoxFilter, card type 15). Each opens
// its encoder-box access object over the capture filter, whose encoder
// property set carries the box's I2C; both read the remote control from a
// controller in the box (CEncoderBoxFilter). Their crossbars differ by
// whether the box has a tuner input. Owned by the graph's list; UI thread,
// ReadRemoteKey on the remote thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"
#include "graph/ComPtr.h"

class CEncoderBoxFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CEncoderBoxFilter() override { Close(); }

    // The controller at I2C 0x5D of the box's bus: register 0x30 reads 1
    // while a key waits, 0x31 holds it.
    BOOL ReadRemoteKey(BYTE* key) override;
    BOOL HasTunerFilter() const { return m_pTVTuner != NULL; }
};

class CMpeg2BoxFilter : public CEncoderBoxFilter
{
public:
    static constexpr int kCardType = 10;

    using CEncoderBoxFilter::CEncoderBoxFilter;
    ~CMpeg2BoxFilter() override;

    // The box's EEPROM at 0xA2.
    void SetDefaults() override;
    // The card, then the capture filter's property set, which must be there.
    BOOL Init() override;
    HRESULT SelectAudioInput(int, BOOL) override { return E_NOTIMPL; }
    HRESULT OpenAccess() override;

protected:
    ComPtr<IKsPropertySet> m_pKsPropertySet;
};

class CEstrelBoxFilter : public CEncoderBoxFilter
{
public:
    static constexpr int kCardType = 15;

    using CEncoderBoxFilter::CEncoderBoxFilter;
    ~CEstrelBoxFilter() override { Close(); }

    // The box's EEPROM at 0xA2 with the tuner facts at 0xA0 and 0xA1.
    void SetDefaults() override;
    HRESULT OpenAccess() override;
};

// The crossbars: a box with more than five pins has a tuner input.
class CEncoderBoxCrossbarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
    BOOL HasTunerInput() const;
};

// Tuner, composite, S-Video 2, 0, 1 and audio 4, 3 with a tuner input;
// composite and S-Video 0, 1 and audio 2 without one.
class CMpeg2BoxCrossbarFilter : public CEncoderBoxCrossbarFilter
{
public:
    using CEncoderBoxCrossbarFilter::CEncoderBoxCrossbarFilter;
    void SetPinMap() override;
};

// The base pin map.
class CEstrelBoxCrossbarFilter : public CEncoderBoxCrossbarFilter
{
public:
    using CEncoderBoxCrossbarFilter::CEncoderBoxCrossbarFilter;
};

// The filter-creator records of the two boxes and their crossbars, by
// device name. Start-up registers them once; UI thread.
void RegisterEncoderBoxFilters();
// For tests that take the records out again.
void UnregisterEncoderBoxFilters();
