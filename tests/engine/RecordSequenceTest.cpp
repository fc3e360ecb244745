// The MPEG record graph and the time-shift graph on the virtual card with
// fakes of the outside filters Wine lacks (the MPEG encoder, the time-shift
// filter, the MPEG-2 demultiplexer and the decoders), served in-process
// under their class ids: the order of the encoder's settings, the record
// pause through the stream switch, the buffer's size, name, pause and seek,
// the buffer deleted when time shift stops, and an audio rate outside the
// table refused.
#include "RecordOnCard.h"

#include "graph/ComObject.h"
#include "graph/ComPtr.h"
#include "graph/Guids.h"
#include "graph/wrappers/HelperInterfaces.h"
#include "tests/engine/ScreenPicture.h"
#include "tests/graph/wrappers/FakeCodec.h"
#include "tests/support/FakeFilter.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <dvdmedia.h>
#include <ks.h>
#include <ksmedia.h>
#include <mmreg.h>
#include <uuids.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

FAKE_CODEC_INTERFACE(ITimeShiftControl, TIME_SHIFT_CONTROL_SLOTS)

namespace {

CMediaType StreamType()
{
    CMediaType mt;
    mt.InitMediaType();
    mt.SetType(&MEDIATYPE_Stream);
    mt.SetSubtype(&MEDIASUBTYPE_MPEG2_PROGRAM);
    return mt;
}

CMediaType Yuy2Type()
{
    CMediaType mt;
    mt.InitMediaType();
    mt.SetType(&MEDIATYPE_Video);
    mt.SetSubtype(&MEDIASUBTYPE_YUY2);
    mt.SetFormatType(&FORMAT_VideoInfo);
    VIDEOINFOHEADER* info = reinterpret_cast<VIDEOINFOHEADER*>(mt.AllocFormatBuffer(sizeof(VIDEOINFOHEADER)));
    memset(info, 0, sizeof *info);
    info->AvgTimePerFrame = 400000;
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = 720;
    info->bmiHeader.biHeight = 576;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 16;
    info->bmiHeader.biCompression = MAKEFOURCC('Y', 'U', 'Y', '2');
    info->bmiHeader.biSizeImage = 720 * 576 * 2;
    mt.SetSampleSize(info->bmiHeader.biSizeImage);
    return mt;
}

CMediaType PcmType()
{
    CMediaType mt;
    mt.InitMediaType();
    mt.SetType(&MEDIATYPE_Audio);
    mt.SetSubtype(&MEDIASUBTYPE_PCM);
    mt.SetFormatType(&FORMAT_WaveFormatEx);
    WAVEFORMATEX* format = reinterpret_cast<WAVEFORMATEX*>(mt.AllocFormatBuffer(sizeof(WAVEFORMATEX)));
    memset(format, 0, sizeof *format);
    format->wFormatTag = WAVE_FORMAT_PCM;
    format->nChannels = 2;
    format->nSamplesPerSec = 48000;
    format->wBitsPerSample = 16;
    format->nBlockAlign = 4;
    format->nAvgBytesPerSec = 48000 * 4;
    mt.SetSampleSize(4);
    return mt;
}

// A COM object with one interface besides IUnknown; counted references.
template <class I>
class Stub : public ComObject<I>
{
public:
    explicit Stub(const IID& iid) : m_iid(iid) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        using Row = ComInterface<Stub>;
        const Row rows[] = {Row::template Via<I>(IID_IUnknown), Row::template Via<I>(m_iid)};
        return QueryInterfaceTable(this, rows, iid, out);
    }

private:
    IID m_iid;
};

// The demultiplexer's outputs exist from the start; creating one only
// records its name.
class FakeDemuxControl : public Stub<IMpeg2Demultiplexer>
{
public:
    FakeDemuxControl() : Stub(IID_IMpeg2Demultiplexer) {}
    STDMETHODIMP CreateOutputPin(AM_MEDIA_TYPE*, LPWSTR name, IPin** pin) override
    {
        created.push_back(name);
        *pin = NULL;
        return S_OK;
    }
    STDMETHODIMP SetOutputPinMediaType(LPWSTR, AM_MEDIA_TYPE*) override { return S_OK; }
    STDMETHODIMP DeleteOutputPin(LPWSTR) override { return S_OK; }
    std::vector<std::wstring> created;
};

