// The program's commands as data: one row per command (its id, its place in
// the hot-key table, its default keys, the input sources it works with, the
// busy states that refuse it, whether it shows checked, its handler), and
// the remote-control codes as rows that name a command, a digit or a
// special action. CCommandRouter (CommandRouter.h) reads these tables; no
// window keeps a guard of its own. Constant data; any thread may read it.
#pragma once
#include <windows.h>

#include <cstddef>

// The panel's command handlers. The control panel implements them; tests
// record the calls. Each takes the command id (ranges need it, the others
// ignore it). The list is also used to build fakes: X(name) per handler.
#define PANEL_COMMAND_HANDLERS(X)                                                                  \
    X(CmdChannelNext) X(CmdChannelPrev) X(CmdChannelLast) X(CmdSnapshot) X(CmdRecord) X(CmdPause)    \
    X(CmdInputSource) X(CmdChannelWall) X(CmdChannelScan) X(CmdSettings) X(CmdFavourites) X(CmdMute) \
    X(CmdMoviePlayer) X(CmdImageBrowser) X(CmdShowPanel) X(CmdAbout) X(CmdContextMenu) X(CmdExit)    \
    X(CmdPictureDialog) X(CmdChannelSettings) X(CmdOsdMenu) X(CmdNextSkin) X(CmdPropertySelect)      \
    X(CmdPropertyDown) X(CmdPropertyUp) X(CmdPropertyReset) X(CmdRecordFormat) X(CmdFMFormat)        \
    X(CmdFMCustomFormats) X(CmdTuneChannel) X(CmdTopMost) X(CmdFullScreen) X(CmdVideoSize)           \
    X(CmdAspect) X(CmdVolumeUp) X(CmdVolumeDown) X(CmdTeletext) X(CmdTimeShiftStart)                 \
    X(CmdTimeShiftPause) X(CmdTimeShiftStop) X(CmdNothing)

class IPanelCommands
{
public:
#define PANEL_DECLARE_HANDLER(name) virtual void name(UINT id) = 0;
    PANEL_COMMAND_HANDLERS(PANEL_DECLARE_HANDLER)
#undef PANEL_DECLARE_HANDLER

protected:
    ~IPanelCommands() {}
};

typedef void (IPanelCommands::*PanelHandler)(UINT id);

namespace cmd {

// Input sources as bits (the manager's 0 TV, 1 AV, 2 SV, 3 FM).
enum Source : BYTE
{
    kTV = 1 << 0,
    kAV = 1 << 1,
    kSV = 1 << 2,
    kFM = 1 << 3,
    kTuner = kTV | kFM,
    kVideo = kTV | kAV | kSV,
    kAnySource = kTV | kAV | kSV | kFM,
};

inline BYTE SourceBit(int source)
{
    return source >= 0 && source < 4 ? (BYTE)(1 << source) : (BYTE)0;
}

// The program's state as bits. The first five are the busy states that can
// refuse a command; the rest are what check marks and a few enables read.
enum Flag : UINT
{
    kScan = 1u << 0,
    kRecord = 1u << 1,
    kTimeShift = 1u << 2,
    kDesktop = 1u << 3,    // desktop-video mode
    kSheet = 1u << 4,      // a settings sheet is open
    kBusy = kScan | kRecord | kTimeShift,

    kMuted = 1u << 8,
    kTopMost = 1u << 9,
    kFull = 1u << 10,      // the video window is maximised
    kPanelShown = 1u << 11,
    kVideoShown = 1u << 12,
    kTeletext = 1u << 13,
    kSize320 = 1u << 14,   // picture area 320 x 240
    kSize640 = 1u << 15,   // picture area 640 x 480
    kOsdMenuShown = 1u << 16,
    kPropertyBar = 1u << 17, // the picture-property bar is up
    kPaused = 1u << 18,      // the recording or time shift is paused
};

} // namespace cmd

// What enables and check marks are computed from.
struct CommandState
{
    int source = 0;       // 0 TV, 1 AV, 2 SV, 3 FM
    UINT flags = 0;       // cmd::Flag bits
    int recordFormat = 0; // 0-7
    int fmFormat = 0;     // 0-3

