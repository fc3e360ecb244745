// CWnd: a window object and its handle. An object that creates, attaches or
// subclasses a window is entered in the permanent handle map and receives the
// window's messages through WindowProc and its message table; FromHandle of
// any other window gives a temporary wrapper that owns nothing.
// UI thread: a window's object is called on the thread that made the window.
// See AfxWin.h for how a class declares its message table.
#pragma once
#include "platform/mfc/Gdi.h"
#include "platform/mfc/Geometry.h"
#include "platform/mfc/MessageMap.h"
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"

#include <windows.h>

class CMenu;
class CScrollBar;
class CDataExchange;
template <class H, class O> class CHandleMap;

class CWnd : public CObject
{
public:
    CWnd();
    // A window still attached is destroyed with its object.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool operator==(const CWnd& other) const { return m_hWnd == other.m_hWnd; }
    bool operator!=(const CWnd& other) const { return m_hWnd != other.m_hWnd; }

    // Places in the z-order for SetWindowPos.
    static const CWnd wndTop, wndBottom, wndTopMost, wndNoTopMost;

    // --- handle map -----------------------------------------------------
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    BOOL Attach(HWND hWnd);
    HWND Detach();

    // --- creation and destruction ----------------------------------------
    // `className` NULL: the framework's plain window class (AfxRegisterWndClass(0)).
    virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT idOrMenu, LPVOID param = NULL);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU idOrMenu, LPVOID param = NULL);
    virtual BOOL DestroyWindow();

    // --- subclassing -----------------------------------------------------
    // Takes over a window made by someone else (a dialog's control): the
    // object joins the map and its table sees the window's messages first.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Gives the window its old procedure back and leaves the map.
    HWND UnsubclassWindow();

    // --- the message road --------------------------------------------------
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    // Runs the current message's default handling.
    LRESULT Default();
    static const MSG* GetCurrentMessage();
    // While a WM_CTLCOLORxxx message is dispatched: its CTLCOLOR_xxx kind.
    static UINT GetCurrentCtlColor();
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Offers `msg` to PreTranslateMessage of its window and of each parent
    // up to and including `stop`; TRUE when one of them took it.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    // --- style, family and placement ------------------------------------
    DWORD GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_EXSTYLE); }
    // Removes then adds style bits; with `swpFlags` the frame is redrawn
    // through SetWindowPos. TRUE when the style changed.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* newParent) { return FromHandle(::SetParent(m_hWnd, newParent ? newParent->m_hWnd : NULL)); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT command) const { return FromHandle(::GetWindow(m_hWnd, command)); }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    BOOL IsChild(const CWnd* wnd) const { return wnd && ::IsChild(m_hWnd, wnd->m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    void MoveWindow(int x, int y, int w, int h, BOOL repaint = TRUE) { ::MoveWindow(m_hWnd, x, y, w, h, repaint); }
    void MoveWindow(LPCRECT r, BOOL repaint = TRUE) { MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, repaint); }
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void ClientToScreen(LPPOINT p) const { ::ClientToScreen(m_hWnd, p); }
    void ClientToScreen(LPRECT r) const;
    void ScreenToClient(LPPOINT p) const { ::ScreenToClient(m_hWnd, p); }
    void ScreenToClient(LPRECT r) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const
    {
        ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : NULL, points, count);
    }
    void MapWindowPoints(CWnd* to, LPRECT rect) const { MapWindowPoints(to, (LPPOINT)rect, 2); }
    // Centres on `alternate` (NULL: the owner, else the screen's work area).
    void CenterWindow(CWnd* alternate = NULL);
    BOOL BringWindowToTop() { return ::BringWindowToTop(m_hWnd); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* FindWindow(LPCSTR className, LPCSTR windowName)
    {
        return FromHandle(::FindWindowA(className, windowName));
    }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }

    // --- painting -------------------------------------------------------
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, NULL, erase); }
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void InvalidateRgn(CRgn* region, BOOL erase = TRUE) { ::InvalidateRgn(m_hWnd, *region, erase); }
    void ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT rect = NULL, CRgn* region = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, redraw); }
    // The window owns the region from here on: the CRgn form detaches it
    // from its object on success (a region must never be deleted twice).
    int SetWindowRgn(HRGN region, BOOL redraw) { return ::SetWindowRgn(m_hWnd, region, redraw); }
    int SetWindowRgn(CRgn& region, BOOL redraw);

    // --- text, font, icon, menu -------------------------------------------
    void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
    int GetWindowText(LPSTR buffer, int size) const { return ::GetWindowTextA(m_hWnd, buffer, size); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetFont(CFont* font, BOOL redraw = TRUE) { SendMessage(WM_SETFONT, (WPARAM)font->m_hObject, redraw); }
    HFONT GetFont() const { return (HFONT)SendMessage(WM_GETFONT); }
    HICON SetIcon(HICON icon, BOOL big) { return (HICON)SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, (LPARAM)icon); }
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* menu);
    CMenu* GetSystemMenu(BOOL revert) const;
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }

    // --- timers ---------------------------------------------------------
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = NULL) { return ::SetTimer(m_hWnd, id, elapse, proc); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

    // --- dialog items -----------------------------------------------------
    void SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
    UINT GetDlgItemInt(int id, BOOL* translated = NULL, BOOL isSigned = TRUE) const
    {
        return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
    }
    void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    void CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(m_hWnd, first, last, check); }
    int GetCheckedRadioButton(int first, int last) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
    }
    // Moves the controls' values into the object's members (TRUE) or back
    // into the controls (FALSE) through DoDataExchange; FALSE when a value
    // was refused (the user has been told and the control has the focus).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Window messages sent on to the control they came from; a control's
    // table answers them with ON_..._REFLECT entries. TRUE when it did.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

