// The registered virtual card in a real filter graph: found under the
// driver's names, answering the common property set through the program's
// own access class, streaming its picture at the standard's rate, and
// showing tuning, proc amp and crossbar routing in the pixels.
#include "DeviceBinding.h"
#include "FrameGrabber.h"
#include "PictureReader.h"

#include "graph/MediaTypePtr.h"
#include "hw/access/TV_IOAccess.h"
#include "platform/dshow/ComPtr.h"
#include "platform/dshow/VideoFormat.h"
#include "platform/virtualcard/PictureGenerator.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <control.h>
#include <gtest/gtest.h>
#include <uuids.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

using dshow::ComPtr;

namespace {

const double kCarrierKHz = 175250;   // E5, in the card's default list
const double kEmptyKHz = 180000;     // between E5 and E6: nothing there

ComPtr<IPin> FindPin(IBaseFilter* filter, const wchar_t* name)
{
    ComPtr<IPin> pin;
    filter->FindPin(name, pin.Receive());
    return pin;
}

// Programs the card's PLL as a tuner driver would: divider from the
// frequency plus the 38.9 MHz IF in 62.5 kHz steps, control byte, band.
HRESULT Tune(CTV_IOAccess& access, double kHz)
{
    long divider = std::lround((kHz + 38900) / 62.5);
    BYTE band = kHz < 160000 ? 0x01 : kHz < 450000 ? 0x02 : 0x04;
    BYTE message[5] = {0xC0, static_cast<BYTE>((divider >> 8) & 0x7F), static_cast<BYTE>(divider & 0xFF),
                       0x8E, band};
    return access.WriteI2CBlock(message, 5);
}

std::string TunedText(double kHz, const char* lock)
{
    long divider = std::lround((kHz + 38900) / 62.5);
    char text[64];
    snprintf(text, sizeof(text), "TUNER %.3f MHZ %s", (divider * 62.5 - 38900) / 1000.0, lock);
    return text;
}

class VirtualCard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, BindDevice(CLSID_VideoInputDeviceCategory, virtualcard::kCaptureName,
                                   capture.Receive()))
            << "the virtual card is not registered in this Wine prefix (the test command does it)";
        ASSERT_EQ(S_OK, BindDevice(virtualcard::kCategoryCrossbar, virtualcard::kCrossbarName,
                                   crossbar.Receive()));
        ASSERT_EQ(S_OK, xbar.QueryFrom(crossbar.Get(), IID_IAMCrossbar));
        ASSERT_EQ(S_OK, procAmp.QueryFrom(capture.Get(), IID_IAMVideoProcAmp));
        ASSERT_EQ(S_OK, decoder.QueryFrom(capture.Get(), IID_IAMAnalogVideoDecoder));
        ASSERT_EQ(S_OK, access.Attach(capture.Get(), 0));
        // The card is shared by every filter of the process: start each test
        // from the same state.
        ASSERT_EQ(S_OK, xbar->Route(0, 0));
        ASSERT_EQ(S_OK, procAmp->Set(VideoProcAmp_Brightness, 128, VideoProcAmp_Flags_Manual));
        ASSERT_EQ(S_OK, procAmp->Set(VideoProcAmp_Sharpness, 0, VideoProcAmp_Flags_Manual));
        ASSERT_EQ(S_OK, decoder->put_TVFormat(AnalogVideo_PAL_B));
    }
    void TearDown() override
    {
        if (control)
            control->Stop();
        control.Reset();
        graph.Reset();
        if (grabber) {
            EXPECT_EQ(0u, grabber->Release());
        }
    }

    // capture's Preview pin -> grabber, in a new graph.
    void MakeGrabberGraph(const wchar_t* pinName = L"Preview", const AM_MEDIA_TYPE* type = NULL)
    {
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER,
                                         IID_IGraphBuilder, graph.ReceiveVoid()));
        ASSERT_EQ(S_OK, graph->AddFilter(capture.Get(), L"Capture"));
        ASSERT_EQ(S_OK, graph->AddFilter(crossbar.Get(), L"Crossbar"));
        grabber = new FrameGrabber();
        ASSERT_EQ(S_OK, graph->AddFilter(grabber, L"Grabber"));
        ASSERT_EQ(S_OK, graph->ConnectDirect(FindPin(capture.Get(), pinName).Get(),
                                             grabber->GetPin(0), type));
        ASSERT_EQ(S_OK, control.QueryFrom(graph.Get(), IID_IMediaControl));
    }
    // Runs until `frames` more frames have come, and returns the last.
    Frame RunFor(LONG frames)
    {
        EXPECT_TRUE(SUCCEEDED(control->Run()));
        EXPECT_TRUE(grabber->WaitForMore(frames, 10000));
        return grabber->Latest();
    }
    // A frame made after the last change: the one in flight may predate it.
    Frame NextFrames()
    {
        EXPECT_TRUE(grabber->WaitForMore(3, 10000));
        return grabber->Latest();
    }

    ComPtr<IBaseFilter> capture;
    ComPtr<IBaseFilter> crossbar;
    ComPtr<IAMCrossbar> xbar;
    ComPtr<IAMVideoProcAmp> procAmp;
    ComPtr<IAMAnalogVideoDecoder> decoder;
    CTV_IOAccess access;
    ComPtr<IGraphBuilder> graph;
    ComPtr<IMediaControl> control;
    FrameGrabber* grabber = nullptr;
};

