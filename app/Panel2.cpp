#include "app/Panel2.h"

#include "graph/WindowMessages.h"
#include "app/MChannelFrame.h"
#include "app/MColorFrame.h"
#include "app/MListFrame.h"
#include "app/MOffFrame.h"
#include "app/MRecordPropertyFrame.h"
#include "app/MRecordTimeFrame.h"
#include "app/MRootFrame.h"
#include "app/MSearchFrame.h"
#include "app/MVideo.h"
#include "app/OsdEngine.h"
#include "resources/Resource.h"

BEGIN_MESSAGE_MAP(CPanel2, CDialog)
    ON_MESSAGE(WM_OSD_KEY, OnOsdKeyMessage)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

// The panels in host order.
std::unique_ptr<MFrame> (*const kMakeFrame[])() = {
    []() -> std::unique_ptr<MFrame> { return std::unique_ptr<MFrame>(new MRootFrame); },
    []() -> std::unique_ptr<MFrame> { return std::unique_ptr<MFrame>(new MChannelFrame); },
    []() -> std::unique_ptr<MFrame> { return std::unique_ptr<MFrame>(new MSearchFrame); },
    []() -> std::unique_ptr<MFrame> { return std::unique_ptr<MFrame>(new MColorFrame); },
    []() -> std::unique_ptr<MFrame> { return std::unique_ptr<MFrame>(new MRecordTimeFrame); },
    []() -> std::unique_ptr<MFrame> { return std::unique_ptr<MFrame>(new MRecordPropertyFrame); },
    []() -> std::unique_ptr<MFrame> { return std::unique_ptr<MFrame>(new MOffFrame); },
    []() -> std::unique_ptr<MFrame> { return std::unique_ptr<MFrame>(new MListFrame); },
    []() -> std::unique_ptr<MFrame> { return std::unique_ptr<MFrame>(new MVideo); },
};
static_assert(sizeof kMakeFrame / sizeof kMakeFrame[0] == CPanel2::kFrameCount, "one maker per panel");

// The tree: each parent's sub-panels in the order its rows open them.
const struct
{
    int parent;
    int child;
} kLinks[] = {
    {CPanel2::kRootFrame, CPanel2::kChannelFrame},
    {CPanel2::kRootFrame, CPanel2::kColorFrame},
    {CPanel2::kRootFrame, CPanel2::kListFrame},
    {CPanel2::kRootFrame, CPanel2::kRecordPropertyFrame},
    {CPanel2::kRootFrame, CPanel2::kVideoFrame},
    {CPanel2::kChannelFrame, CPanel2::kSearchFrame},
    {CPanel2::kVideoFrame, CPanel2::kOffFrame},
    {CPanel2::kListFrame, CPanel2::kRecordTimeFrame},
};
static_assert(sizeof kLinks / sizeof kLinks[0] == CPanel2::kFrameCount - 1, "every panel but the root has a parent");

// The keys the menu takes from the keyboard while it has it.
bool IsMenuKey(WPARAM vk)
{
    switch (vk) {
    case kOsdKeyMenu:
    case kOsdKeyUp:
    case kOsdKeyDown:
    case kOsdKeyLeft:
    case kOsdKeyRight:
    case kOsdKeyEnter:
    case kOsdKeyClose:
        return true;
    default:
        return false;
    }
}

} // namespace

CPanel2::CPanel2(IOsdEngine& engine)
    : CDialog(IDD_OSDMENU), m_engine(engine), m_pCurrent(NULL), m_editedItem(NULL)
{
}

CPanel2::~CPanel2()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    m_frames.clear();
}

BOOL CPanel2::Create(CWnd* parent)
{
    return CDialog::Create(IDD_OSDMENU, parent);
}

BOOL CPanel2::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bmpRowNormal.LoadBitmap(IDB_OSD_ROW_NORMAL);
    m_bmpRowFocused.LoadBitmap(IDB_OSD_ROW_FOCUSED);
    m_bmpTop.LoadBitmap(IDB_OSD_PANEL_TOP);
    m_bmpBottom.LoadBitmap(IDB_OSD_PANEL_BOTTOM);
    BuildFrames();
    m_pCurrent = GetFrame(kRootFrame);
    FitToFrame();
    for (const auto& frame : m_frames)
        frame->OnShow();
    return FALSE;
}

