// The declarative message table of a window class: one entry per message,
// command or notification, read from the most derived class to CWnd. Each
// entry holds a small thunk that unpacks wParam and lParam and calls the
// class's handler with its usual signature, so a handler of the wrong shape
// does not compile. See AfxWin.h for how a class declares its table.
#pragma once
#include <windows.h>

class CWnd;

typedef LRESULT (*AFX_PMSG)(CWnd* wnd, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage; // the message, or WM_REFLECT_BASE + message for reflected ones
    UINT nCode;    // notification code (WM_COMMAND, WM_NOTIFY), else 0
    UINT nID;      // first control or command id (WM_COMMAND, WM_NOTIFY)
    UINT nLastID;  // last id of the range
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// A message reflected from a parent to the control that sent it.
#define WM_REFLECT_BASE 0xBC00
// Every WM_CTLCOLORxxx message is looked up under this one entry; the
// handler gets the kind as nCtlColor (CTLCOLOR_EDIT, CTLCOLOR_STATIC, ...).
#define AFX_WM_CTLCOLOR 0x0019
// Sent by the modal loop while the thread is idle: wParam MSGF_DIALOGBOX,
// lParam the idle count since the last message; answer non-zero for more.
#define WM_KICKIDLE 0x036A

#define DECLARE_MESSAGE_MAP()                                                   \
protected:                                                                      \
    static const AFX_MSGMAP* GetThisMessageMap();                               \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                             \
    {                                                                           \
        typedef theClass ThisClass;                                             \
        typedef baseClass TheBaseClass;                                         \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                       \
        {0, 0, 0, 0, nullptr}};                                                 \
        static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                            \
    }

// One entry: `body` runs with `self` (the class), wParam and lParam in scope
// and returns the message's result.
#define AFX_ENTRY(message, code, first, last, ...)                              \
    {(UINT)(message), (UINT)(code), (UINT)(first), (UINT)(last),                \
     [](CWnd* wnd_, WPARAM wParam, LPARAM lParam) -> LRESULT {                  \
         ThisClass* self = static_cast<ThisClass*>(wnd_);                       \
         (void)self; (void)wParam; (void)lParam;                                \
         __VA_ARGS__                                                            \
     }},
#define AFX_MSG(message, ...) AFX_ENTRY(message, 0, 0, 0, __VA_ARGS__)

// Any message: LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(message, fn) AFX_MSG(message, return self->fn(wParam, lParam);)

// Commands from menus, accelerators and buttons (code 0): void fn().
#define ON_COMMAND(id, fn) AFX_ENTRY(WM_COMMAND, 0, id, id, self->fn(); return 0;)
// A range of commands: void fn(UINT id).
#define ON_COMMAND_RANGE(first, last, fn)                                       \
    AFX_ENTRY(WM_COMMAND, 0, first, last, self->fn(LOWORD(wParam)); return 0;)
// A control's notification by code: void fn(), or void fn(UINT id) for a range.
#define ON_CONTROL(code, id, fn) AFX_ENTRY(WM_COMMAND, code, id, id, self->fn(); return 0;)
#define ON_CONTROL_RANGE(code, first, last, fn)                                 \
    AFX_ENTRY(WM_COMMAND, code, first, last, self->fn(LOWORD(wParam)); return 0;)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
// Common-control notifications: void fn(NMHDR*, LRESULT* result), or
// void fn(UINT id, NMHDR*, LRESULT*) for a range.
#define ON_NOTIFY(code, id, fn)                                                 \
    AFX_ENTRY(WM_NOTIFY, code, id, id,                                          \
              LRESULT r_ = 0; self->fn((NMHDR*)lParam, &r_); return r_;)
#define ON_NOTIFY_RANGE(code, first, last, fn)                                  \
    AFX_ENTRY(WM_NOTIFY, code, first, last, LRESULT r_ = 0;                     \
              self->fn((UINT)((NMHDR*)lParam)->idFrom, (NMHDR*)lParam, &r_); return r_;)

