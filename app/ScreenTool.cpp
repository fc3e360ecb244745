#include "app/ScreenTool.h"

#include "app/CommandRouter.h"
#include "resources/Resource.h"
#include "skin/DrawBmpHelper.h"

#include <commctrl.h>

namespace {

// What a button does: a command of the table, or the tool bar's own.
enum class Action
{
    kPin,
    kClose,
    kCommand,
    kRecord,
};

// One button: its place in pixels, its bitmaps in the order CBmpButton
// takes them (hover, normal, pressed, disabled), its tip and its action.
struct ButtonRow
{
    UINT id;
    UINT bitmaps[4];
    RECT place; // left, top, width, height
    bool toggle;
    UINT tip;
    Action action;
    UINT command;
    UINT refusedBy; // cmd::Flag bits that refuse it beyond the command's own row
};

const ButtonRow kButtons[CScreenTool::kButtonCount] = {
    {IDC_SCREENTOOL_PIN, {IDB_TOOL_PIN_HOVER, IDB_TOOL_PIN_NORMAL, IDB_TOOL_PIN_PRESSED, IDB_TOOL_PIN_DISABLED},
     {13, 5, 20, 15}, true, IDS_TIP_PIN, Action::kPin, 0, 0},
    {IDC_SCREENTOOL_CLOSE,
     {IDB_TOOL_CLOSE_HOVER, IDB_TOOL_CLOSE_NORMAL, IDB_TOOL_CLOSE_PRESSED, IDB_TOOL_CLOSE_DISABLED},
     {65, 14, 30, 20}, false, IDS_TIP_CLOSE_TOOLBAR, Action::kClose, 0, 0},
    {IDC_SCREENTOOL_SNAPSHOT,
     {IDB_TOOL_SNAPSHOT_HOVER, IDB_TOOL_SNAPSHOT_NORMAL, IDB_TOOL_SNAPSHOT_PRESSED, IDB_TOOL_SNAPSHOT_DISABLED},
     {130, 5, 20, 15}, false, IDS_TIP_SNAPSHOT, Action::kCommand, ID_SNAPSHOT, cmd::kBusy},
    {IDC_SCREENTOOL_WALL, {IDB_TOOL_WALL_HOVER, IDB_TOOL_WALL_NORMAL, IDB_TOOL_WALL_PRESSED, IDB_TOOL_WALL_DISABLED},
     {154, 5, 20, 15}, false, IDS_TIP_CHANNEL_WALL, Action::kCommand, ID_CHANNEL_WALL, cmd::kBusy},
    {IDC_SCREENTOOL_RECORD,
     {IDB_TOOL_RECORD_HOVER, IDB_TOOL_RECORD_NORMAL, IDB_TOOL_RECORD_PRESSED, IDB_TOOL_RECORD_DISABLED},
     {178, 5, 20, 15}, true, IDS_TIP_RECORD, Action::kRecord, 0, cmd::kScan},
    {IDC_SCREENTOOL_PREV, {IDB_TOOL_PREV_HOVER, IDB_TOOL_PREV_NORMAL, IDB_TOOL_PREV_PRESSED, IDB_TOOL_PREV_DISABLED},
     {373, 4, 20, 15}, false, IDS_TIP_PREV_CHANNEL, Action::kCommand, ID_CHANNEL_PREV, cmd::kRecord | cmd::kScan},
    {IDC_SCREENTOOL_NEXT, {IDB_TOOL_NEXT_HOVER, IDB_TOOL_NEXT_NORMAL, IDB_TOOL_NEXT_PRESSED, IDB_TOOL_NEXT_DISABLED},
     {400, 4, 20, 15}, false, IDS_TIP_NEXT_CHANNEL, Action::kCommand, ID_CHANNEL_NEXT, cmd::kRecord | cmd::kScan},
    {IDC_SCREENTOOL_MUTE, {IDB_TOOL_MUTE_HOVER, IDB_TOOL_MUTE_NORMAL, IDB_TOOL_MUTE_PRESSED, IDB_TOOL_MUTE_DISABLED},
     {551, 5, 20, 15}, true, IDS_TIP_MUTE, Action::kCommand, ID_MUTE, 0},
};

const RECT kVolumePlace = {435, 4, 103, 15};
const RECT kTextPlace = {241, 6, 110, 16};
const int kVolumePage = 10;
const int kVolumeLine = 5;
const COLORREF kTextColour = RGB(255, 255, 255);

const ButtonRow* FindButton(UINT id)
{
    for (const ButtonRow& row : kButtons)
        if (row.id == id)
            return &row;
    return nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CScreenTool, CDialog)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_HSCROLL, OnHScroll)
