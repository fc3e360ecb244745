#include "app/Commands.h"

#include "resources/Resource.h"

using namespace cmd;

namespace {

const HotKey kNoKey = {0, 0};
const BYTE kCtrl = FCONTROL;
const BYTE kShift = FSHIFT;
const BYTE kAlt = FALT;

HotKey Key(BYTE key, BYTE flags = 0)
{
    return HotKey{key, flags};
}

bool Muted(const CommandState& s, UINT) { return s.Has(kMuted); }
bool TopMost(const CommandState& s, UINT) { return s.Has(kTopMost); }
bool Full(const CommandState& s, UINT) { return s.Has(kFull); }
bool PanelShown(const CommandState& s, UINT) { return s.Has(kPanelShown); }
bool Teletext(const CommandState& s, UINT) { return s.Has(kTeletext); }
bool VideoSize(const CommandState& s, UINT id)
{
    return s.Has(id == ID_SIZE_320X240 ? kSize320 : kSize640);
}
bool RecordFormat(const CommandState& s, UINT id) { return (int)(id - ID_FORMAT_AVI) == s.recordFormat; }
bool FMFormat(const CommandState& s, UINT id) { return (int)(id - ID_FM_FORMAT_PCM) == s.fmFormat; }
bool Paused(const CommandState& s, UINT) { return s.Has(kPaused); }

// Pause acts on time shift, or on a recording whose format can pause (not
// AVI, not MPEG-4, not FM's).
bool CanPause(const CommandState& s)
{
    const int kAvi = 0, kMpeg4 = 3;
    if (s.Has(kTimeShift))
        return true;
    return s.Has(kRecord) && SourceBit(s.source) != kFM && s.recordFormat != kAvi && s.recordFormat != kMpeg4;
}

// One bindable command.
CommandRow Bindable(UINT id, int group, UINT nameId, UINT descId, HotKey key, HotKey key2, BYTE sources,
                    UINT refusedBy, PanelHandler handler, bool (*checked)(const CommandState&, UINT) = nullptr,
                    UINT shownNeeds = 0, bool (*usable)(const CommandState&) = nullptr)
{
    return CommandRow{id,        id,         group,      nameId,  descId, {key, key2}, sources,
                      refusedBy, shownNeeds, usable,     checked, handler};
}

// A command or a range of them that no hot key can be bound to.
CommandRow Plain(UINT id, UINT lastId, BYTE sources, UINT refusedBy, PanelHandler handler,
                 bool (*checked)(const CommandState&, UINT) = nullptr, UINT shownNeeds = 0)
{
    return CommandRow{id,        lastId,     kNoGroup, 0,       0, {kNoKey, kNoKey}, sources,
                      refusedBy, shownNeeds, nullptr,  checked, handler};
}

const UINT kGroupMain = 0;
const UINT kGroupOther = 1;

} // namespace

