// Fake driver filters for the card layer's tests: a capture filter whose
// IKsPropertySet is a driver fake over the simulated card (or none), one
// that also offers its upstream filters, a crossbar filter that answers
// IAMCrossbar with given pin counts and records its routes, a TV tuner
// filter, a TV-audio filter and a capture pin's IAMStreamConfig. No pins;
// stack objects, counted but never deleted.
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

// A driver's capture filter with the filters upstream of it: the TV tuner,
// crossbar and TV audio it offers (as the capture graph builder finds them
// upstream) and the capture pin's stream configuration, each where the test
// gives one; it notes the graph it is in and how often it joined or left one.
class FakeUpstreamCapture : public FakeCaptureFilter
{
public:
    FakeUpstreamCapture(IKsPropertySet* set, virtualcard::CardModel* card) : FakeCaptureFilter(set, card) {}
    IAMTVTuner* tuner = NULL;
    IAMCrossbar* crossbar = NULL;
    IAMTVAudio* tvAudio = NULL;
    IAMStreamConfig* config = NULL;
    // Not counted: the graph holds us.
    IFilterGraph* graph = NULL;
    int joins = 0;

    STDMETHODIMP JoinFilterGraph(IFilterGraph* joined, LPCWSTR) override
    {
        graph = joined;
        joins++;
        return S_OK;
    }
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override
    {
        HRESULT hr = FakeCaptureFilter::QueryFilterInfo(info);
        if (hr == S_OK && (info->pGraph = graph) != NULL)
            graph->AddRef();
        return hr;
    }

protected:
    void* Extra(REFIID riid) override
    {
        if (riid == IID_IAMTVTuner && tuner)
            return tuner;
        if (riid == IID_IAMCrossbar && crossbar)
            return crossbar;
        if (riid == IID_IAMTVAudio && tvAudio)
            return tvAudio;
        if (riid == IID_IAMStreamConfig && config)
            return config;
        return FakeCaptureFilter::Extra(riid);
    }
};

// A TV-audio filter: IAMTVAudio with the modes it supports.
class FakeTVAudioFilter : public FakeFilterBase, public IAMTVAudio
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        return FakeFilterBase::QueryInterface(riid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return FakeFilterBase::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return FakeFilterBase::Release(); }
    STDMETHODIMP GetHardwareSupportedTVAudioModes(long* modes) override
    {
        *modes = kModes;
        return S_OK;
    }
    STDMETHODIMP GetAvailableTVAudioModes(long* modes) override
    {
        *modes = kModes;
        return S_OK;
    }
    STDMETHODIMP get_TVAudioMode(long* mode) override
    {
        *mode = m_mode;
        return S_OK;
    }
    STDMETHODIMP put_TVAudioMode(long mode) override
    {
        if ((mode & kModes) != mode || !mode)
            return E_INVALIDARG;
        m_mode = mode;
        return S_OK;
    }
    STDMETHODIMP RegisterNotificationCallBack(IAMTunerNotification*, long) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP UnRegisterNotificationCallBack(IAMTunerNotification*) override
    {
        return E_NOTIMPL;
    }

    static const long kModes = AMTVAUDIO_MODE_MONO | AMTVAUDIO_MODE_STEREO;

protected:
    void* Extra(REFIID riid) override
    {
        return riid == IID_IAMTVAudio ? static_cast<IAMTVAudio*>(this) : NULL;
    }

private:
    long m_mode = AMTVAUDIO_MODE_MONO;
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
    STDMETHODIMP put_Channel(LONG number, LONG, LONG) override
    {
        channel = number;
        return S_OK;
    }
    STDMETHODIMP get_Channel(LONG*, LONG*, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP ChannelMinMax(LONG*, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP put_CountryCode(LONG country) override;
    STDMETHODIMP get_CountryCode(LONG* country) override;
    STDMETHODIMP put_TuningSpace(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_TuningSpace(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP Logon(HANDLE) override { return E_NOTIMPL; }
    STDMETHODIMP Logout() override { return E_NOTIMPL; }
    STDMETHODIMP SignalPresent(LONG* strength) override
    {
        if (signal == kNoSignalAnswer)
            return E_NOTIMPL;
        *strength = signal;
        return S_OK;
    }
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
    long channel = -1;  // the last put_Channel
    // What SignalPresent answers (an AMTUNER_ value); by default it fails.
    static const long kNoSignalAnswer = -100;
    long signal = kNoSignalAnswer;

protected:
    void* Extra(REFIID riid) override;

private:
    long m_country = 0;
};

// A capture pin's stream configuration: capabilities with their media type
// and maximum cropping size, written into a record of `recordBytes` (the
// size it reports), and the format it holds, which SetFormat replaces.
class FakeStreamConfig : public ComCounted<IAMStreamConfig>
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

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* mt) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** mt) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** mt, BYTE* caps) override;

    std::vector<Capability> capabilities;
    int reportedCount = -1;  // -1: as many as listed
    int recordBytes = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    CMediaType current;      // VideoInfo, YUY2, 720 x 576 to begin with
    int formatsSet = 0;
};
