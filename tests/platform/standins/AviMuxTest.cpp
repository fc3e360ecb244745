// The AVI multiplexer stand-in: its writer laying out streams and gaps on
// a file of its own, and the whole filter in a real graph recording the
// virtual card's picture and sound through the stream writer, the file
// read back stream by stream as a player would.
#include "../../support/TempFolder.h"
#include "AviStreams.h"

#include "graph/Guids.h"
#include "graph/RootGraph.h"
#include "graph/wrappers/FileWriteFilter.h"
#include "graph/wrappers/WrapperFilters.h"
#include "platform/standins/AviMuxStandin.h"
#include "platform/standins/AviWriter.h"
#include "platform/virtualcard/VirtualCardIds.h"

#include <amvideo.h>
#include <control.h>
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <uuids.h>

#include <string>
#include <vector>

using standins::AviStreamFormat;
using standins::CAviWriter;

namespace {

const REFERENCE_TIME kMs = 10000;

AviStreamFormat VideoFormat(REFERENCE_TIME frameTime)
{
    AviStreamFormat format;
    format.video = true;
    format.picture.biSize = sizeof(BITMAPINFOHEADER);
    format.picture.biWidth = 16;
    format.picture.biHeight = 16;
    format.picture.biPlanes = 1;
    format.picture.biBitCount = 32;
    format.picture.biCompression = BI_RGB;
    format.frameTime = frameTime;
    return format;
}

// 16-bit mono at 8 kHz: 16000 bytes a second.
AviStreamFormat AudioFormat()
{
    AviStreamFormat format;
    WAVEFORMATEX wfx = {WAVE_FORMAT_PCM, 1, 8000, 16000, 2, 16, 0};
    format.wave.assign(reinterpret_cast<BYTE*>(&wfx), reinterpret_cast<BYTE*>(&wfx) + sizeof(wfx));
    return format;
}

class FileStream
{
public:
    explicit FileStream(const std::string& path)
    {
        SHCreateStreamOnFileA(path.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_DENY_WRITE, &m_p);
    }
    ~FileStream()
    {
        if (m_p)
            m_p->Release();
    }
    IStream* Get() const { return m_p; }

private:
    IStream* m_p = NULL;
};

TEST(AviWriter, DroppedFramesAndLostSoundKeepTheStreamsOnTheirClock)
{
    TempFolder folder;
    const std::string path = folder.File("gaps.avi");
    {
        FileStream file(path);
        ASSERT_NE(nullptr, file.Get());
        CAviWriter writer;
        ASSERT_EQ(S_OK, writer.Begin(file.Get(), {VideoFormat(40 * kMs), AudioFormat()}));
        const std::vector<BYTE> frame(16 * 16 * 4, 0x55), sound(1600, 0x11);  // 100 ms of sound
        const REFERENCE_TIME base = 123 * kMs;  // the first sample's time is the file's zero
        // Frames 0, 1 and 4: frames 2 and 3 were dropped.
        for (REFERENCE_TIME at : {0, 40, 160})
            ASSERT_EQ(S_OK, writer.AddSample(0, base + at * kMs, frame.data(), static_cast<DWORD>(frame.size())));
        // Sound at 0 and 100 ms, then 100 ms lost, then 300 ms, then 20 ms late
        // (jitter, not a loss), then an odd byte count (cut to whole blocks).
        for (REFERENCE_TIME at : {0, 100, 300, 420})
            ASSERT_EQ(S_OK, writer.AddSample(1, base + at * kMs, sound.data(), static_cast<DWORD>(sound.size())));
        ASSERT_EQ(S_OK, writer.AddSample(1, base + 520 * kMs, sound.data(), 3));
        EXPECT_EQ(S_FALSE, writer.AddSample(2, base, sound.data(), 2));
        EXPECT_EQ(5u, writer.StreamLength(0));
        EXPECT_EQ((4 * 1600 + 1600 + 2) / 2u, writer.StreamLength(1));
        ASSERT_EQ(S_OK, writer.Finish());
        EXPECT_EQ(E_UNEXPECTED, writer.AddSample(0, base, frame.data(), 4));
    }
    AviStreams avi;
    ASSERT_TRUE(ReadAviStreams(path, &avi));
    ASSERT_EQ(2u, avi.streams.size());
    EXPECT_EQ(avi.fileSize, avi.riffSize + 8ull);
    const AviStream& video = avi.streams[0];
    const AviStream& audio = avi.streams[1];
    EXPECT_TRUE(video.IsVideo());
    EXPECT_EQ(5u, video.length);
    EXPECT_EQ(5, video.chunks);
    EXPECT_EQ(2, video.emptyChunks);
    EXPECT_DOUBLE_EQ(0.2, video.Seconds());
    EXPECT_EQ(16, video.picture.biWidth);
    ASSERT_TRUE(audio.IsAudio());
    EXPECT_EQ(8000u, audio.wave.nSamplesPerSec);
    EXPECT_EQ(audio.bytes, audio.length * 2ull);
    EXPECT_EQ(4 * 1600 + 1600 + 2ull, audio.bytes);
    EXPECT_EQ(avi.indexEntries, video.chunks + audio.chunks);
}

TEST(AviWriter, RefusesWhatItCannotLayOut)
{
    TempFolder folder;
    FileStream file(folder.File("bad.avi"));
    ASSERT_NE(nullptr, file.Get());
    CAviWriter writer;
    const BYTE byte = 0;
    EXPECT_EQ(E_UNEXPECTED, writer.AddSample(0, 0, &byte, 1));
    EXPECT_EQ(E_INVALIDARG, writer.Begin(file.Get(), {}));
    EXPECT_EQ(E_INVALIDARG, writer.Begin(file.Get(), {VideoFormat(0)}));
    EXPECT_EQ(E_INVALIDARG, writer.Begin(file.Get(), {AviStreamFormat()}));  // audio without a format
    EXPECT_EQ(E_POINTER, writer.Begin(NULL, {AudioFormat()}));
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(S_FALSE, writer.Finish());
}

TEST(AviWriter, TakesVideoAndSoundFormatsOnly)
{
    VIDEOINFOHEADER vih = {};
    vih.AvgTimePerFrame = 0;  // no rate given: 25 frames a second
    vih.bmiHeader = VideoFormat(1).picture;
    WAVEFORMATEX wfx = {WAVE_FORMAT_PCM, 2, 48000, 192000, 4, 16, 0};
    WAVEFORMATEX silent = wfx;
    silent.nBlockAlign = 0;
    struct Case
    {
        const char* name;
        GUID major, formatType;
        const void* format;
        ULONG size;
        bool taken;
    };
    const Case cases[] = {
        {"video", MEDIATYPE_Video, FORMAT_VideoInfo, &vih, sizeof(vih), true},
        {"video cut short", MEDIATYPE_Video, FORMAT_VideoInfo, &vih, sizeof(vih) - 1, false},
        {"video without a format", MEDIATYPE_Video, FORMAT_VideoInfo, NULL, 0, false},
        {"sound", MEDIATYPE_Audio, FORMAT_WaveFormatEx, &wfx, sizeof(wfx), true},
        {"sound of 16 bytes", MEDIATYPE_Audio, FORMAT_WaveFormatEx, &wfx, 16, true},
        {"sound without blocks", MEDIATYPE_Audio, FORMAT_WaveFormatEx, &silent, sizeof(silent), false},
        {"sound as video", MEDIATYPE_Video, FORMAT_WaveFormatEx, &wfx, sizeof(wfx), false},
        {"a stream", MEDIATYPE_Stream, GUID_NULL, NULL, 0, false},
    };
    for (const Case& c : cases) {
        AM_MEDIA_TYPE mt = {};
        mt.majortype = c.major;
        mt.formattype = c.formatType;
        mt.pbFormat = static_cast<BYTE*>(const_cast<void*>(c.format));
        mt.cbFormat = c.size;
        AviStreamFormat format;
        EXPECT_EQ(c.taken, AviStreamFormat::FromMediaType(mt, &format)) << c.name;
        if (c.taken && format.video) {
            EXPECT_EQ(400000, format.frameTime) << c.name;
        }
        if (c.taken && !format.video) {
            EXPECT_EQ(sizeof(WAVEFORMATEX), format.wave.size()) << c.name;
        }
    }
}

// The virtual card's picture and sound recorded as the program's AVI graph
// does: the multiplexer's output first, then the sound, then the picture.
class AviMuxGraph : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterWrapperFilters();
        ASSERT_TRUE(m_graph.MakeGraph());
    }
    void TearDown() override
    {
        m_graph.DestroyGraph();
        UnregisterWrapperFilters();
    }
    // Card and sound into the multiplexer, into the stream writer's file.
    void Build(const std::string& path)
    {
        CRootFilter* card =
            m_graph.AddFilterByName(&CLSID_VideoInputDeviceCategory, "713x TV Card Capture", "Capture", FALSE, 0);
        CRootFilter* sound = m_graph.AddFilterByName(&CLSID_AudioInputDeviceCategory, "713x TV Card Audio Capture",
                                                     "AudioDevice", FALSE, 0);
        if (!card)
            GTEST_SKIP() << "the virtual card is not registered in this prefix";
        ASSERT_NE(nullptr, sound) << "the card's audio capture device does not make a working filter";
        CRootFilter* mux = m_graph.AddFilterByCLSID(&standins::CLSID_AviMuxStandin, "AVI Mux");
        ASSERT_NE(nullptr, mux) << "the stand-ins are not registered in this prefix";
        CFileWriteFilter* writer = new CFileWriteFilter(&m_graph, &CLSID_StreamWriterStandin);
        writer->SetName("AVI Writer");
        ASSERT_TRUE(m_graph.AddFilter(writer));
        ASSERT_TRUE(writer->SetFileName(path.c_str()));
        ASSERT_TRUE(m_graph.ConnectFilters(mux, writer, "", ""));
        ASSERT_TRUE(m_graph.ConnectPins(sound->FindPinByName("Capture"), mux->FindPin(PINDIR_INPUT, TRUE)));
        ASSERT_TRUE(m_graph.ConnectPins(card->FindPinByName("Capture"), mux->FindPin(PINDIR_INPUT, TRUE)));
        // One input is still free for another stream.
        EXPECT_NE(nullptr, mux->FindPin(PINDIR_INPUT, TRUE));
    }

    CRootGraph m_graph;
};