// The bindable commands first, in the hot-key table's order of
// registration; then the rest. Busy (a recording, a scan or time shift)
// refuses the channel, wall, settings, input-source, context-menu and
// companion-program commands: each of them could end the recording's
// graph or open a way to a command that does.
const CommandRow kCommandRows[] = {
    Bindable(ID_CHANNEL_NEXT, kGroupMain, IDS_CMD_NEXT_CHANNEL, IDS_CMD_NEXT_CHANNEL_DESC, Key(VK_PRIOR), kNoKey,
             kTuner, kBusy, &IPanelCommands::CmdChannelNext),
    Bindable(ID_CHANNEL_PREV, kGroupMain, IDS_CMD_PREV_CHANNEL, IDS_CMD_PREV_CHANNEL_DESC, Key(VK_NEXT), kNoKey,
             kTuner, kBusy, &IPanelCommands::CmdChannelPrev),
    Bindable(ID_CHANNEL_LAST, kGroupMain, IDS_CMD_LAST_CHANNEL, IDS_CMD_LAST_CHANNEL_DESC, Key('B', kCtrl), kNoKey,
             kTV, kBusy, &IPanelCommands::CmdChannelLast),
    Bindable(ID_SNAPSHOT, kGroupMain, IDS_CMD_SNAPSHOT, IDS_CMD_SNAPSHOT_DESC, Key('C', kCtrl | kShift), kNoKey,
             kVideo, kRecord | kScan | kDesktop, &IPanelCommands::CmdSnapshot),
    Bindable(ID_RECORD, kGroupMain, IDS_CMD_RECORD, IDS_CMD_RECORD_DESC, Key('C', kCtrl), kNoKey, kAnySource, kScan,
             &IPanelCommands::CmdRecord),
    Bindable(ID_PAUSE, kGroupMain, IDS_CMD_PAUSE, IDS_CMD_PAUSE_DESC, Key('P', kCtrl | kShift), kNoKey, kAnySource,
             0, &IPanelCommands::CmdPause, &Paused, 0, &CanPause),
    Bindable(ID_INPUT_SOURCE, kGroupMain, IDS_CMD_INPUT_SOURCE, IDS_CMD_INPUT_SOURCE_DESC, Key('J', kCtrl | kShift),
             kNoKey, kAnySource, kBusy | kDesktop, &IPanelCommands::CmdInputSource),
    Bindable(ID_CHANNEL_WALL, kGroupMain, IDS_CMD_CHANNEL_WALL, IDS_CMD_CHANNEL_WALL_DESC, Key('W', kCtrl | kShift),
             kNoKey, kTV, kBusy | kDesktop, &IPanelCommands::CmdChannelWall),
    Bindable(ID_MOVIE_PLAYER, kGroupMain, IDS_CMD_MOVIE_PLAYER, IDS_CMD_MOVIE_PLAYER_DESC, Key('V', kCtrl | kShift),
             kNoKey, kAnySource, kBusy, &IPanelCommands::CmdMoviePlayer),
    Bindable(ID_IMAGE_BROWSER, kGroupMain, IDS_CMD_IMAGE_BROWSER, IDS_CMD_IMAGE_BROWSER_DESC,
             Key('I', kCtrl | kShift), kNoKey, kAnySource, kBusy, &IPanelCommands::CmdImageBrowser),
    Bindable(ID_TOPMOST, kGroupOther, IDS_CMD_TOPMOST, IDS_CMD_TOPMOST_DESC, Key('T'), kNoKey, kAnySource, 0,
             &IPanelCommands::CmdTopMost, &TopMost),
    Bindable(ID_FULL_SCREEN, kGroupOther, IDS_CMD_FULL_SCREEN, IDS_CMD_FULL_SCREEN_DESC, Key('F', kCtrl),
             Key('Z', kCtrl | kShift), kVideo, 0, &IPanelCommands::CmdFullScreen, &Full),
    Bindable(ID_SIZE_320X240, kGroupOther, IDS_CMD_SIZE_320X240, IDS_CMD_SIZE_320X240_DESC, kNoKey, kNoKey, kVideo,
             kDesktop, &IPanelCommands::CmdVideoSize, &VideoSize),
    Bindable(ID_SIZE_640X480, kGroupOther, IDS_CMD_SIZE_640X480, IDS_CMD_SIZE_640X480_DESC, kNoKey, kNoKey, kVideo,
             kDesktop, &IPanelCommands::CmdVideoSize, &VideoSize),
    Bindable(ID_SHOW_PANEL, kGroupMain, IDS_CMD_SHOW_PANEL, IDS_CMD_SHOW_PANEL_DESC, Key('H', kCtrl | kShift), kNoKey,
             kAnySource, 0, &IPanelCommands::CmdShowPanel, &PanelShown, kVideoShown),
    Bindable(ID_MUTE, kGroupMain, IDS_CMD_MUTE, IDS_CMD_MUTE_DESC, Key(VK_F8), kNoKey, kAnySource, 0,
             &IPanelCommands::CmdMute, &Muted),
    Bindable(ID_VOLUME_UP, kGroupOther, IDS_CMD_VOLUME_UP, IDS_CMD_VOLUME_UP_DESC, Key(VK_F10), kNoKey, kAnySource, 0,
             &IPanelCommands::CmdVolumeUp),
    Bindable(ID_VOLUME_DOWN, kGroupOther, IDS_CMD_VOLUME_DOWN, IDS_CMD_VOLUME_DOWN_DESC, Key(VK_F9), kNoKey,
             kAnySource, 0, &IPanelCommands::CmdVolumeDown),
    Bindable(ID_CHANNEL_SETTINGS, kGroupOther, IDS_CMD_CHANNEL_SETTINGS, IDS_CMD_CHANNEL_SETTINGS_DESC, kNoKey,
             kNoKey, kTuner, kRecord | kScan | kDesktop | kSheet, &IPanelCommands::CmdChannelSettings),
    Bindable(ID_ABOUT, kGroupMain, IDS_CMD_ABOUT, IDS_CMD_ABOUT_DESC, Key('A'), kNoKey, kAnySource, kDesktop,
             &IPanelCommands::CmdAbout),
    Bindable(ID_EXIT, kGroupMain, IDS_CMD_EXIT, IDS_CMD_EXIT_DESC, Key('X'), kNoKey, kAnySource, kDesktop,
             &IPanelCommands::CmdExit),
    Bindable(ID_CHANNEL_SCAN, kGroupMain, IDS_CMD_SCAN, IDS_CMD_SCAN_DESC, Key('V', kCtrl | kAlt), kNoKey, kTuner,
             kRecord | kTimeShift | kDesktop, &IPanelCommands::CmdChannelScan),
    Bindable(ID_FAVOURITES, kGroupMain, IDS_CMD_FAVOURITES, IDS_CMD_FAVOURITES_DESC, Key('F', kCtrl | kAlt), kNoKey,
             kTuner, 0, &IPanelCommands::CmdFavourites),
    Bindable(ID_OSD_MENU, kGroupMain, IDS_CMD_OSD_MENU, IDS_CMD_OSD_MENU_DESC, Key('S', kCtrl | kShift), kNoKey, kTV,
             kRecord | kTimeShift, &IPanelCommands::CmdOsdMenu),
    Bindable(ID_NEXT_SKIN, kGroupMain, IDS_CMD_NEXT_SKIN, IDS_CMD_NEXT_SKIN_DESC, Key('S', kCtrl | kAlt), kNoKey,
             kAnySource, kDesktop, &IPanelCommands::CmdNextSkin),
    Bindable(ID_PANEL_HELP, kGroupMain, IDS_CMD_HELP, IDS_CMD_HELP_DESC, Key(VK_F1), kNoKey, kAnySource, 0,
             &IPanelCommands::CmdNothing),
    Bindable(ID_TIMESHIFT_START, kGroupOther, IDS_TIMESHIFT, IDS_TIMESHIFT, Key('T', kCtrl), kNoKey, kTV,
             kScan | kRecord | kDesktop, &IPanelCommands::CmdTimeShiftStart),
    Bindable(ID_PROPERTY_SELECT, kGroupMain, IDS_CMD_PROPERTY_SELECT, IDS_CMD_PROPERTY_SELECT, Key(VK_TAB, kCtrl),
             kNoKey, kVideo, 0, &IPanelCommands::CmdPropertySelect),
    Bindable(ID_PROPERTY_RESET, kGroupMain, IDS_CMD_PROPERTY_RESET, IDS_CMD_PROPERTY_RESET, Key('D', kCtrl), kNoKey,
             kVideo, 0, &IPanelCommands::CmdPropertyReset),
    Bindable(ID_PROPERTY_DOWN, kGroupMain, IDS_CMD_PROPERTY_DOWN, IDS_CMD_PROPERTY_DOWN, Key('A', kAlt), kNoKey,
             kVideo, 0, &IPanelCommands::CmdPropertyDown),
    Bindable(ID_PROPERTY_UP, kGroupMain, IDS_CMD_PROPERTY_UP, IDS_CMD_PROPERTY_UP, Key('D', kAlt), kNoKey, kVideo, 0,
             &IPanelCommands::CmdPropertyUp),

    Plain(ID_SETTINGS, ID_SETTINGS, kAnySource, kBusy | kDesktop | kSheet, &IPanelCommands::CmdSettings),
    Plain(ID_CONTEXT_MENU, ID_CONTEXT_MENU, kAnySource, kBusy | kSheet, &IPanelCommands::CmdContextMenu),
    Plain(ID_PICTURE_DIALOG, ID_PICTURE_DIALOG, kVideo, 0, &IPanelCommands::CmdPictureDialog),
    Plain(ID_MUTE_TOGGLE, ID_MUTE_TOGGLE, kAnySource, 0, &IPanelCommands::CmdMute, &Muted),
    Plain(ID_ASPECT_1_1, ID_ASPECT_16_9, kVideo, 0, &IPanelCommands::CmdAspect),
    Plain(ID_FORMAT_AVI, ID_FORMAT_HIDVD, kAnySource, kRecord, &IPanelCommands::CmdRecordFormat, &RecordFormat),
    Plain(ID_FM_FORMAT_PCM, ID_FM_FORMAT_MP2, kAnySource, kRecord, &IPanelCommands::CmdFMFormat, &FMFormat),
    Plain(ID_FM_FORMAT_CUSTOM, ID_FM_FORMAT_CUSTOM, kAnySource, kRecord, &IPanelCommands::CmdFMCustomFormats,
          &FMFormat),
    Plain(ID_TUNE_CHANNEL_FIRST, ID_TUNE_CHANNEL_LAST, kTuner, kBusy, &IPanelCommands::CmdTuneChannel),
    Plain(ID_TELETEXT, ID_TELETEXT, kVideo, 0, &IPanelCommands::CmdTeletext, &Teletext),
    Plain(ID_TIMESHIFT_PAUSE, ID_TIMESHIFT_PAUSE, kTV, 0, &IPanelCommands::CmdTimeShiftPause, nullptr, kTimeShift),
    Plain(ID_TIMESHIFT_STOP, ID_TIMESHIFT_STOP, kTV, 0, &IPanelCommands::CmdTimeShiftStop, nullptr, kTimeShift),
};

