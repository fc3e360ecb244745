// The command table and its router: which commands run and show enabled
// and checked for each input source and busy state, what each remote code
// does in each state, the hot-key rows, and the router's pushes to a
// window's controls and to a menu.
#include "app/CommandRouter.h"

#include "resources/Resource.h"
#include "tests/app/RecordingPanel.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace cmd;

namespace {

const int TV = 0, AV = 1, SV = 2, FM = 3;

CommandState State(int source, UINT flags = 0)
{
    CommandState state;
    state.source = source;
    state.flags = flags;
    return state;
}

TEST(Commands, GatingBySourceAndBusyState)
{
    const struct
    {
        int source;
        UINT flags;
        UINT id;
        bool runs;
        const char* handler;
    } cases[] = {
        // Channel steps: TV or FM, never while busy.
        {TV, 0, ID_CHANNEL_NEXT, true, "CmdChannelNext"},
        {FM, 0, ID_CHANNEL_PREV, true, "CmdChannelPrev"},
        {AV, 0, ID_CHANNEL_NEXT, false, nullptr},
        {SV, 0, ID_CHANNEL_PREV, false, nullptr},
        {TV, kScan, ID_CHANNEL_NEXT, false, nullptr},
        {TV, kRecord, ID_CHANNEL_PREV, false, nullptr},
        {TV, kTimeShift, ID_CHANNEL_NEXT, false, nullptr},
        // Last channel, wall, time shift: TV alone.
        {TV, 0, ID_CHANNEL_LAST, true, "CmdChannelLast"},
        {FM, 0, ID_CHANNEL_LAST, false, nullptr},
        {AV, 0, ID_CHANNEL_LAST, false, nullptr},
        {TV, 0, ID_CHANNEL_WALL, true, "CmdChannelWall"},
        {FM, 0, ID_CHANNEL_WALL, false, nullptr},
        {TV, kTimeShift, ID_CHANNEL_WALL, false, nullptr},
        {TV, 0, ID_TIMESHIFT_START, true, "CmdTimeShiftStart"},
        {SV, 0, ID_TIMESHIFT_START, false, nullptr},
        // Every source but FM: snapshot, picture, full screen, sizes.
        {AV, 0, ID_SNAPSHOT, true, "CmdSnapshot"},
        {FM, 0, ID_SNAPSHOT, false, nullptr},
        {TV, kRecord, ID_SNAPSHOT, false, nullptr},
        {TV, kDesktop, ID_SNAPSHOT, false, nullptr},
        {SV, 0, ID_FULL_SCREEN, true, "CmdFullScreen"},
        {FM, 0, ID_FULL_SCREEN, false, nullptr},
        {TV, kDesktop, ID_FULL_SCREEN, true, "CmdFullScreen"}, // the way out of desktop video
        {FM, 0, ID_SIZE_640X480, false, nullptr},
        {AV, 0, ID_ASPECT_16_9, true, "CmdAspect"},
        {FM, 0, ID_PICTURE_DIALOG, false, nullptr},
        // Scan and channel settings: TV or FM.
        {FM, 0, ID_CHANNEL_SCAN, true, "CmdChannelScan"},
        {TV, kScan, ID_CHANNEL_SCAN, true, "CmdChannelScan"}, // stops the scan
        {TV, kRecord, ID_CHANNEL_SCAN, false, nullptr},
        {AV, 0, ID_CHANNEL_SCAN, false, nullptr},
        {TV, kSheet, ID_CHANNEL_SETTINGS, false, nullptr},
        {FM, 0, ID_CHANNEL_SETTINGS, true, "CmdChannelSettings"},
        // The settings sheet, the source, the context menu and the companion
        // programs: refused while a scan, a recording or time shift runs,
        // in every source (each could end the recording's graph).
        {TV, 0, ID_SETTINGS, true, "CmdSettings"},
        {TV, kScan, ID_SETTINGS, false, nullptr},
        {TV, kRecord, ID_SETTINGS, false, nullptr},
        {FM, kRecord, ID_SETTINGS, false, nullptr},
        {TV, kTimeShift, ID_SETTINGS, false, nullptr},
        {AV, 0, ID_INPUT_SOURCE, true, "CmdInputSource"},
        {TV, kScan, ID_INPUT_SOURCE, false, nullptr},
        {TV, kDesktop, ID_INPUT_SOURCE, false, nullptr},
        {TV, kRecord, ID_INPUT_SOURCE, false, nullptr},
        {FM, kRecord, ID_INPUT_SOURCE, false, nullptr},
        {SV, kRecord, ID_INPUT_SOURCE, false, nullptr},
        {TV, kTimeShift, ID_INPUT_SOURCE, false, nullptr},
        {FM, 0, ID_CONTEXT_MENU, true, "CmdContextMenu"},
        {TV, kSheet, ID_CONTEXT_MENU, false, nullptr},
        {TV, kRecord, ID_CONTEXT_MENU, false, nullptr},
        {AV, kRecord, ID_CONTEXT_MENU, false, nullptr},
        {TV, kTimeShift, ID_CONTEXT_MENU, false, nullptr},
        {AV, kRecord, ID_MOVIE_PLAYER, false, nullptr},
        {TV, kTimeShift, ID_MOVIE_PLAYER, false, nullptr},
        {FM, kRecord, ID_IMAGE_BROWSER, false, nullptr},
        {TV, kTimeShift, ID_IMAGE_BROWSER, false, nullptr},
        {FM, 0, ID_IMAGE_BROWSER, true, "CmdImageBrowser"},
        // Any source, any state.
        {FM, kBusy | kDesktop, ID_MUTE, true, "CmdMute"},
        {AV, kBusy, ID_VOLUME_UP, true, "CmdVolumeUp"},
        {TV, kDesktop, ID_EXIT, false, nullptr},
        {FM, kBusy, ID_EXIT, true, "CmdExit"},
        // Ranges pass their id on.
        {TV, 0, ID_TUNE_CHANNEL_FIRST + 7, true, "CmdTuneChannel"},
        {FM, 0, ID_TUNE_CHANNEL_LAST, true, "CmdTuneChannel"},
        {TV, kRecord, ID_TUNE_CHANNEL_FIRST, false, nullptr},
        {AV, 0, ID_TUNE_CHANNEL_FIRST, false, nullptr},
        {TV, 0, ID_FORMAT_DVD, true, "CmdRecordFormat"},
        {TV, kRecord, ID_FORMAT_DVD, false, nullptr},
        // The on-screen menu: TV, not recording or time shift.
        {TV, kScan, ID_OSD_MENU, true, "CmdOsdMenu"},
        {TV, kTimeShift, ID_OSD_MENU, false, nullptr},
        {FM, 0, ID_OSD_MENU, false, nullptr},
        // Not commands of the table.
        {TV, 0, ID_TUNE_CHANNEL_LAST + 1, false, nullptr},
        {TV, 0, IDC_PANEL_VOLUME, false, nullptr},
    };
    for (const auto& c : cases) {
        RecordingPanel panel;
        CCommandRouter router(panel);
        router.SetState(State(c.source, c.flags));
        SCOPED_TRACE(testing::Message() << "command " << c.id << " source " << c.source << " flags 0x" << std::hex
                                        << c.flags);
        EXPECT_EQ(c.runs, router.Execute(c.id) != FALSE);
        EXPECT_EQ(c.runs, router.IsEnabled(c.id));
        if (c.runs) {
            ASSERT_EQ(1u, panel.calls.size());
            EXPECT_EQ(std::string(c.handler) + " " + std::to_string(c.id), panel.calls[0]);
        } else {
            EXPECT_TRUE(panel.calls.empty());
        }
    }
}

// Pause only where it can act: time shift, or a recording whose format can
// pause (not AVI 0, not MPEG-4 3, not FM's); checked while paused.
TEST(Commands, PauseIsOfferedWhereItCanAct)
{
    const struct
    {
        int source;
        UINT flags;
        int format;
        bool runs;
    } cases[] = {
        {TV, 0, 1, false},
        {TV, kTimeShift, 0, true},
        {TV, kTimeShift | kPaused, 3, true},
        {TV, kRecord, 0, false},
        {TV, kRecord, 3, false},
        {TV, kRecord, 1, true},
        {AV, kRecord, 2, true},
        {SV, kRecord | kPaused, 7, true},
        {FM, kRecord, 1, false},
    };
    for (const auto& c : cases) {
        RecordingPanel panel;
        CCommandRouter router(panel);
        CommandState state = State(c.source, c.flags);
        state.recordFormat = c.format;
        router.SetState(state);
        SCOPED_TRACE(testing::Message() << "source " << c.source << " flags 0x" << std::hex << c.flags << std::dec
                                        << " format " << c.format);
        EXPECT_EQ(c.runs, router.IsEnabled(ID_PAUSE));
        EXPECT_EQ(c.runs, router.Execute(ID_PAUSE) != FALSE);
        EXPECT_EQ((c.flags & kPaused) != 0, router.IsChecked(ID_PAUSE));
        // The remote's pause key goes through the same gate.
        EXPECT_TRUE(DecideRemoteCode(123, state).command == ID_PAUSE);
    }
}

TEST(Commands, CheckedAndShownStates)
{
    const struct
    {
        CommandState state;
        UINT id;
        bool enabled;
        bool checked;
    } cases[] = {
        {State(TV, kMuted), ID_MUTE, true, true},
        {State(TV), ID_MUTE, true, false},
        {State(TV, kMuted), ID_MUTE_TOGGLE, true, true},
        {State(TV, kTopMost), ID_TOPMOST, true, true},
        {State(TV, kFull), ID_FULL_SCREEN, true, true},
        {State(FM, kFull), ID_FULL_SCREEN, false, true},
        {State(TV, kSize320), ID_SIZE_320X240, true, true},
        {State(TV, kSize320), ID_SIZE_640X480, true, false},
        {State(TV, kSize640), ID_SIZE_640X480, true, true},
        {State(TV, kTeletext), ID_TELETEXT, true, true},
        // Show panel: enabled only while the video window shows, checked
        // while the panel shows.
        {State(TV, kVideoShown | kPanelShown), ID_SHOW_PANEL, true, true},
        {State(FM, kPanelShown), ID_SHOW_PANEL, false, true},
        // Time-shift pause and stop show enabled only while it runs.
        {State(TV), ID_TIMESHIFT_PAUSE, false, false},
        {State(TV, kTimeShift), ID_TIMESHIFT_STOP, true, false},
    };
    for (const auto& c : cases) {
        RecordingPanel panel;
        CCommandRouter router(panel);
        router.SetState(c.state);
        SCOPED_TRACE(testing::Message() << "command " << c.id << " flags 0x" << std::hex << c.state.flags);
        EXPECT_EQ(c.enabled, router.IsEnabled(c.id));
        EXPECT_EQ(c.checked, router.IsChecked(c.id));
    }
    // Show panel still acts when the video window is hidden (FM: the panel
    // is minimised or restored).
    RecordingPanel panel;
    CCommandRouter router(panel);
    router.SetState(State(FM));
    EXPECT_TRUE(router.Execute(ID_SHOW_PANEL));
}

TEST(Commands, RecordFormatRadioChecks)
{
    RecordingPanel panel;
    CCommandRouter router(panel);
    CommandState state = State(TV);
    state.recordFormat = 3;
    state.fmFormat = 3;
    router.SetState(state);
    for (UINT id = ID_FORMAT_AVI; id <= ID_FORMAT_HIDVD; ++id)
        EXPECT_EQ(id == ID_FORMAT_MPEG4, router.IsChecked(id)) << id;
    for (UINT id = ID_FM_FORMAT_PCM; id <= ID_FM_FORMAT_CUSTOM; ++id)
        EXPECT_EQ(id == ID_FM_FORMAT_CUSTOM, router.IsChecked(id)) << id;
}

TEST(Commands, HoldsGreyACommandUntilLifted)
{
    RecordingPanel panel;
    CCommandRouter router(panel);
    router.SetState(State(TV));
    router.EnableCommand(ID_RECORD, FALSE);
    EXPECT_FALSE(router.IsEnabled(ID_RECORD));
    EXPECT_FALSE(router.Execute(ID_RECORD));
    // Enabling lifts the hold only: the table still refuses AV's channel steps.
    router.EnableCommand(ID_RECORD, TRUE);
    EXPECT_TRUE(router.Execute(ID_RECORD));
    router.SetState(State(AV));
    router.EnableCommand(ID_CHANNEL_NEXT, TRUE);
    EXPECT_FALSE(router.IsEnabled(ID_CHANNEL_NEXT));
    router.EnableCommand(ID_PANEL_HELP, FALSE);
    router.ClearHolds();
    EXPECT_TRUE(router.IsEnabled(ID_PANEL_HELP));
}

TEST(Commands, RouteTakesMenusAcceleratorsAndClicksOfTableCommands)
{
    RecordingPanel panel;
    CCommandRouter router(panel);
    router.SetState(State(TV));
    HWND button = (HWND)(INT_PTR)0x1234; // only compared with NULL
    EXPECT_TRUE(router.Route(MAKEWPARAM(ID_MUTE, 0), 0));            // menu
    EXPECT_TRUE(router.Route(MAKEWPARAM(ID_VOLUME_UP, 1), 0));       // accelerator
    EXPECT_TRUE(router.Route(MAKEWPARAM(ID_CHANNEL_NEXT, BN_CLICKED), (LPARAM)button));
    // A refused command is still the table's: nothing else runs it.
    EXPECT_TRUE(router.Route(MAKEWPARAM(ID_CHANNEL_LAST, 0), 0) && router.GetState().source == TV);
    EXPECT_FALSE(router.Route(MAKEWPARAM(IDC_PANEL_VOLUME, 0), 0));
    EXPECT_FALSE(router.Route(MAKEWPARAM(ID_MUTE, BN_SETFOCUS), (LPARAM)button));
    EXPECT_EQ((std::vector<std::string>{"CmdMute 1084", "CmdVolumeUp 32903", "CmdChannelNext 1000",
                                        "CmdChannelLast 1008"}),
              panel.calls);
}

// The button, the hot key, the menu item and the remote key of the
// commands that would end a recording are one gate: all refuse together.
TEST(Commands, EveryRoadRefusesTheSameCommandsWhileRecording)
{
    HWND button = (HWND)(INT_PTR)0x1234; // only compared with NULL
    for (UINT flags : {(UINT)kRecord, (UINT)kTimeShift}) {
        for (UINT id : {ID_INPUT_SOURCE, ID_SETTINGS, ID_MOVIE_PLAYER, ID_IMAGE_BROWSER, ID_CONTEXT_MENU}) {
            RecordingPanel panel;
            CCommandRouter router(panel);
            router.SetState(State(TV, flags));
            SCOPED_TRACE(testing::Message() << "command " << id << " flags 0x" << std::hex << flags);
            EXPECT_TRUE(router.Route(MAKEWPARAM(id, 0), 0));                         // menu
            EXPECT_TRUE(router.Route(MAKEWPARAM(id, 1), 0));                         // hot key
            EXPECT_TRUE(router.Route(MAKEWPARAM(id, BN_CLICKED), (LPARAM)button)); // button
            EXPECT_TRUE(panel.calls.empty());
        }
        EXPECT_TRUE(DecideRemoteCode(115, State(TV, flags)) == RemoteDecision());
    }
}

TEST(Commands, BindableRowsAreUniqueAndCarryTheirNames)
{
    std::set<UINT> ids;
    std::set<std::pair<BYTE, BYTE>> keys;
    int bindable = 0;
    for (size_t i = 0; i < kCommandRowCount; ++i) {
        const CommandRow& row = kCommandRows[i];
        // Each id finds its own row; the tune-channel range holds other
        // commands' ids, which find theirs.
        for (UINT id = row.id; id <= row.lastId; ++id) {
            if (row.id == ID_TUNE_CHANNEL_FIRST && FindCommandRow(id) != &row)
                continue;
            EXPECT_TRUE(ids.insert(id).second) << "id " << id << " in two rows";
            EXPECT_EQ(&row, FindCommandRow(id)) << id;
        }
        EXPECT_NE(nullptr, row.handler) << row.id;
        if (row.group == kNoGroup)
            continue;
        ++bindable;
        EXPECT_NE(0u, row.nameId) << row.id;
        EXPECT_NE(0u, row.descId) << row.id;
        for (const HotKey& key : row.keys) {
            if (key.key != 0)
                EXPECT_TRUE(keys.insert({key.key, key.flags}).second) << "key of " << row.id << " bound twice";
        }
    }
    EXPECT_EQ(31, bindable);
    // Full screen has two default keys: Ctrl+F and Ctrl+Shift+Z.
    const CommandRow* full = FindCommandRow(ID_FULL_SCREEN);
    ASSERT_NE(nullptr, full);
    EXPECT_EQ('F', full->keys[0].key);
    EXPECT_EQ(FCONTROL, full->keys[0].flags);
    EXPECT_EQ('Z', full->keys[1].key);
    EXPECT_EQ(FCONTROL | FSHIFT, full->keys[1].flags);
}

TEST(Commands, TuneChannelIdsStepOverOtherCommands)
{
    // Top-most to volume down (32894-32904) lie inside the range.
    EXPECT_EQ(501 - 10, TuneChannelCount());
    EXPECT_EQ((UINT)ID_TUNE_CHANNEL_FIRST, TuneChannelId(0));
    EXPECT_EQ(32893u, TuneChannelId(77));
    EXPECT_EQ(32901u, TuneChannelId(78)); // between aspect 16:9 and the mute toggle
    EXPECT_EQ(32905u, TuneChannelId(79));
    EXPECT_EQ((UINT)ID_TUNE_CHANNEL_LAST, TuneChannelId(TuneChannelCount() - 1));
    EXPECT_EQ(0u, TuneChannelId(TuneChannelCount()));
    EXPECT_EQ(0u, TuneChannelId(-1));
    EXPECT_EQ(-1, TuneChannelItem(ID_TOPMOST));
    EXPECT_EQ(-1, TuneChannelItem(ID_TELETEXT));
    for (int item = 0; item < TuneChannelCount(); ++item) {
        const UINT id = TuneChannelId(item);
        EXPECT_EQ(item, TuneChannelItem(id));
        EXPECT_EQ((UINT)ID_TUNE_CHANNEL_FIRST, FindCommandRow(id)->id);
    }
    RecordingPanel panel;
    CCommandRouter router(panel);
    router.SetState(State(TV));
    router.Execute(ID_VOLUME_DOWN);
    EXPECT_EQ("CmdVolumeDown 32904", panel.calls.back());
}

RemoteDecision Cmd(UINT id)
{
    RemoteDecision d;
    d.action = RemoteAction::kCommand;
    d.command = id;
    return d;
}

RemoteDecision Act(RemoteAction action, int value = 0)
{
    RemoteDecision d;
    d.action = action;
    d.value = value;
    return d;
}

const RemoteDecision kNothing;

TEST(Commands, RemoteCodesByState)
{
    const struct
    {
        int code;
        CommandState state;
        RemoteDecision expected;
    } cases[] = {
        {101, State(TV), Cmd(ID_EXIT)},
        {102, State(FM, kRecord), Cmd(ID_MUTE)},
        {103, State(TV), Act(RemoteAction::kDigit, 1)},
        {111, State(AV), Act(RemoteAction::kDigit, 9)},
        {112, State(TV), Act(RemoteAction::kDigit, 0)},
        {113, State(TV), Cmd(ID_CHANNEL_WALL)},
        {113, State(TV, kTimeShift), kNothing},
        {113, State(FM), kNothing},
        {114, State(TV), Cmd(ID_CHANNEL_LAST)},
        {114, State(TV, kScan), kNothing},
        {115, State(AV), Cmd(ID_INPUT_SOURCE)},
        {115, State(TV, kTimeShift), kNothing},
        {115, State(TV, kRecord), kNothing},
        {115, State(FM, kRecord), kNothing},
        {116, State(TV), Cmd(ID_PROPERTY_RESET)},
        {117, State(TV), Cmd(ID_FULL_SCREEN)},
        {118, State(SV), Cmd(ID_FULL_SCREEN)},
        {119, State(FM), Cmd(ID_SHOW_PANEL)},
        {120, State(TV), Cmd(ID_PROPERTY_SELECT)},
        {121, State(TV), Cmd(ID_SNAPSHOT)},
        {121, State(TV, kRecord), kNothing},
        {122, State(TV), Cmd(ID_RECORD)},
        {140, State(TV), Cmd(ID_RECORD)},
        {123, State(TV, kRecord), Cmd(ID_PAUSE)},
        {124, State(TV), Cmd(ID_PROPERTY_DOWN)},
        {125, State(TV), Cmd(ID_PROPERTY_UP)},
        {126, State(FM), Cmd(ID_VOLUME_UP)},
        {127, State(AV), Cmd(ID_VOLUME_DOWN)},
        {128, State(TV), Cmd(ID_CHANNEL_NEXT)},
        {129, State(FM), Cmd(ID_CHANNEL_PREV)},
        {128, State(AV), kNothing},
        {129, State(TV, kRecord), kNothing},
        {130, State(TV), Act(RemoteAction::kEntryMode)},
        {130, State(SV), kNothing},
        {131, State(TV), Cmd(ID_OSD_MENU)},
        {131, State(TV, kTimeShift), kNothing},
        {133, State(TV), Act(RemoteAction::kPowerOff)},
        {134, State(FM), Act(RemoteAction::kPowerOff)},
        {139, State(TV), Cmd(ID_TIMESHIFT_START)},
        {132, State(TV), kNothing},
        {0, State(TV), kNothing},
        {255, State(TV), kNothing},
        // Desktop video: full screen (not FM), volume, channel steps with TV
        // alone; digits still go to the entry; nothing else.
        {117, State(TV, kDesktop), Cmd(ID_FULL_SCREEN)},
        {118, State(FM, kDesktop), kNothing},
        {126, State(TV, kDesktop), Cmd(ID_VOLUME_UP)},
        {128, State(TV, kDesktop), Cmd(ID_CHANNEL_NEXT)},
        {128, State(FM, kDesktop), kNothing},
        {129, State(TV, kDesktop | kScan), kNothing},
        {105, State(TV, kDesktop), Act(RemoteAction::kDigit, 3)},
        {122, State(TV, kDesktop), kNothing},
        {101, State(TV, kDesktop), kNothing},
        {200, State(TV, kDesktop), kNothing},
        // The on-screen menu takes every key while it shows; 200-205 are its
        // menu, arrow and Enter keys.
        {200, State(TV, kOsdMenuShown), Act(RemoteAction::kOsdKey, 93)},
        {201, State(TV, kOsdMenuShown), Act(RemoteAction::kOsdKey, VK_UP)},
        {202, State(TV, kOsdMenuShown), Act(RemoteAction::kOsdKey, VK_DOWN)},
        {203, State(TV, kOsdMenuShown), Act(RemoteAction::kOsdKey, VK_LEFT)},
        {204, State(TV, kOsdMenuShown), Act(RemoteAction::kOsdKey, VK_RIGHT)},
        {205, State(TV, kOsdMenuShown), Act(RemoteAction::kOsdKey, VK_RETURN)},
        {128, State(TV, kOsdMenuShown), Act(RemoteAction::kOsdKey, 0)},
        {200, State(TV), kNothing},
    };
    for (const auto& c : cases) {
        const RemoteDecision got = DecideRemoteCode((BYTE)c.code, c.state);
        EXPECT_TRUE(got == c.expected) << "code " << c.code << " flags 0x" << std::hex << c.state.flags
                                       << ": action " << (int)got.action << " command " << std::dec << got.command
                                       << " value " << got.value;
    }
}

// A dialog-like window with buttons carrying command ids, and a menu.
class RouterWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
        ASSERT_NE((HWND)NULL, m_window);
        for (UINT id : {ID_CHANNEL_NEXT, ID_MUTE, ID_SNAPSHOT})
            ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 10, 10, m_window,
                              (HMENU)(UINT_PTR)id, NULL, NULL);
    }
    void TearDown() override { ::DestroyWindow(m_window); }
    bool Enabled(UINT id) { return ::IsWindowEnabled(::GetDlgItem(m_window, id)) != FALSE; }
    bool Checked(UINT id) { return ::SendDlgItemMessageA(m_window, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

    HWND m_window = NULL;
};

TEST_F(RouterWindowTest, StateChangesReachTheWindowsControls)
{
    RecordingPanel panel;
    CCommandRouter router(panel);
    router.SetState(State(TV, kMuted));
    router.AddView(m_window);
    EXPECT_TRUE(Enabled(ID_CHANNEL_NEXT));
    EXPECT_TRUE(Enabled(ID_SNAPSHOT));
    EXPECT_TRUE(Checked(ID_MUTE));

    router.SetState(State(FM));
    EXPECT_TRUE(Enabled(ID_CHANNEL_NEXT));
    EXPECT_FALSE(Enabled(ID_SNAPSHOT));
    EXPECT_FALSE(Checked(ID_MUTE));

    router.SetState(State(FM, kRecord));
    EXPECT_FALSE(Enabled(ID_CHANNEL_NEXT));
    router.EnableCommand(ID_MUTE, FALSE);
    EXPECT_FALSE(Enabled(ID_MUTE));

    // A removed view is left as it was.
    router.RemoveView(m_window);
    router.SetState(State(TV));
    EXPECT_FALSE(Enabled(ID_CHANNEL_NEXT));
}

struct ViewCount : ICommandView
{
    void ShowCommandState(const CCommandRouter& router) override
    {
        ++count;
        lastFull = router.IsEnabled(ID_FULL_SCREEN);
    }
    int count = 0;
    bool lastFull = false;
};

TEST_F(RouterWindowTest, ViewsAreToldOnlyWhenTheStateChanges)
{
    RecordingPanel panel;
    CCommandRouter router(panel);
    ViewCount view;
    router.AddView(&view);
    EXPECT_EQ(1, view.count);
    router.SetState(State(FM));
    router.SetState(State(FM));
    EXPECT_EQ(2, view.count);
    EXPECT_FALSE(view.lastFull);
    router.SetState(State(AV));
    EXPECT_EQ(3, view.count);
    EXPECT_TRUE(view.lastFull);
    router.RemoveView(&view);
    router.SetState(State(TV));
    EXPECT_EQ(3, view.count);
}

TEST_F(RouterWindowTest, MenuItemsAndSubmenusFollowTheState)
{
    RecordingPanel panel;
    CCommandRouter router(panel);
    CommandState state = State(AV, kTopMost);
    state.recordFormat = 1;
    router.SetState(state);

    HMENU menu = ::CreatePopupMenu();
    HMENU formats = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, ID_CHANNEL_NEXT, "next");
    ::AppendMenuA(menu, MF_STRING, ID_TOPMOST, "top");
    ::AppendMenuA(menu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(menu, MF_STRING, 40000, "not a command");
    ::AppendMenuA(menu, MF_POPUP, (UINT_PTR)formats, "formats");
    for (UINT id = ID_FORMAT_AVI; id <= ID_FORMAT_MPEG2; ++id)
        ::AppendMenuA(formats, MF_STRING | MF_CHECKED, id, "format");
    ::EnableMenuItem(menu, 40000, MF_GRAYED);

    router.PushToMenu(menu);
    EXPECT_TRUE(::GetMenuState(menu, ID_CHANNEL_NEXT, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(menu, ID_TOPMOST, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(::GetMenuState(menu, 40000, MF_BYCOMMAND) & MF_GRAYED); // left alone
    EXPECT_FALSE(::GetMenuState(formats, ID_FORMAT_AVI, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(::GetMenuState(formats, ID_FORMAT_MPEG1, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(formats, ID_FORMAT_MPEG2, MF_BYCOMMAND) & MF_CHECKED);
    ::DestroyMenu(menu);
}

} // namespace
