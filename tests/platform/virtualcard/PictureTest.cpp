// The picture generator and the carrier list on their own: what the frames
// say, in every output layout, and how the settings file is read.
#include "PictureReader.h"

#include "platform/dshow/VideoFormat.h"
#include "platform/virtualcard/Carriers.h"
#include "platform/virtualcard/PictureGenerator.h"

#include <gtest/gtest.h>
#include <uuids.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

Frame Render(const virtualcard::PictureState& state, const GUID& subtype, WORD bits, DWORD compression,
             LONG width, LONG height, REFERENCE_TIME time = 0)
{
    Frame frame;
    frame.subtype = subtype;
    frame.bmi.biSize = sizeof(BITMAPINFOHEADER);
    frame.bmi.biWidth = width;
    frame.bmi.biHeight = height;
    frame.bmi.biBitCount = bits;
    frame.bmi.biCompression = compression;
    frame.bytes.resize(dshow::VideoImageSize(width, height < 0 ? -height : height, bits));
    virtualcard::CPictureGenerator generator;
    EXPECT_EQ(S_OK, generator.Render(state, time, 400000, frame.bmi, frame.bytes.data(), frame.bytes.size()));
    return frame;
}

virtualcard::PictureState Tuned(double kHz, bool locked)
{
    virtualcard::PictureState state;
    state.tuned = true;
    state.kHz = kHz;
    state.locked = locked;
    state.standard = AnalogVideo_PAL_I;
    return state;
}

TEST(PictureGenerator, EveryLayoutReadsTheSame)
{
    const DWORD yuy2 = MAKEFOURCC('Y', 'U', 'Y', '2');
    const struct { const GUID* subtype; WORD bits; DWORD compression; LONG width, height; } layouts[] = {
        {&MEDIASUBTYPE_YUY2, 16, yuy2, 720, 576},   {&MEDIASUBTYPE_YUY2, 16, yuy2, 160, 120},
        {&MEDIASUBTYPE_RGB24, 24, BI_RGB, 322, 240}, {&MEDIASUBTYPE_RGB32, 32, BI_RGB, 640, -480},
    };
    for (const auto& l : layouts) {
        Frame frame = Render(Tuned(471250, true), *l.subtype, l.bits, l.compression, l.width, l.height);
        SCOPED_TRACE(testing::Message() << l.bits << " bits " << l.width << "x" << l.height);
        EXPECT_EQ("TUNER 471.250 MHZ LOCKED", ReadLine(frame, 0));
        EXPECT_EQ("PAL-I 25 FPS", ReadLine(frame, 1));
        EXPECT_NEAR(180.0, MeanLuma(frame, FirstBarArea(frame)), 2.0);
        EXPECT_LT(Roughness(frame, FirstBarArea(frame)), 1.0);
    }
}

TEST(PictureGenerator, SnowOffCarrierAndTheProcAmpOnThePixels)
{
    const DWORD yuy2 = MAKEFOURCC('Y', 'U', 'Y', '2');
    Frame snow = Render(Tuned(180000, false), MEDIASUBTYPE_YUY2, 16, yuy2, 720, 576);
    EXPECT_GT(Roughness(snow, FirstBarArea(snow)), 20.0);
    EXPECT_EQ("TUNER 180.000 MHZ NO SIGNAL", ReadLine(snow, 0));

    // Brightness shifts and contrast scales the white bar (180 at neutral).
    const struct { long brightness, contrast; double white; } cases[] = {
        {128, 64, 180}, {168, 64, 220}, {28, 64, 80}, {128, 32, 98}, {128, 0, 16}, {255, 127, 255},
        {128, 68, 190}, {128, 999, 255}, {128, -5, 16},
    };
    for (const auto& c : cases) {
        virtualcard::PictureState state = Tuned(175250, true);
        state.brightness = c.brightness;
        state.contrast = c.contrast;
        Frame frame = Render(state, MEDIASUBTYPE_YUY2, 16, yuy2, 720, 576);
        EXPECT_NEAR(c.white, MeanLuma(frame, FirstBarArea(frame)), 0.5)
            << "brightness " << c.brightness << " contrast " << c.contrast;
    }
    // Saturation 0 leaves no colour: the yellow bar's chroma is neutral.
    virtualcard::PictureState grey = Tuned(175250, true);
    grey.saturation = 0;
    Frame frame = Render(grey, MEDIASUBTYPE_YUY2, 16, yuy2, 720, 576);
    size_t yellow = (10 * 720 + 720 / 8 + 10) * 2;   // row 10, inside the second bar
    EXPECT_EQ(128, frame.bytes[(yellow & ~size_t(3)) + 1]);
    EXPECT_EQ(128, frame.bytes[(yellow & ~size_t(3)) + 3]);
}

// The largest luma jump between neighbours along a row of the bars: the
// edge between two bars, 31 levels on the neutral picture.
int SteepestEdge(const Frame& frame, int y)
{
    int steepest = 0;
    for (int x = 0; x + 1 < frame.bmi.biWidth; ++x) {
        int step = std::abs(LumaAt(frame, x + 1, y) - LumaAt(frame, x, y));
        steepest = step > steepest ? step : steepest;
    }
    return steepest;
}

