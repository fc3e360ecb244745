// The virtual card's audio capture device: registered where the program
// looks for sound, found through its capture pin as the program's wrapper
// finds it, and streaming the tuned carrier's tone as PCM on the graph's
// clock - buffer after buffer without a gap, silent without a carrier.
#include "DeviceBinding.h"

#include "graph/AutoMutex.h"
#include "hw/access/TV_IOAccess.h"
#include "platform/dshow/ComPtr.h"
#include "platform/dshow/InputPin.h"
#include "platform/virtualcard/AudioCaptureFilter.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <control.h>
#include <gtest/gtest.h>
#include <uuids.h>

#include <cmath>
#include <vector>

using dshow::ComPtr;
using virtualcard::AudioCaptureFormat;

namespace {

const double kCarrierKHz = 175250;  // E5, in the card's default list
const double kEmptyKHz = 180000;    // between E5 and E6: nothing there

// Sign changes of the left channel: twice the tone's frequency a second.
int ZeroCrossings(const std::vector<short>& frames)
{
    int count = 0;
    for (size_t i = 2; i < frames.size(); i += 2)
        count += (frames[i - 2] < 0) != (frames[i] < 0);
    return count;
}

TEST(AudioTone, EachCarrierHasItsPitchAndTheToneRunsOnAcrossBuffers)
{
    struct Case
    {
        double kHz;
        int hz;
    };
    const Case cases[] = {{175250, 400 + 15 * 10}, {182250, 400 + 22 * 10}, {471250, 400 + 23 * 10}, {48250, 400 + 16 * 10}};
    for (const Case& c : cases)
        EXPECT_EQ(c.hz, virtualcard::CarrierToneHz(c.kHz)) << c.kHz;

    // One second in two pieces is the same as in one.
    const DWORD rate = AudioCaptureFormat::kSampleRate;
    std::vector<short> whole(2 * rate), pieces(2 * rate);
    virtualcard::FillTone(550, 0, rate, whole.data());
    virtualcard::FillTone(550, 0, 1920, pieces.data());
    virtualcard::FillTone(550, 1920, rate - 1920, pieces.data() + 2 * 1920);
    EXPECT_EQ(whole, pieces);
    EXPECT_NEAR(2 * 550, ZeroCrossings(whole), 2);
    for (size_t i = 0; i < whole.size(); i += 2)
        ASSERT_EQ(whole[i], whole[i + 1]) << "both channels carry the sound";

    std::vector<short> quiet(2 * 1920, 7);
    virtualcard::FillTone(0, 1920, 1920, quiet.data());
    EXPECT_EQ(std::vector<short>(2 * 1920, 0), quiet);
}

// Keeps what arrives: the start times and the sound.
class SoundSink : public dshow::CBaseFilter
{
public:
    SoundSink() : CBaseFilter(GUID_NULL, L"Sound sink"), m_pin(this), m_hArrived(CreateEventA(NULL, FALSE, FALSE, NULL))
    {
        InitializeCriticalSection(&m_cs);
    }
    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int index) override { return index == 0 ? &m_pin : NULL; }

    bool WaitForBuffers(size_t count)
    {
        for (int i = 0; i < 200; ++i) {
            {
                CAutoMutex lock(&m_cs);
                if (m_times.size() >= count)
                    return true;
            }
            WaitForSingleObject(m_hArrived, 50);
        }
        return false;
    }
    std::vector<REFERENCE_TIME> Times()
    {
        CAutoMutex lock(&m_cs);
        return m_times;
    }
    std::vector<short> Sound()
    {
        CAutoMutex lock(&m_cs);
        return m_sound;
    }
    void Clear()
    {
        CAutoMutex lock(&m_cs);
        m_times.clear();
        m_sound.clear();
    }

private:
    class Pin : public dshow::CBaseInputPin
    {
    public:
        explicit Pin(SoundSink* sink) : CBaseInputPin(sink, L"In"), m_pSink(sink) {}
        HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
        {
            return mt->majortype == MEDIATYPE_Audio ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
        }

