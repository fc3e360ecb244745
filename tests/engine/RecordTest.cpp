// The record, FM-record and time-shift graphs on the virtual card, through
// the hardware object: a short AVI recording read back chunk by chunk and
// through the system's AVI splitter, every format that cannot be built here
// falling back to the preview with its picture, FM listening after a failed
// FM recording, and the time-shift checks that need no encoder.
#include "AviFile.h"
#include "RecordOnCard.h"
#include "ScreenPicture.h"

#include "graph/ComPtr.h"
#include "graph/Guids.h"
#include "tests/platform/virtualcard/FrameGrabber.h"
#include "tests/platform/standins/ServedAviMux.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <ks.h>
#include <ksmedia.h>
#include <uuids.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

const CLSID kMissingClass = {0x6a4b1c20, 0x7d3e, 0x4f19, {0x8b, 0x55, 0x02, 0xc1, 0x9e, 0x3a, 0x64, 0x70}};

std::string TunedText(float kHz, int ifKHz)
{
    const long divider = static_cast<long>((kHz + ifKHz) / 62.5f);
    char text[64];
    snprintf(text, sizeof text, "TUNER %.3f MHZ LOCKED", (divider * 62.5 - 38900) / 1000.0);
    return text;
}

class Record : public ::testing::Test
{
protected:
    Record() : host(SharedPreviewHost()) {}
    void TearDown() override { hw.reset(); }

    void Start(const RecordDevices& devices = kRecordDevices)
    {
        hw.reset();
        hw = StartPreviewOnCarrier(host.Handle(), devices);
        ASSERT_TRUE(hw) << std::hex << GetStartupErrorCode();
    }
    std::string Tuned() { return TunedText(kRecordCarrierKHz, hw->GetTuner()->m_nIF); }
    // Pumps messages until the window shows the card's tuned picture; the
    // first line read.
    std::string PictureShown()
    {
        std::string read;
        const std::string expected = Tuned();
        for (DWORD start = GetTickCount(); GetTickCount() - start < 8000 && read != expected;) {
            PreviewHost::Pump(80);
            const CSize size = hw->GetVideoSize();
            Frame picture;
            if (ReadPicture(host.Handle(), size.cx, size.cy, &picture))
                read = ReadLine(picture, 0);
        }
        return read;
    }
    std::string CaptureDownstream() { return ::CaptureDownstream(*hw); }

    PreviewHost& host;
    std::unique_ptr<CTVHardWare> hw;
};

// The first video frame of a file as Wine's AVI splitter delivers it.
bool FirstFrameThroughSplitter(const std::string& path, Frame* frame)
{
    ComPtr<IGraphBuilder> graph;
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.ReceiveVoid())))
        return false;
    ComPtr<IBaseFilter> source, splitter;
    ComPtr<IFileSourceFilter> load;
    if (FAILED(CoCreateInstance(CLSID_AsyncReader, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                source.ReceiveVoid())) ||
        FAILED(CoCreateInstance(CLSID_AviSplitter, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                splitter.ReceiveVoid())) ||
        FAILED(source->QueryInterface(IID_IFileSourceFilter, load.ReceiveVoid())))
        return false;
    std::wstring wide(path.begin(), path.end());
    FrameGrabber* grabber = new FrameGrabber;
    ComPtr<IBaseFilter> sink;
    sink.Attach(grabber);
    bool ok = SUCCEEDED(load->Load(wide.c_str(), NULL)) && SUCCEEDED(graph->AddFilter(source.Get(), L"Source")) &&
              SUCCEEDED(graph->AddFilter(splitter.Get(), L"Splitter")) &&
              SUCCEEDED(graph->AddFilter(sink.Get(), L"Grabber"));
    auto pin = [](IBaseFilter* filter, PIN_DIRECTION direction, int skip) -> ComPtr<IPin> {
        ComPtr<IEnumPins> pins;
        ComPtr<IPin> found;
        if (SUCCEEDED(filter->EnumPins(pins.Receive()))) {
            IPin* p = NULL;
            while (pins->Next(1, &p, NULL) == S_OK) {
                PIN_DIRECTION d;
                p->QueryDirection(&d);
                if (d == direction && skip-- == 0) {
                    found.Attach(p);
                    break;
                }
                p->Release();
            }
        }
        return found;
    };
    ok = ok && SUCCEEDED(graph->ConnectDirect(pin(source.Get(), PINDIR_OUTPUT, 0).Get(),
                                              pin(splitter.Get(), PINDIR_INPUT, 0).Get(), NULL));
    // The video stream's output: the grabber takes nothing else.
    bool video = false;
    for (int i = 0; ok && !video; ++i) {
        ComPtr<IPin> out = pin(splitter.Get(), PINDIR_OUTPUT, i);
        if (!out)
            break;
        video = SUCCEEDED(graph->ConnectDirect(out.Get(), pin(sink.Get(), PINDIR_INPUT, 0).Get(), NULL));
    }
    ok = ok && video;
    ComPtr<IMediaControl> control;
    ok = ok && SUCCEEDED(graph->QueryInterface(IID_IMediaControl, control.ReceiveVoid()));
    if (ok) {
        grabber->Hold(true);
        ok = SUCCEEDED(control->Run()) && grabber->WaitForMore(1, 8000);
        if (ok)
            *frame = grabber->Latest();
        grabber->Hold(false);
        control->Stop();
    }
    return ok;
}

