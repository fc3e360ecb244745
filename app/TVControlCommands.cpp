// The control panel's command handlers and the state the command table
// reads. Which commands run in which state is the table's business
// (Commands.cpp); a handler here only does its work.
#include "app/TVControl.h"

#include "app/Osd.h"
#include "app/TVVideoWnd.h"
#include "engine/TVManager.h"
#include "graph/DebugHelper.h"
#include "resources/Resource.h"

#include <algorithm>

using namespace cmd;

CTVVideoWnd* CTVControl::VideoWnd() const
{
    CTVVideoWnd* video = dynamic_cast<CTVVideoWnd*>(m_pVideoWnd);
    return video != NULL && video->m_hWnd != NULL ? video : NULL;
}

CommandState CTVControl::ComputeState()
{
    CommandState state;
    state.source = m_manager.GetVideoSource();
    state.recordFormat = m_manager.GetRecordFormat();
    state.fmFormat = m_manager.GetHardwareSettings().FMRecordFormat;
    UINT flags = 0;
    if (m_manager.IsScanning())
        flags |= kScan;
    if (m_manager.IsRecording())
        flags |= kRecord;
    if (m_manager.IsTFRunning())
        flags |= kTimeShift;
    if (m_bMuted)
        flags |= kMuted;
    if (m_hWnd != NULL && IsWindowVisible())
        flags |= kPanelShown;
    if (m_manager.GetHardware().IsTeletextOn())
        flags |= kTeletext;
    if (CTVVideoWnd* video = VideoWnd()) {
        if (video->IsDesktopVideo())
            flags |= kDesktop;
        if (video->IsWindowVisible())
            flags |= kVideoShown;
        if (video->IsZoomed())
            flags |= kFull;
        if (video->GetExStyle() & WS_EX_TOPMOST)
            flags |= kTopMost;
        CRect window;
        video->GetWindowRect(&window);
        const int width = window.Width() - 2 * video->GetBorderWidth();
        const int height = window.Height() - video->GetCaptionHeight() - video->GetBottomHeight();
        if (width == 320 && height == 240)
            flags |= kSize320;
        if (width == 640 && height == 480)
            flags |= kSize640;
    }
    state.flags = flags;
    return state;
}

void CTVControl::EnableCommand(UINT id, BOOL enable)
{
    m_router.EnableCommand(id, enable);
}

void CTVControl::UpdateChannelButtons()
{
    RefreshState();
}

void CTVControl::EnableScanCommands(BOOL scanning)
{
    DebugHelper("EnableScanCommands %d\n", scanning);
    RefreshState();
}