protected:
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The table look-up behind WindowProc; FALSE when nothing handled it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Called once the object holds the window and before its procedure is
    // replaced: by SubclassWindow, and by creation before the first message.
    virtual void PreSubclassWindow() {}
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs) { (void)cs; return TRUE; }
    // After the last message (WM_NCDESTROY) of the window; may delete the object.
    virtual void PostNcDestroy() {}
    virtual void DoDataExchange(CDataExchange* dx) { (void)dx; }

    // The default handling of each message the tables name, for a handler
    // that does its part and then hands the message on (CDialog::OnSize(...)).
    int OnCreate(LPCREATESTRUCT) { return (int)Default(); }
    void OnDestroy() { Default(); }
    void OnClose() { Default(); }
    void OnShowWindow(BOOL, UINT) { Default(); }
    void OnActivate(UINT, CWnd*, BOOL) { Default(); }
    void OnEnable(BOOL) { Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnPaint() { Default(); }
    BOOL OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return (HBRUSH)Default(); }
    void OnSize(UINT, int, int) { Default(); }
    void OnSizing(UINT, LPRECT) { Default(); }
    void OnMove(int, int) { Default(); }
    void OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
    void OnWindowPosChanging(WINDOWPOS*) { Default(); }
    void OnWindowPosChanged(WINDOWPOS*) { Default(); }
    void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
    LRESULT OnNcHitTest(CPoint) { return Default(); }
    void OnNcPaint() { Default(); }
    BOOL OnNcActivate(BOOL) { return (BOOL)Default(); }
    void OnNcMouseMove(UINT, CPoint) { Default(); }
    void OnNcLButtonDown(UINT, CPoint) { Default(); }
    void OnNcLButtonUp(UINT, CPoint) { Default(); }
    void OnNcLButtonDblClk(UINT, CPoint) { Default(); }
    void OnMouseMove(UINT, CPoint) { Default(); }
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnLButtonDblClk(UINT, CPoint) { Default(); }
    void OnRButtonDown(UINT, CPoint) { Default(); }
    void OnRButtonUp(UINT, CPoint) { Default(); }
    void OnMouseLeave() { Default(); }
    BOOL OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
    BOOL OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
    void OnCaptureChanged(CWnd*) { Default(); }
    void OnSetFocus(CWnd*) { Default(); }
    void OnKillFocus(CWnd*) { Default(); }
    void OnKeyDown(UINT, UINT, UINT) { Default(); }
    void OnKeyUp(UINT, UINT, UINT) { Default(); }
    void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
    void OnChar(UINT, UINT, UINT) { Default(); }
    UINT OnGetDlgCode() { return (UINT)Default(); }
    void OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
    void OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
    void OnContextMenu(CWnd*, CPoint) { Default(); }
    void OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
    LRESULT OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
    void OnEnterMenuLoop(BOOL) { Default(); }
    void OnExitMenuLoop(BOOL) { Default(); }
    void OnSysColorChange() { Default(); }
    HCURSOR OnQueryDragIcon() { return (HCURSOR)Default(); }

    // Default handling of owner-drawn menus: the menu object of the item
    // draws or measures it.
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);

    WNDPROC m_pfnSuper; // the window's procedure before ours

private:
    explicit CWnd(HWND insertAfter);
    friend class CHandleMap<HWND, CWnd>;
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);
    void AttachTemporary(HWND hWnd) { m_hWnd = hWnd; }
    void DetachTemporary() { m_hWnd = NULL; }
    void HookWindowProc();
    void OnNcDestroyed();
    BOOL DispatchTable(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result);
    CMenu* FindMenuOfItem(UINT itemId) const;
};

// The procedure of every window that has an object.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// For the length of one creation call (CreateWindowEx, CreateDialog...),
// the first window this thread makes is attached to `wnd` and hooked before
// its first message, so the object's table sees WM_NCCREATE onwards.
class CCreationHook
{
public:
    explicit CCreationHook(CWnd* wnd);
    ~CCreationHook();
    CCreationHook(const CCreationHook&) = delete;
    CCreationHook& operator=(const CCreationHook&) = delete;

private:
    CWnd* m_outer;
    bool m_hookOwner;
};

// Registers the common controls' window classes once, so templates and
// CreateEx can name them; creation calls it first.
void AfxInitCommonControls();

// A window class for CWnd::Create and CreateEx (their objects hook the
// window as it is made); the name stays valid for the process, and the same
// arguments give the same class.
LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = NULL, HBRUSH background = NULL,
                           HICON icon = NULL);