TEST_F(Record, FiveSecondsOfAviHoldTheCardsPictureAndSound)
{
    ServedAviMux mux;  // Wine's takes no sound
    Start(StandInWriterDevices());
    TempFolder folder;
    const std::string path = folder.File("five.avi");
    hw->SetRecordFile(path.c_str());
    ASSERT_TRUE(hw->SetRecordFormat(0));
    ASSERT_TRUE(hw->RunRecord());
    const DWORD started = GetTickCount();
    EXPECT_TRUE(hw->IsRecording());
    EXPECT_STREQ("Corvane Deinterlace", CaptureDownstream().c_str());
    // The preview goes on in the window while it records.
    EXPECT_EQ(Tuned(), PictureShown());
    while (GetTickCount() - started < 5000)
        PreviewHost::Pump(50);
    const double seconds = (GetTickCount() - started) / 1000.0;
    // A second RunRecord stops the recording and brings the preview back.
    EXPECT_TRUE(hw->RunRecord());
    EXPECT_FALSE(hw->IsRecording());
    EXPECT_EQ(1, hw->GetGraph().GetState());
    EXPECT_EQ(Tuned(), PictureShown());

    AviContents avi;
    ASSERT_TRUE(ReadAviFile(path, &avi));
    EXPECT_TRUE(avi.hasVideoStream);
    EXPECT_EQ(720, avi.videoFormat.biWidth);
    EXPECT_EQ(576, std::abs(avi.videoFormat.biHeight));
    // 25 frames a second for the time it ran, less what a loaded machine
    // drops (the benchmark measures that); never more.
    EXPECT_GE(avi.videoFrames, seconds * 25 * 0.6) << seconds << " s";
    EXPECT_LE(avi.videoFrames, seconds * 25 + 3) << seconds << " s";
    // The sound of the audio capture device when it has a capture pin
    // (Wine's has none: the file then holds the picture alone).
    ASSERT_TRUE(hw->GetAudioFilter());
    const bool sound = hw->GetAudioFilter()->FindPinByName("Capture") != NULL;
    EXPECT_EQ(sound, avi.hasAudioStream);
    EXPECT_EQ(sound, avi.audioBytes > 0);

    Frame first;
    ASSERT_TRUE(FirstFrameThroughSplitter(path, &first));
    EXPECT_EQ(Tuned(), ReadLine(first, 0));
    EXPECT_EQ("PAL-B 25 FPS", ReadLine(first, 1));
    if (getenv("PELLAMAR_SHOTS"))
        SaveBitmap(first, "recorded-first-frame.bmp");
}