const size_t kCommandRowCount = sizeof kCommandRows / sizeof kCommandRows[0];

const CommandRow* FindCommandRow(UINT id)
{
    for (const CommandRow& row : kCommandRows)
        if (id >= row.id && id <= row.lastId)
            return &row;
    return nullptr;
}

namespace {

bool IsTuneChannelId(UINT id)
{
    const CommandRow* row = FindCommandRow(id);
    return row != nullptr && row->id == ID_TUNE_CHANNEL_FIRST;
}

} // namespace

int TuneChannelCount()
{
    static const int count = [] {
        int n = 0;
        for (UINT id = ID_TUNE_CHANNEL_FIRST; id <= ID_TUNE_CHANNEL_LAST; ++id)
            n += IsTuneChannelId(id) ? 1 : 0;
        return n;
    }();
    return count;
}

UINT TuneChannelId(int item)
{
    if (item < 0)
        return 0;
    for (UINT id = ID_TUNE_CHANNEL_FIRST; id <= ID_TUNE_CHANNEL_LAST; ++id) {
        if (IsTuneChannelId(id) && item-- == 0)
            return id;
    }
    return 0;
}

int TuneChannelItem(UINT id)
{
    if (!IsTuneChannelId(id))
        return -1;
    int item = 0;
    for (UINT other = ID_TUNE_CHANNEL_FIRST; other < id; ++other)
        item += IsTuneChannelId(other) ? 1 : 0;
    return item;
}