TEST_F(VirtualCard, RegisteredUnderTheDriversNames)
{
    CLSID clsid;
    ASSERT_EQ(S_OK, ComPtr<IPersist>(capture.Get())->GetClassID(&clsid));
    EXPECT_EQ(virtualcard::CLSID_VirtualCardCapture, clsid);
    ASSERT_EQ(S_OK, ComPtr<IPersist>(crossbar.Get())->GetClassID(&clsid));
    EXPECT_EQ(virtualcard::CLSID_VirtualCardCrossbar, clsid);
    // Each name lives in its own category only.
    ComPtr<IBaseFilter> other;
    EXPECT_EQ(VFW_E_NOT_FOUND, BindDevice(CLSID_VideoInputDeviceCategory, virtualcard::kCrossbarName,
                                          other.Receive()));
}

TEST_F(VirtualCard, CaptureFilterInterfacesPinsAndFormats)
{
    struct Case { const IID* iid; HRESULT expected; } cases[] = {
        {&IID_IKsPropertySet, S_OK},  {&IID_IAMAnalogVideoDecoder, S_OK},
        {&IID_IAMVideoProcAmp, S_OK}, {&IID_IAMFilterMiscFlags, S_OK},
        {&IID_IAMCrossbar, E_NOINTERFACE}, {&IID_IAMStreamConfig, E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        ComPtr<IUnknown> out;
        EXPECT_EQ(c.expected, capture->QueryInterface(*c.iid, out.ReceiveVoid()));
    }

    // The pins by name and category, as the card filters look them up.
    ComPtr<ICaptureGraphBuilder2> builder;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_CaptureGraphBuilder2, NULL, CLSCTX_INPROC_SERVER,
                                     IID_ICaptureGraphBuilder2, builder.ReceiveVoid()));
    const struct { const GUID* category; const wchar_t* name; } pins[] = {
        {&PIN_CATEGORY_CAPTURE, L"Capture"}, {&PIN_CATEGORY_PREVIEW, L"Preview"}};
    for (const auto& p : pins) {
        ComPtr<IPin> pin;
        ASSERT_EQ(S_OK, builder->FindPin(capture.Get(), PINDIR_OUTPUT, p.category, &MEDIATYPE_Video,
                                         FALSE, 0, pin.Receive()));
        EXPECT_EQ(FindPin(capture.Get(), p.name).Get(), pin.Get());
        ComPtr<IAMStreamConfig> config;
        ASSERT_EQ(S_OK, builder->FindInterface(p.category, &MEDIATYPE_Video, capture.Get(),
                                               IID_IAMStreamConfig, config.ReceiveVoid()));
        int count = 0, size = 0;
        ASSERT_EQ(S_OK, config->GetNumberOfCapabilities(&count, &size));
        EXPECT_EQ(3, count);
        EXPECT_EQ(static_cast<int>(sizeof(VIDEO_STREAM_CONFIG_CAPS)), size);
        VIDEO_STREAM_CONFIG_CAPS caps;
        CMediaTypePtr mt;
        ASSERT_EQ(S_OK, config->GetStreamCaps(0, &mt, reinterpret_cast<BYTE*>(&caps)));
        EXPECT_EQ(MEDIASUBTYPE_YUY2, mt->subtype);
        EXPECT_EQ(160, caps.MinOutputSize.cx);
        EXPECT_EQ(120, caps.MinOutputSize.cy);
        EXPECT_EQ(720, caps.MaxOutputSize.cx);
        EXPECT_EQ(576, caps.MaxOutputSize.cy);
        EXPECT_EQ(S_FALSE, config->GetStreamCaps(3, &mt, reinterpret_cast<BYTE*>(&caps)));
    }
    // Settable while unconnected: the pin then offers only that format.
    ComPtr<IAMStreamConfig> config;
    ASSERT_EQ(S_OK, config.QueryFrom(FindPin(capture.Get(), L"Capture").Get(), IID_IAMStreamConfig));
    CMediaType small;
    ASSERT_EQ(S_OK, dshow::MakeVideoInfoType({&MEDIASUBTYPE_RGB32, 32, BI_RGB}, 160, 120, 0, &small));
    EXPECT_EQ(S_OK, config->SetFormat(&small));
    CMediaTypePtr current;
    ASSERT_EQ(S_OK, config->GetFormat(&current));
    EXPECT_EQ(MEDIASUBTYPE_RGB32, current->subtype);
    EXPECT_EQ(160, reinterpret_cast<VIDEOINFOHEADER*>(current->pbFormat)->bmiHeader.biWidth);
    ComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(S_OK, FindPin(capture.Get(), L"Capture")->EnumMediaTypes(types.Receive()));
    AM_MEDIA_TYPE* offered[2] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, types->Next(2, offered, &fetched));
    ASSERT_EQ(1u, fetched);
    CMediaTypePtr only(offered[0]);
    EXPECT_EQ(MEDIASUBTYPE_RGB32, only->subtype);
    CMediaType odd;
    ASSERT_EQ(S_OK, dshow::MakeVideoInfoType({&MEDIASUBTYPE_YUY2, 16, MAKEFOURCC('Y', 'U', 'Y', '2')}, 161,
                                             120, 0, &odd));
    EXPECT_EQ(VFW_E_INVALIDMEDIATYPE, config->SetFormat(&odd));

    ComPtr<IPin> input = FindPin(capture.Get(), L"Analog Video In");
    ASSERT_TRUE(input);
    PIN_DIRECTION direction;
    input->QueryDirection(&direction);
    EXPECT_EQ(PINDIR_INPUT, direction);
}