// Every record format that cannot be built here ends in the preview with
// the card's picture.
TEST_F(Record, AFailedStartFallsBackToThePreview)
{
    RecordDevices noMux = StandInWriterDevices();
    noMux.aviMux = &kMissingClass;
    const struct {
        const char* what;
        int format;
        const RecordDevices* devices;
    } cases[] = {
        {"AVI without its multiplexer", 0, &noMux},
        // The multiplexer would have no stream to write to (and Wine's
        // crashes then): refused before the graph runs.
        {"AVI into Wine's file writer, which takes no stream writes", 0, &kRecordDevices},
        {"MPEG1 without the encoder", 1, &kRecordDevices},
        {"MPEG2 without the encoder", 2, &kRecordDevices},
        {"MPEG4 without an MPEG-4 codec", 3, &kRecordDevices},
        {"VCD without the encoder", 4, &kRecordDevices},
        {"SVCD without the encoder", 5, &kRecordDevices},
        {"DVD without the encoder", 6, &kRecordDevices},
        {"HIDVD without the encoder", 7, &kRecordDevices},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Start(*c.devices);
        ASSERT_TRUE(hw->SetRecordFormat(c.format));
        hw->SetRecordFile(folder.File("failed.mpg").c_str());
        EXPECT_FALSE(hw->RunRecord());
        EXPECT_FALSE(hw->IsRecording());
        EXPECT_EQ(1, hw->GetGraph().GetState());
        EXPECT_STREQ("Corvane Deinterlace", CaptureDownstream().c_str());
        EXPECT_EQ(Tuned(), PictureShown());
        // Nothing to pause in a preview.
        EXPECT_FALSE(hw->PauseRecord(TRUE));
    }
}

TEST_F(Record, TimeShiftWithoutItsFiltersFallsBackToThePreview)
{
    Start();
    TempFolder folder;
    ASSERT_TRUE(hw->SetTFFile(folder.File("20261211-010000.mpg").c_str()));
    EXPECT_FALSE(hw->RunTFPreview());
    EXPECT_FALSE(hw->IsTFRunning());
    EXPECT_FALSE(hw->PauseTF());
    EXPECT_FALSE(hw->SeekTF(0));
    EXPECT_EQ(1, hw->GetGraph().GetState());
    EXPECT_STREQ("Corvane Deinterlace", CaptureDownstream().c_str());
    EXPECT_EQ(Tuned(), PictureShown());

    // Not while a recording runs, not in FM mode: nothing changes.
    hw->SetRecording(TRUE);
    EXPECT_FALSE(hw->RunTFPreview());
    EXPECT_EQ(1, hw->GetGraph().GetState());
    hw->SetRecording(FALSE);
}

// In FM mode the radio plays through the card into the NULL renderer; a
// recording that cannot start leaves that graph, not a TV preview.
TEST_F(Record, AFailedFMRecordingReturnsToListening)
{
    Start();
    ASSERT_TRUE(hw->SelectInput(CTVHardWare::kInputFM));
    // The radio's graph, as the stop road builds it.
    ASSERT_TRUE(hw->StopRecord());
    EXPECT_STREQ("NULL Renderer", CaptureDownstream().c_str());
    EXPECT_EQ(1, hw->GetGraph().GetState());

    TempFolder folder;
    hw->SetRecordFile(folder.File("radio.avi").c_str());
    const char* blanks[] = {"", "   "};
    for (const char* blank : blanks) {
        SCOPED_TRACE(blank);
        hw->SetFMRecordFormat(3);
        hw->SetFMCustomCompressor(blank);
        EXPECT_FALSE(hw->RunRecord());
        EXPECT_FALSE(hw->IsRecording());
        EXPECT_EQ(1, hw->GetGraph().GetState());
        EXPECT_STREQ("NULL Renderer", CaptureDownstream().c_str());
        EXPECT_EQ(CTVHardWare::kInputFM, hw->GetInputMode());
    }
    EXPECT_FALSE(hw->RunTFPreview());
    EXPECT_STREQ("NULL Renderer", CaptureDownstream().c_str());
    ASSERT_TRUE(hw->SelectInput(CTVHardWare::kInputTV));
}

} // namespace
