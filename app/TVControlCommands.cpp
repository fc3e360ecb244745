// The control panel's command handlers and the state the command table
// reads. Which commands run in which state is the table's business
// (Commands.cpp); a handler here only does its work.
#include "app/TVControl.h"

#include "app/AboutDlg.h"
#include "app/Osd.h"
#include "app/TVVideoWnd.h"
#include "engine/TVManager.h"
#include "graph/DebugHelper.h"
#include "platform/mfc/MessageBox.h"
#include "platform/system/SystemServices.h"
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
    if ((m_manager.IsTFRunning() && m_manager.IsTFPaused()) || (m_manager.IsRecording() && m_manager.IsRecordPaused()))
        flags |= kPaused;
    if (m_bMuted)
        flags |= kMuted;
    if (IsOsdMenuShown())
        flags |= kOsdMenuShown;
    if (m_hWnd != NULL && IsWindowVisible())
        flags |= kPanelShown;
    if (m_manager.GetHardware().IsTeletextOn())
        flags |= kTeletext;
    if (m_pOpenSheet != NULL)
        flags |= kSheet;
    if (m_bPropertyBar)
        flags |= kPropertyBar;
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
    return CSkinnedDialog::OnCommand(wParam, lParam);
}

void CTVControl::OnInitMenuPopup(CMenu* menu, UINT, BOOL sysMenu)
{
    if (sysMenu || menu == NULL)
        return;
    RefreshState();
    PushToMenu(menu->m_hMenu);
    CNewMenu::PrepareToShowPopup(m_hWnd, menu->m_hMenu);
}

void CTVControl::PushToMenu(HMENU menu)
{
    m_router.PushToMenu(menu);
    // The "no channels" item stands in the first tune-channel id, greyed.
    if (m_menuChannels.empty())
        ::EnableMenuItem(menu, ID_TUNE_CHANNEL_FIRST, MF_BYCOMMAND | MF_GRAYED);
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
    const int item = TuneChannelItem(id);
    if (item < 0 || item >= (int)m_menuChannels.size())
        return;
    CChannelTable& table = m_manager.GetCurrentTable();
    CChannel* channel = table.GetChannel(m_menuChannels[item].index);
    if (channel == NULL || channel->Frequency != m_menuChannels[item].kHz || channel == table.GetCurrentChannel())
        return;
    MuteForTuning();
    table.SetCurrentChannel(channel);
    ShowChannelText(channel);
}

CString CTVControl::FMChannelText(const CChannel* channel)
{
    CString text;
    if (channel == NULL)
        text = "FM";
    else if (channel->Name.IsEmpty() && channel->ID <= 0)
        text.Format("FM %g", channel->Frequency / 1000.0); // a bare frequency
    else
        text.Format("%ld %s - %g", channel->ID, (LPCSTR)channel->Name, channel->Frequency / 1000.0);
    return text;
}

