// The record and time-shift settings of the hardware object that need no
// graph: the time-shift buffer's size, the values it refuses, the buffer
// path the filter can take, the dispatch tables' rows and the FM files'
// extensions.
#include "engine/TVHardWare.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>

namespace {

TEST(TimeShiftBuffer, SizeIsTheStreamsBytesForTheLength)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        int audioIndex;
        double muxBitRate;
        int seconds;
        BOOL sized;
        LONGLONG bytes;
    } cases[] = {
        {11, 6000000.0, 600, TRUE, 466800000LL},   // 224 kbit/s, 6 Mbit/s, ten minutes
        {1, 0.0, 600, TRUE, 32 * 125 * 600LL},     // the table's ends
        {14, 0.0, 600, TRUE, 384 * 125 * 600LL},
        {11, 6000000.0, 86400, TRUE, 67219200000LL},  // a day: past 32 bits
        {11, 6000000.0, INT_MAX, TRUE, 778000LL * INT_MAX},  // the longest length
        {0, 6000000.0, 600, FALSE, 0},             // outside the table
        {15, 6000000.0, 600, FALSE, 0},
        {-3, 6000000.0, 600, FALSE, 0},
        {11, -1.0, 600, FALSE, 0},                 // a rate the encoder cannot have
        {11, nan, 600, FALSE, 0},
        {11, 6000000.0, 0, FALSE, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.audioIndex << " " << c.muxBitRate << " " << c.seconds);
        LONGLONG bytes = -1;
        EXPECT_EQ(c.sized, CTVHardWare::TimeShiftBufferSize(c.audioIndex, c.muxBitRate, c.seconds, &bytes));
        EXPECT_EQ(c.bytes, bytes);
    }
    EXPECT_FALSE(CTVHardWare::TimeShiftBufferSize(11, 6000000.0, 600, NULL));
}

TEST(TimeShiftBuffer, SettingsRefuseWhatTheFilterCannotTake)
{
    CTVHardWare hw;
    // The default buffer lies in the temporary folder.
    const std::string defaultFile = (LPCSTR)hw.GetTFFile();
    EXPECT_EQ("\\~TF.mpg", defaultFile.substr(defaultFile.size() - 8));
    EXPECT_EQ(600, hw.GetTFLength());

    EXPECT_FALSE(hw.SetTFLength(599));
    EXPECT_EQ(600, hw.GetTFLength());
    EXPECT_TRUE(hw.SetTFLength(600));
    EXPECT_TRUE(hw.SetTFLength(1800));
    EXPECT_EQ(1800, hw.GetTFLength());
    EXPECT_FALSE(hw.SetTFReserved(-1));
    EXPECT_TRUE(hw.SetTFReserved(5));
    EXPECT_EQ(5, hw.GetTFReserved());

    // Buffer and index names must each fit the filter's 260 bytes.
    const std::string folder = "D:\\Video\\";
    const std::string longest = folder + std::string(MAX_PATH - 1 - folder.size() - 4, 'n') + ".mpg";
    ASSERT_EQ(size_t(MAX_PATH - 1), longest.size());
    const struct {
        std::string path;
        BOOL taken;
    } cases[] = {
        {"D:\\Video\\20261211-010203.mpg", TRUE},
        {longest, TRUE},
        {longest + "x", FALSE},                               // the buffer's name is too long
        {folder + std::string(MAX_PATH - 2 - folder.size(), 'n'), FALSE},  // fits, but its ".idx" does not
        {"", FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.size());
        EXPECT_EQ(c.taken, hw.SetTFFile(c.path.c_str()));
        // A refused path leaves no buffer to start time shift on.
        EXPECT_EQ(c.taken ? c.path : std::string(), std::string((LPCSTR)hw.GetTFFile()));
    }
    EXPECT_FALSE(hw.SetTFFile(NULL));
}

TEST(RecordTables, EveryFormatHasItsRowInIdOrder)
{
    CTVHardWare hw;
    const std::vector<RecordFormatRow>& video = hw.GetRecordFormatTable();
    ASSERT_EQ(8u, video.size());
    for (size_t i = 0; i < video.size(); ++i) {
        EXPECT_EQ(int(i), video[i].id);
        EXPECT_TRUE(video[i].CreateFilter && video[i].PresetFilter && video[i].BuildFilter);
    }
    // AVI and MPEG-4 have no encoder to set.
    EXPECT_FALSE(video[0].SetfilterProp);
    EXPECT_FALSE(video[3].SetfilterProp);
    EXPECT_TRUE(video[4].SetfilterProp);
    const std::vector<RecordFormatRow>& fm = hw.GetFMRecordFormatTable();
    ASSERT_EQ(4u, fm.size());
    for (size_t i = 0; i < fm.size(); ++i)
        EXPECT_EQ(int(i), fm[i].id);

    EXPECT_EQ(4, hw.GetRecordFormat());
    EXPECT_FALSE(hw.SetRecordFormat(8));
    EXPECT_FALSE(hw.SetRecordFormat(-1));
    EXPECT_EQ(4, hw.GetRecordFormat());
}

TEST(RecordTables, FMRecordingsInAnAviContainerAreNamedAvi)
{
    EXPECT_STREQ(".avi", CTVHardWare::GetFMRecordExtension(0));  // PCM
    EXPECT_STREQ(".avi", CTVHardWare::GetFMRecordExtension(1));  // ADPCM
    EXPECT_STREQ(".mp2", CTVHardWare::GetFMRecordExtension(2));  // the encoder's MPEG audio
    EXPECT_STREQ(".avi", CTVHardWare::GetFMRecordExtension(3));  // a compressor of the user's
}

} // namespace
