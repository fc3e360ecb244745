// Wrappers over Wine's own stock filters (AVI Mux, Sample Grabber, ACM
// Wrapper, File Writer), over the virtual card's TV audio and Wine's audio
// capture device, and over fakes where Wine has no such filter (Overlay
// Mixer, MPEG-2 demultiplexer) or the case needs a particular peer.
#include "../../support/TempFolder.h"
#include "WrapperFixture.h"
#include "../../support/FakeAudioMixer.h"
#include "../../support/FakePropertySet.h"
#include "../../support/TestDevices.h"

#include "graph/ComObject.h"
#include "graph/Guids.h"
#include "graph/MediaTypePtr.h"
#include "graph/wrappers/ACMWrapperFilter.h"
#include "graph/wrappers/AVMuxFilter.h"
#include "graph/wrappers/AudioDeviceFilter.h"
#include "graph/wrappers/FileWriteFilter.h"
#include "graph/wrappers/MPEG2Demultiplexer.h"
#include "graph/wrappers/OverlayFilter.h"
#include "graph/wrappers/QorSampleGrabberFilter.h"
#include "graph/wrappers/TVAudioFilter.h"
#include "platform/dshow/VideoFormat.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <dvdmedia.h>
#include <ks.h>
#include <ksmedia.h>
#include <mmreg.h>
#include <uuids.h>

#include <string.h>

#include <string>