TEST_F(VirtualCard, ProcAmpAndDecoderControls)
{
    struct Range { long property; long min, max, step, def; } ranges[] = {
        {VideoProcAmp_Brightness, 0, 255, 1, 128}, {VideoProcAmp_Contrast, 0, 127, 1, 64},
        {VideoProcAmp_Hue, -128, 127, 1, 0},       {VideoProcAmp_Saturation, 0, 127, 1, 64},
        {VideoProcAmp_Sharpness, 0, 15, 1, 0},
    };
    for (const Range& r : ranges) {
        long min, max, step, def, flags;
        ASSERT_EQ(S_OK, procAmp->GetRange(r.property, &min, &max, &step, &def, &flags)) << r.property;
        EXPECT_EQ(r.min, min);
        EXPECT_EQ(r.max, max);
        EXPECT_EQ(r.step, step);
        EXPECT_EQ(r.def, def);
        EXPECT_EQ(VideoProcAmp_Flags_Manual, flags);
        EXPECT_EQ(E_INVALIDARG, procAmp->Set(r.property, r.max + 1, VideoProcAmp_Flags_Manual));
        EXPECT_EQ(E_INVALIDARG, procAmp->Set(r.property, r.def, VideoProcAmp_Flags_Auto));
        long value = 0;
        ASSERT_EQ(S_OK, procAmp->Get(r.property, &value, &flags));
        EXPECT_EQ(r.def, value) << r.property;
    }
    long min, max, step, def, flags;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_NOT_FOUND),
              procAmp->GetRange(VideoProcAmp_Gamma, &min, &max, &step, &def, &flags));

    long standards = 0;
    ASSERT_EQ(S_OK, decoder->get_AvailableTVFormats(&standards));
    EXPECT_TRUE(standards & AnalogVideo_PAL_B);
    EXPECT_TRUE(standards & AnalogVideo_NTSC_M);
    EXPECT_TRUE(standards & AnalogVideo_SECAM_L);
    EXPECT_EQ(E_INVALIDARG, decoder->put_TVFormat(AnalogVideo_PAL_B | AnalogVideo_PAL_G));
    EXPECT_EQ(E_INVALIDARG, decoder->put_TVFormat(0));
    long lines = 0, format = 0;
    ASSERT_EQ(S_OK, decoder->put_TVFormat(AnalogVideo_NTSC_M));
    EXPECT_EQ(S_OK, decoder->get_TVFormat(&format));
    EXPECT_EQ(AnalogVideo_NTSC_M, format);
    EXPECT_EQ(S_OK, decoder->get_NumberOfLines(&lines));
    EXPECT_EQ(525, lines);
    ASSERT_EQ(S_OK, decoder->put_TVFormat(AnalogVideo_SECAM_D));
    EXPECT_EQ(S_OK, decoder->get_NumberOfLines(&lines));
    EXPECT_EQ(625, lines);
}

