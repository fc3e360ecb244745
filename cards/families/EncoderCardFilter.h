// The hardware-MPEG encoder cards: the BlackBird design (CX23882 access,
// card type 11) and the Raptor design (Raptor access, card type 13). Their
// driver's tuner, crossbar and TV-audio filters sit upstream of the capture
// filter; CEncoderCardFilter, what both share, finds them while the card
// opens, binds the access object to the tuner filter (to the capture filter
// when there is none) and takes them out of the graph again when it goes.
// Owned by the graph's list; UI thread, ReadRemoteKey on the remote thread.
#pragma once
#include "cards/CrossBarFilter.h"
#include "cards/TVCardFilter.h"
#include "graph/ComPtr.h"

class CEncoderCardFilter : public CTVCardFilter
{
public:
    using CTVCardFilter::CTVCardFilter;
    ~CEncoderCardFilter() override;

    void SetDefaults() override;
    // The audio input is the crossbar's business on these cards.
    HRESULT SelectAudioInput(int, BOOL) override { return E_NOTIMPL; }
    HRESULT OpenAccess() override;

    // Each S_OK at once when its interface is held already.
    HRESULT FindTunerInterface();
    HRESULT FindCrossbarInterface();
    HRESULT FindTVAudioInterface();
    // A new reference to the crossbar; E_POINTER for none.
    HRESULT GetCrossbar(IAMCrossbar** out);
    BOOL RouteCrossbar(long input, long output);
    HRESULT GetTVAudio(IAMTVAudio** out);
    static HRESULT QueryTVAudio(IUnknown* object, IAMTVAudio** out);

protected:
    virtual int CardType() const = 0;
    virtual CCustomDataAccess* MakeAccess() const = 0;
    // FriendlyName of the driver's tuner filter.
    virtual const char* TunerDevice() const = 0;
    // The tuner filter's control once the access is bound: TV mode.
    virtual void SetUpTuner(IAMTVTuner* tuner);

    ComPtr<IAMCrossbar> m_pCrossbar;
    ComPtr<IAMTVTuner> m_pTunerControl;
    ComPtr<IBaseFilter> m_pCrossbarFilter;
    ComPtr<IBaseFilter> m_pTVAudioFilter;

private:
    void RemoveUpstreamFilters();
};

class CBlackBirdCardFilter : public CEncoderCardFilter
{
public:
    static constexpr int kCardType = 11;

    using CEncoderCardFilter::CEncoderCardFilter;
    ~CBlackBirdCardFilter() override { Close(); }

    // No remote receiver on this card.
    BOOL ReadRemoteKey(BYTE*) override { return FALSE; }
    // EEPROM byte 7; 0 when it cannot be read.
    signed char ReadConfigByte() override;

    BOOL HasTunerFilter() const { return m_pTVTuner != NULL; }
    // The standard index of the one tuner module that has one (type 100);
    // 0 for any other tuner.
    int SetTunerStandardIndex(int index);

protected:
    int CardType() const override { return kCardType; }
    CCustomDataAccess* MakeAccess() const override;
    const char* TunerDevice() const override { return "BlackBird Tuner"; }
    // TV mode, then channel 1.
    void SetUpTuner(IAMTVTuner* tuner) override;
};

class CRaptorCardFilter : public CEncoderCardFilter
{
public:
    static constexpr int kCardType = 13;

    using CEncoderCardFilter::CEncoderCardFilter;
    ~CRaptorCardFilter() override { Close(); }

    // The tuner facts at EEPROM bytes 0xA0 and 0xA1.
    void SetDefaults() override;
    // The remote controller at I2C 0xBA: 0xAA reads 1 while a key waits,
    // 0xAB holds it.
    BOOL ReadRemoteKey(BYTE* key) override;
    signed char ReadConfigByte() override { return 0; }

protected:
    int CardType() const override { return kCardType; }
    CCustomDataAccess* MakeAccess() const override;
    const char* TunerDevice() const override { return "Conexant Raptor Tuner"; }
};

// Tuner, composite, S-Video: 0, 2, 1 and audio 3, 4 on the crossbar of
// seven pins; 1, 2, 0 and audio 4, 5, 6 on any other.
class CBlackBirdCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
    void SetPinMap() override;
};

// Video 0, 1, 2; audio 5, 6, 7.
class CRaptorCrossBarFilter : public CCrossBarFilter
{
public:
    using CCrossBarFilter::CCrossBarFilter;
    void SetPinMap() override;
};

// The filter-creator records of the two cards, their crossbars and their
// MPEG encoder filters, by device name. Start-up registers them once; UI
// thread.
void RegisterEncoderCardFilters();
// For tests that take the records out again.
void UnregisterEncoderCardFilters();
