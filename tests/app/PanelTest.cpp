// The control panel's own tables and state machines: the channel number
// typed with digits on a clock of the test's own, the keyboard table, the
// daily power-off time on a fake clock, the picture-property percentage
// and the tune-channel menu.
#include "app/ChannelEntry.h"
#include "app/Commands.h"
#include "app/PowerOffTime.h"
#include "app/TVControl.h"

#include "engine/TVManager.h"
#include "engine/Channel.h"
#include "platform/mfc/MessageBox.h"
#include "resources/Resource.h"
#include "tests/support/TempFolder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cmd;

namespace {

// A digit or the clock moving on; what shows, what is tuned.
struct EntryStep
{
    int digit;      // -1: no digit, only the clock moves on to `at`
    DWORD at;
    const char* shows;
    int tunes;      // the number tuned at this step, -1 none
};

// Runs the steps as the panel does: a digit that completes the entry tunes
// at once, a pending entry is tuned when its pause has run out.
void RunEntry(CChannelEntry& entry, const std::vector<EntryStep>& steps, const char* name)
{
    for (size_t i = 0; i < steps.size(); ++i) {
        const EntryStep& step = steps[i];
        SCOPED_TRACE(testing::Message() << name << " step " << i);
        int tuned = -1;
        if (step.digit >= 0) {
            if (entry.Enter(step.digit, step.at) == CChannelEntry::kTuneNow) {
                tuned = entry.Number();
                entry.Clear();
            }
        } else if (entry.IsDue(step.at)) {
            tuned = entry.Number();
            entry.Clear();
        }
        // An empty entry shows nothing (the panel hides the text).
        EXPECT_EQ(std::string(step.shows), entry.IsEmpty() ? std::string() : entry.Text());
        EXPECT_EQ(step.tunes, tuned);
    }
}

TEST(ChannelEntry, DigitsOnAClock)
{
    {
        CChannelEntry free;
        RunEntry(free,
                 {{1, 0, "1", -1}, {2, 400, "12", -1}, {3, 800, "123", -1}, {-1, 2000, "123", -1},
                  {-1, 2300, "", 123}},
                 "free 1 2 3");
    }
    {
        CChannelEntry free;
        RunEntry(free, {{1, 0, "1", -1}, {2, 10, "12", -1}, {3, 20, "123", -1}, {4, 30, "234", -1},
                        {-1, 1530, "", 234}},
                 "free, a fourth digit shifts the first out");
    }
    {
        CChannelEntry free;
        RunEntry(free, {{0, 0, "0", -1}, {7, 100, "07", -1}, {-1, 1600, "", 7}}, "free 0 7");
    }
    {
        CChannelEntry fixed;
        fixed.SetFixed(true);
        fixed.SetMode(1);
        EXPECT_EQ("--", fixed.Text());
        RunEntry(fixed, {{0, 0, "0-", -1}, {7, 100, "", 7}}, "fixed two places tune at the second digit");
    }
    {
        CChannelEntry fixed;
        fixed.SetFixed(true);
        fixed.SetMode(1);
        // A lone digit waits the fixed pause and is dropped: its places are
        // not all filled.
        RunEntry(fixed, {{7, 0, "7-", -1}, {-1, 5999, "7-", -1}, {-1, 6000, "", -1}}, "fixed lone digit");
    }
    {
        CChannelEntry fixed;
        fixed.SetFixed(true);
        fixed.SetMode(2);
        RunEntry(fixed, {{1, 0, "1--", -1}, {2, 10, "12-", -1}, {5, 20, "", 125}}, "fixed three places");
    }
    {
        CChannelEntry one;
        one.SetFixed(true);
        one.SetMode(0);
        RunEntry(one, {{9, 0, "", 9}}, "fixed one place");
    }
}

TEST(ChannelEntry, ModesCycleAndTheClockWrapsAround)
{
    CChannelEntry entry;
    entry.SetFixed(true);
    EXPECT_EQ("-", entry.Text());
    entry.CycleMode();
    EXPECT_EQ("--", entry.Text());
    entry.CycleMode();
    EXPECT_EQ("---", entry.Text());
    entry.CycleMode();
    EXPECT_EQ(0, entry.GetMode());
    // A tick count that wraps between the digit and the check.
    CChannelEntry free;
    free.Enter(4, 0xFFFFFF00u);
    EXPECT_FALSE(free.IsDue(0x00000100u));
    EXPECT_TRUE(free.IsDue(0xFFFFFF00u + CChannelEntry::kFreePauseMs));
    EXPECT_FALSE(CChannelEntry().IsDue(100000)); // nothing typed: nothing due
}

CommandState Source(int source)
{
    CommandState state;
    state.source = source;
    return state;
}

TEST(PanelKeys, KeyboardTable)
{
    const struct
    {
        UINT key;
        int source;
        bool keySwitch;
        bool hotKeys;
        RemoteAction action;
        UINT command;
        int value;
        bool consumed;
    } cases[] = {
        {'7', 0, true, true, RemoteAction::kDigit, 0, 7, true},
        {VK_NUMPAD3, 0, true, true, RemoteAction::kDigit, 0, 3, true},
        {'7', 0, false, true, RemoteAction::kNone, 0, 0, false}, // key switch off
        {'7', 3, true, true, RemoteAction::kNone, 0, 0, false},  // digits tune TV only
        // Numeric-pad 4 and 5 with another source do nothing: no settings
        // sheet, no exit.
        {VK_NUMPAD4, 3, true, true, RemoteAction::kNone, 0, 0, false},
        {VK_NUMPAD5, 1, true, true, RemoteAction::kNone, 0, 0, false},
        {VK_NUMPAD4, 0, true, true, RemoteAction::kDigit, 0, 4, true},
        {VK_UP, 3, true, true, RemoteAction::kCommand, ID_CHANNEL_NEXT, 0, true},
        {VK_DOWN, 0, true, true, RemoteAction::kCommand, ID_CHANNEL_PREV, 0, true},
        {VK_LEFT, 0, true, true, RemoteAction::kCommand, ID_VOLUME_DOWN, 0, true},
        {VK_RIGHT, 3, true, true, RemoteAction::kCommand, ID_VOLUME_UP, 0, true},
        {VK_UP, 0, true, false, RemoteAction::kNone, 0, 0, false}, // hot keys off
        {VK_UP, 1, true, true, RemoteAction::kNone, 0, 0, false},  // AV: no channels
        {VK_DIVIDE, 3, true, true, RemoteAction::kEntryMode, 0, 0, false},
        {VK_DIVIDE, 2, true, true, RemoteAction::kNone, 0, 0, false},
        {137, 0, true, true, RemoteAction::kCommand, ID_CHANNEL_NEXT, 0, true},
        {138, 3, true, false, RemoteAction::kCommand, ID_CHANNEL_PREV, 0, true},
        {135, 1, true, true, RemoteAction::kCommand, ID_VOLUME_UP, 0, false},
        {136, 2, false, false, RemoteAction::kCommand, ID_VOLUME_DOWN, 0, false},
        {'F', 0, true, true, RemoteAction::kNone, 0, 0, false}, // left to the hot keys
    };
    for (const auto& c : cases) {
        const KeyDecision got = DecideKey(c.key, Source(c.source), c.keySwitch, c.hotKeys);
        SCOPED_TRACE(testing::Message() << "key " << c.key << " source " << c.source);
        EXPECT_EQ((int)c.action, (int)got.what.action);
        EXPECT_EQ(c.command, got.what.command);
        EXPECT_EQ(c.value, got.what.value);
        EXPECT_EQ(c.consumed, got.consumed);
    }
}

CTime At(int day, int hour, int minute, int second)
{
    return CTime(2026, 3, day, hour, minute, second);
}

TEST(PowerOffTime, ChecksOnAFakeClock)
{
    const CTime chosen = At(1, 22, 30, 0); // the time of day counts, not the date
    {
        // Ten seconds ahead: a check in ten seconds, then the countdown.
        CPowerOffTime power;
        power.Set(chosen, true, At(10, 22, 29, 50));
        CPowerOffTime::Check check = power.Run(At(10, 22, 29, 50));
        EXPECT_FALSE(check.countdown);
        EXPECT_EQ(10u, check.nextSeconds);
        check = power.Run(At(10, 22, 30, 0));
        EXPECT_TRUE(check.countdown);
        // Once a day: the next ticks of the same day bring nothing.
        EXPECT_FALSE(power.Run(At(10, 22, 30, 1)).countdown);
        EXPECT_FALSE(power.Run(At(10, 23, 59, 59)).countdown);
        // Tomorrow it comes again at that time.
        check = power.Run(At(11, 0, 0, 30));
        EXPECT_FALSE(check.countdown);
        EXPECT_EQ(60u, check.nextSeconds);
        EXPECT_FALSE(power.Run(At(11, 22, 29, 58)).countdown);
        EXPECT_TRUE(power.Run(At(11, 22, 29, 59)).countdown); // a second ahead counts as now
    }
    {
        // Already passed today when set: not today, but tomorrow.
        CPowerOffTime power;
        power.Set(chosen, true, At(10, 23, 0, 0));
        CPowerOffTime::Check check = power.Run(At(10, 23, 0, 0));
        EXPECT_FALSE(check.countdown);
        EXPECT_EQ(60u, check.nextSeconds);
        check = power.Run(At(10, 23, 59, 30));
        EXPECT_EQ(29u, check.nextSeconds); // within the hour: up to its end
        EXPECT_TRUE(power.Run(At(11, 22, 30, 0)).countdown);
    }
    {
        // A late tick: the last check was 40 s before the time, the next
        // comes 25 s after it. The time passed between them: countdown.
        CPowerOffTime power;
        power.Set(chosen, true, At(10, 22, 29, 20));
        EXPECT_FALSE(power.Run(At(10, 22, 29, 20)).countdown);
        EXPECT_TRUE(power.Run(At(10, 22, 30, 25)).countdown);
        EXPECT_FALSE(power.Run(At(10, 22, 30, 40)).countdown);
    }
    {
        CPowerOffTime power;
        power.Set(chosen, false, At(10, 22, 30, 0));
        const CPowerOffTime::Check check = power.Run(At(10, 22, 30, 0));
        EXPECT_FALSE(check.enabled);
        EXPECT_FALSE(check.countdown);
    }
}

TEST(PanelProperty, PercentOfAValueInItsRange)
{
    EXPECT_EQ(50, CTVControl::PropertyPercent(128, 0, 256));
    EXPECT_EQ(0, CTVControl::PropertyPercent(0, 0, 255));
    EXPECT_EQ(100, CTVControl::PropertyPercent(255, 0, 255));
    EXPECT_EQ(-1, CTVControl::PropertyPercent(10, -128, 127)); // a negative minimum is not shown
    EXPECT_EQ(-1, CTVControl::PropertyPercent(10, 20, 20));    // no width
    EXPECT_EQ(-1, CTVControl::PropertyPercent(300, 0, 255));   // above the range
}

TEST(PanelText, FMChannels)
{
    const CChannel named(3, 98500, "Radio", CHANNEL_VALID);
    const CChannel bare(0, 101700, "", CHANNEL_VALID);
    const CChannel numbered(7, 87600, "", CHANNEL_VALID);
    EXPECT_STREQ("FM", CTVControl::FMChannelText(nullptr));
    EXPECT_STREQ("3 Radio - 98.5", CTVControl::FMChannelText(&named));
    EXPECT_STREQ("FM 101.7", CTVControl::FMChannelText(&bare));
    EXPECT_STREQ("7  - 87.6", CTVControl::FMChannelText(&numbered));
}

// The volume slider's scroll codes: laid across, the position is the
// volume and every code counts; upright, the top is the loudest and only
// the end of a drag and a thumb position count. Always within the range.
TEST(PanelVolume, ScrollCodes)
{
    const CTVControl::SliderReading slider = {30, 0, 100, 10};
    const struct
    {
        UINT code;
        int thumb;
        int current;
        int across; // WM_HSCROLL; -1: nothing
    } hcases[] = {
        {TB_LINEUP, 0, 40, 35},      {TB_LINEDOWN, 0, 40, 45},   {TB_PAGEUP, 0, 40, 30},
        {TB_PAGEDOWN, 0, 40, 50},    {TB_THUMBPOSITION, 72, 40, 72}, {TB_THUMBTRACK, 9, 40, 9},
        {TB_TOP, 0, 40, 0},          {TB_BOTTOM, 0, 40, 100},    {TB_ENDTRACK, 0, 40, -1},
        {99, 0, 40, 40}, // any other code: the current volume again
        {TB_LINEUP, 0, 2, 0},        {TB_PAGEDOWN, 0, 95, 100},  {TB_THUMBTRACK, 150, 40, 100},
        {TB_THUMBPOSITION, -3, 40, 0},
    };
    for (const auto& c : hcases)
        EXPECT_EQ(c.across, CTVControl::VolumeForHScroll(c.code, c.thumb, c.current, slider))
            << "code " << c.code << " thumb " << c.thumb << " current " << c.current;
    // A skin's own range and page size.
    const CTVControl::SliderReading narrow = {0, 20, 80, 25};
    EXPECT_EQ(20, CTVControl::VolumeForHScroll(TB_TOP, 0, 50, narrow));
    EXPECT_EQ(75, CTVControl::VolumeForHScroll(TB_PAGEDOWN, 0, 50, narrow));
    EXPECT_EQ(80, CTVControl::VolumeForHScroll(TB_BOTTOM, 0, 50, narrow));

    const struct
    {
        UINT code;
        int position;
        int upright; // WM_VSCROLL; -1: nothing
    } vcases[] = {
        {TB_ENDTRACK, 30, 70}, {TB_THUMBPOSITION, 0, 100}, {TB_THUMBPOSITION, 100, 0},
        {TB_THUMBTRACK, 30, -1}, {TB_LINEUP, 30, -1}, {TB_PAGEDOWN, 30, -1}, {TB_TOP, 30, -1},
        {TB_ENDTRACK, 130, 0},
    };
    for (const auto& c : vcases) {
        CTVControl::SliderReading reading = slider;
        reading.position = c.position;
        EXPECT_EQ(c.upright, CTVControl::VolumeForVScroll(c.code, reading))
            << "code " << c.code << " position " << c.position;
    }
}

// The panel over a manager of a scratch folder (no devices: TV source).
class ChannelMenuTest : public testing::Test
{
protected:
    ChannelMenuTest() : m_manager(m_work.Path().c_str()), m_panel(m_manager, m_folder) {}
    ~ChannelMenuTest() override { AfxSetMessageBoxHook(m_previousHook); }
    void Add(int count, int hiddenEvery = 0)
    {
        CChannelTable& table = m_manager.GetTVTable();
        for (int i = 1; i <= count; ++i) {
            CString name;
            name.Format("Ch%d", i);
            CChannel channel(i, 48250 + i * 8000, name, CHANNEL_VALID);
            if (hiddenEvery > 0 && i % hiddenEvery == 0)
                channel.SetHidden(TRUE);
            table.AddChannel(channel);
        }
    }
    // Every tune-channel item under `menu`: its id and label, in order.
    static void Collect(HMENU menu, std::vector<std::pair<UINT, std::string>>& items, int& submenus)
    {
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            if (HMENU sub = ::GetSubMenu(menu, i)) {
                ++submenus;
                Collect(sub, items, submenus);
                continue;
            }
            const UINT id = ::GetMenuItemID(menu, i);
            if (id == 0)
                continue;
            char text[64] = {0};
            ::GetMenuStringA(menu, (UINT)i, text, sizeof text, MF_BYPOSITION);
            items.push_back({id, text});
        }
    }