TEST_F(VirtualCard, CommonPropertySetThroughTheProgramsAccessClass)
{
    ComPtr<IKsPropertySet> props;
    ASSERT_EQ(S_OK, props.QueryFrom(capture.Get(), IID_IKsPropertySet));
    // The card filter's probes: not a Bt878 card, a common-set card.
    const GUID bt878 = {0xC44A1A10, 0x0A37, 0x11D2, {0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB}};
    DWORD support = 0;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_SET_NOT_FOUND), props->QuerySupported(bt878, 4, &support));
    EXPECT_EQ(S_OK, props->QuerySupported(KSPROPSETID_CommonCard, COMMONCARD_BOARD_ID, &support));
    EXPECT_EQ(static_cast<DWORD>(KSPROPERTY_SUPPORT_GET), support);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_NOT_FOUND), props->QuerySupported(KSPROPSETID_CommonCard, 11, &support));

    EXPECT_EQ(S_OK, access.SetProperty1(1));
    BYTE brand = 0, type = 0, dummy = 0;
    ASSERT_EQ(S_OK, access.ReadI2CByte(0xA0, 0x20, &brand));
    ASSERT_EQ(S_OK, access.ReadI2CByte(0xA0, 0x21, &type));
    EXPECT_EQ('T', brand);
    EXPECT_EQ(4, type);
    EXPECT_EQ(E_FAIL, access.ReadI2CByte(0xB0, 0, &dummy));   // nobody at 0xB0

    // Wrong requests are refused by the driver side, whatever the client does.
    CommonCardWords words = {};
    DWORD returned = 0;
    EXPECT_EQ(E_INVALIDARG, props->Get(KSPROPSETID_CommonCard, COMMONCARD_REGISTER,
                                       reinterpret_cast<BYTE*>(&words) + 24, 16, &words, 40, &returned));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_NOT_FOUND),
              props->Get(KSPROPSETID_CommonCard, COMMONCARD_CONTROL1, reinterpret_cast<BYTE*>(&words) + 24, 24,
                         &words, sizeof(words), &returned));
    DWORD value = 0;
    EXPECT_EQ(E_INVALIDARG, access.ReadRegister(0x10000, &value));

    // Lock follows the tuner: the decoder status register and the decoder's
    // horizontal lock agree.
    const struct { double kHz; DWORD present; } tunings[] = {{kCarrierKHz, 1}, {kEmptyKHz, 0}, {471250, 1}};
    for (const auto& t : tunings) {
        ASSERT_EQ(S_OK, Tune(access, t.kHz));
        DWORD present = 99;
        EXPECT_EQ(S_OK, access.GetSignalPresent(&present));
        EXPECT_EQ(t.present, present) << t.kHz;
        long locked = 99;
        EXPECT_EQ(S_OK, decoder->get_HorizontalLocked(&locked));
        EXPECT_EQ(static_cast<long>(t.present), locked) << t.kHz;
    }
}

TEST_F(VirtualCard, PreviewRunsThroughTheVideoRenderer)
{
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                     graph.ReceiveVoid()));
    ComPtr<ICaptureGraphBuilder2> builder;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_CaptureGraphBuilder2, NULL, CLSCTX_INPROC_SERVER,
                                     IID_ICaptureGraphBuilder2, builder.ReceiveVoid()));
    ASSERT_EQ(S_OK, builder->SetFiltergraph(graph.Get()));
    ASSERT_EQ(S_OK, graph->AddFilter(capture.Get(), L"Capture"));
    ComPtr<IBaseFilter> renderer;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_VideoRenderer, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     renderer.ReceiveVoid()));
    ASSERT_EQ(S_OK, graph->AddFilter(renderer.Get(), L"Renderer"));
    ASSERT_TRUE(SUCCEEDED(builder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, capture.Get(),
                                                NULL, renderer.Get())));
    ASSERT_EQ(S_OK, control.QueryFrom(graph.Get(), IID_IMediaControl));
    ComPtr<IAMDroppedFrames> counts;
    ASSERT_EQ(S_OK, builder->FindInterface(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, capture.Get(),
                                           IID_IAMDroppedFrames, counts.ReceiveVoid()));
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    long delivered = 0;
    for (DWORD start = GetTickCount(); delivered < 10 && GetTickCount() - start < 10000;) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
        counts->GetNumNotDropped(&delivered);
    }
    EXPECT_GE(delivered, 10);
    EXPECT_EQ(S_OK, control->Stop());
}