// Reflected to the control that sent them (the parent never sees them).
#define ON_CONTROL_REFLECT(code, fn)                                            \
    AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, self->fn(); return 0;)
#define ON_NOTIFY_REFLECT(code, fn)                                             \
    AFX_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0,                          \
              LRESULT r_ = 0; self->fn((NMHDR*)lParam, &r_); return r_;)
// HBRUSH CtlColor(CDC*, UINT nCtlColor); NULL leaves the colours to the parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                \
    AFX_MSG(WM_REFLECT_BASE + AFX_WM_CTLCOLOR, CTempDC dc_((HDC)wParam);        \
            return (LRESULT)self->CtlColor(&dc_, CWnd::GetCurrentCtlColor());)
// Owner-drawn controls: their virtual DrawItem, MeasureItem, CompareItem, DeleteItem.
#define ON_WM_DRAWITEM_REFLECT()                                                \
    AFX_MSG(WM_REFLECT_BASE + WM_DRAWITEM, self->DrawItem((LPDRAWITEMSTRUCT)lParam); return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT()                                             \
    AFX_MSG(WM_REFLECT_BASE + WM_MEASUREITEM,                                   \
            self->MeasureItem((LPMEASUREITEMSTRUCT)lParam); return TRUE;)
#define ON_WM_COMPAREITEM_REFLECT()                                             \
    AFX_MSG(WM_REFLECT_BASE + WM_COMPAREITEM,                                   \
            return self->CompareItem((LPCOMPAREITEMSTRUCT)lParam);)
#define ON_WM_DELETEITEM_REFLECT()                                              \
    AFX_MSG(WM_REFLECT_BASE + WM_DELETEITEM, self->DeleteItem((LPDELETEITEMSTRUCT)lParam); return TRUE;)

// Window messages, each with its handler's usual name and signature.
#define ON_WM_CREATE() AFX_MSG(WM_CREATE, return self->OnCreate((LPCREATESTRUCT)lParam);)
#define ON_WM_DESTROY() AFX_MSG(WM_DESTROY, self->OnDestroy(); return 0;)
#define ON_WM_CLOSE() AFX_MSG(WM_CLOSE, self->OnClose(); return 0;)
#define ON_WM_SHOWWINDOW() AFX_MSG(WM_SHOWWINDOW, self->OnShowWindow((BOOL)wParam, (UINT)lParam); return 0;)
#define ON_WM_ACTIVATE()                                                        \
    AFX_MSG(WM_ACTIVATE, self->OnActivate(LOWORD(wParam), CWnd::FromHandle((HWND)lParam), \
                                          (BOOL)HIWORD(wParam)); return 0;)
#define ON_WM_ENABLE() AFX_MSG(WM_ENABLE, self->OnEnable((BOOL)wParam); return 0;)
#define ON_WM_SYSCOMMAND() AFX_MSG(WM_SYSCOMMAND, self->OnSysCommand((UINT)wParam, lParam); return 0;)
#define ON_WM_TIMER() AFX_MSG(WM_TIMER, self->OnTimer((UINT_PTR)wParam); return 0;)
#define ON_WM_PAINT() AFX_MSG(WM_PAINT, self->OnPaint(); return 0;)
#define ON_WM_ERASEBKGND()                                                      \
    AFX_MSG(WM_ERASEBKGND, CTempDC dc_((HDC)wParam); return self->OnEraseBkgnd(&dc_);)
#define ON_WM_CTLCOLOR()                                                        \
    AFX_MSG(AFX_WM_CTLCOLOR, CTempDC dc_((HDC)wParam);                          \
            return (LRESULT)self->OnCtlColor(&dc_, CWnd::FromHandle((HWND)lParam), \
                                             CWnd::GetCurrentCtlColor());)
#define ON_WM_DRAWITEM()                                                        \
    AFX_MSG(WM_DRAWITEM, self->OnDrawItem((int)wParam, (LPDRAWITEMSTRUCT)lParam); return TRUE;)
#define ON_WM_MEASUREITEM()                                                     \
    AFX_MSG(WM_MEASUREITEM, self->OnMeasureItem((int)wParam, (LPMEASUREITEMSTRUCT)lParam); return TRUE;)
#define ON_WM_SIZE() AFX_MSG(WM_SIZE, self->OnSize((UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam)); return 0;)
#define ON_WM_SIZING() AFX_MSG(WM_SIZING, self->OnSizing((UINT)wParam, (LPRECT)lParam); return TRUE;)
#define ON_WM_MOVE() AFX_MSG(WM_MOVE, self->OnMove((short)LOWORD(lParam), (short)HIWORD(lParam)); return 0;)
#define ON_WM_GETMINMAXINFO() AFX_MSG(WM_GETMINMAXINFO, self->OnGetMinMaxInfo((MINMAXINFO*)lParam); return 0;)
#define ON_WM_WINDOWPOSCHANGING()                                               \
    AFX_MSG(WM_WINDOWPOSCHANGING, self->OnWindowPosChanging((WINDOWPOS*)lParam); return 0;)
#define ON_WM_WINDOWPOSCHANGED()                                                \
    AFX_MSG(WM_WINDOWPOSCHANGED, self->OnWindowPosChanged((WINDOWPOS*)lParam); return 0;)
#define ON_WM_NCCALCSIZE()                                                      \
    AFX_MSG(WM_NCCALCSIZE, self->OnNcCalcSize((BOOL)wParam, (NCCALCSIZE_PARAMS*)lParam); return 0;)
#define ON_WM_NCHITTEST() AFX_MSG(WM_NCHITTEST, return self->OnNcHitTest(CPoint(lParam));)
#define ON_WM_MOUSEACTIVATE()                                                   \
    AFX_MSG(WM_MOUSEACTIVATE,                                                   \
            return self->OnMouseActivate(CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));)