class FakeStreamMap : public Stub<IMPEG2StreamIdMap>
{
public:
    FakeStreamMap() : Stub(IID_IMPEG2StreamIdMap) {}
    STDMETHODIMP MapStreamId(ULONG id, DWORD type, ULONG, int) override
    {
        mapped.push_back(id);
        mappedType = type;
        return S_OK;
    }
    STDMETHODIMP UnmapStreamId(ULONG, ULONG*) override { return S_OK; }
    STDMETHODIMP EnumStreamIdMap(IEnumStreamIdMap**) override { return E_NOTIMPL; }
    std::vector<ULONG> mapped;
    DWORD mappedType = 0;
};

// Fakes of the outside filters, each a filter with pins whose private
// interfaces are those of a fake codec that logs every call.
class OutsideFilters
{
public:
    OutsideFilters()
    {
        encoder = Make(CLSID_MCEncoder, [this](FakeFilter* f, FakeCodecFilter* c) {
            c->Add<FakeIMCAudioSettings>(IID_IMCAudioSettings, "audio");
            c->Add<FakeICodecParams>(IID_IMCAudioParams, "aparams");
            c->Add<FakeIMCMuxSettings>(IID_IMCMuxSettings, "mux");
            c->AddFileSink();
            c->Add<FakeIMCVideoSettings>(IID_IMCVideoSettings, "video");
            c->Add<FakeICodecParams>(IID_IMCVideoParams, "vparams");
            Expose(f, c, {IID_IMCAudioSettings, IID_IMCAudioParams, IID_IMCMuxSettings, IID_IFileSinkFilter,
                          IID_IMCVideoSettings, IID_IMCVideoParams});
            f->AddPin(L"Input Video", PINDIR_INPUT);
            f->AddPin(L"Input Audio", PINDIR_INPUT);
            f->AddPin(L"Output", PINDIR_OUTPUT, {StreamType()});
        });
        // The encoder's stream: 224 kbit/s audio, 6 Mbit/s in all.
        encoder->onCall = [this](const SlotCall& call) {
            if (call.Is("audio", 11))
                call.Arg<MCAudioSettings>(0)->word[MCAudioSettings::kBitRateIndexWord] = audioIndex;
            if (call.Is("mux", 12))
                call.Arg<MCMuxSettings>(0)->SetTotalBitRate(6000000.0);
            return S_OK;
        };
        timeShift = Make(CLSID_TimeShiftFilter, [](FakeFilter* f, FakeCodecFilter* c) {
            c->Add<FakeITimeShiftControl>(IID_ITimeShiftControl, "timeshift");
            Expose(f, c, {IID_ITimeShiftControl});
            f->AddPin(L"Input", PINDIR_INPUT);
            f->AddPin(L"Output", PINDIR_OUTPUT, {StreamType()});
        });
        // What the filter was given, kept past the call.
        timeShift->onCall = [this](const SlotCall& call) {
            if (call.Is("timeshift", 8)) {
                bufferFile = call.Arg<const char>(0);
                indexFile = call.Arg<const char>(1);
            }
            if (call.Is("timeshift", 5)) {
                bufferSize = *call.Arg<const LONGLONG>(0);
                reserved = static_cast<DWORD>(call.args[1]);
            }
            return S_OK;
        };
        Make(CLSID_MPEG2Demultiplexer, [this](FakeFilter* f, FakeCodecFilter*) {
            f->AddInterface(IID_IMpeg2Demultiplexer, demux);
            ComPtr<IReferenceClock> clock;
            CoCreateInstance(CLSID_SystemClock, NULL, CLSCTX_INPROC_SERVER, IID_IReferenceClock,
                             clock.ReceiveVoid());
            f->AddInterface(IID_IReferenceClock, clock.Get());
            f->AddPin(L"MPEG-2 Stream", PINDIR_INPUT);
            FakeFilter::AddPinInterface(f->AddPin(L"Video", PINDIR_OUTPUT, {StreamType()}), IID_IMPEG2StreamIdMap,
                                        videoMap);
            FakeFilter::AddPinInterface(f->AddPin(L"Audio", PINDIR_OUTPUT, {StreamType()}), IID_IMPEG2StreamIdMap,
                                        audioMap);
        });
        Make(CLSID_MCVideoDecoder, [](FakeFilter* f, FakeCodecFilter* c) {
            c->Add<FakeICodecParams>(IID_IMCDecoderParams, "dparams");
            c->Add<FakeIMCDecoderOutput>(IID_IMCDecoderOutput, "output");
            Expose(f, c, {IID_IMCDecoderParams, IID_IMCDecoderOutput});
            f->AddPin(L"Video In", PINDIR_INPUT);
            f->AddPin(L"Video Out", PINDIR_OUTPUT, {Yuy2Type()});
        });
        Make(CLSID_MCAudioDecoder, [](FakeFilter* f, FakeCodecFilter*) {
            f->AddPin(L"Audio In", PINDIR_INPUT);
            f->AddPin(L"Audio Out", PINDIR_OUTPUT, {PcmType()});
        });
    }
    ~OutsideFilters()
    {
        servers.clear();
        for (FakeFilter* f : filters)
            f->Release();
        for (FakeCodecFilter* c : codecs)
            c->Release();
        demux->Release();
        videoMap->Release();
        audioMap->Release();
    }
    // The calls of a fake's private interfaces, as "label.slot(args)".
    std::vector<std::string> Calls(FakeCodecFilter* codec, const char* label)
    {
        std::vector<std::string> texts;
        for (const SlotCall& call : codec->calls) {
            if (call.itf == label)
                texts.push_back(call.Text());
        }
        return texts;
    }