TEST_F(VirtualCard, FramesArriveAtTheStandardsRate)
{
    MakeGrabberGraph();
    const struct { long standard; REFERENCE_TIME interval; } standards[] = {
        {AnalogVideo_PAL_B, 400000}, {AnalogVideo_NTSC_M, 333667}};
    for (const auto& s : standards) {
        ASSERT_EQ(S_OK, decoder->put_TVFormat(s.standard));
        grabber->Clear();
        DWORD start = GetTickCount();
        RunFor(20);
        DWORD elapsed = GetTickCount() - start;
        ASSERT_EQ(S_OK, control->Stop());
        // Frames never come faster than the standard's rate...
        EXPECT_GE(elapsed + 20, static_cast<DWORD>(18 * s.interval / 10000)) << s.standard;
        // ...and their stamps lie on its grid, one interval apart unless one
        // was skipped.
        std::vector<REFERENCE_TIME> times = grabber->Times();
        ASSERT_GE(times.size(), 20u);
        size_t regular = 0;
        for (size_t i = 1; i < times.size(); ++i) {
            REFERENCE_TIME step = times[i] - times[i - 1];
            EXPECT_EQ(0, step % s.interval) << s.standard << " frame " << i;
            regular += step == s.interval;
        }
        EXPECT_GE(regular * 10, (times.size() - 1) * 8) << s.standard;
    }
    // The standard may also change while frames flow: the rate follows.
    RunFor(2);
    ASSERT_EQ(S_OK, decoder->put_TVFormat(AnalogVideo_PAL_B));
    grabber->WaitForMore(2, 10000);
    grabber->Clear();
    grabber->WaitForMore(4, 10000);
    std::vector<REFERENCE_TIME> times = grabber->Times();
    ASSERT_GE(times.size(), 4u);
    EXPECT_EQ(0, (times.back() - times[times.size() - 2]) % 400000);
    ASSERT_EQ(S_OK, control->Stop());

    Frame frame = grabber->Latest();
    EXPECT_EQ(MEDIASUBTYPE_YUY2, frame.subtype);
    EXPECT_EQ(720, frame.bmi.biWidth);
    EXPECT_EQ(576, frame.bmi.biHeight);
}

TEST_F(VirtualCard, TuningTurnsSnowIntoTheTestPicture)
{
    MakeGrabberGraph();
    ASSERT_EQ(S_OK, Tune(access, kEmptyKHz));
    Frame snow = RunFor(3);
    EXPECT_GT(Roughness(snow, FirstBarArea(snow)), 20.0);
    EXPECT_EQ(TunedText(kEmptyKHz, "NO SIGNAL"), ReadLine(snow, 0));
    EXPECT_EQ("PAL-B 25 FPS", ReadLine(snow, 1));

    ASSERT_EQ(S_OK, Tune(access, kCarrierKHz));
    Frame picture = NextFrames();
    EXPECT_LT(Roughness(picture, FirstBarArea(picture)), 1.0);
    EXPECT_NEAR(180.0, MeanLuma(picture, FirstBarArea(picture)), 1.0);   // the white bar
    EXPECT_EQ(TunedText(kCarrierKHz, "LOCKED"), ReadLine(picture, 0));

    // The moving box: two frames apart, the text band differs.
    Frame later = NextFrames();
    EXPECT_NE(picture.bytes, later.bytes);
}

TEST_F(VirtualCard, BrightnessMovesTheMeanLuminance)
{
    MakeGrabberGraph();
    ASSERT_EQ(S_OK, Tune(access, kCarrierKHz));
    RunFor(2);
    double previous = -1;
    for (long brightness : {60L, 128L, 200L}) {
        ASSERT_EQ(S_OK, procAmp->Set(VideoProcAmp_Brightness, brightness, VideoProcAmp_Flags_Manual));
        Frame frame = NextFrames();
        RECT whole = {0, 0, frame.bmi.biWidth, virtualcard::BarsHeight(frame.bmi.biHeight)};
        double mean = MeanLuma(frame, whole);
        EXPECT_GT(mean, previous) << brightness;
        previous = mean;
        char text[64];
        snprintf(text, sizeof(text), "BRI %ld CON 64 SAT 64 HUE 0 SHP 0", brightness);
        EXPECT_EQ(text, ReadLine(frame, 2));
    }
}