END_MESSAGE_MAP()

CScreenTool::CScreenTool(CCommandRouter& router, IScreenToolHost& host) : m_router(router), m_host(host) {}

BOOL CScreenTool::CreateTool(CWnd* owner)
{
    return Create(IDD_SCREENTOOL, owner);
}

BOOL CScreenTool::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_background.LoadBitmap(IDB_TOOL_BACKGROUND);
    m_filler.LoadBitmap(IDB_TOOL_FILLER);
    m_backgroundSize = m_background.GetSafeHandle() != NULL ? m_background.GetSize() : CSize(0, 0);
    // At the screen's top edge, as wide as the screen and as high as the bar.
    const int height = m_backgroundSize.cy > 0 ? m_backgroundSize.cy : 24;
    SetWindowPos(&wndTopMost, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), height, SWP_NOACTIVATE | SWP_HIDEWINDOW);
    PlaceControls();
    if (m_tips.Create(this)) {
        for (const ButtonRow& row : kButtons)
            m_tips.AddToolFromResource(row.id, row.tip);
        m_tips.AddToolFromResource(IDC_SCREENTOOL_VOLUME, IDS_TIP_VOLUME);
        m_tips.AddToolFromResource(IDC_SCREENTOOL_TEXT, IDS_TIP_CHANNEL_TEXT);
        m_tips.Activate(TRUE);
    }
    SetWindowText("ScreenTool");
    return TRUE;
}

void CScreenTool::PlaceControls()
{
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonRow& row = kButtons[i];
        CBmpButton& button = m_buttons[i];
        if (!button.SubclassDlgItem(row.id, this))
            continue;
        button.MoveWindow(row.place.left, row.place.top, row.place.right, row.place.bottom, FALSE);
        button.LoadBitmaps(row.bitmaps[0], row.bitmaps[1], row.bitmaps[2], row.bitmaps[3]);
        button.SetToggle(row.toggle);
    }
    if (m_volume.SubclassDlgItem(IDC_SCREENTOOL_VOLUME, this)) {
        m_volume.MoveWindow(kVolumePlace.left, kVolumePlace.top, kVolumePlace.right, kVolumePlace.bottom, FALSE);
        m_volume.SetRange(0, 100);
        m_volume.SetPageSize(kVolumePage);
        m_volume.SetLineSize(kVolumeLine);
        m_volume.LoadBitmaps(IDB_TOOL_BACKGROUND, IDB_TOOL_VOLUME_THUMB);
    }
    // The text takes its place and colour as it takes the control over.
    m_text.SetPosition(kTextPlace.left, kTextPlace.top);
    m_text.SetSize(kTextPlace.right, kTextPlace.bottom);
    m_text.SetTextColor(kTextColour);
    m_text.SubclassDlgItem(IDC_SCREENTOOL_TEXT, this);
}

void CScreenTool::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    // The bar's left part, then the filler tiled over the rest.
    int x = 0;
    if (m_background.GetSafeHandle() != NULL) {
        CDrawBmpHelper::DrawBitmap(&dc, CRect(0, 0, m_backgroundSize.cx, client.bottom), &m_background);
        x = m_backgroundSize.cx;
    }
    if (m_filler.GetSafeHandle() == NULL)
        return;
    const CSize tile = m_filler.GetSize();
    for (; tile.cx > 0 && x < client.right; x += tile.cx)
        CDrawBmpHelper::DrawBitmap(&dc, CRect(x, 0, x + tile.cx, client.bottom), &m_filler);
}

BOOL CScreenTool::OnEraseBkgnd(CDC*)
{
    return TRUE; // the painting covers the whole bar
}