    FakeCodecFilter* encoder;
    FakeCodecFilter* timeShift;
    // Ours until the destructor; the fake filter holds its own references.
    FakeDemuxControl* demux = new FakeDemuxControl;
    FakeStreamMap* videoMap = new FakeStreamMap;
    FakeStreamMap* audioMap = new FakeStreamMap;
    LONG audioIndex = 11;
    std::string bufferFile, indexFile;
    LONGLONG bufferSize = 0;
    DWORD reserved = 0;

private:
    template <class F>
    FakeCodecFilter* Make(const CLSID& clsid, F fill)
    {
        FakeFilter* filter = new FakeFilter(clsid, L"fake");
        FakeCodecFilter* codec = new FakeCodecFilter(clsid);
        fill(filter, codec);
        filters.push_back(filter);
        codecs.push_back(codec);
        servers.emplace_back(new TestClassObject(clsid, filter));
        EXPECT_TRUE(servers.back()->Ok());
        return codec;
    }
    static void Expose(FakeFilter* filter, FakeCodecFilter* codec, std::vector<IID> iids)
    {
        for (const IID& iid : iids) {
            ComPtr<IUnknown> itf;
            if (SUCCEEDED(codec->QueryInterface(iid, itf.ReceiveVoid())))
                filter->AddInterface(iid, itf.Get());
        }
    }

    std::vector<FakeFilter*> filters;
    std::vector<FakeCodecFilter*> codecs;
    std::vector<std::unique_ptr<TestClassObject>> servers;
};

class RecordSequence : public ::testing::Test
{
protected:
    RecordSequence() : host(SharedPreviewHost()) {}
    void SetUp() override
    {
        hw = StartPreviewOnCarrier(host.Handle());
        ASSERT_TRUE(hw) << std::hex << GetStartupErrorCode();
    }
    void TearDown() override { hw.reset(); }
    std::string CaptureDownstream() { return ::CaptureDownstream(*hw); }

    PreviewHost& host;
    OutsideFilters fakes;
    std::unique_ptr<CTVHardWare> hw;
};

// Wine's audio capture device has no pins, so neither graph can be
// connected whole here: the steps that set the filters run one by one on
// the filters the creation step made, as RunRecord and RunTFPreview run
// them after a successful build.
TEST_F(RecordSequence, AVcdRecordingSetsTheEncoderAndPausesThroughTheSwitch)
{
    TempFolder folder;
    const std::string path = folder.File("vcd.mpg");
    hw->SetRecordFile(path.c_str());
    ASSERT_TRUE(hw->SetRecordFormat(4));
    hw->GetGraph().DisconnectAll();  // as RunRecord does first
    ASSERT_TRUE(hw->CreateFilterMPEG());
    ASSERT_TRUE(hw->PreSetFilterPropVCD());
    // VCD captures 704 x 576 and halves it in the deinterlace filter.
    VideoFormat format;
    ASSERT_EQ(S_OK, hw->GetCardFilter()->GetVideoFormat(&format, 1));
    EXPECT_EQ(704, format.bmiHeader.biWidth);
    EXPECT_EQ(576, format.bmiHeader.biHeight);

    // The VCD preset, then options 97 and 96 and configuration value 10,
    // in that order; a refusal fails the step.
    ASSERT_TRUE(hw->SetFilterPropVCD());
    const std::vector<std::string> params = fakes.Calls(fakes.encoder, "vparams");
    ASSERT_GE(params.size(), 2u);
    EXPECT_EQ("vparams.4(97,1)", params[params.size() - 2]);
    EXPECT_EQ("vparams.4(96,0)", params.back());
    EXPECT_EQ("audio.10(0)", fakes.Calls(fakes.encoder, "audio").back());
    fakes.encoder->Fail("vparams", 4);
    EXPECT_FALSE(hw->SetFilterPropVCD());
    // MPEG-2 counts only the encoder's presence.
    EXPECT_TRUE(hw->SetFilterPropMPG2());

    // Pause and go on through the stream switch: its answer is the result.
    BOOL paused = FALSE;
    EXPECT_TRUE(hw->PauseRecord(TRUE));
    EXPECT_TRUE(hw->IsRecordPaused(&paused));
    EXPECT_TRUE(paused);
    EXPECT_TRUE(hw->PauseRecord(FALSE));
    EXPECT_TRUE(hw->IsRecordPaused(&paused));
    EXPECT_FALSE(paused);

    // Stopping forgets the switch with the graph.
    EXPECT_TRUE(hw->StopRecord());
    EXPECT_FALSE(hw->PauseRecord(TRUE));
    EXPECT_FALSE(hw->IsRecordPaused(&paused));
    EXPECT_STREQ("Corvane Deinterlace", CaptureDownstream().c_str());
}