BOOL CTVControl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The state is read afresh: a click may come before any idle time.
    RefreshState();
    if (m_router.Route(wParam, lParam)) {
        RefreshState();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CTVControl::OnInitMenuPopup(CMenu* menu, UINT, BOOL sysMenu)
{
    if (sysMenu || menu == NULL)
        return;
    RefreshState();
    m_router.PushToMenu(menu->m_hMenu);
}

// --- channels --------------------------------------------------------------------

namespace {

void ShowChannelOnVideo(CTVVideoWnd* video)
{
    if (video != NULL)
        video->ShowChannelOsd();
}

} // namespace

void CTVControl::CmdChannelNext(UINT id)
{
    CChannelTable& table = m_manager.GetCurrentTable();
    CChannel* before = table.GetCurrentChannel();
    CChannel* next = id == ID_CHANNEL_PREV ? table.PrevChannel() : table.NextChannel();
    if (next != NULL && next != before) {
        MuteForTuning();
        table.SetCurrentChannel(next);
    }
    ShowChannelText(next);
}

void CTVControl::CmdChannelPrev(UINT id)
{
    CmdChannelNext(id);
}

void CTVControl::CmdChannelLast(UINT)
{
    CChannelTable& table = m_manager.GetCurrentTable();
    CChannel* last = table.GetChannel(table.FindByFrequency(table.GetLastFrequency()));
    if (last == NULL || last == table.GetCurrentChannel())
        return;
    MuteForTuning();
    table.SetCurrentChannel(last);
    ShowChannelText(last);
}

void CTVControl::CmdFavourites(UINT)
{
    CChannelTable& table = m_manager.GetCurrentTable();
    table.SetFavorMode(!table.GetFavorMode());
}

void CTVControl::CmdTuneChannel(UINT id)
{
    const size_t item = id - ID_TUNE_CHANNEL_FIRST;
    if (item >= m_menuChannels.size())
        return;
    CChannelTable& table = m_manager.GetCurrentTable();
    CChannel* channel = table.GetChannel(m_menuChannels[item].index);
    if (channel == NULL || channel->Frequency != m_menuChannels[item].kHz || channel == table.GetCurrentChannel())
        return;
    MuteForTuning();
    table.SetCurrentChannel(channel);
    ShowChannelText(channel);
}

void CTVControl::ShowChannelText(CChannel* channel)
{
    CString text;
    if (m_manager.GetVideoSource() == CTVHardWare::kInputFM) {
        if (channel != NULL)
            text.Format("%ld %s - %g", channel->ID, (LPCSTR)channel->Name, channel->Frequency / 1000.0);
        else
            text = "FM";
    } else {
        if (channel != NULL)
            text.Format("%ld %s", channel->ID, (LPCSTR)channel->Name);
        else
            text = "TV";
        ShowChannelOnVideo(VideoWnd());
    }
    if (m_hWnd != NULL)
        SetDlgItemText(IDC_PANEL_CHANNEL_TEXT, text);
}

// --- sound -----------------------------------------------------------------------

void CTVControl::CmdMute(UINT)
{
    SetMute(!m_bMuted);
}

void CTVControl::SetMute(BOOL mute)
{
    if (m_manager.IsTFRunning())
        return;
    m_bMuted = mute;
    m_manager.SetMute(mute);
    if (CTVVideoWnd* video = VideoWnd()) {
        if (COsd* osd = video->GetOsd(CTVVideoWnd::kOsdMute)) {
            if (mute) {
                osd->SetTextId(IDS_OSD_MUTE);
                osd->ShowOsd(TRUE);
            } else {
                osd->ShowOsd(FALSE);
            }
        }
    }
}

void CTVControl::CmdVolumeUp(UINT id)
{
    StepVolume(id == ID_VOLUME_DOWN ? -kVolumeStep : kVolumeStep);
}

void CTVControl::CmdVolumeDown(UINT id)
{
    CmdVolumeUp(id);
}

void CTVControl::StepVolume(int step)
{
    int volume = 0;
    if (!m_manager.GetVolume(&volume))
        return;
    volume = std::max(0, std::min(kVolumeMax, volume + step));
    m_manager.SetVolume(volume);
    ShowVolumeAndMute();
    if (CTVVideoWnd* video = VideoWnd()) {
        if (COsd* osd = video->GetOsd(CTVVideoWnd::kOsdVolume)) {
            CString label, text;
            label.LoadString(IDS_OSD_VOLUME);
            text.Format("%s %d%%", (LPCSTR)label, volume);
            osd->SetText(text);
            osd->SetValue(volume);
            osd->ShowOsd(TRUE);
        }
    }
}

// --- windows ---------------------------------------------------------------------

void CTVControl::CmdExit(UINT)
{
    // The video window runs the program's one exit sequence.
    if (m_pVideoWnd != NULL && m_pVideoWnd->m_hWnd != NULL)
        m_pVideoWnd->PostMessage(WM_CLOSE);
}

void CTVControl::CmdShowPanel(UINT)
{
    CTVVideoWnd* video = VideoWnd();
    if (video != NULL && video->IsWindowVisible()) {
        m_bPanelWanted = !m_bPanelWanted;
        ShowAsWanted();
    } else {
        ShowWindow(IsIconic() ? SW_RESTORE : SW_MINIMIZE);
    }
}

void CTVControl::CmdTopMost(UINT)
{
    if (CTVVideoWnd* video = VideoWnd()) {
        const BOOL topMost = (video->GetExStyle() & WS_EX_TOPMOST) == 0;
        video->SetWindowPos(topMost ? &wndTopMost : &wndNoTopMost, 0, 0, 0, 0,
                            SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CTVControl::CmdFullScreen(UINT)
{
    if (CTVVideoWnd* video = VideoWnd())
        video->ToggleFullScreen();
}

void CTVControl::CmdVideoSize(UINT id)
{
    if (CTVVideoWnd* video = VideoWnd()) {
        if (id == ID_SIZE_320X240)
            video->SetPictureSize(320, 240);
        else
            video->SetPictureSize(640, 480);
    }
}

void CTVControl::CmdAspect(UINT id)
{
    static const SIZE kAspects[] = {{1, 1}, {4, 3}, {16, 9}};
    if (CTVVideoWnd* video = VideoWnd())
        video->SetAspectRatio(kAspects[id - ID_ASPECT_1_1].cx, kAspects[id - ID_ASPECT_1_1].cy);
}

void CTVControl::CmdTeletext(UINT id)
{
    // The video window owns the teletext program.
    if (m_pVideoWnd != NULL && m_pVideoWnd->m_hWnd != NULL)
        m_pVideoWnd->SendMessage(WM_COMMAND, id, 0);
}

void CTVControl::CmdContextMenu(UINT)
{
    CPoint point;
    ::GetCursorPos(&point);
    ShowContextMenu(point);
}

void CTVControl::CmdNothing(UINT) {}

// --- commands whose windows or roads come later -------------------------------------

#define PANEL_NOT_YET(name)                                                               \
    void CTVControl::name(UINT id) { DebugHelper("CTVControl: command %u not available yet\n", id); }
PANEL_NOT_YET(CmdSnapshot)
PANEL_NOT_YET(CmdRecord)
PANEL_NOT_YET(CmdPause)
PANEL_NOT_YET(CmdInputSource)
PANEL_NOT_YET(CmdChannelWall)
PANEL_NOT_YET(CmdChannelScan)
PANEL_NOT_YET(CmdSettings)
PANEL_NOT_YET(CmdMoviePlayer)
PANEL_NOT_YET(CmdImageBrowser)
PANEL_NOT_YET(CmdAbout)
PANEL_NOT_YET(CmdPictureDialog)
PANEL_NOT_YET(CmdChannelSettings)
PANEL_NOT_YET(CmdOsdMenu)
PANEL_NOT_YET(CmdNextSkin)
PANEL_NOT_YET(CmdRecordFormat)
PANEL_NOT_YET(CmdFMFormat)
PANEL_NOT_YET(CmdFMCustomFormats)
PANEL_NOT_YET(CmdTimeShiftStart)
PANEL_NOT_YET(CmdTimeShiftPause)
PANEL_NOT_YET(CmdTimeShiftStop)
#undef PANEL_NOT_YET