void CScreenTool::Show(BOOL show)
{
    if (m_hWnd == NULL)
        return;
    if (show) {
        m_bPinned = m_buttons[0].GetCheck();
        ShowWindow(SW_SHOWNOACTIVATE);
        StartHideTimer();
    } else {
        StopHideTimer();
        ShowWindow(SW_HIDE);
    }
    m_host.PlaceScreenTexts();
}

void CScreenTool::SetPinned(BOOL pinned)
{
    m_bPinned = pinned;
    m_buttons[0].SetCheck(pinned);
    if (pinned)
        StopHideTimer();
    else if (IsShown())
        StartHideTimer();
}

void CScreenTool::SetRecordCheck(BOOL check)
{
    m_buttons[4].SetCheck(check);
}

void CScreenTool::SetMuteCheck(BOOL check)
{
    m_buttons[7].SetCheck(check);
}

void CScreenTool::SetText(LPCSTR text)
{
    m_text.SetText(text);
}

void CScreenTool::ShowVolume(int volume)
{
    if (m_volume.m_hWnd != NULL)
        m_volume.SetPos(volume);
}

void CScreenTool::StartHideTimer()
{
    if (m_hWnd == NULL || m_bPinned)
        return;
    m_bHideTimer = SetTimer(kHideTimer, m_nHideMs, NULL) != 0;
}

void CScreenTool::StopHideTimer()
{
    if (m_bHideTimer && m_hWnd != NULL)
        KillTimer(kHideTimer);
    m_bHideTimer = FALSE;
}

void CScreenTool::OnMouseMove(UINT, CPoint)
{
    StopHideTimer();
    if (!m_bTracking) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
        m_bTracking = ::TrackMouseEvent(&track);
    }
}

void CScreenTool::OnMouseLeave()
{
    m_bTracking = FALSE;
    StartHideTimer();
}

void CScreenTool::OnTimer(UINT_PTR id)
{
    if (id == kHideTimer)
        OnHideTimer();
    else
        Default();
}

void CScreenTool::OnHideTimer()
{
    if (m_bPinned) {
        StopHideTimer();
        return;
    }
    // The pointer may be over one of the buttons: the bar stays while it
    // is anywhere over it, and is looked at again a period later.
    CPoint cursor;
    CRect window;
    ::GetCursorPos(&cursor);
    GetWindowRect(&window);
    if (!window.PtInRect(cursor))
        Show(FALSE);
}

BOOL CScreenTool::PreTranslateMessage(MSG* msg)
{
    const BOOL mine = msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd);
    if (mine && (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN)) {
        if (HWND panel = m_host.KeyWindow())
            ::PostMessageA(panel, WM_KEYDOWN, msg->wParam, msg->lParam);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

BOOL CScreenTool::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && FindButton(id) != nullptr) {
        RunButton(id);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CScreenTool::RunButton(UINT id)
{
    const ButtonRow* row = FindButton(id);
    if (row == nullptr)
        return;
    if ((m_router.GetState().flags & row->refusedBy) != 0) {
        // Refused in this state: a toggle shows its state as it was.
        if (row->action == Action::kRecord)
            SetRecordCheck((m_router.GetState().flags & cmd::kRecord) != 0);
        return;
    }
    switch (row->action) {
    case Action::kPin:
        SetPinned(m_buttons[0].GetCheck());
        break;
    case Action::kClose:
        Show(FALSE);
        break;
    case Action::kRecord:
        m_host.ToggleRecord();
        SetRecordCheck((m_router.GetState().flags & cmd::kRecord) != 0);
        break;
    case Action::kCommand:
        m_router.Execute(row->command);
        if (id == IDC_SCREENTOOL_MUTE)
            SetMuteCheck((m_router.GetState().flags & cmd::kMuted) != 0);
        break;
    }
}

LRESULT CScreenTool::OnHScroll(WPARAM wParam, LPARAM lParam)
{
    if ((HWND)lParam == m_volume.m_hWnd) {
        const UINT code = LOWORD(wParam);
        // At the end of a drag or on a thumb position the volume is set.
        if (code == TB_ENDTRACK || code == TB_THUMBPOSITION)
            m_host.SetVolume(m_volume.GetPos());
    }
    return 0;
}