#define ON_WM_NCPAINT() AFX_MSG(WM_NCPAINT, self->OnNcPaint(); return 0;)
#define ON_WM_NCACTIVATE() AFX_MSG(WM_NCACTIVATE, return self->OnNcActivate((BOOL)wParam);)
#define ON_WM_NCMOUSEMOVE() AFX_MSG(WM_NCMOUSEMOVE, self->OnNcMouseMove((UINT)wParam, CPoint(lParam)); return 0;)
#define ON_WM_NCLBUTTONDOWN() AFX_MSG(WM_NCLBUTTONDOWN, self->OnNcLButtonDown((UINT)wParam, CPoint(lParam)); return 0;)
#define ON_WM_NCLBUTTONUP() AFX_MSG(WM_NCLBUTTONUP, self->OnNcLButtonUp((UINT)wParam, CPoint(lParam)); return 0;)
#define ON_WM_NCLBUTTONDBLCLK() AFX_MSG(WM_NCLBUTTONDBLCLK, self->OnNcLButtonDblClk((UINT)wParam, CPoint(lParam)); return 0;)
#define ON_WM_MOUSEMOVE() AFX_MSG(WM_MOUSEMOVE, self->OnMouseMove((UINT)wParam, CPoint(lParam)); return 0;)
#define ON_WM_LBUTTONDOWN() AFX_MSG(WM_LBUTTONDOWN, self->OnLButtonDown((UINT)wParam, CPoint(lParam)); return 0;)
#define ON_WM_LBUTTONUP() AFX_MSG(WM_LBUTTONUP, self->OnLButtonUp((UINT)wParam, CPoint(lParam)); return 0;)
#define ON_WM_LBUTTONDBLCLK() AFX_MSG(WM_LBUTTONDBLCLK, self->OnLButtonDblClk((UINT)wParam, CPoint(lParam)); return 0;)
#define ON_WM_RBUTTONDOWN() AFX_MSG(WM_RBUTTONDOWN, self->OnRButtonDown((UINT)wParam, CPoint(lParam)); return 0;)
#define ON_WM_RBUTTONUP() AFX_MSG(WM_RBUTTONUP, self->OnRButtonUp((UINT)wParam, CPoint(lParam)); return 0;)
#define ON_WM_MOUSELEAVE() AFX_MSG(WM_MOUSELEAVE, self->OnMouseLeave(); return 0;)
#define ON_WM_MOUSEWHEEL()                                                      \
    AFX_MSG(WM_MOUSEWHEEL, return self->OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), \
                                                     GET_WHEEL_DELTA_WPARAM(wParam), CPoint(lParam));)