TEST_F(AviMuxGraph, RecordsTheCardsPictureAndSoundOfOneLength)
{
    TempFolder folder;
    const std::string path = folder.File("20240102-030405.avi");
    Build(path);
    if (HasFatalFailure() || IsSkipped())
        return;
    ASSERT_TRUE(m_graph.Run());
    Sleep(3000);
    m_graph.Stop();

    AviStreams avi;
    ASSERT_TRUE(ReadAviStreams(path, &avi));
    ASSERT_EQ(2u, avi.streams.size());
    EXPECT_EQ(avi.fileSize, avi.riffSize + 8ull);
    const AviStream& audio = avi.streams[0];
    const AviStream& video = avi.streams[1];
    ASSERT_TRUE(audio.IsAudio());
    ASSERT_TRUE(video.IsVideo());
    EXPECT_EQ(WAVE_FORMAT_PCM, audio.wave.wFormatTag);
    EXPECT_EQ(48000u, audio.wave.nSamplesPerSec);
    EXPECT_EQ(2, audio.wave.nChannels);
    EXPECT_EQ(audio.bytes, static_cast<ULONGLONG>(audio.length) * audio.wave.nBlockAlign);
    EXPECT_EQ(video.length, static_cast<DWORD>(video.chunks));
    EXPECT_EQ(720, video.picture.biWidth);
    EXPECT_GT(video.Seconds(), 2.0);
    EXPECT_NEAR(video.Seconds(), audio.Seconds(), 0.2);
    EXPECT_EQ(avi.indexEntries, video.chunks + audio.chunks);
}

TEST_F(AviMuxGraph, AStopBeforeAnySampleLeavesAWholeEmptyFile)
{
    TempFolder folder;
    const std::string path = folder.File("empty.avi");
    Build(path);
    if (HasFatalFailure() || IsSkipped())
        return;
    ASSERT_TRUE(m_graph.Pause());  // live sources send nothing while paused
    m_graph.Stop();
    AviStreams avi;
    ASSERT_TRUE(ReadAviStreams(path, &avi));
    ASSERT_EQ(2u, avi.streams.size());
    EXPECT_EQ(avi.fileSize, avi.riffSize + 8ull);
    EXPECT_EQ(0u, avi.streams[0].length);
    EXPECT_EQ(0u, avi.streams[1].length);
    EXPECT_EQ(0, avi.indexEntries);
}

} // namespace
