// The on-screen menu's panels over a fake of the program: what each shows
// when opened and what each key asks of the program, the capture size
// applied in steps around a mute, the power-off date checked against its
// month.
#include "graph/WindowMessages.h"
#include "app/MChannelFrame.h"
#include "app/MEdit.h"
#include "app/MOffFrame.h"
#include "app/MProgress.h"
#include "app/MRecordPropertyFrame.h"
#include "app/MSelectList.h"
#include "app/MSlider.h"
#include "app/MVideo.h"
#include "app/Panel2.h"
#include "resources/Resource.h"
#include "tests/app/OsdMenuFixture.h"
#include "tests/support/WindowProbe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Panels = OsdMenuFixture;

TEST_F(Panels, PictureBarsShowTheCardAndApplyEachStep)
{
    engine.picture[IOsdEngine::kHue] = -20;
    MFrame* picture = Open(1);
    const int shown[] = {128, 68, -20, 64, 0};
    const int ranges[][2] = {{0, 255}, {0, 127}, {-128, 127}, {0, 127}, {-8, 7}};
    for (int row = 0; row < 5; ++row) {
        MProgress* bar = Widget<MProgress>(picture, row);
        ASSERT_NE(nullptr, bar);
        EXPECT_EQ(shown[row], bar->GetPos()) << "row " << row;
        int minimum = 0, maximum = 0;
        bar->GetRange(minimum, maximum);
        EXPECT_EQ(ranges[row][0], minimum);
        EXPECT_EQ(ranges[row][1], maximum);
    }
    // Right on brightness (the label passes on, the bar steps by 2), Left on hue.
    picture->SetFocusRow(0);
    EXPECT_EQ(0, Key(kOsdKeyRight));
    picture->SetFocusRow(2);
    Key(kOsdKeyLeft);
    Key(kOsdKeyLeft);
    EXPECT_EQ((Log{"picture 0 130", "picture 2 -22", "picture 2 -24"}), engine.Take());
    EXPECT_EQ(130, engine.picture[IOsdEngine::kBrightness]);
    // Sharpness at its top stays there.
    picture->SetFocusRow(4);
    engine.picture[IOsdEngine::kSharpness] = 7;
    Widget<MProgress>(picture, 4)->SetPos(7);
    Key(kOsdKeyRight);
    EXPECT_EQ(7, Widget<MProgress>(picture, 4)->GetPos());
    engine.Take();

    // Reset: nothing on "no"; on "yes" the card's defaults, shown at once.
    picture->SetFocusRow(5);
    Key(kOsdKeyEnter);
    EXPECT_TRUE(engine.Take().empty());
    Widget<MSelectList>(picture, 5)->SetState(0);
    Key(kOsdKeyEnter);
    EXPECT_EQ(Log{"reset picture"}, engine.Take());
    const int defaults[] = {128, 68, 0, 64, 0};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(defaults[row], Widget<MProgress>(picture, row)->GetPos()) << "row " << row;
    EXPECT_EQ(menu.GetFrame(CPanel2::kColorFrame), menu.GetCurrentFrame());
}