#define ON_WM_SETCURSOR()                                                       \
    AFX_MSG(WM_SETCURSOR, return self->OnSetCursor(CWnd::FromHandle((HWND)wParam), \
                                                   LOWORD(lParam), HIWORD(lParam));)
#define ON_WM_CAPTURECHANGED() AFX_MSG(WM_CAPTURECHANGED, self->OnCaptureChanged(CWnd::FromHandle((HWND)lParam)); return 0;)
#define ON_WM_SETFOCUS() AFX_MSG(WM_SETFOCUS, self->OnSetFocus(CWnd::FromHandle((HWND)wParam)); return 0;)
#define ON_WM_KILLFOCUS() AFX_MSG(WM_KILLFOCUS, self->OnKillFocus(CWnd::FromHandle((HWND)wParam)); return 0;)
#define AFX_KEY_ENTRY(message, fn)                                              \
    AFX_MSG(message, self->fn((UINT)wParam, LOWORD(lParam), HIWORD(lParam)); return 0;)
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_GETDLGCODE() AFX_MSG(WM_GETDLGCODE, return self->OnGetDlgCode();)
#define AFX_SCROLL_ENTRY(message, fn)                                           \
    AFX_MSG(message, self->fn(LOWORD(wParam), HIWORD(wParam),                   \
                              (CScrollBar*)CWnd::FromHandle((HWND)lParam)); return 0;)
#define ON_WM_HSCROLL() AFX_SCROLL_ENTRY(WM_HSCROLL, OnHScroll)
#define ON_WM_VSCROLL() AFX_SCROLL_ENTRY(WM_VSCROLL, OnVScroll)
#define ON_WM_CONTEXTMENU()                                                     \
    AFX_MSG(WM_CONTEXTMENU, self->OnContextMenu(CWnd::FromHandle((HWND)wParam), CPoint(lParam)); return 0;)
#define ON_WM_INITMENUPOPUP()                                                   \
    AFX_MSG(WM_INITMENUPOPUP, self->OnInitMenuPopup(CMenu::FromHandle((HMENU)wParam), \
                                                    LOWORD(lParam), (BOOL)HIWORD(lParam)); return 0;)
#define ON_WM_MENUCHAR()                                                        \
    AFX_MSG(WM_MENUCHAR, return self->OnMenuChar(LOWORD(wParam), HIWORD(wParam), \
                                                 CMenu::FromHandle((HMENU)lParam));)
#define ON_WM_ENTERMENULOOP() AFX_MSG(WM_ENTERMENULOOP, self->OnEnterMenuLoop((BOOL)wParam); return 0;)
#define ON_WM_EXITMENULOOP() AFX_MSG(WM_EXITMENULOOP, self->OnExitMenuLoop((BOOL)wParam); return 0;)
#define ON_WM_SYSCOLORCHANGE() AFX_MSG(WM_SYSCOLORCHANGE, self->OnSysColorChange(); return 0;)
#define ON_WM_QUERYDRAGICON() AFX_MSG(WM_QUERYDRAGICON, return (LRESULT)self->OnQueryDragIcon();)