bool IsCommandAllowed(const CommandRow& row, const CommandState& state)
{
    return (row.sources & SourceBit(state.source)) != 0 && (row.refusedBy & state.flags) == 0 &&
           (row.usable == nullptr || row.usable(state));
}

namespace {

RemoteRow Command(BYTE code, UINT command, BYTE sources = kAnySource, UINT refusedBy = 0)
{
    return RemoteRow{code, code, RemoteAction::kCommand, command, 0, sources, refusedBy};
}

} // namespace

// Codes the table below does not name fall to the digit routine, which
// takes 103-112 only: so they do nothing.
const RemoteRow kRemoteRows[] = {
    Command(101, ID_EXIT),
    Command(102, ID_MUTE),
    RemoteRow{103, 112, RemoteAction::kDigit, 0, 1, kAnySource, 0},
    Command(113, ID_CHANNEL_WALL, kTV, kBusy),
    Command(114, ID_CHANNEL_LAST, kTV, kScan | kRecord),
    Command(115, ID_INPUT_SOURCE, kAnySource, kBusy),
    Command(116, ID_PROPERTY_RESET),
    Command(117, ID_FULL_SCREEN),
    Command(118, ID_FULL_SCREEN),
    Command(119, ID_SHOW_PANEL),
    Command(120, ID_PROPERTY_SELECT),
    Command(121, ID_SNAPSHOT, kAnySource, kRecord),
    Command(122, ID_RECORD),
    Command(123, ID_PAUSE),
    Command(124, ID_PROPERTY_DOWN),
    Command(125, ID_PROPERTY_UP),
    Command(126, ID_VOLUME_UP),
    Command(127, ID_VOLUME_DOWN),
    Command(128, ID_CHANNEL_NEXT, kTuner, kScan | kRecord),
    Command(129, ID_CHANNEL_PREV, kTuner, kScan | kRecord),
    RemoteRow{130, 130, RemoteAction::kEntryMode, 0, 0, kTuner, 0},
    Command(131, ID_OSD_MENU, kTV, kRecord | kTimeShift),
    RemoteRow{133, 134, RemoteAction::kPowerOff, 0, 0, kAnySource, 0},
    Command(139, ID_TIMESHIFT_START),
    Command(140, ID_RECORD),
};

const size_t kRemoteRowCount = sizeof kRemoteRows / sizeof kRemoteRows[0];

const RemoteRow kDesktopRemoteRows[] = {
    Command(117, ID_FULL_SCREEN, kVideo),
    Command(118, ID_FULL_SCREEN, kVideo),
    Command(126, ID_VOLUME_UP),
    Command(127, ID_VOLUME_DOWN),
    Command(128, ID_CHANNEL_NEXT, kTV, kScan | kRecord),
    Command(129, ID_CHANNEL_PREV, kTV, kScan | kRecord),
};