    // No message box waits for a person (a missing key file says so).
    static int Answer(HWND, LPCSTR, LPCSTR, UINT) { return IDOK; }
    AfxMessageBoxHook m_previousHook = AfxSetMessageBoxHook(&Answer);
    TempFolder m_work;
    CString m_folder;
    CTVManager m_manager;
    CTVControl m_panel;
};

TEST_F(ChannelMenuTest, NoChannelsGiveOneGreyedItem)
{
    HMENU menu = ::CreatePopupMenu();
    EXPECT_EQ(1, m_panel.BuildChannelMenu(menu));
    HMENU list = ::GetSubMenu(menu, 0);
    ASSERT_NE((HMENU)NULL, list);
    EXPECT_EQ(1, ::GetMenuItemCount(list));
    EXPECT_EQ((UINT)ID_TUNE_CHANNEL_FIRST, ::GetMenuItemID(list, 0));
    EXPECT_TRUE(::GetMenuState(list, 0, MF_BYPOSITION) & MF_GRAYED);
    ::DestroyMenu(menu);
}

TEST_F(ChannelMenuTest, ThirtyOneChannelsGoOnInASubmenu)
{
    Add(32, 32); // the 32nd is hidden and not listed
    HMENU menu = ::CreatePopupMenu();
    EXPECT_EQ(31, m_panel.BuildChannelMenu(menu));
    std::vector<std::pair<UINT, std::string>> items;
    int submenus = 0;
    Collect(menu, items, submenus);
    ASSERT_EQ(31u, items.size());
    EXPECT_EQ(2, submenus); // the list and one "More Channels"
    EXPECT_EQ((UINT)ID_TUNE_CHANNEL_FIRST, items[0].first);
    EXPECT_EQ("1.Ch1", items[0].second);
    EXPECT_EQ((UINT)ID_TUNE_CHANNEL_FIRST + 30, items[30].first);
    EXPECT_EQ("31.Ch31", items[30].second);
    HMENU list = ::GetSubMenu(menu, 0);
    EXPECT_EQ(32, ::GetMenuItemCount(list)); // 30 items, a separator, the submenu
    ::DestroyMenu(menu);
}

