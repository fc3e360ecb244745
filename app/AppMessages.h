// The program's private window messages between its windows, its workers
// and the companion programs (the workers' own live beside them: search
// points and end in hw/tuners/SearchMessages.h, remote keys in
// cards/RemoteThread.h).
#pragma once
#include <windows.h>

// End the program without starting the tray program.
const UINT WM_EXIT_NO_TRAY = 0x5BC;
// Rebuild the graph and restart preview (the movie player has finished).
const UINT WM_REBUILD_GRAPH = 0x4401;
// Accepted by the video window and otherwise left alone.
const UINT WM_VIDEO_RESERVED = 0x4400;
// Show the control panel alone in FM mode.
const UINT WM_SHOW_RADIO_PANEL = 0xD57;
// Sent to the companion tray window at start-up.
const UINT WM_TRAY_NOTIFY_START = 0x69A;
// Sent to the teletext application's window at exit.
const UINT WM_TELETEXT_CLOSE = 0xBD7;
// A key for the on-screen menu, sent down its chain host, panel, row,
// widget: wParam a virtual-key code (or OSD_KEY_CLOSE), lParam passed on
// unread. Each layer answers one of the OsdAnswer codes (app/MBasicWnd.h).
const UINT WM_OSD_KEY = 0x806;
// The menu's own key code that closes the whole menu from any panel.
const UINT OSD_KEY_CLOSE = 254;