    protected:
        HRESULT OnReceive(IMediaSample* sample) override
        {
            REFERENCE_TIME start = 0, stop = 0;
            BYTE* data = NULL;
            if (FAILED(sample->GetTime(&start, &stop)) || FAILED(sample->GetPointer(&data)))
                return S_OK;
            const short* frames = reinterpret_cast<const short*>(data);
            CAutoMutex lock(&m_pSink->m_cs);
            m_pSink->m_times.push_back(start);
            m_pSink->m_sound.insert(m_pSink->m_sound.end(), frames, frames + sample->GetActualDataLength() / 2);
            SetEvent(m_pSink->m_hArrived);
            return S_OK;
        }

    private:
        SoundSink* m_pSink;  // owns us
    };
    ~SoundSink()
    {
        CloseHandle(m_hArrived);
        DeleteCriticalSection(&m_cs);
    }

    Pin m_pin;
    CRITICAL_SECTION m_cs;
    HANDLE m_hArrived;
    std::vector<REFERENCE_TIME> m_times;
    std::vector<short> m_sound;
};

// Programs the card's PLL as a tuner driver would (see VirtualCardTest).
HRESULT Tune(CTV_IOAccess& access, double kHz)
{
    const long divider = std::lround((kHz + 38900) / 62.5);
    const BYTE band = kHz < 160000 ? 0x01 : kHz < 450000 ? 0x02 : 0x04;
    BYTE message[5] = {0xC0, static_cast<BYTE>((divider >> 8) & 0x7F), static_cast<BYTE>(divider & 0xFF), 0x8E,
                       band};
    return access.WriteI2CBlock(message, 5);
}

class CardSound : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, BindDevice(CLSID_AudioInputDeviceCategory, virtualcard::kAudioCaptureName, sound.Receive()))
            << "the virtual card is not registered in this Wine prefix (the test command does it)";
        ASSERT_EQ(S_OK, BindDevice(CLSID_VideoInputDeviceCategory, virtualcard::kCaptureName, capture.Receive()));
        ASSERT_EQ(S_OK, BindDevice(virtualcard::kCategoryCrossbar, virtualcard::kCrossbarName, crossbar.Receive()));
        ComPtr<IAMCrossbar> xbar;
        ComPtr<IAMAnalogVideoDecoder> decoder;
        ASSERT_EQ(S_OK, xbar.QueryFrom(crossbar.Get(), IID_IAMCrossbar));
        ASSERT_EQ(S_OK, decoder.QueryFrom(capture.Get(), IID_IAMAnalogVideoDecoder));
        ASSERT_EQ(S_OK, xbar->Route(0, 0));  // the tuner
        ASSERT_EQ(S_OK, decoder->put_TVFormat(AnalogVideo_PAL_B));
        ASSERT_EQ(S_OK, access.Attach(capture.Get(), 0));
    }
    void TearDown() override
    {
        if (control)
            control->Stop();
        control.Reset();
        graph.Reset();
        if (sink) {
            EXPECT_EQ(0u, sink->Release());
        }
    }

    SoundSink* sink = nullptr;
    ComPtr<IBaseFilter> sound, capture, crossbar;
    CTV_IOAccess access;
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
};