TEST_F(ChannelMenuTest, MoreChannelsThanIdsStopAtTheBound)
{
    Add(600);
    HMENU menu = ::CreatePopupMenu();
    const int bound = TuneChannelCount();
    EXPECT_EQ(bound, m_panel.BuildChannelMenu(menu));
    std::vector<std::pair<UINT, std::string>> items;
    int submenus = 0;
    Collect(menu, items, submenus);
    ASSERT_EQ((size_t)bound, items.size());
    EXPECT_EQ(1 + 10, submenus);
    // Every item's id is a tune-channel id: none is another command's.
    for (const auto& item : items)
        EXPECT_EQ((UINT)ID_TUNE_CHANNEL_FIRST, FindCommandRow(item.first)->id) << item.first;
    EXPECT_EQ((UINT)ID_TUNE_CHANNEL_LAST, items.back().first);
    // The 79th item tunes the 79th channel (its id steps over top-most).
    m_panel.CmdTuneChannel(TuneChannelId(78));
    EXPECT_EQ(78, m_manager.GetTVTable().GetCurrentIndex());
    // The last id tunes the last channel listed; once that channel has
    // moved in the table, its item tunes nothing.
    m_panel.CmdTuneChannel(ID_TUNE_CHANNEL_LAST);
    EXPECT_EQ(bound - 1, m_manager.GetTVTable().GetCurrentIndex());
    m_manager.GetTVTable().SetCurrentIndex(0);
    m_manager.GetTVTable().GetChannel(bound - 1)->Frequency += 1000;
    m_panel.CmdTuneChannel(ID_TUNE_CHANNEL_LAST);
    EXPECT_EQ(0, m_manager.GetTVTable().GetCurrentIndex());
    ::DestroyMenu(menu);
}

} // namespace