TEST(PictureGenerator, SharpnessWorksOnTheBarsEdgesOnly)
{
    const DWORD yuy2 = MAKEFOURCC('Y', 'U', 'Y', '2');
    // Out-of-range values are taken as the nearest end, never as a wild gain.
    const struct { long sharpness; int lowest, highest; } cases[] = {
        {0, 31, 31}, {8, 42, 46}, {14, 55, 59}, {15, 56, 62}, {99, 56, 62}, {-5, 31, 31},
    };
    // RGB goes through a colour conversion (the chroma is not filtered)
    // and back, so there only the direction is checked, against neutral.
    const int neutralRgb = SteepestEdge(Render(Tuned(175250, true), MEDIASUBTYPE_RGB32, 32, BI_RGB, 640, 480), 10);
    for (const auto& c : cases) {
        virtualcard::PictureState state = Tuned(175250, true);
        state.sharpness = c.sharpness;
        for (bool rgb : {false, true}) {
            Frame frame = rgb ? Render(state, MEDIASUBTYPE_RGB32, 32, BI_RGB, 640, 480)
                              : Render(state, MEDIASUBTYPE_YUY2, 16, yuy2, 720, 576);
            SCOPED_TRACE(testing::Message() << "sharpness " << c.sharpness << (rgb ? " RGB" : " YUY2"));
            int edge = SteepestEdge(frame, 10);
            if (!rgb) {
                EXPECT_GE(edge, c.lowest);
                EXPECT_LE(edge, c.highest);
            } else if (c.highest < 31) {
                EXPECT_LT(edge, neutralRgb);
            } else if (c.lowest > 31) {
                EXPECT_GT(edge, neutralRgb);
            }
            // Inside a bar and in the text nothing moves.
            EXPECT_NEAR(180.0, MeanLuma(frame, FirstBarArea(frame)), 2.0);
            EXPECT_LT(Roughness(frame, FirstBarArea(frame)), 1.0);
            EXPECT_EQ("PAL-I 25 FPS", ReadLine(frame, 1));
        }
    }
}

TEST(PictureGenerator, RefusesBuffersTooSmallForTheFrame)
{
    virtualcard::CPictureGenerator generator;
    BITMAPINFOHEADER bmi = {sizeof(BITMAPINFOHEADER), 320, 240, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> buffer(320 * 240 * 3 - 1);
    EXPECT_EQ(E_INVALIDARG, generator.Render(virtualcard::PictureState(), 0, 400000, bmi, buffer.data(), buffer.size()));
    bmi.biWidth = 321;   // odd widths cannot be drawn as YUY2 pairs
    buffer.resize(330 * 240 * 3);
    EXPECT_EQ(E_INVALIDARG, generator.Render(virtualcard::PictureState(), 0, 400000, bmi, buffer.data(), buffer.size()));
}

class CarrierFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char folder[MAX_PATH], name[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        GetTempFileNameA(folder, "vcc", 0, name);
        path = name;
    }
    void TearDown() override { DeleteFileA(path.c_str()); }
    void Write(const char* text)
    {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }
    std::string path;
};

TEST_F(CarrierFile, ReadsValidLinesAndFallsBackToTheDefaultList)
{
    const struct { const char* text; std::vector<double> expected; } cases[] = {
        {"[Carriers]\r\n1=175250\r\n2=471250.5\r\n", {175250, 471250.5}},
        // Out of range, not a number, trailing junk: skipped.
        {"[Carriers]\r\n1=30000\r\n2=1000001\r\n3=abc\r\n4=200000x\r\n5= 210250 \r\n", {210250}},
        {"[Other]\r\n1=175250\r\n", virtualcard::DefaultCarriers()},
        {"[Carriers]\r\n1=-5\r\n", virtualcard::DefaultCarriers()},
        {"[Carriers]\r\n1=nan\r\n2=inf\r\n3=-inf\r\n4=1e400\r\n", virtualcard::DefaultCarriers()},
    };
    for (const auto& c : cases) {
        Write(c.text);
        EXPECT_EQ(c.expected, virtualcard::LoadCarriers(path)) << c.text;
    }
    DeleteFileA(path.c_str());
    EXPECT_EQ(virtualcard::DefaultCarriers(), virtualcard::LoadCarriers(path));
    EXPECT_EQ(8u, virtualcard::DefaultCarriers().size());
}

TEST_F(CarrierFile, TakesAtMostTheCap)
{
    std::string text = "[Carriers]\r\n";
    for (int i = 0; i < 200; ++i)
        text += std::to_string(i) + "=" + std::to_string(100000 + i * 1000) + "\r\n";
    Write(text.c_str());
    std::vector<double> carriers = virtualcard::LoadCarriers(path);
    ASSERT_EQ(virtualcard::kMaxCarriers, carriers.size());
    EXPECT_EQ(100000.0, carriers.front());
}

TEST(Carriers, SettingsFileSitsBesideTheModule)
{
    EXPECT_EQ("C:\\cards\\VirtualCard.ini", virtualcard::SettingsPathBeside("C:\\cards\\VirtualCard.dll"));
    EXPECT_EQ("VirtualCard.ini", virtualcard::SettingsPathBeside("VirtualCard.dll"));
}

} // namespace