TEST_F(VirtualCard, SharpnessSteepensTheBarsEdges)
{
    MakeGrabberGraph();
    ASSERT_EQ(S_OK, Tune(access, kCarrierKHz));
    RunFor(2);
    // The steepest luma step along a bars row: the edge between two bars.
    auto steepest = [](const Frame& frame) {
        int best = 0;
        for (int x = 0; x + 1 < frame.bmi.biWidth; ++x)
            best = std::max(best, std::abs(LumaAt(frame, x + 1, 10) - LumaAt(frame, x, 10)));
        return best;
    };
    int previous = 0;
    for (long sharpness : {0L, 8L, 15L}) {
        ASSERT_EQ(S_OK, procAmp->Set(VideoProcAmp_Sharpness, sharpness, VideoProcAmp_Flags_Manual));
        Frame frame = NextFrames();
        int edge = steepest(frame);
        EXPECT_GT(edge, previous + 5) << sharpness;
        previous = edge;
        char text[64];
        snprintf(text, sizeof(text), "BRI 128 CON 64 SAT 64 HUE 0 SHP %ld", sharpness);
        EXPECT_EQ(text, ReadLine(frame, 2));
    }
}

TEST_F(VirtualCard, DroppedFramesAreListedByNumber)
{
    MakeGrabberGraph();
    ComPtr<IAMDroppedFrames> dropped;
    ASSERT_EQ(S_OK, dropped.QueryFrom(FindPin(capture.Get(), L"Preview").Get(), IID_IAMDroppedFrames));
    long frames[8] = {0};
    long copied = -1;
    EXPECT_EQ(E_INVALIDARG, dropped->GetDroppedInfo(0, frames, &copied));
    EXPECT_EQ(E_POINTER, dropped->GetDroppedInfo(8, NULL, &copied));
    EXPECT_EQ(E_POINTER, dropped->GetDroppedInfo(8, frames, NULL));

    // Frames held back by the grabber beyond a few intervals are skipped,
    // and the list names them: as many as were counted, each one a frame
    // number not yet delivered when it was skipped, in order.
    grabber->Hold(true);
    RunFor(1);
    Sleep(300);
    grabber->Hold(false);
    EXPECT_TRUE(grabber->WaitForMore(2, 10000));
    EXPECT_EQ(S_OK, control->Stop());
    long count = 0, delivered = 0;
    ASSERT_EQ(S_OK, dropped->GetNumDropped(&count));
    ASSERT_EQ(S_OK, dropped->GetNumNotDropped(&delivered));
    EXPECT_GT(count, 0);
    ASSERT_EQ(S_OK, dropped->GetDroppedInfo(8, frames, &copied));
    EXPECT_EQ(std::min(count, 8L), copied);
    for (long i = 0; i < copied; ++i) {
        EXPECT_GE(frames[i], 1);
        EXPECT_LT(frames[i], delivered + count);
        if (i > 0) {
            EXPECT_GT(frames[i], frames[i - 1]);
        }
    }
}