const size_t kDesktopRemoteRowCount = sizeof kDesktopRemoteRows / sizeof kDesktopRemoteRows[0];

namespace {

// The on-screen menu's keys: remote codes 200-205 as virtual keys.
const BYTE kOsdMenuKeys[] = {93 /* menu */, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_RETURN};
const BYTE kFirstOsdCode = 200;

RemoteDecision Decide(const RemoteRow& row, BYTE code, const CommandState& state)
{
    RemoteDecision decision;
    if ((row.sources & SourceBit(state.source)) == 0 || (row.refusedBy & state.flags) != 0)
        return decision;
    decision.action = row.action;
    decision.command = row.command;
    if (row.action == RemoteAction::kDigit)
        decision.value = (row.value + code - row.first) % 10; // 103-111 are 1-9, 112 is 0
    return decision;
}

const RemoteRow* FindRemoteRow(const RemoteRow* rows, size_t count, BYTE code)
{
    for (size_t i = 0; i < count; ++i)
        if (code >= rows[i].first && code <= rows[i].last)
            return &rows[i];
    return nullptr;
}

} // namespace

RemoteDecision DecideRemoteCode(BYTE code, const CommandState& state)
{
    if (state.Has(kDesktop)) {
        if (const RemoteRow* row = FindRemoteRow(kDesktopRemoteRows, kDesktopRemoteRowCount, code))
            return Decide(*row, code, state);
        const RemoteRow* digits = FindRemoteRow(kRemoteRows, kRemoteRowCount, code);
        if (digits != nullptr && digits->action == RemoteAction::kDigit)
            return Decide(*digits, code, state);
        return RemoteDecision();
    }
    if (state.Has(kOsdMenuShown)) {
        RemoteDecision decision;
        decision.action = RemoteAction::kOsdKey;
        if (code >= kFirstOsdCode && code < kFirstOsdCode + sizeof kOsdMenuKeys)
            decision.value = kOsdMenuKeys[code - kFirstOsdCode];
        return decision;
    }
    if (const RemoteRow* row = FindRemoteRow(kRemoteRows, kRemoteRowCount, code))
        return Decide(*row, code, state);
    return RemoteDecision();
}

// Numeric-pad 4 and 5 (100, 101) are digits with the TV source and nothing
// with the others: they never open the settings or end the program.
const KeyRow kKeyRows[] = {
    {'0', '9', RemoteAction::kDigit, 0, 0, kTV, true, false, true},
    {VK_NUMPAD0, VK_NUMPAD9, RemoteAction::kDigit, 0, 0, kTV, true, false, true},
    {VK_LEFT, VK_LEFT, RemoteAction::kCommand, ID_VOLUME_DOWN, 0, kTuner, false, true, true},
    {VK_UP, VK_UP, RemoteAction::kCommand, ID_CHANNEL_NEXT, 0, kTuner, false, true, true},
    {VK_RIGHT, VK_RIGHT, RemoteAction::kCommand, ID_VOLUME_UP, 0, kTuner, false, true, true},
    {VK_DOWN, VK_DOWN, RemoteAction::kCommand, ID_CHANNEL_PREV, 0, kTuner, false, true, true},
    {VK_DIVIDE, VK_DIVIDE, RemoteAction::kEntryMode, 0, 0, kTuner, false, false, false},
    {137, 137, RemoteAction::kCommand, ID_CHANNEL_NEXT, 0, kTuner, false, false, true},
    {138, 138, RemoteAction::kCommand, ID_CHANNEL_PREV, 0, kTuner, false, false, true},
    {135, 135, RemoteAction::kCommand, ID_VOLUME_UP, 0, kAnySource, false, false, false},
    {136, 136, RemoteAction::kCommand, ID_VOLUME_DOWN, 0, kAnySource, false, false, false},
};

const size_t kKeyRowCount = sizeof kKeyRows / sizeof kKeyRows[0];

KeyDecision DecideKey(UINT key, const CommandState& state, bool keySwitch, bool hotKeys)
{
    KeyDecision decision;
    for (const KeyRow& row : kKeyRows) {
        if (key < row.firstKey || key > row.lastKey)
            continue;
        if ((row.sources & SourceBit(state.source)) == 0 || (row.needsKeySwitch && !keySwitch) ||
            (row.needsHotKeys && !hotKeys))
            continue;
        decision.what.action = row.action;
        decision.what.command = row.command;
        decision.what.value = row.action == RemoteAction::kDigit ? (int)(key - row.firstKey) : 0;
        decision.consumed = row.consumed;
        return decision;
    }
    return decision;
}