void CTVControl::ShowChannelText(CChannel* channel)
{
    CString text;
    if (m_manager.GetVideoSource() == CTVHardWare::kInputFM) {
        text = FMChannelText(channel);
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
    SetVolume(ReadVolume() + step);
}

void CTVControl::ShowVolumeOsd(int volume)
{
    CTVVideoWnd* video = VideoWnd();
    COsd* osd = video != NULL ? video->GetOsd(CTVVideoWnd::kOsdVolume) : NULL;
    if (osd == NULL)
        return;
    CString label, text;
    label.LoadString(IDS_OSD_VOLUME);
    text.Format("%s %d%%", (LPCSTR)label, volume);
    osd->SetText(text);
    osd->SetValue(volume);
    osd->ShowOsd(TRUE);
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

// --- sources, scans, snapshots, formats ----------------------------------------------

void CTVControl::CmdInputSource(UINT)
{
    ClosePictureDialog();
    MuteForTuning();
    if (m_manager.NextVideoSource()) {
        if (m_manager.GetVideoSource() == CTVHardWare::kInputTV) {
            // Back from an outside input the tuner's picture needs its
            // connections made again.
            m_manager.GetHardware().GetGraph().DisconnectAll();
            m_manager.RunPreview();
        }
        ApplyInputSource();
        m_manager.ApplyVideoProperties();
    }
    UpdateChannelButtons();
}

void CTVControl::CmdChannelScan(UINT)
{
    if (m_manager.IsScanning()) {
        StopScan();
        return;
    }
    CString text, caption;
    text.LoadString(IDS_SCAN_QUESTION);
    caption.LoadString(IDS_APP_TITLE);
    if (AfxShowMessageBox(m_hWnd, text, caption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    StartScan();
}

void CTVControl::ShowMessageOsd(UINT textId)
{
    CTVVideoWnd* video = VideoWnd();
    COsd* osd = video != NULL ? video->GetOsd(CTVVideoWnd::kOsdMessage) : NULL;
    if (osd == NULL)
        return;
    osd->SetTextId(textId);
    osd->ShowOsd(TRUE);
}

void CTVControl::CmdSnapshot(UINT)
{
    ShowOsdMenu(FALSE);
    ShowMessageOsd(m_manager.TakeSnapshot() ? IDS_SNAPSHOT_TAKEN : IDS_SNAPSHOT_FAILED);
}

void CTVControl::CmdRecordFormat(UINT id)
{
    m_manager.SetRecordFormat((int)(id - ID_FORMAT_AVI));
    ShowFormatName();
}

void CTVControl::CmdFMFormat(UINT id)
{
    m_manager.SelectFMFormat((int)(id - ID_FM_FORMAT_PCM));
    ShowFormatName();
}

void CTVControl::ShowTexts()
{
    // A new skin's texts start empty.
    const int source = m_manager.GetVideoSource();
    if (source == CTVHardWare::kInputTV || source == CTVHardWare::kInputFM) {
        ShowChannelText(m_manager.GetCurrentChannel());
    } else if (const CString* name = m_manager.GetInputNames().Find((DWORD)source)) {
        if (m_hWnd != NULL)
            SetDlgItemText(IDC_PANEL_CHANNEL_TEXT, *name);
    }
    ShowFormatName();
    ShowVolumeAndMute();
    ShowClock();
}

void CTVControl::ShowFormatName()
{
    CString name;
    m_manager.GetRecordFormatName(name);
    if (m_hWnd != NULL)
        SetDlgItemText(IDC_PANEL_FORMAT_TEXT, name);
}

// --- skins -----------------------------------------------------------------------

CString CTVControl::NextSkinName() const
{
    const CStringList& names = m_manager.GetSkinNameList();
    const CString& current = m_manager.GetSkinName();
    POSITION pos = names.GetHeadPosition();
    while (pos != NULL) {
        const CString& name = names.GetNext(pos);
        if (name.CompareNoCase(current) == 0)
            return pos != NULL ? names.GetAt(pos) : names.GetHead();
    }
    // A name the list does not hold: the list's first skin.
    return names.IsEmpty() ? current : names.GetHead();
}

void CTVControl::CmdNextSkin(UINT)
{
    const CString next = NextSkinName();
    if (next.CompareNoCase(m_manager.GetSkinName()) != 0) {
        if (m_pPictureDialog != NULL && m_pPictureDialog->m_hWnd != NULL)
            m_pPictureDialog->ShowWindow(SW_HIDE);
        if (SetSkin(next)) {
            m_manager.SetSkinName(next);
            ShowTexts();
        }
    }
    ShowAsWanted();
}

// --- companion programs ---------------------------------------------------------------

namespace {

struct CompanionRow
{
    const char* program;
    UINT missingId;
    UINT failedId;
};

const CompanionRow kImageBrowser = {"Vessik.exe", IDS_BROWSER_MISSING, IDS_BROWSER_START_FAILED};
const CompanionRow kMoviePlayer = {"Wendal.exe", IDS_PLAYER_MISSING, IDS_PLAYER_START_FAILED};

bool Exists(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

CString CTVControl::CompanionPath(const char* program) const
{
    // Beside the program in a folder of its own name, else where the
    // registry says it was installed.
    CString base(program);
    base = base.Left(base.GetLength() - 4);
    CString path = m_appFolder + "\\" + base + "\\" + program;
    if (Exists(path))
        return path;
    CString key;
    key.Format("SOFTWARE\\%s\\Common", (LPCSTR)CTVManager::GetAppTitle());
    char value[MAX_PATH] = {0};
    DWORD size = sizeof value - 1;
    HKEY handle = NULL;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &handle) == ERROR_SUCCESS) {
        DWORD type = 0;
        if (::RegQueryValueExA(handle, program, NULL, &type, (BYTE*)value, &size) == ERROR_SUCCESS &&
            type == REG_SZ && Exists(value))
            path = value;
        else
            path.Empty();
        ::RegCloseKey(handle);
        return path;
    }
    return CString();
}

void CTVControl::ShowPanelMessage(UINT textId, UINT captionId)
{
    CString text, caption;
    text.LoadString(textId);
    caption.LoadString(captionId != 0 ? captionId : (UINT)IDS_APP_TITLE);
    AfxShowMessageBox(m_hWnd, text, caption, MB_OK | MB_ICONINFORMATION);
}

void CTVControl::CmdImageBrowser(UINT)
{
    ShowOsdMenu(FALSE);
    const CString path = CompanionPath(kImageBrowser.program);
    if (path.IsEmpty()) {
        ShowPanelMessage(kImageBrowser.missingId);
        return;
    }
    const CString folder = path.Left(path.ReverseFind('\\'));
    const CString snapshots = m_manager.GetSettings().PicDir;
    if ((INT_PTR)SystemServices().Execute(m_hWnd, "open", path, snapshots, folder, SW_SHOWNORMAL) <= 32)
        ShowPanelMessage(kImageBrowser.failedId);
}

void CTVControl::CmdMoviePlayer(UINT)
{
    CTVVideoWnd* video = VideoWnd();
    if (video == NULL || video->IsPlayerRunning())
        return;
    if (video->IsDesktopVideo())
        video->ToggleFullScreen();
    ShowOsdMenu(FALSE);
    const CString path = CompanionPath(kMoviePlayer.program);
    if (path.IsEmpty()) {
        ShowPanelMessage(kMoviePlayer.missingId);
        return;
    }
    video->StartMoviePlayer(path);
}

void CTVControl::CmdAbout(UINT)
{
    // The cursor stays while the box is up, and hides again in full
    // screen once it has gone.
    CTVVideoWnd* video = VideoWnd();
    if (video != NULL)
        video->SetCursorHiding(FALSE);
    CString title;
    GetWindowText(title);
    CAboutDlg about(this, m_appFolder, title);
    about.DoModal();
    if (video != NULL)
        video->SetCursorHiding(TRUE);
}

// --- tool tips -------------------------------------------------------------------------

namespace {

const struct
{
    UINT control;
    UINT text;
} kTips[] = {
    {IDC_PANEL_EXIT, IDS_TIP_EXIT},
    {IDC_PANEL_SETTINGS, IDS_TIP_SETTINGS},
    {IDC_PANEL_ABOUT, IDS_TIP_ABOUT},
    {IDC_PANEL_CHANNEL_TEXT, IDS_TIP_CHANNEL_TEXT},
    {IDC_PANEL_SOURCE, IDS_TIP_INPUT_SOURCE},
    {IDC_PANEL_SCAN, IDS_TIP_SCAN},
    {IDC_PANEL_FAVOURITES, IDS_TIP_FAVOURITES},
    {IDC_PANEL_LAST, IDS_TIP_LAST_CHANNEL},
    {IDC_PANEL_WALL, IDS_TIP_CHANNEL_WALL},
    {IDC_PANEL_PICTURE, IDS_TIP_PICTURE},
    {IDC_PANEL_SNAPSHOT, IDS_TIP_SNAPSHOT},
    {IDC_PANEL_NEXT, IDS_TIP_NEXT_CHANNEL},
    {IDC_PANEL_PREV, IDS_TIP_PREV_CHANNEL},
    {IDC_PANEL_HIDE, IDS_TIP_SHOW_PANEL},
    {IDC_PANEL_MENU, IDS_TIP_MENU},
    {IDC_PANEL_RECORD, IDS_TIP_RECORD},
    {IDC_PANEL_MUTE, IDS_TIP_MUTE},
    {IDC_PANEL_VOLUME, IDS_TIP_VOLUME},
    {IDC_PANEL_PLAYER, IDS_TIP_MOVIE_PLAYER},
    {IDC_PANEL_BROWSER, IDS_TIP_IMAGE_BROWSER},
    {IDC_PANEL_PAUSE, IDS_TIP_PAUSE},
    {IDC_PANEL_CHANNELS, IDS_TIP_CHANNEL_SETTINGS},
    {IDC_PANEL_OSD, IDS_TIP_OSD_MENU},
    {IDC_PANEL_SKIN, IDS_TIP_NEXT_SKIN},
    {IDC_PANEL_HELP, IDS_TIP_HELP},
    {IDC_PANEL_TIMESHIFT, IDS_TIP_TIMESHIFT},
    {IDC_PANEL_TIMESHIFT_PAUSE, IDS_TIP_TIMESHIFT_PAUSE},
    {IDC_PANEL_TIMESHIFT_STOP, IDS_TIP_TIMESHIFT_STOP},
    {IDC_PANEL_TIMESHIFT_BAR, IDS_TIP_TIMESHIFT_BAR},
    {IDC_PANEL_CLOCK, IDS_TIP_RECORD_CLOCK},
    {IDC_PANEL_FORMAT_TEXT, IDS_TIP_RECORD_FORMAT},
};

} // namespace

void CTVControl::AddToolTips()
{
    if (m_tips.m_hWnd == NULL && !m_tips.Create(this))
        return;
    for (const auto& tip : kTips)
        m_tips.AddToolFromResource(tip.control, tip.text);
    m_tips.Activate(TRUE);
}

void CTVControl::CmdOsdMenu(UINT)
{
    ShowOsdMenu(!IsOsdMenuShown());
}

// --- context and tune-channel menus --------------------------------------------------

namespace {

CString Text(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// The first submenu of menu resource `id` (owned by `owner`), or NULL.
HMENU LoadPopup(UINT id, HMENU& owner)
{
    owner = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
    return owner != NULL ? ::GetSubMenu(owner, 0) : NULL;
}

} // namespace

void CTVControl::ShowContextMenu(CPoint point)
{
    RefreshState();
    if (!m_router.CanExecute(ID_CONTEXT_MENU) || m_hWnd == NULL)
        return;
    // Made again each time: the channels and the formats follow the table
    // and the source.
    HMENU bar = NULL;
    HMENU popup = LoadPopup(IDR_MENU_PANEL, bar);
    if (popup == NULL) {
        DebugHelper("CTVControl: no context menu\n");
        if (bar != NULL)
            ::DestroyMenu(bar);
        return;
    }
    AddFormatMenu(popup);
    if (BuildChannelMenu(popup) > 0)
        ::InsertMenuA(popup, 1, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
    m_contextMenu.DestroyMenu();
    const UINT toolBars[] = {IDR_TOOLBAR_MENU};
    if (!m_contextMenu.LoadFromHandle(bar)) {
        ::DestroyMenu(bar);
        return;
    }
    if (!m_contextMenu.LoadToolBars(toolBars, 1))
        DebugHelper("CTVControl: the context menu's images are missing\n");
    CMenu* shown = m_contextMenu.GetSubMenu(0);
    if (shown == NULL)
        return;
    PushToMenu(shown->m_hMenu);
    shown->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CTVControl::AddFormatMenu(HMENU popup)
{
    // The record formats of the source in use, after the snapshot.
    const BOOL fm = m_manager.GetVideoSource() == CTVHardWare::kInputFM;
    HMENU owner = NULL;
    HMENU formats = LoadPopup(fm ? IDR_MENU_FM_FORMAT : IDR_MENU_RECORD_FORMAT, owner);
    if (formats != NULL) {
        char title[64] = {0};
        ::GetMenuStringA(owner, 0, title, sizeof title, MF_BYPOSITION);
        ::RemoveMenu(owner, 0, MF_BYPOSITION); // the submenu now belongs to the popup
        const int count = ::GetMenuItemCount(popup);
        int after = count - 1;
        for (int i = 0; i < count; ++i) {
            if (::GetMenuItemID(popup, i) == ID_SNAPSHOT)
                after = i;
        }
        ::InsertMenuA(popup, (UINT)(after + 1), MF_BYPOSITION | MF_POPUP, (UINT_PTR)formats, title);
    }
    if (owner != NULL)
        ::DestroyMenu(owner);
}

int CTVControl::BuildChannelMenu(HMENU menu)
{
    m_menuChannels.clear();
    const int source = m_manager.GetVideoSource();
    if (menu == NULL || (source != CTVHardWare::kInputTV && source != CTVHardWare::kInputFM))
        return 0;
    HMENU list = ::CreatePopupMenu();
    if (list == NULL)
        return 0;
    CChannelTable& table = m_manager.GetCurrentTable();
    const CChannel* current = table.GetCurrentChannel();
    const BOOL busy = m_manager.IsTFRunning() || m_manager.IsRecording() || m_manager.IsScanning();
    HMENU fill = list;
    int listed = 0;
    int submenus = 0;
    // Ids are bounded: past the last one no channel is listed, and none
    // takes the id of another command.
    const int maxListed = TuneChannelCount();
    for (int i = 0; i < (int)table.GetSize() && listed < maxListed; ++i) {
        const CChannel* channel = table.GetChannel(i);
        if (channel == NULL || channel->IsHidden() || (table.GetFavorMode() && !channel->IsFavor()))
            continue;
        if (listed > 0 && listed % kChannelsPerMenu == 0 && submenus < kMaxChannelSubmenus) {
            HMENU more = ::CreatePopupMenu();
            if (more == NULL)
                break;
            ::AppendMenuA(fill, MF_SEPARATOR, 0, NULL);
            ::AppendMenuA(fill, MF_POPUP, (UINT_PTR)more, Text(IDS_MENU_MORE_CHANNELS));
            fill = more;
            ++submenus;
        }
        CString label;
        label.Format("%d.%s", i + 1, (LPCSTR)channel->Name);
        UINT flags = MF_STRING;
        if (channel == current)
            flags |= MF_CHECKED;
        if (busy)
            flags |= MF_GRAYED;
        ::AppendMenuA(fill, flags, TuneChannelId(listed), label);
        m_menuChannels.push_back(MenuChannel{i, channel->Frequency});
        ++listed;
    }
    if (listed == 0)
        ::AppendMenuA(list, MF_STRING | MF_GRAYED, ID_TUNE_CHANNEL_FIRST, Text(IDS_MENU_NO_CHANNELS));
    ::InsertMenuA(menu, 0, MF_BYPOSITION | MF_POPUP, (UINT_PTR)list, Text(IDS_MENU_CHANNELS));
    return listed == 0 ? 1 : listed;
}
