// CVideoEncFilter and its registered compressors over a fake compressor
// served in-process, built from the filter kit: an output pin with
// IAMStreamConfig connected to a sink through the graph, and the optional
// compressor dialogs. The frame rate, the dialogs and state, and the records.
#include "graph/wrappers/VideoEncFilter.h"

#include <amvideo.h>
#include <string.h>
#include <uuids.h>

#include <memory>
#include <string>
#include <vector>

#include "graph/Guids.h"
#include "platform/dshow/InputPin.h"
#include "platform/dshow/OutputPin.h"
#include "tests/graph/wrappers/CodecWrapperTest.h"

namespace {

// Class ids of the fakes, this test's own.
const CLSID kCompressorClsid = {0x6a1d20e1, 0x3c4f, 0x4e1b, {0x9a, 0x61, 0x2e, 0x57, 0x0c, 0x11, 0x7d, 0x01}};
const CLSID kSinkClsid = {0x6a1d20e1, 0x3c4f, 0x4e1b, {0x9a, 0x61, 0x2e, 0x57, 0x0c, 0x11, 0x7d, 0x02}};

CMediaType VideoType(const GUID& formatType, REFERENCE_TIME frameTime)
{
    CMediaType mt(MEDIATYPE_Video);
    mt.SetSubtype(&MEDIASUBTYPE_RGB24);
    mt.SetFormatType(&formatType);
    VIDEOINFOHEADER vih = {};
    vih.AvgTimePerFrame = frameTime;
    vih.bmiHeader.biSize = sizeof(vih.bmiHeader);
    vih.bmiHeader.biWidth = 16;
    vih.bmiHeader.biHeight = 16;
    vih.bmiHeader.biPlanes = 1;
    vih.bmiHeader.biBitCount = 24;
    mt.SetFormat(reinterpret_cast<const BYTE*>(&vih), sizeof(vih));
    return mt;
}

class FakeCompressor;

class CompressorOutput : public dshow::CBaseOutputPin, public IAMStreamConfig
{
public:
    explicit CompressorOutput(dshow::CBaseFilter* filter) : CBaseOutputPin(filter, L"Output") {}

    DSHOW_PIN_IUNKNOWN

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override
    {
        return mt->majortype == MEDIATYPE_Video ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int index, CMediaType* mt) override
    {
        if (index > 0)
            return VFW_S_NO_MORE_ITEMS;
        *mt = format;
        return S_OK;
    }

    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* mt) override
    {
        setFormats.push_back(CMediaType(*mt));
        return setResult;
    }
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** mt) override
    {
        getFormatCalls++;
        *mt = CreateMediaType(&format);
        return *mt ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP GetNumberOfCapabilities(int*, int*) override { return E_NOTIMPL; }
    STDMETHODIMP GetStreamCaps(int, AM_MEDIA_TYPE**, BYTE*) override { return E_NOTIMPL; }

    CMediaType format = VideoType(FORMAT_VideoInfo, 400000);
    std::vector<CMediaType> setFormats;
    HRESULT setResult = S_OK;
    int getFormatCalls = 0;

protected:
    HRESULT QueryPinInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IAMStreamConfig) {
            *out = static_cast<IAMStreamConfig*>(this);
            AddRef();
            return S_OK;
        }
        return CBaseOutputPin::QueryPinInterface(iid, out);
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES*) override
    {
        ALLOCATOR_PROPERTIES want = {1, 16 * 16 * 3, 1, 0}, got;
        return allocator->SetProperties(&want, &got);
    }
};

class FakeCompressor : public dshow::CBaseFilter, public IAMVfwCompressDialogs
{
public:
    explicit FakeCompressor(bool dialogs)
        : CBaseFilter(kCompressorClsid, L"Fake compressor"), m_dialogs(dialogs), m_output(this) {}

