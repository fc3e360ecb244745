// Every private window message of the program, with its value: what the
// workers post (searches, remote keys, DV status, disk watch), what the
// timing library sends, and what the program's windows and companion
// programs send each other. It lives on the lowest floor every sender
// reaches, so no window includes a worker's header to learn a number.
// The values are fixed: companion programs and stored habits know them.
#pragma once
#include <windows.h>

#include "platform/timing/TimingMessage.h"

// A search tried a frequency. wParam: the frequency in kHz; lParam: 1 when
// a carrier or station was found. Posted by the TV and FM searches.
const UINT WM_SEARCH_POINT = 0x3979;
// A search has ended; wParam, lParam 0. Posted once per search.
const UINT WM_SEARCH_END = 0x3980;
// A remote-control key. wParam: the key byte. Posted by the card's remote
// thread, and sent on by the video window to the control panel.
const UINT WM_REMOTE_KEY = 0x3981;
// A DV camcorder's state. wParam: the device type (DV_DEVICE_*) in the high
// word and, for a VCR, the transport mode in the low word; lParam: for a VCR
// whose timecode reads, hours, minutes, seconds and frames from the low byte
// up, else 0. Posted by the DV polling thread.
const UINT WM_DV_STATUS = 0x3982;
// WM_TIMING_EVENT (0x4C8) comes with the timing library (see above).
// End the program without starting the tray program.
const UINT WM_EXIT_NO_TRAY = 0x5BC;
// Sent to the companion tray window at start-up.
const UINT WM_TRAY_NOTIFY_START = 0x69A;
// The channel wall has closed: the windows take their places again.
const UINT WM_RELAYOUT = 0x7E8;
// A key for the on-screen menu, sent down its chain host, panel, row,
// widget: wParam a virtual-key code (or OSD_KEY_CLOSE), lParam passed on
// unread. Each layer answers one of the OsdAnswer codes (app/MBasicWnd.h).
const UINT WM_OSD_KEY = 0x806;
// The menu's own key code (WM_OSD_KEY's wParam) that closes the whole menu
// from any panel.
const UINT OSD_KEY_CLOSE = 254;
// The watched drive's free space has fallen to the threshold. wParam: the
// drive's letter (by value: the watch's drive list is freed by
// re-enumeration, so no pointer into it leaves the watch); lParam: the free
// space in MiB. Posted by the disk watch.
const UINT WM_LOW_DISK = 0xBCD;
// Sent to the teletext application's window at exit.
const UINT WM_TELETEXT_CLOSE = 0xBD7;
// Show the control panel alone in FM mode.
const UINT WM_SHOW_RADIO_PANEL = 0xD57;
// Accepted by the video window and otherwise left alone.
const UINT WM_VIDEO_RESERVED = 0x4400;
// Rebuild the graph and restart preview (the movie player has finished).
const UINT WM_REBUILD_GRAPH = 0x4401;

namespace window_messages {

constexpr UINT kAll[] = {
    WM_SEARCH_POINT, WM_SEARCH_END,  WM_REMOTE_KEY,     WM_DV_STATUS,        WM_TIMING_EVENT,
    WM_EXIT_NO_TRAY, WM_TRAY_NOTIFY_START, WM_RELAYOUT, WM_OSD_KEY,          WM_LOW_DISK,
    WM_TELETEXT_CLOSE, WM_SHOW_RADIO_PANEL, WM_VIDEO_RESERVED, WM_REBUILD_GRAPH,
};

constexpr bool AllDistinct()
{
    const size_t count = sizeof(kAll) / sizeof(kAll[0]);
    for (size_t i = 0; i < count; ++i) {
        for (size_t j = i + 1; j < count; ++j) {
            if (kAll[i] == kAll[j])
                return false;
        }
    }
    return true;
}

// Every private message is one of ours: above the system's own numbers and
// clear of the range the window layer reflects control messages in.
constexpr bool AllPrivate()
{
    for (UINT value : kAll) {
        if (value < WM_USER || value >= 0xBC00)
            return false;
    }
    return true;
}

} // namespace window_messages

static_assert(window_messages::AllDistinct(), "two private window messages share a number");
static_assert(window_messages::AllPrivate(), "a private window message lies outside WM_USER..0xBBFF");