TEST_F(Panels, ChannelPanelTunesMarksAndDeletesTheChannelItShows)
{
    MChannelFrame* channels = dynamic_cast<MChannelFrame*>(Open(0));
    ASSERT_NE(nullptr, channels);
    CChannel* shown = engine.tv.GetChannel(1);
    EXPECT_EQ(shown, channels->GetShownChannel());
    MSlider* slider = Widget<MSlider>(channels, MChannelFrame::kFineTuneRow);
    int minimum = 0, maximum = 0;
    slider->GetRange(minimum, maximum);
    EXPECT_EQ(471250 - 2000, minimum);
    EXPECT_EQ(471250 + 2000, maximum);
    EXPECT_EQ(0, Widget<MSelectList>(channels, MChannelFrame::kFavouriteRow)->GetCurSel()) << "a favourite";
    EXPECT_EQ(1, Widget<MSelectList>(channels, MChannelFrame::kDeleteRow)->GetCurSel());
    EXPECT_EQ(1, Widget<MSelectList>(channels, MChannelFrame::kFavouritesOnlyRow)->GetCurSel());

    // Fine tuning: 50 kHz a key, kept with the channel.
    channels->SetFocusRow(MChannelFrame::kFineTuneRow);
    Key(kOsdKeyRight);
    Key(kOsdKeyRight);
    Key(kOsdKeyLeft);
    EXPECT_EQ((Log{"tune tv 471300", "tune tv 471350", "tune tv 471300"}), engine.Take());
    EXPECT_EQ(471300, shown->Frequency);
    EXPECT_TRUE(engine.tv.IsModified());
    for (int i = 0; i < 60; ++i)
        Key(kOsdKeyRight);
    EXPECT_EQ(471250 + 2000, shown->Frequency) << "within 2000 kHz of the channel";
    engine.Take();

    // The favourite mark and the favourites-only mode.
    channels->SetFocusRow(MChannelFrame::kFavouriteRow);
    Key(kOsdKeyRight);
    EXPECT_FALSE(shown->IsFavor());
    channels->SetFocusRow(MChannelFrame::kFavouritesOnlyRow);
    Key(kOsdKeyLeft);
    EXPECT_TRUE(engine.tv.GetFavorMode());
    Key(kOsdKeyLeft);
    EXPECT_FALSE(engine.tv.GetFavorMode());

    // Delete on "no" does nothing; on "yes" the channel goes and the next is tuned.
    channels->SetFocusRow(MChannelFrame::kDeleteRow);
    Key(kOsdKeyEnter);
    EXPECT_EQ(3, engine.tv.GetSize());
    Widget<MSelectList>(channels, MChannelFrame::kDeleteRow)->SetState(0);
    EXPECT_EQ(0, Key(kOsdKeyEnter));
    ASSERT_EQ(2, engine.tv.GetSize());
    EXPECT_STREQ("E25", channels->GetShownChannel()->Name);
    EXPECT_EQ(Log{"tune tv 503250"}, engine.Take());
    // Deleting the table's last channel leaves no channel to show; the
    // marks, the tuning and a second delete do nothing then.
    Key(kOsdKeyEnter);
    EXPECT_EQ(nullptr, channels->GetShownChannel());
    Key(kOsdKeyEnter);
    ASSERT_EQ(1, engine.tv.GetSize());
    EXPECT_STREQ("E5", engine.tv.GetChannel(0)->Name);
    channels->SetFocusRow(MChannelFrame::kFavouriteRow);
    EXPECT_EQ(0, Key(kOsdKeyRight));
    channels->SetFocusRow(MChannelFrame::kFineTuneRow);
    EXPECT_EQ(0, Key(kOsdKeyRight));
    EXPECT_TRUE(engine.Take().empty());
    EXPECT_FALSE(engine.tv.GetChannel(0)->IsFavor());
}

TEST_F(Panels, AChannelTheTableNoLongerHoldsIsNotTouched)
{
    MChannelFrame* channels = dynamic_cast<MChannelFrame*>(Open(0, MChannelFrame::kFineTuneRow));
    // A scan or the channel page replaced the table under the open panel.
    engine.tv.RemoveAll();
    engine.tv.AddChannel(CChannel(1, 600000, "New", CHANNEL_VALID));
    Key(kOsdKeyRight);
    EXPECT_TRUE(engine.Take().empty());
    channels->SetFocusRow(MChannelFrame::kDeleteRow);
    Widget<MSelectList>(channels, MChannelFrame::kDeleteRow)->SetState(0);
    Key(kOsdKeyEnter);
    EXPECT_EQ(1, engine.tv.GetSize()) << "nothing of the new table is deleted";
}

