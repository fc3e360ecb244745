// Fake driver filters for the card layer's tests: a capture filter whose
// IKsPropertySet is a driver fake over the simulated card (or none), a
// crossbar filter that answers IAMCrossbar with given pin counts and records
// its routes, a TV tuner filter and a capture pin's IAMStreamConfig. No
// pins; stack objects, counted but never deleted.
#pragma once
#include <dshow.h>

#include <utility>
#include <vector>

#include "graph/MediaType.h"

#include "tests/support/FakeBt878Driver.h"
#include "tests/support/FakeFilterBase.h"
#include "tests/support/FakeKsPropertySet.h"

// The decoder's lock is the simulated card's; the standard is kept.
class FakeCaptureFilter : public FakeFilterBase, public IAMAnalogVideoDecoder
{
public:
    // set NULL: a filter that answers no property set and has no decoder.
    explicit FakeCaptureFilter(IKsPropertySet* set, virtualcard::CardModel* card = NULL)
        : m_set(set), m_card(card) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        return FakeFilterBase::QueryInterface(riid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return FakeFilterBase::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return FakeFilterBase::Release(); }
    STDMETHODIMP get_AvailableTVFormats(long* formats) override;
    STDMETHODIMP put_TVFormat(long format) override;
    STDMETHODIMP get_TVFormat(long* format) override;
    STDMETHODIMP get_HorizontalLocked(long* locked) override;
    STDMETHODIMP put_VCRHorizontalLocking(long) override { return E_NOTIMPL; }
    STDMETHODIMP get_VCRHorizontalLocking(long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_NumberOfLines(long*) override { return E_NOTIMPL; }
    STDMETHODIMP put_OutputEnable(long) override { return E_NOTIMPL; }
    STDMETHODIMP get_OutputEnable(long*) override { return E_NOTIMPL; }

protected:
    void* Extra(REFIID riid) override;

private:
    IKsPropertySet* m_set;
    virtualcard::CardModel* m_card;
    long m_format = AnalogVideo_PAL_B;
};

// The Bt878 driver's capture filter: it answers the probe of the Bt878
// property set and hands out its kernel handle; the requests themselves go
// through the kernel device control (FakeBt878Driver), as the driver's do.
// The decoder's lock is the simulated card's.
class FakeBt878Capture : public FakeFilterBase, public IKsPropertySet
{
public:
    explicit FakeBt878Capture(virtualcard::CardModel* card) : m_decoder(NULL, card) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        return FakeFilterBase::QueryInterface(riid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return FakeFilterBase::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return FakeFilterBase::Release(); }
    STDMETHODIMP Set(REFGUID, DWORD, void*, DWORD, void*, DWORD) override
    {
        return E_PROP_ID_UNSUPPORTED;
    }
    STDMETHODIMP Get(REFGUID, DWORD, void*, DWORD, void*, DWORD, DWORD*) override
    {
        return E_PROP_ID_UNSUPPORTED;
    }
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

protected:
    void* Extra(REFIID riid) override;

private:
    FakeKsObject m_object;
    FakeCaptureFilter m_decoder;
};

class FakeCrossbarFilter : public FakeFilterBase, public IAMCrossbar
{
public:
    FakeCrossbarFilter(long outputs, long inputs) : m_outputs(outputs), m_inputs(inputs) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        return FakeFilterBase::QueryInterface(riid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return FakeFilterBase::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return FakeFilterBase::Release(); }
    STDMETHODIMP get_PinCounts(long* outputs, long* inputs) override;
    STDMETHODIMP CanRoute(long, long) override { return S_OK; }
    STDMETHODIMP Route(long output, long input) override;
    STDMETHODIMP get_IsRoutedTo(long, long*) override { return E_NOTIMPL; }
    STDMETHODIMP get_CrossbarPinInfo(BOOL, long, long*, long*) override { return E_NOTIMPL; }

    // (output, input) of every route the driver was asked for.
    std::vector<std::pair<long, long>> routes;

protected:
    void* Extra(REFIID riid) override;

private:
    long m_outputs, m_inputs;
};

// The driver's TV tuner filter: answers IAMTVTuner and keeps the country
// code it was given; every other tuner call is refused.
class FakeTVTunerFilter : public FakeFilterBase, public IAMTVTuner
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        return FakeFilterBase::QueryInterface(riid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return FakeFilterBase::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return FakeFilterBase::Release(); }
    STDMETHODIMP put_Channel(LONG, LONG, LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_Channel(LONG*, LONG*, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP ChannelMinMax(LONG*, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_CountryCode(LONG country) override;
    STDMETHODIMP get_CountryCode(LONG* country) override;
    STDMETHODIMP put_TuningSpace(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_TuningSpace(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP Logon(HANDLE) override { return E_NOTIMPL; }
    STDMETHODIMP Logout() override { return E_NOTIMPL; }
    STDMETHODIMP SignalPresent(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Mode(AMTunerModeType mode) override;
    STDMETHODIMP get_Mode(AMTunerModeType* mode) override;
    STDMETHODIMP GetAvailableModes(LONG* modes) override;
    STDMETHODIMP RegisterNotificationCallBack(IAMTunerNotification*, LONG) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP UnRegisterNotificationCallBack(IAMTunerNotification*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP get_AvailableTVFormats(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP get_TVFormat(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP AutoTune(LONG, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP StoreAutoTune() override { return E_NOTIMPL; }
    STDMETHODIMP get_NumInputConnections(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_InputType(LONG, TunerInputType) override { return E_NOTIMPL; }
    STDMETHODIMP get_InputType(LONG, TunerInputType*) override { return E_NOTIMPL; }
    STDMETHODIMP put_ConnectInput(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_ConnectInput(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP get_VideoFrequency(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP get_AudioFrequency(LONG*) override { return E_NOTIMPL; }

    // Country codes the driver refuses with E_INVALIDARG.
    long refusedCountry = -1;
    // The tuner's modes (AMTunerModeType bits); put_Mode takes one of them.
    long availableModes = AMTUNER_MODE_TV;
    long mode = AMTUNER_MODE_TV;

protected:
    void* Extra(REFIID riid) override;

private:
    long m_country = 0;
};

// A capture pin's stream configuration: capabilities with their media type
// and maximum cropping size, written into a record of `recordBytes` (the
// size it reports), and the format it holds, which SetFormat replaces.
class FakeStreamConfig : public IAMStreamConfig
{
public:
    struct Capability
    {
        GUID subtype;
        GUID formatType;
        bool formatBlock;
        SIZE maxCropping;
    };

    FakeStreamConfig();
    virtual ~FakeStreamConfig() {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refs); }
    STDMETHODIMP_(ULONG) Release() override { return InterlockedDecrement(&m_refs); }
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** mt) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** mt, BYTE* caps) override;

    std::vector<Capability> capabilities;
    int reportedCount = -1;  // -1: as many as listed
    int recordBytes = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    CMediaType current;      // VideoInfo, YUY2, 720 x 576 to begin with
    int formatsSet = 0;
    ULONG Refs() const { return (ULONG)m_refs; }

private:
    volatile LONG m_refs = 1;
};