namespace {

// {5E2A1C70-4B8D-4F0E-9C3A-7D6B2E1F0A21}: fakes made under a class id no record has.
const CLSID kFakeClass = {0x5e2a1c70, 0x4b8d, 0x4f0e, {0x9c, 0x3a, 0x7d, 0x6b, 0x2e, 0x1f, 0x0a, 0x21}};

CMediaType WaveType(WORD channels, DWORD rate, WORD bits, WORD extra = 0)
{
    CMediaType mt;
    mt.InitMediaType();
    mt.SetType(&MEDIATYPE_Audio);
    mt.SetSubtype(&MEDIASUBTYPE_PCM);
    mt.SetFormatType(&FORMAT_WaveFormatEx);
    BYTE* block = mt.AllocFormatBuffer(sizeof(WAVEFORMATEX) + extra);
    memset(block, 0x5A, sizeof(WAVEFORMATEX) + extra);
    WAVEFORMATEX* format = reinterpret_cast<WAVEFORMATEX*>(block);
    format->wFormatTag = WAVE_FORMAT_PCM;
    format->nChannels = channels;
    format->nSamplesPerSec = rate;
    format->wBitsPerSample = bits;
    format->nBlockAlign = static_cast<WORD>(channels * bits / 8);
    format->nAvgBytesPerSec = rate * format->nBlockAlign;
    format->cbSize = extra;
    return mt;
}

class StockWrappers : public WrapperTest
{
protected:
    // A fake filter under kFakeClass made by `build`, wrapped as T; NULL
    // when the wrapper's Init refuses it.
    template <class T>
    T* AddFake(std::function<void(FakeFilter*)> build)
    {
        FakeFilter* filter = new FakeFilter(kFakeClass, L"Fake");
        build(filter);
        Serve(kFakeClass, filter);
        filter->Release();  // served and held by the fixture
        T* wrapper = new T(&m_graph, &kFakeClass);
        if (!m_graph.AddFilter(wrapper)) {
            delete wrapper;
            return NULL;
        }
        return wrapper;
    }
    // Lets go of every served filter.
    void ReleaseServed()
    {
        m_servers.clear();
        m_filters.clear();
    }
};

TEST_F(StockWrappers, AviMuxOfWineStands)
{
    // Wine's mux has neither the compatibility index nor the master stream
    // (E_NOTIMPL): the wrapper stands all the same.
    CAVMuxFilter* mux = Add<CAVMuxFilter>(CLSID_AviDest, "AVI Mux");
    ASSERT_NE(nullptr, mux);
    EXPECT_TRUE(mux->SetMasterStream(1));
    // It adds an input whenever one is connected.
    EXPECT_TRUE(mux->NeedsPinRefresh());
}

// Interleaving settings as the wrapper sends them.
class FakeInterleaving : public IConfigInterleaving
{
public:
    InterleavingMode mode = INTERLEAVE_FULL;
    REFERENCE_TIME interleave = 0, preroll = 0;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = iid == IID_IUnknown || iid == IID_IConfigInterleaving ? this : NULL;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP put_Mode(InterleavingMode m) override
    {
        mode = m;
        return S_OK;
    }
    STDMETHODIMP get_Mode(InterleavingMode*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Interleaving(const REFERENCE_TIME* i, const REFERENCE_TIME* p) override
    {
        interleave = *i;
        preroll = *p;
        return S_OK;
    }
    STDMETHODIMP get_Interleaving(REFERENCE_TIME*, REFERENCE_TIME*) override { return E_NOTIMPL; }
};

// An AVI mux configuration that counts its references and refuses what the
// test says.
class FakeAviMuxConfig : public ComCounted<IConfigAviMux>
{
public:
    HRESULT compatibilityResult = S_OK;
    LONG master = -1;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        using Row = ComInterface<FakeAviMuxConfig>;
        static constexpr Row kRows[] = {
            Row::Via<IConfigAviMux>(IID_IUnknown),
            Row::Via<IConfigAviMux>(IID_IConfigAviMux),
        };
        return QueryInterfaceTable(this, kRows, iid, out);
    }
    STDMETHODIMP SetMasterStream(LONG stream) override
    {
        master = stream;
        return S_OK;
    }
    STDMETHODIMP GetMasterStream(LONG* stream) override
    {
        *stream = master;
        return S_OK;
    }
    STDMETHODIMP SetOutputCompatibilityIndex(BOOL) override { return compatibilityResult; }
    STDMETHODIMP GetOutputCompatibilityIndex(BOOL*) override { return E_NOTIMPL; }
};

TEST_F(StockWrappers, AviMuxSetsTheMasterStreamAndReleasesItsConfigurationOnEveryPath)
{
    FakeAviMuxConfig config;
    FakeInterleaving interleaving;
    CAVMuxFilter* good = AddFake<CAVMuxFilter>([&](FakeFilter* f) {
        f->AddInterface(IID_IConfigAviMux, &config);
        f->AddInterface(IID_IConfigInterleaving, &interleaving);
    });
    ASSERT_NE(nullptr, good);
    EXPECT_EQ(0, config.master);
    EXPECT_EQ(INTERLEAVE_NONE, interleaving.mode);
    EXPECT_EQ(1000, interleaving.interleave);
    EXPECT_EQ(750, interleaving.preroll);
    EXPECT_TRUE(good->SetMasterStream(1));
    EXPECT_EQ(1, config.master);
    config.compatibilityResult = E_FAIL;
    EXPECT_FALSE(good->SetMasterStream(0));
    m_graph.DeleteFilter(good);
    ReleaseServed();
    EXPECT_EQ(1u, config.Refs());
    config.compatibilityResult = S_OK;

    // Without IConfigInterleaving: Init fails after the master stream was set.
    CAVMuxFilter* mux = AddFake<CAVMuxFilter>([&](FakeFilter* f) { f->AddInterface(IID_IConfigAviMux, &config); });
    EXPECT_EQ(nullptr, mux);
    EXPECT_EQ(0, config.master);
    ReleaseServed();
    EXPECT_EQ(1u, config.Refs());

    // A refused compatibility index fails, the master stream set all the same.
    config.compatibilityResult = S_FALSE;
    config.master = -1;
    EXPECT_EQ(nullptr, AddFake<CAVMuxFilter>([&](FakeFilter* f) { f->AddInterface(IID_IConfigAviMux, &config); }));
    EXPECT_EQ(0, config.master);
    ReleaseServed();
    EXPECT_EQ(1u, config.Refs());
}

TEST_F(StockWrappers, AcmWrapperStandsWithoutStreamConfigAndPicksFormatsInPinOrder)
{
    // Wine's own: no IAMStreamConfig downstream, yet a valid wrapper.
    CACMWrapperFilter* wine = Add<CACMWrapperFilter>(CLSID_ACMWrapper, "ACM Wrapper");
    ASSERT_NE(nullptr, wine);
    EXPECT_FALSE(wine->SetAudioFormat(48000, 16));

    // A wrapper whose free output offers these formats, in this order.
    CACMWrapperFilter* acm = AddFake<CACMWrapperFilter>([](FakeFilter* f) {
        f->AddPin(L"Input", PINDIR_INPUT);
        f->AddPin(L"Output", PINDIR_OUTPUT,
                  {WaveType(1, 44100, 16), WaveType(1, 48000, 8), WaveType(1, 48000, 16, 4), WaveType(2, 48000, 16)});
    });
    ASSERT_NE(nullptr, acm);
    CMediaTypePtr found;
    EXPECT_FALSE(acm->FindAudioFormat(&found, 32000, 16));
    EXPECT_EQ(nullptr, found.Get());
    ASSERT_TRUE(acm->FindAudioFormat(&found, 48000, 16));
    // The first match wins; channels are not compared.
    EXPECT_EQ(1, reinterpret_cast<WAVEFORMATEX*>(found->pbFormat)->nChannels);

    // The caller's structure gets no extra bytes, and no claim to any.
    WAVEFORMATEX format;
    memset(&format, 0xCC, sizeof(format));
    ASSERT_TRUE(acm->GetAudioFormat(&format, 48000, 16));
    EXPECT_EQ(WAVE_FORMAT_PCM, format.wFormatTag);
    EXPECT_EQ(48000u, format.nSamplesPerSec);
    EXPECT_EQ(96000u, format.nAvgBytesPerSec);
    EXPECT_EQ(0, format.cbSize);
    EXPECT_FALSE(acm->GetAudioFormat(&format, 22050, 16));
}

TEST_F(StockWrappers, FileWriterFallsBackToFileSinkAndBoundsTheName)
{
    // Wine's writer has only IFileSinkFilter, and no GetCurFile.
    CFileWriteFilter* wine = Add<CFileWriteFilter>(CLSID_FileWriter, "AVI Writer");
    ASSERT_NE(nullptr, wine);
    TempFolder folder;
    EXPECT_TRUE(wine->SetFileName(folder.File("a.avi").c_str()));
    char name[MAX_PATH] = "x";
    EXPECT_FALSE(wine->GetFileName(name, sizeof(name)));
    EXPECT_STREQ("", name);

    // The dump stand-in answers GetCurFile: the name within the caller's size.
    CFileWriteFilter* writer = new CFileWriteFilter(&m_graph, &CLSID_DumpFilter);
    ASSERT_TRUE(m_graph.AddFilter(writer)) << "the stand-ins are not registered in this prefix";
    const std::string path = folder.File("20240102-030405.avi");
    ASSERT_TRUE(writer->SetFileName(path.c_str()));
    ASSERT_TRUE(writer->GetFileName(name, sizeof(name)));
    EXPECT_EQ(path, name);
    // A buffer too small for the name gets nothing, not a cut name.
    char small[8];
    memset(small, 'x', sizeof(small));
    EXPECT_FALSE(writer->GetFileName(small, sizeof(small)));
    EXPECT_STREQ("", small);
}

TEST_F(StockWrappers, SampleGrabberSavesTheNextPictureOnRequest)
{
    CRootFilter* card = m_graph.AddFilterByName(&CLSID_VideoInputDeviceCategory, "713x TV Card Capture",
                                                "Capture", FALSE, 0);
    CRootFilter* crossbar =
        m_graph.AddFilterByName(&virtualcard::kCategoryCrossbar, "713x TV Card Crossbar", "Crossbar", FALSE, 0);
    if (!card || !crossbar)
        GTEST_SKIP() << "the virtual card is not registered in this prefix";
    ComPtr<IAMCrossbar> xbar;
    ASSERT_EQ(S_OK, xbar.QueryFrom(crossbar->GetFilter(), IID_IAMCrossbar));
    ASSERT_EQ(S_OK, xbar->Route(0, 1));  // composite: bars

    CQorSampleGrabberFilter* grabber = Add<CQorSampleGrabberFilter>(CLSID_SampleGrabber, "SampleGrabber");
    ASSERT_NE(nullptr, grabber);
    CRootFilter* sink = m_graph.AddFilterByCLSID(&CLSID_NullRenderer, "NULL Renderer");
    ASSERT_NE(nullptr, sink);
    ASSERT_TRUE(grabber->SetRGB24());

    CSnapshotGrabberCallback* callback = new CSnapshotGrabberCallback();
    // Not connected yet: refused.
    EXPECT_FALSE(grabber->SetCallback(callback));
    ASSERT_TRUE(m_graph.ConnectFilters(card, grabber, "Capture", ""));
    ASSERT_TRUE(m_graph.ConnectFilters(grabber, sink, "", ""));
    ASSERT_TRUE(grabber->SetCallback(callback));
    EXPECT_EQ(24, callback->m_bmi.biBitCount);
    EXPECT_GT(callback->m_bmi.biWidth, 0);

    TempFolder folder;
    const std::string path = folder.File("grab.bmp");
    EXPECT_FALSE(grabber->RequestSnapshot(std::string(260, 'p').c_str()));
    ASSERT_TRUE(grabber->RequestSnapshot(path.c_str()));
    // Still pending: nothing has streamed.
    EXPECT_FALSE(grabber->RequestSnapshot(path.c_str()));
    ASSERT_TRUE(m_graph.Run());
    for (int i = 0; i < 200 && callback->IsPending(); ++i)
        Sleep(25);
    m_graph.Stop();
    ASSERT_FALSE(callback->IsPending());
    EXPECT_TRUE(callback->LastSaved());
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(NULL, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(nullptr, bitmap);
    BITMAP info = {};
    GetObject(bitmap, sizeof(info), &info);
    EXPECT_EQ(callback->m_bmi.biWidth, info.bmWidth);
    DeleteObject(bitmap);

    // Unregistering lets the grabber drop its reference.
    EXPECT_FALSE(grabber->SetCallback(NULL));
    EXPECT_EQ(0u, callback->Release());
}

// The Overlay Mixer's pin interface, recording what the wrapper sends.
class FakeMixerPin : public IMixerPinConfig2
{
public:
    DDCOLORCONTROL sent = {};
    COLORKEY key = {};
    AM_ASPECT_RATIO_MODE mode = AM_ARMODE_STRETCHED;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IMixerPinConfig || iid == IID_IMixerPinConfig2) {
            *out = static_cast<IMixerPinConfig2*>(this);
            return S_OK;
        }
        *out = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SetRelativePosition(DWORD, DWORD, DWORD, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetRelativePosition(DWORD*, DWORD*, DWORD*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetZOrder(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetZOrder(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetColorKey(COLORKEY* k) override
    {
        key = *k;
        return S_OK;
    }
    STDMETHODIMP GetColorKey(COLORKEY* k, DWORD*) override
    {
        *k = key;
        return S_OK;
    }
    STDMETHODIMP SetBlendingParameter(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetBlendingParameter(DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetAspectRatioMode(AM_ASPECT_RATIO_MODE m) override
    {
        mode = m;
        return S_OK;
    }
    STDMETHODIMP GetAspectRatioMode(AM_ASPECT_RATIO_MODE* m) override
    {
        *m = mode;
        return S_OK;
    }
    STDMETHODIMP SetStreamTransparent(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetStreamTransparent(BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP SetOverlaySurfaceColorControls(DDCOLORCONTROL* c) override
    {
        sent = *c;
        return S_OK;
    }
    STDMETHODIMP GetOverlaySurfaceColorControls(DDCOLORCONTROL* c) override
    {
        if (c->dwFlags & DDCOLOR_HUE)
            c->lHue = -20;
        return S_OK;
    }
};

TEST_F(StockWrappers, OverlayColourControlsKeyAndAspect)
{
    FakeMixerPin pin;
    COverlayFilter* overlay = AddFake<COverlayFilter>([&](FakeFilter* f) {
        FakeFilter::AddPinInterface(f->AddPin(L"Input0", PINDIR_INPUT), IID_IMixerPinConfig2, &pin);
        f->AddPin(L"Output", PINDIR_OUTPUT);
    });
    ASSERT_NE(nullptr, overlay);

    struct Range
    {
        LONG minimum, maximum, defaultValue;
    } ranges[] = {{0, 10000, 750}, {0, 20000, 10000}, {-180, 180, 0}, {0, 20000, 10000}, {0, 10, 5}};
    for (int i = 0; i < 5; ++i) {
        Range got = {};
        ASSERT_TRUE(overlay->GetColorControlRange(i, &got.minimum, &got.maximum, &got.defaultValue));
        EXPECT_EQ(ranges[i].minimum, got.minimum);
        EXPECT_EQ(ranges[i].maximum, got.maximum);
        EXPECT_EQ(ranges[i].defaultValue, got.defaultValue);
    }
    EXPECT_FALSE(overlay->GetColorControlRange(5, NULL, NULL, NULL));
    EXPECT_FALSE(overlay->GetColorControlRange(-1, NULL, NULL, NULL));
    LONG maximum = 0;
    EXPECT_TRUE(overlay->GetColorControlRange(2, NULL, &maximum, NULL));
    EXPECT_EQ(180, maximum);

    // One flag at a time; the block is the 40-byte one.
    ASSERT_TRUE(overlay->SetColorControl(1, 12345));
    EXPECT_EQ(40u, pin.sent.dwSize);
    EXPECT_EQ(static_cast<DWORD>(DDCOLOR_CONTRAST), pin.sent.dwFlags);
    EXPECT_EQ(12345, pin.sent.lContrast);
    ASSERT_TRUE(overlay->SetColorControl(4, 3));
    EXPECT_EQ(static_cast<DWORD>(DDCOLOR_SHARPNESS), pin.sent.dwFlags);
    EXPECT_EQ(3, pin.sent.lSharpness);
    LONG hue = 0;
    ASSERT_TRUE(overlay->GetColorControl(2, &hue));
    EXPECT_EQ(-20, hue);

    ASSERT_TRUE(overlay->SetColorKey(RGB(16, 0, 16)));
    EXPECT_EQ(static_cast<DWORD>(CK_RGB), pin.key.KeyType);
    EXPECT_EQ(RGB(16, 0, 16), pin.key.LowColorValue);
    EXPECT_EQ(RGB(16, 0, 16), pin.key.HighColorValue);
    COLORREF key = 0;
    EXPECT_TRUE(overlay->GetColorKey(&key));
    EXPECT_EQ(RGB(16, 0, 16), key);

    BOOL letterBox = FALSE;
    ASSERT_TRUE(overlay->SetAspectRatioMode(TRUE));
    EXPECT_EQ(AM_ARMODE_LETTER_BOX, pin.mode);
    ASSERT_TRUE(overlay->GetAspectRatioMode(&letterBox));
    EXPECT_TRUE(letterBox);
    ASSERT_TRUE(overlay->SetAspectRatioMode(FALSE));
    EXPECT_EQ(AM_ARMODE_STRETCHED, pin.mode);
    // The fake pin lives on this stack: the filter lets it go first.
    m_graph.DestroyGraph();
    ReleaseServed();
}

TEST_F(StockWrappers, OverlayWithoutPinInterfaceStandsButDoesNothing)
{
    COverlayFilter* overlay = AddFake<COverlayFilter>([](FakeFilter* f) { f->AddPin(L"Input0", PINDIR_INPUT); });
    ASSERT_NE(nullptr, overlay);
    LONG value = 0;
    COLORREF key = 0;
    BOOL letterBox = FALSE;
    EXPECT_FALSE(overlay->GetColorControlRange(0, &value, NULL, NULL));
    EXPECT_FALSE(overlay->SetColorControl(0, 1));
    EXPECT_FALSE(overlay->GetColorControl(0, &value));
    EXPECT_FALSE(overlay->SetColorKey(0));
    EXPECT_FALSE(overlay->GetColorKey(&key));
    EXPECT_FALSE(overlay->SetAspectRatioMode(TRUE));
    EXPECT_FALSE(overlay->GetAspectRatioMode(&letterBox));
}

TEST_F(StockWrappers, DemultiplexerOutputTypesAreTheFixedOnes)
{
    CMediaType video;
    ASSERT_EQ(S_OK, CMPEG2Demultiplexer::MakeVideoType(&video));
    EXPECT_EQ(MEDIASUBTYPE_MPEG2_VIDEO, video.subtype);
    EXPECT_EQ(FORMAT_MPEG2Video, video.formattype);
    ASSERT_EQ(218u, video.cbFormat);
    const MPEG2VIDEOINFO* info = reinterpret_cast<const MPEG2VIDEOINFO*>(video.pbFormat);
    EXPECT_EQ(720, info->hdr.rcSource.right);
    EXPECT_EQ(480, info->hdr.bmiHeader.biHeight);
    EXPECT_EQ(333667, info->hdr.AvgTimePerFrame);
    EXPECT_EQ(86u, info->cbSequenceHeader);
    const BYTE* header = video.pbFormat + 132;
    EXPECT_EQ(0xB3, header[3]);          // sequence header start code
    EXPECT_EQ(0xB5, header[79]);         // the extension's start code
    EXPECT_EQ(0x00, header[85]);

    CMediaType audio;
    ASSERT_EQ(S_OK, CMPEG2Demultiplexer::MakeAudioType(&audio));
    ASSERT_EQ(40u, audio.cbFormat);
    const MPEG1WAVEFORMAT* format = reinterpret_cast<const MPEG1WAVEFORMAT*>(audio.pbFormat);
    EXPECT_EQ(WAVE_FORMAT_MPEG, format->wfx.wFormatTag);
    EXPECT_EQ(22, format->wfx.cbSize);
    EXPECT_EQ(768, format->wfx.nBlockAlign);
    EXPECT_EQ(ACM_MPEG_LAYER2, format->fwHeadLayer);
    EXPECT_EQ(256000u, format->dwHeadBitrate);
    EXPECT_EQ(0x1C, format->fwHeadFlags);
}

TEST_F(StockWrappers, DemultiplexerIsUnavailableUnderWine)
{
    // Wine has no MPEG-2 demultiplexer: the engine gets no wrapper.
    CMPEG2Demultiplexer* wine = Add<CMPEG2Demultiplexer>(CLSID_MPEG2Demultiplexer, "MPEG-2 Demultiplexer");
    if (wine)
        GTEST_SKIP() << "this system has an MPEG-2 demultiplexer";
    EXPECT_EQ(nullptr, m_graph.GetFirstFilter());
}

TEST_F(StockWrappers, TVAudioModeOfTheVirtualCard)
{
    CTVAudioFilter* audio = dynamic_cast<C713xAudioFilterEx*>(
        m_graph.AddFilterByName(&AM_KSCATEGORY_TVAUDIO, "713x BDA Analog TV Audio", "TV Audio", FALSE, 0));
    if (!audio)
        GTEST_SKIP() << "the virtual card is not registered in this prefix";
    long modes = 0;
    ASSERT_TRUE(audio->GetHardwareSupportedTVAudioModes(&modes));
    EXPECT_TRUE(modes & AMTVAUDIO_MODE_STEREO);
    ASSERT_TRUE(audio->SetTVAudioMode(AMTVAUDIO_MODE_STEREO));
    // Two modes at once: refused, and the previous one stays.
    EXPECT_FALSE(audio->SetTVAudioMode(AMTVAUDIO_MODE_STEREO | AMTVAUDIO_MODE_MONO));
    long mode = 0;
    ASSERT_TRUE(audio->GetTVAudioMode(&mode));
    EXPECT_EQ(AMTVAUDIO_MODE_STEREO, mode);
    ASSERT_TRUE(audio->SetTVAudioMode(AMTVAUDIO_MODE_MONO));

    // A filter without IAMTVAudio makes no wrapper.
    CTVAudioFilter plain(&m_graph, &CLSID_SmartTee);
    EXPECT_FALSE(plain.InitOnce());
}

TEST_F(StockWrappers, AudioDeviceOfWineTakesTheMixerOfItsName)
{
    CAudioDeviceFilter* device = dynamic_cast<CAudioDeviceFilter*>(
        m_graph.AddFilterByName(&CLSID_AudioInputDeviceCategory, "In: default", "AudioDevice", FALSE, 0));
    if (!device)
        GTEST_SKIP() << "no audio capture device in this prefix (the ALSA null device is missing)";
    MIXERCAPSA caps = {};
    ASSERT_EQ(MMSYSERR_NOERROR, mixerGetDevCapsA(device->GetMixerId(), &caps, sizeof(caps)));
    EXPECT_STREQ("In: default", caps.szPname);

    // The recording destination's volume, through the device's own mixer.
    DWORD volume = 0;
    ASSERT_TRUE(device->GetVolume(&volume));
    const DWORD saved = volume;
    ASSERT_TRUE(device->SetVolume(0x4000));
    ASSERT_TRUE(device->GetVolume(&volume));
    EXPECT_NEAR(0x4000, static_cast<double>(volume), 0x100);
    EXPECT_TRUE(device->SetVolume(saved));

    int count = 0;
    const MIXERLINEA* lines = device->GetSourceLines(&count);
    ASSERT_GT(count, 0);
    EXPECT_EQ(0, device->FindSourceLine(lines[0].szName));
    EXPECT_EQ(-1, device->FindSourceLine("No Such Line"));
    DWORD lineVolume = 7;
    EXPECT_FALSE(device->GetLineVolume("No Such Line", &lineVolume));
    EXPECT_EQ(0u, lineVolume);
    EXPECT_TRUE(device->GetLineVolume(lines[0].szName, &lineVolume));
    BOOL mute = TRUE;
    EXPECT_TRUE(device->GetMute(&mute));

    // Wine's capture filter has no capture pin: no format to report.
    WAVEFORMATEX format = {};
    EXPECT_FALSE(device->GetWaveFormat(&format));
    EXPECT_FALSE(device->SetWaveFormat(&format));
}

// A capture pin's property set naming its category, and its stream
// configuration holding the format the test gives.
class CapturePinCategory : public FakePropertySet
{
public:
    STDMETHODIMP Set(REFGUID, DWORD, void*, DWORD, void*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Get(REFGUID set, DWORD id, void*, DWORD, void* data, DWORD size, DWORD* returned) override
    {
        if (set != AMPROPSETID_Pin || id != AMPROPERTY_PIN_CATEGORY || size < sizeof(GUID))
            return E_PROP_ID_UNSUPPORTED;
        *static_cast<GUID*>(data) = PIN_CATEGORY_CAPTURE;
        if (returned)
            *returned = sizeof(GUID);
        return S_OK;
    }
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override
    {
        if (set != AMPROPSETID_Pin || id != AMPROPERTY_PIN_CATEGORY)
            return E_PROP_ID_UNSUPPORTED;
        *support = KSPROPERTY_SUPPORT_GET;
        return S_OK;
    }
};

class FakeStreamConfig : public IAMStreamConfig
{
public:
    CMediaType format;
    CMediaType set;
    int sets = 0;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = iid == IID_IUnknown || iid == IID_IAMStreamConfig ? this : NULL;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* mt) override
    {
        set = *mt;
        ++sets;
        return S_OK;
    }
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** mt) override
    {
        *mt = CreateMediaType(&format);
        return *mt ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP GetNumberOfCapabilities(int*, int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetStreamCaps(int, AM_MEDIA_TYPE**, BYTE*) override { return E_NOTIMPL; }
};

// {5E2A1C70-4B8D-4F0E-9C3A-7D6B2E1F0A41}: the fake sound card's class.
const CLSID kFakeSoundCard = {0x5e2a1c70, 0x4b8d, 0x4f0e, {0x9c, 0x3a, 0x7d, 0x6b, 0x2e, 0x1f, 0x0a, 0x41}};

class FakeSoundCard : public StockWrappers
{
protected:
    void SetUp() override
    {
        StockWrappers::SetUp();
        m_config.format = WaveType(2, 48000, 16, 2);
        FakeFilter* filter = new FakeFilter(kFakeSoundCard, L"Fake sound card");
        FakeFilter::AddPinInterface(filter->AddPin(L"Line In", PINDIR_INPUT), IID_IAMAudioInputMixer, &m_lineIn);
        filter->AddPin(L"CD", PINDIR_INPUT);
        dshow::CBasePin* out = filter->AddPin(L"Audio Out", PINDIR_OUTPUT, {WaveType(2, 48000, 16)});
        FakeFilter::AddPinInterface(out, IID_IKsPropertySet, &m_category);
        FakeFilter::AddPinInterface(out, IID_IAMStreamConfig, &m_config);
        Serve(kFakeSoundCard, filter);
        filter->Release();
        m_devices.reset(new TestDeviceCategory(CLSID_AudioInputDeviceCategory,
                                               {{L"PellamarTestSoundCard", L"Pellamar Test Sound Card", &kFakeSoundCard}}));
        ASSERT_TRUE(m_devices->Ok());
        m_device = dynamic_cast<CAudioDeviceFilter*>(m_graph.AddFilterByName(
            &CLSID_AudioInputDeviceCategory, "Pellamar Test Sound Card", "AudioDevice", FALSE, 0));
        if (!m_device && mixerGetNumDevs() == 0)
            GTEST_SKIP() << "no mixer in this prefix (the ALSA null device is missing)";
        ASSERT_NE(nullptr, m_device);
    }
    void TearDown() override
    {
        // The fakes live in this fixture: the filters go first.
        m_graph.DestroyGraph();
        m_devices.reset();
        StockWrappers::TearDown();
    }

    FakeAudioMixer m_lineIn;
    CapturePinCategory m_category;
    FakeStreamConfig m_config;
    std::unique_ptr<TestDeviceCategory> m_devices;
    CAudioDeviceFilter* m_device = NULL;
};

TEST_F(FakeSoundCard, CapturePinAndMixerOfAnUnknownName)
{
    // "Capture" is the pin the capture graph builder found.
    CRootPin* capture = m_device->FindPinByName("Capture");
    ASSERT_NE(nullptr, capture);
    EXPECT_STREQ("Audio Out", capture->GetName());
    // No mixer has this name: mixer 0.
    EXPECT_EQ(0, m_device->GetMixerIndex());
}

TEST_F(FakeSoundCard, WaveFormatOnlyFromAWaveFormat)
{
    WAVEFORMATEX format = {};
    ASSERT_TRUE(m_device->GetWaveFormat(&format));
    EXPECT_EQ(48000u, format.nSamplesPerSec);
    EXPECT_EQ(2, format.cbSize);

    // The block has room for 2 extra bytes: a larger cbSize is not claimed.
    WAVEFORMATEX wanted = format;
    wanted.nSamplesPerSec = 44100;
    wanted.nAvgBytesPerSec = 44100 * 4;
    wanted.cbSize = 200;
    ASSERT_TRUE(m_device->SetWaveFormat(&wanted));
    ASSERT_EQ(1, m_config.sets);
    const WAVEFORMATEX* sent = reinterpret_cast<const WAVEFORMATEX*>(m_config.set.pbFormat);
    EXPECT_EQ(44100u, sent->nSamplesPerSec);
    EXPECT_EQ(2, sent->cbSize);

    // A current format that is not a wave format: nothing copied or set.
    CMediaType video;
    ASSERT_EQ(S_OK, dshow::MakeVideoInfoType({&MEDIASUBTYPE_RGB24, 24, BI_RGB}, 16, 8, 400000, &video));
    m_config.format = video;
    memset(&format, 0x5A, sizeof(format));
    EXPECT_FALSE(m_device->GetWaveFormat(&format));
    EXPECT_EQ(0x5A5A, format.wFormatTag);
    EXPECT_FALSE(m_device->SetWaveFormat(&wanted));
    EXPECT_EQ(1, m_config.sets);
}

TEST_F(FakeSoundCard, InputPinsOfTheInputMixer)
{
    ASSERT_TRUE(m_device->EnableInputPin("Line In", TRUE));
    EXPECT_TRUE(m_lineIn.enabled);
    BOOL enabled = FALSE;
    ASSERT_TRUE(m_device->IsInputPinEnabled("Line In", &enabled));
    EXPECT_TRUE(enabled);
    ASSERT_TRUE(m_device->SetInputPinMixLevel("Line In", 0.25));
    double level = 0;
    ASSERT_TRUE(m_device->GetInputPinMixLevel("Line In", &level));
    EXPECT_DOUBLE_EQ(0.25, level);

    // Not an input, no input mixer, no such pin.
    EXPECT_FALSE(m_device->EnableInputPin("Capture", TRUE));
    EXPECT_FALSE(m_device->EnableInputPin("Audio Out", TRUE));
    enabled = TRUE;
    EXPECT_FALSE(m_device->IsInputPinEnabled("CD", &enabled));
    EXPECT_FALSE(enabled);
    EXPECT_FALSE(m_device->SetInputPinMixLevel("Aux", 1.0));
    EXPECT_EQ(1, m_lineIn.enableWrites);
}

} // namespace