TEST_F(Panels, RecordingPanelAppliesEachChoiceAtOnce)
{
    engine.motionSearch = 3;
    engine.recordFormat = 2;
    MFrame* recording = Open(3);
    EXPECT_EQ(1, Widget<MSelectList>(recording, MRecordPropertyFrame::kSnapshotRow)->GetCurSel());
    EXPECT_EQ(2, Widget<MSelectList>(recording, MRecordPropertyFrame::kFormatRow)->GetCurSel());
    EXPECT_EQ(2, Widget<MSelectList>(recording, MRecordPropertyFrame::kMotionRow)->GetCurSel());
    EXPECT_EQ(1, Widget<MSelectList>(recording, MRecordPropertyFrame::kDisplayRow)->GetCurSel());
    EXPECT_EQ(100, Widget<MProgress>(recording, MRecordPropertyFrame::kJpegRow)->GetPos());

    const struct
    {
        int row;
        UINT key;
        Log calls;
    } steps[] = {
        {MRecordPropertyFrame::kSnapshotRow, kOsdKeyRight, {"snap bmp 1"}},
        {MRecordPropertyFrame::kFormatRow, kOsdKeyRight, {"record format 3", "menu checks"}},
        {MRecordPropertyFrame::kMotionRow, kOsdKeyRight, {"motion search 0"}},
        {MRecordPropertyFrame::kMotionRow, kOsdKeyRight, {"motion search 1"}},
        {MRecordPropertyFrame::kMotionRow, kOsdKeyRight, {"motion search 3"}},
        {MRecordPropertyFrame::kDisplayRow, kOsdKeyLeft, {"display quality 0"}},
        {MRecordPropertyFrame::kJpegRow, kOsdKeyLeft, {"jpeg quality 98"}},
        {MRecordPropertyFrame::kFormatRow, kOsdKeyEnter, {}},
    };
    for (const auto& step : steps) {
        recording->SetFocusRow(step.row);
        Key(step.key);
        EXPECT_EQ(step.calls, engine.Take()) << "row " << step.row;
    }
    // A stored motion search no option stands for leaves the option.
    engine.motionSearch = 2;
    menu.ShowPanel(TRUE);
    EXPECT_EQ(2, Widget<MSelectList>(menu.GetFrame(CPanel2::kRecordPropertyFrame), MRecordPropertyFrame::kMotionRow)
                     ->GetCurSel());
}

TEST_F(Panels, VideoPanelAppliesACaptureSizeInStepsAndOneAtATime)
{
    engine.videoSize = CSize(640, 480);
    MFrame* video = Open(4);
    MSelectList* sizes = Widget<MSelectList>(video, MVideo::kSizeRow);
    ASSERT_EQ(3, sizes->GetOptionCount());
    EXPECT_EQ("720 * 576", std::string(sizes->GetOptionText(2)));
    EXPECT_EQ(1, sizes->GetCurSel());
    EXPECT_EQ(0, Widget<MSelectList>(video, MVideo::kHighQualityRow)->GetCurSel());
    EXPECT_EQ(5, Widget<MProgress>(video, MVideo::kStrengthRow)->GetPos());

    EXPECT_EQ(0, Key(kOsdKeyRight));
    EXPECT_TRUE(MVideo::IsBusy());
    EXPECT_EQ(Log{"master mute 1"}, engine.Take());
    // A second key while the size is applied is ignored, its choice undone.
    EXPECT_EQ(0, Key(kOsdKeyRight)) << "the host answers every key";
    EXPECT_EQ(2, sizes->GetCurSel());
    ASSERT_TRUE(PumpUntil([]() { return !MVideo::IsBusy(); }, 10000));
    EXPECT_EQ((Log{"video size 720x576", "master mute 0"}), engine.Take());

    // 525 lines: the NTSC sizes.
    engine.line525 = TRUE;
    menu.ShowPanel(TRUE);
    EXPECT_EQ("720 * 480", std::string(sizes->GetOptionText(2)));

    const struct
    {
        int row;
        UINT key;
        Log calls;
    } steps[] = {
        {MVideo::kHighQualityRow, kOsdKeyRight, {"high quality 0"}},
        {MVideo::kNoiseRow, kOsdKeyLeft, {"noise reduce 0"}},
        {MVideo::kHalfRateRow, kOsdKeyRight, {"half rate 0"}},
        {MVideo::kStrengthRow, kOsdKeyRight, {"reduce value 7"}},
        {MVideo::kPowerOffRow, kOsdKeyRight, {"enable shut 1"}},
    };
    video = Open(4);
    for (const auto& step : steps) {
        video->SetFocusRow(step.row);
        Key(step.key);
        EXPECT_EQ(step.calls, engine.Take()) << "row " << step.row;
    }
    Key(kOsdKeyEnter);
    EXPECT_EQ(menu.GetFrame(CPanel2::kOffFrame), menu.GetCurrentFrame()) << "Enter on power-off opens its panel";
}

