// The largest capture size among a pin's capabilities, with capability
// records sized as the pin reports them.
#include "cards/StreamCaps.h"

#include "tests/cards/FakeCaptureFilter.h"

#include <gtest/gtest.h>

namespace {

typedef FakeStreamConfig::Capability Cap;

Cap Uyvy(LONG cx, LONG cy) { return {MEDIASUBTYPE_UYVY, FORMAT_VideoInfo, true, {cx, cy}}; }

} // namespace

TEST(StreamCaps, LargestOfTheSubtype)
{
    const int video = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    struct Row
    {
        const char* name;
        std::vector<Cap> caps;
        int reportedCount;
        int recordBytes;
        bool found;
        SIZE size;
    } rows[] = {
        {"largest UYVY", {Uyvy(720, 576), {MEDIASUBTYPE_YUY2, FORMAT_VideoInfo, true, {1024, 768}},
                          Uyvy(640, 480)}, -1, video, true, {720, 576}},
        {"no format block, other format type",
         {{MEDIASUBTYPE_UYVY, FORMAT_VideoInfo, false, {1920, 1080}},
          {MEDIASUBTYPE_UYVY, FORMAT_VideoInfo2, true, {1920, 1080}}, Uyvy(320, 240)},
         -1, video, true, {320, 240}},
        {"equal areas keep the first", {Uyvy(720, 480), Uyvy(640, 540)}, -1, video, true, {720, 480}},
        {"none of the subtype", {{MEDIASUBTYPE_YUY2, FORMAT_VideoInfo, true, {720, 576}}}, -1, video,
         false, {}},
        {"a driver record longer than the layout", {Uyvy(720, 576)}, -1, video + 200, true, {720, 576}},
        {"a record too short for the layout", {Uyvy(720, 576)}, -1, 8, false, {}},
        {"a count past reason", {Uyvy(720, 576)}, 100000, video, false, {}},
        {"a count past the list", {Uyvy(720, 576)}, 3, video, true, {720, 576}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeStreamConfig config;
        config.capabilities = row.caps;
        config.reportedCount = row.reportedCount;
        config.recordBytes = row.recordBytes;
        SIZE size = {-1, -1};
        EXPECT_EQ(row.found, FindLargestVideoCaps(&config, MEDIASUBTYPE_UYVY, &size) != FALSE);
        EXPECT_EQ(row.found ? row.size.cx : -1, size.cx);
        EXPECT_EQ(row.found ? row.size.cy : -1, size.cy);
        EXPECT_EQ(1u, config.Refs());
    }
    FakeStreamConfig config;
    SIZE size;
    EXPECT_FALSE(FindLargestVideoCaps(NULL, MEDIASUBTYPE_UYVY, &size));
    EXPECT_FALSE(FindLargestVideoCaps(&config, MEDIASUBTYPE_UYVY, NULL));
}