TEST_F(CardSound, ItsCapturePinIsFoundAsTheProgramLooksForIt)
{
    CLSID clsid;
    ASSERT_EQ(S_OK, ComPtr<IPersist>(sound.Get())->GetClassID(&clsid));
    EXPECT_EQ(virtualcard::CLSID_VirtualCardAudioCapture, clsid);

    ComPtr<ICaptureGraphBuilder2> builder;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_CaptureGraphBuilder2, NULL, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                                     builder.ReceiveVoid()));
    ComPtr<IAMStreamConfig> config;
    ASSERT_EQ(S_OK, builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, sound.Get(), IID_IAMStreamConfig,
                                           config.ReceiveVoid()));
    AM_MEDIA_TYPE* mt = NULL;
    ASSERT_EQ(S_OK, config->GetFormat(&mt));
    ASSERT_NE(nullptr, mt);
    EXPECT_EQ(MEDIASUBTYPE_PCM, mt->subtype);
    ASSERT_EQ(FORMAT_WaveFormatEx, mt->formattype);
    const WAVEFORMATEX wfx = *reinterpret_cast<WAVEFORMATEX*>(mt->pbFormat);
    EXPECT_EQ(48000u, wfx.nSamplesPerSec);
    EXPECT_EQ(2, wfx.nChannels);
    EXPECT_EQ(16, wfx.wBitsPerSample);
    // Its own format is taken; another rate is not.
    EXPECT_EQ(S_OK, config->SetFormat(mt));
    reinterpret_cast<WAVEFORMATEX*>(mt->pbFormat)->nSamplesPerSec = 44100;
    EXPECT_EQ(VFW_E_INVALIDMEDIATYPE, config->SetFormat(mt));
    EXPECT_EQ(E_POINTER, config->SetFormat(NULL));
    CoTaskMemFree(mt->pbFormat);
    CoTaskMemFree(mt);

    int count = 0, size = 0;
    ASSERT_EQ(S_OK, config->GetNumberOfCapabilities(&count, &size));
    EXPECT_EQ(1, count);
    EXPECT_EQ(static_cast<int>(sizeof(AUDIO_STREAM_CONFIG_CAPS)), size);
    AUDIO_STREAM_CONFIG_CAPS caps = {};
    EXPECT_EQ(S_FALSE, config->GetStreamCaps(1, &mt, reinterpret_cast<BYTE*>(&caps)));
}

TEST_F(CardSound, StreamsTheCarriersToneWithoutGapsAndSilenceWithoutACarrier)
{
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     graph.ReceiveVoid()));
    sink = new SoundSink();
    ASSERT_EQ(S_OK, graph->AddFilter(sound.Get(), L"Sound"));
    ASSERT_EQ(S_OK, graph->AddFilter(sink, L"Sink"));
    ComPtr<IPin> out;
    ASSERT_EQ(S_OK, sound->FindPin(L"Capture", out.Receive()));
    ASSERT_EQ(S_OK, graph->ConnectDirect(out.Get(), sink->GetPin(0), NULL));
    ASSERT_EQ(S_OK, control.QueryFrom(graph.Get(), IID_IMediaControl));

    ASSERT_EQ(S_OK, Tune(access, kCarrierKHz));
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    ASSERT_TRUE(sink->WaitForBuffers(30));  // 1.2 s
    const std::vector<REFERENCE_TIME> times = sink->Times();
    for (size_t i = 1; i < times.size(); ++i)
        EXPECT_EQ(times[i - 1] + 400000, times[i]) << "buffer " << i;
    // The later buffers: the tone of this carrier.
    std::vector<short> tone = sink->Sound();
    tone.erase(tone.begin(), tone.begin() + 2 * 1920 * 2);
    const double seconds = tone.size() / 2.0 / AudioCaptureFormat::kSampleRate;
    EXPECT_NEAR(2 * virtualcard::CarrierToneHz(kCarrierKHz) * seconds, ZeroCrossings(tone), 4);

    ASSERT_EQ(S_OK, Tune(access, kEmptyKHz));
    sink->Clear();
    ASSERT_TRUE(sink->WaitForBuffers(5));
    sink->Clear();  // a buffer in flight may have been made before
    ASSERT_TRUE(sink->WaitForBuffers(3));
    const std::vector<short> quiet = sink->Sound();
    EXPECT_EQ(std::vector<short>(quiet.size(), 0), quiet);
    control->Stop();
    ASSERT_EQ(S_OK, Tune(access, kCarrierKHz));
}

} // namespace