TEST(VideoSizes, TextsReadBackAsTheirSizes)
{
    CSize size;
    EXPECT_TRUE(MVideo::ParseSize(MVideo::SizeText(CSize(720, 576)), size));
    EXPECT_EQ(CSize(720, 576), size);
    for (const char* bad : {"", "720", "* 576", "720 * -4", "abc"})
        EXPECT_FALSE(MVideo::ParseSize(bad, size)) << bad;
}

TEST_F(Panels, PowerOffPanelStoresARealDateAndRefusesOneItsMonthLacks)
{
    MFrame* video = Open(4, MVideo::kPowerOffRow);
    Key(kOsdKeyEnter);
    MOffFrame* off = dynamic_cast<MOffFrame*>(menu.GetCurrentFrame());
    ASSERT_NE(nullptr, off);
    // Opened on the present time.
    EXPECT_EQ(CTime::GetCurrentTime().GetYear(), off->FieldEditor(MOffFrame::kDateRow, 0)->GetValue());

    // Up and Down on the date row change the editor under the cursor and
    // keep the focus; back on the label they move it.
    off->SetFocusRow(MOffFrame::kDateRow);
    off->ShowTime(CTime(2031, 2, 28, 22, 30, 0));
    Key(kOsdKeyRight);
    Key(kOsdKeyRight);
    Key(kOsdKeyRight); // the cursor on the day
    Key(kOsdKeyUp);
    Key(kOsdKeyUp);
    Key(kOsdKeyUp);
    EXPECT_EQ(MOffFrame::kDateRow, off->GetFocusRow());
    EXPECT_EQ(31, off->FieldEditor(MOffFrame::kDateRow, 2)->GetValue());
    Key(kOsdKeyRight); // back to the label
    Key(kOsdKeyDown);
    EXPECT_EQ(MOffFrame::kTimeRow, off->GetFocusRow());

    // 31 February: refused, nothing stored, the panel stays.
    off->SetFocusRow(MOffFrame::kEnableRow);
    Key(kOsdKeyEnter);
    EXPECT_EQ((Log{"message " + std::to_string(IDS_OSD_TIME_INVALID)}), engine.Take());
    EXPECT_EQ(off, menu.GetCurrentFrame());

    // A date that exists: stored, switched on, the panel's timer told, back.
    off->FieldEditor(MOffFrame::kDateRow, 2)->SetValue(28);
    Key(kOsdKeyEnter);
    EXPECT_EQ((Log{"shut time 2031-02-28 22:30:00", "enable shut 1", "power-off time 2031-02-28 22:30:00 1"}),
              engine.Take());
    EXPECT_EQ(video, menu.GetCurrentFrame());

    // Off: the switch and the panel's timer both off.
    video->SetFocusRow(MVideo::kPowerOffRow);
    Key(kOsdKeyEnter);
    dynamic_cast<MSelectList*>(off->GetRow(MOffFrame::kEnableRow)->GetWidget(1))->SetState(1);
    off->SetFocusRow(MOffFrame::kEnableRow);
    Key(kOsdKeyEnter);
    const Log calls = engine.Take();
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("enable shut 0", calls[0]);
    EXPECT_EQ(0u, calls[1].find("power-off time ")) << calls[1];
    EXPECT_EQ(' ', calls[1][calls[1].size() - 2]);
    EXPECT_EQ('0', calls[1].back());
    EXPECT_EQ(video, menu.GetCurrentFrame());
}

} // namespace