TEST_F(VirtualCard, CrossbarRoutesCompositeAndThePictureSaysSo)
{
    long outputs = 0, inputs = 0;
    ASSERT_EQ(S_OK, xbar->get_PinCounts(&outputs, &inputs));
    EXPECT_EQ(2, outputs);
    EXPECT_EQ(6, inputs);
    const struct { long index; long type; long related; } inputRows[] = {
        {0, PhysConn_Video_Tuner, 3}, {1, PhysConn_Video_Composite, 4}, {2, PhysConn_Video_SVideo, 5},
        {3, PhysConn_Audio_Tuner, 0}, {4, PhysConn_Audio_Line, 1},      {5, PhysConn_Audio_Line, 2}};
    for (const auto& row : inputRows) {
        long related = -1, type = -1;
        ASSERT_EQ(S_OK, xbar->get_CrossbarPinInfo(TRUE, row.index, &related, &type));
        EXPECT_EQ(row.type, type) << row.index;
        EXPECT_EQ(row.related, related) << row.index;
    }
    long related, type;
    EXPECT_EQ(E_INVALIDARG, xbar->get_CrossbarPinInfo(TRUE, 6, &related, &type));
    EXPECT_EQ(S_OK, xbar->CanRoute(0, 1));
    EXPECT_EQ(S_FALSE, xbar->CanRoute(0, 3));     // audio does not reach the video decoder
    EXPECT_EQ(E_INVALIDARG, xbar->Route(0, 3));
    EXPECT_EQ(E_INVALIDARG, xbar->Route(0, 6));
    EXPECT_EQ(E_INVALIDARG, xbar->Route(2, 0));
    EXPECT_EQ(S_OK, xbar->Route(1, 4));

    MakeGrabberGraph();
    ASSERT_EQ(S_OK, Tune(access, kEmptyKHz));
    RunFor(2);
    ASSERT_EQ(S_OK, xbar->Route(0, 1));
    long routed = -1;
    EXPECT_EQ(S_OK, xbar->get_IsRoutedTo(0, &routed));
    EXPECT_EQ(1, routed);
    Frame composite = NextFrames();
    EXPECT_EQ("COMPOSITE", ReadLine(composite, 0));
    // A line input always has a picture, whatever the tuner does.
    EXPECT_LT(Roughness(composite, FirstBarArea(composite)), 1.0);
    long locked = 0;
    EXPECT_EQ(S_OK, decoder->get_HorizontalLocked(&locked));
    EXPECT_EQ(1, locked);

    ASSERT_EQ(S_OK, xbar->Route(0, 2));
    EXPECT_EQ("S-VIDEO", ReadLine(NextFrames(), 0));
    ASSERT_EQ(S_OK, xbar->Route(0, 0));
    Frame tuner = NextFrames();
    EXPECT_EQ(TunedText(kEmptyKHz, "NO SIGNAL"), ReadLine(tuner, 0));
    EXPECT_GT(Roughness(tuner, FirstBarArea(tuner)), 20.0);
}

TEST_F(VirtualCard, CrossbarFeedsTheCaptureFilterUpstream)
{
    MakeGrabberGraph();
    ComPtr<IPin> decoderOut = FindPin(crossbar.Get(), L"0: Video Decoder Out");
    ComPtr<IPin> analogIn = FindPin(capture.Get(), L"Analog Video In");
    ASSERT_TRUE(decoderOut && analogIn);
    ASSERT_EQ(S_OK, graph->ConnectDirect(decoderOut.Get(), analogIn.Get(), NULL));
    // Audio never reaches the video input.
    EXPECT_NE(S_OK, graph->ConnectDirect(FindPin(crossbar.Get(), L"1: Audio Decoder Out").Get(),
                                         analogIn.Get(), NULL));
    // Applications find the crossbar upstream of the capture filter.
    ComPtr<ICaptureGraphBuilder2> builder;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_CaptureGraphBuilder2, NULL, CLSCTX_INPROC_SERVER,
                                     IID_ICaptureGraphBuilder2, builder.ReceiveVoid()));
    ASSERT_EQ(S_OK, builder->SetFiltergraph(graph.Get()));
    ComPtr<IAMCrossbar> found;
    ASSERT_EQ(S_OK, builder->FindInterface(&LOOK_UPSTREAM_ONLY, NULL, capture.Get(), IID_IAMCrossbar,
                                           found.ReceiveVoid()));
    // The analog link carries no samples and does not hold the graph up.
    ASSERT_EQ(S_OK, Tune(access, kCarrierKHz));
    Frame frame = RunFor(3);
    EXPECT_EQ(TunedText(kCarrierKHz, "LOCKED"), ReadLine(frame, 0));
    ASSERT_EQ(S_OK, control->Stop());
}

TEST_F(VirtualCard, APeersTypeWithoutAnImageSizeStillStreamsWholeFrames)
{
    // biSizeImage 0 is allowed for uncompressed formats; the buffers and the
    // samples must still hold the whole frame.
    CMediaType type;
    ASSERT_EQ(S_OK, dshow::MakeVideoInfoType({&MEDIASUBTYPE_YUY2, 16, MAKEFOURCC('Y', 'U', 'Y', '2')}, 320,
                                             240, 0, &type));
    reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader.biSizeImage = 0;
    MakeGrabberGraph(L"Preview", &type);
    ASSERT_EQ(S_OK, Tune(access, kCarrierKHz));
    Frame frame = RunFor(2);
    ASSERT_EQ(static_cast<size_t>(dshow::VideoImageSize(320, 240, 16)), frame.bytes.size());
    EXPECT_EQ("PAL-B 25 FPS", ReadLine(frame, 1));
}

