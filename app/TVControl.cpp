#include "app/TVControl.h"

#include "app/AppMessages.h"
#include "app/ManagerOsdEngine.h"
#include "app/Panel2.h"
#include "cards/RemoteThread.h"
#include "graph/DebugHelper.h"
#include "engine/TVManager.h"
#include "resources/Resource.h"
#include "skin/SkinManager.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CTVControl, CDialog)
    ON_COMMAND(ID_EXIT, OnExitCommand)
    ON_COMMAND(ID_OSD_MENU, OnOsdMenuCommand)
    ON_MESSAGE(WM_REMOTE_KEY, OnRemoteKey)
    ON_MESSAGE(WM_SHOW_RADIO_PANEL, OnShowRadioPanel)
    ON_WM_DESTROY()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

const int kVolumeMax = 100;

} // namespace

CTVControl::CTVControl(CTVManager& manager, const CString& appFolder)
    : CDialog(IDD_PANEL), m_manager(manager), m_appFolder(appFolder), m_pSkin(NULL), m_bPanelWanted(TRUE), m_bMuted(FALSE), m_pVideoWnd(NULL),
      m_bPowerOffOn(FALSE)
{
}

CTVControl::~CTVControl()
{
    delete m_pSkin;
}

BOOL CTVControl::CreatePanel(CWnd* videoWnd)
{
    m_pVideoWnd = videoWnd;
    if (!Create(IDD_PANEL, videoWnd))
        return FALSE;
    // The on-screen menu, owned by the panel and over the picture.
    m_pOsdEngine.reset(new CManagerOsdEngine(m_manager, *this));
    m_pOsdMenu.reset(new CPanel2(*m_pOsdEngine));
    if (!m_pOsdMenu->Create(this))
        DebugHelper("CTVControl: the on-screen menu could not be made\n");
    return TRUE;
}

BOOL CTVControl::CanShowOsdMenu()
{
    return m_manager.GetVideoSource() == CTVHardWare::kInputTV && !m_manager.IsRecording() && !m_manager.IsTFRunning();
}

void CTVControl::ShowOsdMenu(BOOL show)
{
    if (m_pOsdMenu == NULL || m_pOsdMenu->m_hWnd == NULL)
        return;
    if (show && !CanShowOsdMenu())
        return;
    m_pOsdMenu->ShowPanel(show);
}

BOOL CTVControl::IsOsdMenuShown() const
{
    return m_pOsdMenu != NULL && m_pOsdMenu->IsPanelShown();
}

BOOL CTVControl::OnOsdKey(UINT vk, LPARAM lParam)
{
    if (m_pOsdMenu == NULL || m_pOsdMenu->m_hWnd == NULL)
        return FALSE;
    // A hidden menu takes no key: Enter there would act on a panel nobody
    // sees (start a scan, delete a channel).
    const bool taken = vk == kOsdKeyMenu || vk == kOsdKeyUp || vk == kOsdKeyDown || vk == kOsdKeyLeft ||
                       vk == kOsdKeyRight || vk == kOsdKeyEnter || vk == kOsdKeyClose;
    if (!taken || !m_pOsdMenu->IsPanelShown())
        return FALSE;
    m_pOsdMenu->SendMessage(WM_OSD_KEY, vk, lParam);
    return TRUE;
}

void CTVControl::OnOsdMenuCommand()
{
    ShowOsdMenu(!IsOsdMenuShown());
}

namespace {

// The remote's menu codes, from 200 on: menu, up, down, left, right, OK.
const UINT kOsdRemoteKeys[] = {kOsdKeyMenu, kOsdKeyUp, kOsdKeyDown, kOsdKeyLeft, kOsdKeyRight, kOsdKeyEnter};
const UINT kFirstOsdRemoteCode = 200;
const UINT kOsdMenuRemoteCode = 131;

} // namespace

LRESULT CTVControl::OnRemoteKey(WPARAM key, LPARAM extra)
{
    const UINT code = m_manager.TranslateRemoteKey((BYTE)(key & 0xFF));
    DebugHelper("Remote Msg : wParam = %d,lParam = %d\n", (int)key, (int)extra);
    // While the menu shows, its keys are the only ones that act.
    if (IsOsdMenuShown()) {
        if (code >= kFirstOsdRemoteCode && code < kFirstOsdRemoteCode + sizeof kOsdRemoteKeys / sizeof kOsdRemoteKeys[0])
            OnOsdKey(kOsdRemoteKeys[code - kFirstOsdRemoteCode], extra);
        return 0;
    }
    if (code == kOsdMenuRemoteCode)
        ShowOsdMenu(TRUE);
    return 0;
}