    bool Has(UINT flag) const { return (flags & flag) != 0; }
    bool operator==(const CommandState& o) const
    {
        return source == o.source && flags == o.flags && recordFormat == o.recordFormat && fmFormat == o.fmFormat;
    }
    bool operator!=(const CommandState& o) const { return !(*this == o); }
};

// A default hot key: a virtual key with FALT, FCONTROL and FSHIFT.
struct HotKey
{
    BYTE key;   // 0: none
    BYTE flags;
};

const int kNoGroup = -1;

struct CommandRow
{
    UINT id;
    UINT lastId;      // the range's last id; id for a single command
    int group;        // the hot-key table's group, kNoGroup when not bindable
    UINT nameId;      // string ids of the name and description (bindable only)
    UINT descId;
    HotKey keys[2];
    BYTE sources;     // cmd::Source bits it works with
    UINT refusedBy;   // cmd::Flag bits that refuse it
    UINT shownNeeds;  // flags needed to show it enabled (it still acts without)
    // A condition of its own beyond sources and busy states (NULL: none).
    bool (*usable)(const CommandState& state);
    bool (*checked)(const CommandState& state, UINT id);
    PanelHandler handler;
};

extern const CommandRow kCommandRows[];
extern const size_t kCommandRowCount;
// The row of `id` (a range row for any id in it), or NULL.
const CommandRow* FindCommandRow(UINT id);

// The tune-channel items' ids, in menu order: the range's ids less those
// of other commands that lie inside it (top-most to volume down).
int TuneChannelCount();
// The id of item `item` (from 0), or 0 past the last.
UINT TuneChannelId(int item);
// The item of a tune-channel id, or -1 for any other id.
int TuneChannelItem(UINT id);

// Whether a command works in `state` (its handler may still refuse for
// reasons of its own, say a channel list with no next channel).
bool IsCommandAllowed(const CommandRow& row, const CommandState& state);

// Remote-control codes (the manager's key table gives the code of a key).
enum class RemoteAction : BYTE
{
    kNone,        // the code does nothing
    kCommand,     // run `command` through the router
    kDigit,       // a digit of the channel-number entry (`value`)
    kEntryMode,   // the next channel-number entry mode
    kPowerOff,    // the power-off countdown
    kOsdKey,      // the on-screen menu takes the key (`value` the virtual key or 0)
};

struct RemoteRow
{
    BYTE first;
    BYTE last;
    RemoteAction action;
    UINT command;     // kCommand
    int value;        // kDigit: the digit of `first`, counted up to `last`
    BYTE sources;     // extra guard: sources it acts with
    UINT refusedBy;   // extra guard: flags that refuse it
};

// What one remote code does in one state.
struct RemoteDecision
{
    RemoteAction action = RemoteAction::kNone;
    UINT command = 0;
    int value = 0;

    bool operator==(const RemoteDecision& o) const
    {
        return action == o.action && command == o.command && value == o.value;
    }
};

extern const RemoteRow kRemoteRows[];
extern const size_t kRemoteRowCount;
// Desktop-video mode's reduced set; other codes fall to the digit routine.
extern const RemoteRow kDesktopRemoteRows[];
extern const size_t kDesktopRemoteRowCount;

// The action of `code` in `state`: the desktop-video set in desktop-video
// mode, the on-screen menu's keys while it shows, the full table otherwise.
// A command's own gating is applied by the router when it runs.
RemoteDecision DecideRemoteCode(BYTE code, const CommandState& state);

// Keys the panel takes before its hot keys (typed in the panel or posted on
// from the other windows): channel digits, arrows, the entry mode and keys
// of special keyboards.
struct KeyRow
{
    UINT firstKey;     // virtual keys
    UINT lastKey;
    RemoteAction action; // kCommand, kDigit or kEntryMode
    UINT command;
    int value;         // kDigit: the digit of firstKey
    BYTE sources;
    bool needsKeySwitch;   // only while remote and digit keys are taken
    bool needsHotKeys;     // only while the hot keys are switched on
    bool consumed;         // the key goes no further
};

struct KeyDecision
{
    RemoteDecision what;
    bool consumed = false;
};

extern const KeyRow kKeyRows[];
extern const size_t kKeyRowCount;

// What a key pressed in `state` does, with the key switch and the hot-key
// switch as they are; kNone (not consumed) leaves it to the hot keys.
KeyDecision DecideKey(UINT key, const CommandState& state, bool keySwitch, bool hotKeys);