void CPanel2::BuildFrames()
{
    m_frames.clear();
    for (auto make : kMakeFrame) {
        std::unique_ptr<MFrame> frame = make();
        frame->Attach(this, &m_engine);
        frame->Create(CRect(0, 0, 120, 120), this, 0);
        frame->SetSharedBackground(&m_bmpTop, &m_bmpBottom);
        frame->BuildRows();
        frame->SetAllRowsSharedBitmaps(&m_bmpRowNormal, &m_bmpRowFocused);
        frame->LayoutRows();
        frame->SetFocusRow(0);
        m_frames.push_back(std::move(frame));
    }
    for (const auto& link : kLinks) {
        m_frames[link.parent]->AddSubFrame(m_frames[link.child].get());
        m_frames[link.child]->SetParentFrame(m_frames[link.parent].get());
    }
    for (int i = kRootFrame + 1; i < kFrameCount; ++i)
        m_frames[i]->ShowWindow(SW_HIDE);
}

MFrame* CPanel2::GetFrame(int index) const
{
    if (index < 0 || index >= (int)m_frames.size())
        return NULL;
    return m_frames[index].get();
}

void CPanel2::FitToFrame()
{
    if (m_pCurrent == NULL || m_hWnd == NULL)
        return;
    CRect panel;
    m_pCurrent->GetWindowRect(&panel);
    CRect desktop;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
    const int x = desktop.left + (desktop.Width() - panel.Width()) / 2;
    const int y = desktop.top + (desktop.Height() - panel.Height()) / 2;
    SetWindowPos(NULL, x, y, panel.Width(), panel.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_pCurrent->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPanel2::ShowPanel(BOOL show)
{
    if (m_hWnd == NULL)
        return;
    if (show) {
        for (const auto& frame : m_frames)
            frame->OnShow();
        ShowRootFrame();
        FitToFrame();
        ShowWindow(SW_SHOW);
    } else {
        for (const auto& frame : m_frames)
            frame->OnHide();
        ShowWindow(SW_HIDE);
    }
}

void CPanel2::SwitchTo(MFrame* frame)
{
    if (frame == NULL || frame == m_pCurrent)
        return;
    if (m_pCurrent != NULL)
        m_pCurrent->Show(FALSE);
    m_pCurrent = frame;
    m_pCurrent->Show(TRUE);
    FitToFrame();
}

BOOL CPanel2::EnterSubFrame()
{
    MFrame* sub = m_pCurrent != NULL ? m_pCurrent->GetCurrentSubFrame() : NULL;
    if (sub == NULL)
        return FALSE;
    SwitchTo(sub);
    return TRUE;
}

BOOL CPanel2::Back()
{
    MFrame* parent = m_pCurrent != NULL ? m_pCurrent->GetParentFrame() : NULL;
    if (parent == NULL)
        return FALSE;
    SwitchTo(parent);
    return TRUE;
}

BOOL CPanel2::ShowRootFrame()
{
    MFrame* root = GetFrame(kRootFrame);
    if (root == NULL || root == m_pCurrent)
        return FALSE;
    SwitchTo(root);
    return TRUE;
}

// The current panel answers first. What it passes back (1 or 2) is the
// host's: the menu key goes back one panel (or opens or closes the menu at
// the root), Enter opens the sub-panel, the close code hides the menu.
LRESULT CPanel2::OnOsdKey(WPARAM vk, LPARAM lParam)
{
    const int answer = SendOsdKey(m_pCurrent, (UINT)vk, lParam);
    if (answer != kOsdChanged && answer != kOsdNotHandled)
        return 0;
    switch (vk) {
    case kOsdKeyMenu:
        if (!IsWindowVisible())
            ShowPanel(TRUE);
        else if (!Back())
            ShowPanel(FALSE);
        break;
    case kOsdKeyEnter:
        EnterSubFrame();
        break;
    case kOsdKeyClose:
        ShowPanel(FALSE);
        break;
    default:
        break;
    }
    return 0;
}

void CPanel2::UpdateScanProgress(long rangeStart, long rangeEnd, long position)
{
    if (MSearchFrame* search = dynamic_cast<MSearchFrame*>(GetFrame(kSearchFrame)))
        search->SetProgress(rangeStart, rangeEnd, position);
}

void CPanel2::OnScanProgress(int percent)
{
    if (IsPanelShown())
        UpdateScanProgress(0, 100, percent);
}

void CPanel2::OnScanEnd()
{
    if (m_hWnd != NULL && IsWindowVisible() && m_pCurrent == GetFrame(kSearchFrame))
        Back();
}

BOOL CPanel2::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && IsMenuKey(msg->wParam)) {
        OnOsdKey(msg->wParam, 0);
        return TRUE;
    }
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        if (!IsWindowVisible())
            ShowPanel(TRUE);
        else
            OnOsdKey(kOsdKeyMenu, 0);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CPanel2::PostNcDestroy()
{
    // The panels' windows have gone with the dialog's; their objects go now.
    m_pCurrent = NULL;
    m_frames.clear();
    CDialog::PostNcDestroy();
}
