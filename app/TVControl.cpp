#include "app/TVControl.h"

#include "app/AppMessages.h"
#include "cards/RemoteThread.h"
#include "graph/DebugHelper.h"
#include "engine/TVManager.h"
#include "resources/Resource.h"
#include "skin/SkinManager.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CTVControl, CDialog)
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_REMOTE_KEY, OnRemoteKey)
    ON_WM_TIMER()
    ON_MESSAGE(WM_SHOW_RADIO_PANEL, OnShowRadioPanel)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CTVControl::CTVControl(CTVManager& manager, const CString& appFolder)
    : CDialog(IDD_PANEL), m_manager(manager), m_router(*this), m_appFolder(appFolder), m_pSkin(NULL), m_bPanelWanted(TRUE), m_bMuted(FALSE), m_pVideoWnd(NULL)
{
}

CTVControl::~CTVControl()
{
    delete m_pSkin;
}

BOOL CTVControl::CreatePanel(CWnd* videoWnd)
{
    m_pVideoWnd = videoWnd;
    return Create(IDD_PANEL, videoWnd);
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
    // Pushed to the views only when something changed: idle time costs a
    // few reads of the manager.
    m_router.SetState(ComputeState());
}

void CTVControl::ShowAsWanted()
{
    if (m_hWnd != NULL)
        ShowWindow(m_bPanelWanted ? SW_SHOWNA : SW_HIDE);
}

void CTVControl::ShowContextMenu(CPoint point)
{
    DebugHelper("CTVControl context menu at %d,%d\n", (int)point.x, (int)point.y);
}

void CTVControl::StopForExit()
{
    if (m_hWnd != NULL)
        ShowWindow(SW_HIDE);
    if (m_manager.IsScanning())
        m_manager.StopScan();
    m_manager.StopGraph(FALSE);
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
    delete m_pSkin;
    m_pSkin = NULL;
    Default();
}