void CTVControl::SetPowerOffTime(const CTime& time, BOOL enable)
{
    m_powerOffTime = time;
    m_bPowerOffOn = enable;
}

BOOL CTVControl::SetSkin(LPCSTR skinName)
{
    SkinFiles files;
    if (!GetSkinFiles(skinName, m_manager.GetDefaultSkinName(), &m_manager.GetSkinSet(), m_appFolder, files) &&
        !GetSkinFiles(m_manager.GetDefaultSkinName(), m_manager.GetDefaultSkinName(), &m_manager.GetSkinSet(),
                      m_appFolder, files)) {
        DebugHelper("CTVControl::SetSkin: no files for skin %s\n", skinName);
        return FALSE;
    }
    const SkinLoadResult result = LoadDialogSkin(this, m_pSkin, files.panelIni, files.panelLibrary);
    DebugHelper("CTVControl::SetSkin %s: %d\n", skinName, (int)result);
    return result == kSkinLoaded;
}

void CTVControl::ApplyInputSource()
{
    m_manager.SetVideoSource(m_manager.GetVideoSource());
    CChannelTable& table = m_manager.GetCurrentTable();
    CString text("TV");
    if (CChannel* channel = table.RestoreCurrentChannel()) {
        table.TuneFrequency(channel->Frequency);
        text.Format("%ld %s", channel->ID, (LPCSTR)channel->Name);
    }
    if (m_hWnd != NULL)
        SetDlgItemText(IDC_PANEL_CHANNEL_TEXT, text);
}

void CTVControl::ShowVolumeAndMute()
{
    if (m_hWnd == NULL)
        return;
    int volume = 0;
    if (m_manager.GetVolume(&volume)) {
        SendDlgItemMessage(IDC_PANEL_VOLUME, TBM_SETRANGE, TRUE, MAKELPARAM(0, kVolumeMax));
        // The slider stands upright: its top is the loudest.
        SendDlgItemMessage(IDC_PANEL_VOLUME, TBM_SETPOS, TRUE, kVolumeMax - volume);
    }
}

void CTVControl::RefreshState()
{
    // The buttons' enabled and checked states follow the commands, which
    // come with the panel's command table; until then there is nothing to
    // bring up to date, and idle time costs nothing.
}

void CTVControl::ShowAsWanted()
{
    if (m_hWnd != NULL)
        ShowWindow(m_bPanelWanted ? SW_SHOWNA : SW_HIDE);
}

void CTVControl::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    // The hot keys are the panel's own commands, which come with its table.
    DebugHelper("CTVControl key %u %u %u\n", key, repeat, flags);
}

void CTVControl::ShowContextMenu(CPoint point)
{
    if (m_contextMenu.GetSafeHmenu() == NULL) {
        const UINT toolBars[] = {IDR_TOOLBAR_MENU};
        if (!m_contextMenu.LoadMenuById(IDR_MENU_PANEL) || !m_contextMenu.LoadToolBars(toolBars, 1))
            DebugHelper("CTVControl: context menu or its images missing\n");
    }
    CMenu* popup = m_contextMenu.GetSubMenu(0);
    if (popup == NULL || m_hWnd == NULL)
        return;
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CTVControl::OnRButtonDown(UINT flags, CPoint point)
{
    (void)flags;
    ClientToScreen(&point);
    ShowContextMenu(point);
}

void CTVControl::StopForExit()
{
    if (m_hWnd != NULL)
        ShowWindow(SW_HIDE);
    if (m_manager.IsScanning())
        m_manager.StopScan();
    m_manager.StopGraph(FALSE);
}

void CTVControl::OnExitCommand()
{
    // The video window runs the program's one exit sequence.
    if (m_pVideoWnd != NULL && m_pVideoWnd->m_hWnd != NULL)
        m_pVideoWnd->PostMessage(WM_CLOSE);
}

LRESULT CTVControl::OnShowRadioPanel(WPARAM, LPARAM)
{
    // Hidden, the video window lets the panel stand alone on the task bar.
    if (m_pVideoWnd != NULL && m_pVideoWnd->m_hWnd != NULL)
        m_pVideoWnd->ShowWindow(SW_HIDE);
    ShowWindow(SW_MINIMIZE);
    ShowWindow(SW_RESTORE);
    ShowWindow(SW_SHOW);
    return 0;
}

void CTVControl::OnDestroy()
{
    m_pOsdMenu.reset();
    delete m_pSkin;
    m_pSkin = NULL;
    Default();
}