    DSHOW_FILTER_IUNKNOWN

    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int) override { return &m_output; }
    CompressorOutput& Output() { return m_output; }

    STDMETHODIMP ShowDialog(int dialog, HWND parent) override
    {
        shown.push_back(dialog);
        shownParent = parent;
        return dialog == VfwCompressDialog_About ? E_FAIL : S_OK;
    }
    STDMETHODIMP GetState(void* state, int* size) override
    {
        if (!state) {
            *size = sizeof(m_state);
            return S_OK;
        }
        if (*size < static_cast<int>(sizeof(m_state)))
            return E_INVALIDARG;
        memcpy(state, &m_state, sizeof(m_state));
        return S_OK;
    }
    STDMETHODIMP SetState(void* state, int size) override
    {
        if (size != sizeof(m_state))
            return S_FALSE;
        memcpy(&m_state, state, sizeof(m_state));
        return S_OK;
    }
    STDMETHODIMP SendDriverMessage(int, LONG, LONG) override { return E_NOTIMPL; }

    std::vector<int> shown;
    HWND shownParent = NULL;

protected:
    HRESULT QueryFilterInterface(REFIID iid, void** out) override
    {
        if (m_dialogs && iid == IID_IAMVfwCompressDialogs) {
            *out = static_cast<IAMVfwCompressDialogs*>(this);
            AddRef();
            return S_OK;
        }
        return CBaseFilter::QueryFilterInterface(iid, out);
    }

private:
    bool m_dialogs;
    DWORD m_state = 0x5EED;
    CompressorOutput m_output;
};

class SinkInput : public dshow::CBaseInputPin
{
public:
    explicit SinkInput(dshow::CBaseFilter* filter) : CBaseInputPin(filter, L"In") {}
    HRESULT CheckMediaType(const AM_MEDIA_TYPE*) override { return S_OK; }

protected:
    HRESULT OnReceive(IMediaSample*) override { return S_OK; }
};

class FakeSink : public dshow::CBaseFilter
{
public:
    FakeSink() : CBaseFilter(kSinkClsid, L"Fake sink"), m_input(this) {}
    int GetPinCount() override { return 1; }
    dshow::CBasePin* GetPin(int) override { return &m_input; }

private:
    SinkInput m_input;
};

class VideoEncTest : public CodecWrapperTest
{
protected:
    // The compressor wrapped, in the graph; its output connected to a sink
    // through the graph when connect is set.
    CVideoEncFilter* MakeCompressor(bool dialogs, bool connect)
    {
        m_compressor.Attach(new FakeCompressor(dialogs));
        m_compressorServer.reset(new FakeCodecServer(kCompressorClsid, m_compressor.Get()));
        CVideoEncFilter* wrapper = new CMSMpeg4V2Filter(&m_graph, &kCompressorClsid);
        if (!m_graph.AddFilter(wrapper)) {
            delete wrapper;
            return NULL;
        }
        wrapper->SetName("compressor");
        if (connect) {
            m_sink.Attach(new FakeSink);
            FakeCodecServer sinkServer(kSinkClsid, m_sink.Get());
            CRootFilter* sink = m_graph.AddFilterByCLSID(&kSinkClsid, "sink");
            EXPECT_TRUE(sink && m_graph.ConnectPins(wrapper->FindPin(PINDIR_OUTPUT, TRUE),
                                                    sink->FindPin(PINDIR_INPUT, TRUE)));
        }
        return wrapper;
    }

    ComPtr<FakeCompressor> m_compressor;
    ComPtr<FakeSink> m_sink;
    std::unique_ptr<FakeCodecServer> m_compressorServer;
};

REFERENCE_TIME FrameTimeOf(const CMediaType& mt)
{
    return reinterpret_cast<const VIDEOINFOHEADER*>(mt.Format())->AvgTimePerFrame;
}

TEST_F(VideoEncTest, FrameRateGoesToTheConnectedOutput)
{
    CVideoEncFilter* encoder = MakeCompressor(true, true);
    ASSERT_TRUE(encoder);
    CompressorOutput& output = m_compressor->Output();
    const struct
    {
        int fps;
        REFERENCE_TIME frameTime;  // 100 ns
    } rates[] = {{25, 400000}, {30, 333333}, {1, 10000000}, {15, 666666}};
    for (const auto& r : rates) {
        output.setFormats.clear();
        EXPECT_TRUE(encoder->SetFrameRate(r.fps)) << r.fps;
        ASSERT_EQ(1u, output.setFormats.size());
        EXPECT_EQ(r.frameTime, FrameTimeOf(output.setFormats[0]));
    }

    output.setFormats.clear();
    output.getFormatCalls = 0;
    for (int fps : {0, 31, -25})
        EXPECT_FALSE(encoder->SetFrameRate(fps)) << fps;
    EXPECT_EQ(0, output.getFormatCalls);

    // Only S_OK from SetFormat counts.
    output.setResult = S_FALSE;
    EXPECT_FALSE(encoder->SetFrameRate(25));

    // A format that is not a VIDEOINFOHEADER one is left alone.
    output.setResult = S_OK;
    output.setFormats.clear();
    output.format = VideoType(FORMAT_VideoInfo2, 400000);
    EXPECT_FALSE(encoder->SetFrameRate(25));
    EXPECT_TRUE(output.setFormats.empty());
}