TEST_F(VirtualCard, FramesKeepComingAfterStopRunAndAFormatChange)
{
    MakeGrabberGraph();
    ASSERT_EQ(S_OK, Tune(access, kCarrierKHz));
    for (int cycle = 0; cycle < 3; ++cycle) {
        RunFor(3);
        ASSERT_EQ(S_OK, control->Stop()) << cycle;
    }
    ComPtr<IAMStreamConfig> config;
    ASSERT_EQ(S_OK, config.QueryFrom(FindPin(capture.Get(), L"Preview").Get(), IID_IAMStreamConfig));
    CMediaType rgb;
    ASSERT_EQ(S_OK, dshow::MakeVideoInfoType({&MEDIASUBTYPE_RGB24, 24, BI_RGB}, 320, 240, 0, &rgb));

    ASSERT_TRUE(SUCCEEDED(control->Run()));
    EXPECT_EQ(VFW_E_NOT_STOPPED, config->SetFormat(&rgb));
    ASSERT_EQ(S_OK, control->Stop());

    CMediaType tooLarge;
    ASSERT_EQ(S_OK, dshow::MakeVideoInfoType({&MEDIASUBTYPE_RGB24, 24, BI_RGB}, 800, 600, 0, &tooLarge));
    EXPECT_EQ(VFW_E_INVALIDMEDIATYPE, config->SetFormat(&tooLarge));
    ASSERT_EQ(S_OK, config->SetFormat(&rgb));

    CMediaTypePtr current;
    ASSERT_EQ(S_OK, config->GetFormat(&current));
    EXPECT_EQ(MEDIASUBTYPE_RGB24, current->subtype);
    EXPECT_EQ(400000, reinterpret_cast<VIDEOINFOHEADER*>(current->pbFormat)->AvgTimePerFrame);

    for (int cycle = 0; cycle < 2; ++cycle) {
        Frame frame = RunFor(3);
        ASSERT_EQ(S_OK, control->Stop());
        EXPECT_EQ(MEDIASUBTYPE_RGB24, frame.subtype);
        EXPECT_EQ(320, frame.bmi.biWidth);
        EXPECT_EQ(240, frame.bmi.biHeight);
        ASSERT_EQ(static_cast<size_t>(dshow::VideoImageSize(320, 240, 24)), frame.bytes.size());
        // Bottom-up RGB still reads the right way up.
        EXPECT_EQ("PAL-B 25 FPS", ReadLine(frame, 1));
        EXPECT_NEAR(180.0, MeanLuma(frame, FirstBarArea(frame)), 2.0);
    }
}

TEST_F(VirtualCard, RemoteKeyPressedFromAnotherProgram)
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    ASSERT_GT(length, 0u);
    std::string tool(path, length);
    tool = tool.substr(0, tool.find_last_of('\\') + 1) + "..\\..\\..\\platform\\virtualcard\\VirtualCardKey.exe";

    auto run = [&](const char* arguments) -> DWORD {
        std::string command = "\"" + tool + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
            return 0xFFFFFFFF;
        WaitForSingleObject(process.hProcess, 30000);
        DWORD code = 0xFFFFFFFF;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return code;
    };
    EXPECT_EQ(2u, run("300"));
    EXPECT_EQ(2u, run("key"));
    EXPECT_EQ(2u, run("0x15 3000 pid"));

    // The keys go to this process's card only: the test programs that run
    // beside this one have cards of their own, busy with other things.
    char ours[64], others[64];
    snprintf(ours, sizeof ours, "0x15 3000 %lu", static_cast<unsigned long>(GetCurrentProcessId()));
    snprintf(others, sizeof others, "0x2A 3000 %lu", 0xFFFFFFFCul);  // no process has this id
    DWORD gpio = 0;
    ASSERT_EQ(0u, run(others));
    ASSERT_EQ(S_OK, access.ReadGPIO(&gpio));
    EXPECT_NE(0x180000u, gpio & 0x1C0000u);   // no key down: it was another card's
    ASSERT_EQ(0u, run(ours));
    ASSERT_EQ(S_OK, access.ReadGPIO(&gpio));
    // The strobe pattern and the inverted key code, as the card's remote
    // poller reads them.
    EXPECT_EQ(0x180000u, gpio & 0x1C0000u);
    EXPECT_EQ(static_cast<DWORD>(static_cast<BYTE>(~0x15)), gpio & 0xFF);
}

} // namespace