TEST_F(RecordSequence, TimeShiftSizesItsBufferAndDeletesItWhenItStops)
{
    TempFolder folder;
    const std::string buffer = folder.File("20261211-010203.mpg");
    const std::string index = folder.File("20261211-010203.idx");
    ASSERT_TRUE(hw->SetTFFile(buffer.c_str()));
    ASSERT_TRUE(hw->SetTFReserved(3));
    hw->GetGraph().DisconnectAll();  // as RunTFPreview does first
    ASSERT_TRUE(hw->CreateTFFilter());
    ASSERT_TRUE(hw->PreSetFilterTF());
    EXPECT_EQ(L"Video", fakes.demux->created.at(0));
    EXPECT_EQ(L"Audio", fakes.demux->created.at(1));
    ASSERT_TRUE(hw->SetFilterTF());

    // The buffer and its index beside it; (224 x 125 + 6,000,000 / 8)
    // bytes a second for ten minutes, the reserved value as it stands.
    EXPECT_EQ(buffer, fakes.bufferFile);
    EXPECT_EQ(index, fakes.indexFile);
    EXPECT_EQ(466800000LL, fakes.bufferSize);
    EXPECT_EQ(3u, fakes.reserved);
    EXPECT_EQ(std::vector<ULONG>{0xE0}, fakes.videoMap->mapped);
    EXPECT_EQ(std::vector<ULONG>{0xC0}, fakes.audioMap->mapped);

    // Pause and seek only while time shift runs.
    EXPECT_FALSE(hw->PauseTF());
    hw->SetTFRunning(TRUE);
    EXPECT_TRUE(hw->PauseTF());
    EXPECT_TRUE(hw->IsTFPaused());
    EXPECT_TRUE(hw->SeekTF(42));
    EXPECT_EQ("timeshift.3(42)", fakes.Calls(fakes.timeShift, "timeshift").back());
    fakes.timeShift->Fail("timeshift", 7);
    EXPECT_FALSE(hw->PauseTF());
    EXPECT_TRUE(hw->IsTFPaused());

    // The filter has written its buffer and index; stopping deletes both.
    std::ofstream(buffer) << "buffer";
    std::ofstream(index) << "index";
    EXPECT_TRUE(hw->StopRecord());
    EXPECT_FALSE(hw->IsTFRunning());
    EXPECT_FALSE(hw->IsTFPaused());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(buffer.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(index.c_str()));
    EXPECT_STREQ("Corvane Deinterlace", CaptureDownstream().c_str());
    EXPECT_EQ(1, hw->GetGraph().GetState());
}

TEST_F(RecordSequence, AnAudioRateOutsideTheTableGivesNoBuffer)
{
    TempFolder folder;
    const std::string buffer = folder.File("tf.mpg");
    ASSERT_TRUE(hw->SetTFFile(buffer.c_str()));
    hw->GetGraph().DisconnectAll();
    ASSERT_TRUE(hw->CreateTFFilter());
    ASSERT_TRUE(hw->PreSetFilterTF());
    for (LONG index : {0L, 15L, 11L}) {
        SCOPED_TRACE(index);
        fakes.audioIndex = index;
        fakes.bufferSize = 0;
        EXPECT_EQ(index == 11, hw->SetFilterTF());
        // No size reaches the filter for an index outside the table.
        EXPECT_EQ(index == 11 ? 466800000LL : 0LL, fakes.bufferSize);
    }
}

} // namespace