TEST_F(VideoEncTest, FrameRateNeedsAConnectedOutput)
{
    CVideoEncFilter* encoder = MakeCompressor(true, false);
    ASSERT_TRUE(encoder);
    EXPECT_FALSE(encoder->SetFrameRate(25));
    EXPECT_EQ(0, m_compressor->Output().getFormatCalls);
}

TEST_F(VideoEncTest, DialogsAndState)
{
    CVideoEncFilter* encoder = MakeCompressor(true, false);
    ASSERT_TRUE(encoder);
    HWND parent = GetDesktopWindow();
    EXPECT_TRUE(encoder->ShowDialog(VfwCompressDialog_Config, parent));
    EXPECT_FALSE(encoder->ShowDialog(VfwCompressDialog_About, parent));
    EXPECT_EQ((std::vector<int>{VfwCompressDialog_Config, VfwCompressDialog_About}), m_compressor->shown);
    EXPECT_EQ(parent, m_compressor->shownParent);

    int size = 0;
    ASSERT_TRUE(encoder->GetState(NULL, &size));
    EXPECT_EQ(4, size);
    DWORD state = 0;
    ASSERT_TRUE(encoder->GetState(&state, &size));
    EXPECT_EQ(0x5EEDu, state);
    EXPECT_FALSE(encoder->GetState(&state, NULL));
    state = 0xBEEF;
    EXPECT_TRUE(encoder->SetState(&state, sizeof(state)));
    EXPECT_FALSE(encoder->SetState(&state, 2));  // S_FALSE is not success
    state = 0;
    ASSERT_TRUE(encoder->GetState(&state, &size));
    EXPECT_EQ(0xBEEFu, state);
}

TEST_F(VideoEncTest, CompressorWithoutDialogsIsStillAdded)
{
    CVideoEncFilter* encoder = MakeCompressor(false, false);
    ASSERT_TRUE(encoder);
    int size = 4;
    DWORD state = 0;
    EXPECT_FALSE(encoder->ShowDialog(VfwCompressDialog_Config, NULL));
    EXPECT_FALSE(encoder->GetState(&state, &size));
    EXPECT_FALSE(encoder->SetState(&state, size));
}

TEST_F(VideoEncTest, CompressorsAreFoundByTheirNamesInTheCategory)
{
    const struct
    {
        const char* name;
        std::function<bool(CRootFilter*)> isClass;
    } records[] = {
        {"Microsoft MPEG-4  VKI  Codec V1", [](CRootFilter* f) { return dynamic_cast<CMSMpeg4V1Filter*>(f) != NULL; }},
        {"Microsoft MPEG-4  VKI  Codec V2", [](CRootFilter* f) { return dynamic_cast<CMSMpeg4V2Filter*>(f) != NULL; }},
        {"Microsoft MPEG-4  VKI  Codec V3", [](CRootFilter* f) { return dynamic_cast<CMSMpeg4V3Filter*>(f) != NULL; }},
    };
    for (const auto& r : records) {
        FilterCreatorRecord* record =
            FilterCreatorRecord::FindByName(&CLSID_VideoCompressorCategory, r.name);
        ASSERT_TRUE(record) << r.name;
        std::unique_ptr<CRootFilter> made(record->creator(&m_graph, TRUE, *record, NULL));
        EXPECT_TRUE(r.isClass(made.get())) << r.name;
        // No such compressor here: the wrapper is made, but holds nothing.
        EXPECT_FALSE(made->IsValid());
    }
    EXPECT_EQ(nullptr,
              FilterCreatorRecord::FindByName(&CLSID_VideoCompressorCategory, "Microsoft MPEG-4 VKI Codec V2"));
}

} // namespace
