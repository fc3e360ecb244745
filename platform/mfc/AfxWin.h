// The window half of the framework layer: application, windows, dialogs,
// controls, GDI, menus, file dialogs. Everything here runs on the UI thread.
//
// A window class and its message table
// ------------------------------------
// Each class lists the messages it answers in one table, read top to bottom;
// a message the table does not name goes to the base class's table, and
// finally to the window's default procedure (Default() runs that from inside
// a handler). The entry gives the handler its usual signature:
//
//     // VideoWnd.h
//     class CVideoWnd : public CDialog
//     {
//     public:
//         CVideoWnd() : CDialog(IDD_VIDEO) {}
//     protected:
//         BOOL OnInitDialog() override;
//         void OnTimer(UINT_PTR id);                 // ON_WM_TIMER
//         void OnSize(UINT type, int cx, int cy);    // ON_WM_SIZE
//         void OnTuneChannel(UINT id);               // ON_COMMAND_RANGE
//         LRESULT OnRemoteKey(WPARAM key, LPARAM);   // ON_MESSAGE
//         void OnListDoubleClick(NMHDR*, LRESULT*);  // ON_NOTIFY
//         DECLARE_MESSAGE_MAP()
//     };
//
//     // VideoWnd.cpp
//     BEGIN_MESSAGE_MAP(CVideoWnd, CDialog)
//         ON_WM_TIMER()
//         ON_WM_SIZE()
//         ON_COMMAND_RANGE(32816, 33316, OnTuneChannel)
//         ON_MESSAGE(WM_REMOTE_KEY, OnRemoteKey)
//         ON_NOTIFY(NM_DBLCLK, 1050, OnListDoubleClick)
//     END_MESSAGE_MAP()
//
// MessageMap.h lists every entry with its handler's name and signature;
// ON_MESSAGE takes any message. Commands come from menus, accelerators and
// buttons alike (ON_COMMAND, ON_BN_CLICKED); WindowProc and DefWindowProc
// stay virtual for the rare class that must see every message first.
//
// Taking over a control of a dialog template
// ------------------------------------------
// A control object subclasses the window the template made, by id, from the
// dialog's OnInitDialog (or DDX_Control in DoDataExchange):
//
//     class CBmpButton : public CButton { ... void PreSubclassWindow() override; ... };
//     m_pin.SubclassDlgItem(1131, this);   // PreSubclassWindow runs first
//     ...
//     m_pin.UnsubclassWindow();            // the window gets its procedure back
//
// From then on the object's table sees the control's messages, and the
// messages the control sends its parent about itself (WM_DRAWITEM,
// WM_MEASUREITEM, WM_CTLCOLOR*, WM_COMMAND, WM_NOTIFY, scrolling) are first
// offered back to it: owner-drawn controls override DrawItem, others name
// ON_CONTROL_REFLECT, ON_NOTIFY_REFLECT or ON_WM_CTLCOLOR_REFLECT entries. The
// parent sees only what the control leaves.
//
// A window's object is found from its handle with CWnd::FromHandle: the
// owning object, or for a window nobody owns a temporary wrapper that stays
// valid while that window lives.
#pragma once
#include "platform/mfc/CommonControls.h"
#include "platform/mfc/Controls.h"
#include "platform/mfc/DataExchange.h"
#include "platform/mfc/Dialog.h"
#include "platform/mfc/FileDialog.h"
#include "platform/mfc/Gdi.h"
#include "platform/mfc/Menu.h"
#include "platform/mfc/MessageBox.h"
#include "platform/mfc/MessageMap.h"
#include "platform/mfc/Resource.h"
#include "platform/mfc/WaitCursor.h"
#include "platform/mfc/WinApp.h"
#include "platform/mfc/Wnd.h"
