// The control panel's settings commands and its door for the settings sheet
// and the picture dialog: the sheet of all pages or of one channel page, the
// FM formats dialog, the picture dialog beside the panel, and what the pages
// ask of the panel (skins, hot keys, the input's commands). UI thread.
#include "app/TVControl.h"

#include "app/TVVideoWnd.h"
#include "engine/TVManager.h"
#include "graph/DebugHelper.h"
#include "resources/Resource.h"
#include "settings/ColorDlg.h"
#include "settings/FMCustomDlg.h"
#include "settings/PropSheet.h"

namespace {

// The settings file written while the program runs holds the windows'
// places too, not the ones read at start: a run that ends without its exit
// (a crash, a power cut) must not cost the user the place. While a scan
// runs the video window wears the scan's strip, so its place waits for the
// exit then.
void SaveSettingsWithPlaces(CTVControl& control, CTVManager& manager)
{
    if (!manager.IsScanning())
        control.SavePlaces();
    manager.SaveSettings();
}

} // namespace

// --- commands ---------------------------------------------------------------------

void CTVControl::CmdSettings(UINT)
{
    if (m_pOpenSheet != NULL)
        return;
    ShowPictureDialog(FALSE);
    const int source = m_manager.GetVideoSource();
    const SettingsContext context{m_manager, *this};
    RunSettingsSheet(context, this, m_nSettingsPage);
    if (SheetClosedForSchedule())
        return;
    // Whatever the pages changed is kept, and the panel follows it. The
    // graph is set up again only for a new source: with FM it would be
    // stopped and built anew, and a recording in it would end.
    m_manager.SaveChannelTables();
    SaveSettingsWithPlaces(*this, m_manager);
    if (m_manager.GetVideoSource() != source) {
        ApplyInputSource();
        return;
    }
    RefreshState();
    ShowTexts();
}

void CTVControl::CmdChannelSettings(UINT)
{
    if (m_pOpenSheet != NULL)
        return;
    const SettingsContext context{m_manager, *this};
    if (RunChannelSheet(context, this, m_manager.GetVideoSource() == CTVHardWare::kInputFM) == -1 ||
        SheetClosedForSchedule())
        return;
    m_manager.SaveChannelTables();
    SaveSettingsWithPlaces(*this, m_manager);
    ShowChannelText(m_manager.GetCurrentChannel());
    if (m_manager.IsScanning())
        EnableScanCommands(TRUE);
}

void CTVControl::CmdFMCustomFormats(UINT)
{
    CFMCustomDlg dialog(m_manager, this);
    dialog.DoModal();
    m_router.PushAll();
}

void CTVControl::CmdPictureDialog(UINT)
{
    ShowPictureDialog(!(m_pColorDlg && m_pColorDlg->m_hWnd != NULL && m_pColorDlg->IsWindowVisible()));
}

void CTVControl::ShowPictureDialog(BOOL show)
{
    if (!show) {
        if (m_pColorDlg && m_pColorDlg->m_hWnd != NULL)
            m_pColorDlg->ShowPanel(FALSE);
        return;
    }
    if (!m_pColorDlg)
        m_pColorDlg.reset(new CColorDlg(m_manager));
    if (m_pColorDlg->m_hWnd == NULL) {
        if (!m_pColorDlg->CreateBeside(this)) {
            DebugHelper("CTVControl: the picture dialog could not be made\n");
            return;
        }
        SetPictureDialog(m_pColorDlg.get()); // it wears the picture skin
    }
    PlacePictureDialog();
    m_pColorDlg->ShowPanel(TRUE);
}

void CTVControl::PlacePictureDialog()
{
    CRect panel;
    GetWindowRect(&panel);
    m_pColorDlg->MoveTo(panel.right, panel.top);
}

// --- a scheduled recording's start -------------------------------------------------

void CTVControl::CloseForSchedule()
{
    CloseTVWall();
    if (m_pOpenSheet != NULL && m_pOpenSheet->m_hWnd != NULL) {
        // The sheet's modal loop ends once the schedule's handler returns;
        // what its closing does is done here, before the recording starts,
        // and not again after the loop (the recording runs by then).
        // Closed also while it is not shown yet: it must not come up over
        // the recording.
        m_bSheetClosedForSchedule = TRUE;
        m_pOpenSheet->SendMessage(WM_CLOSE);
        m_manager.SaveChannelTables();
        SaveSettingsWithPlaces(*this, m_manager);
        EnableAccelerators(TRUE);
        ApplyInputSource();
        if (m_manager.IsScanning())
            EnableScanCommands(TRUE);
    }
    ClosePictureDialog();
    ShowOsdMenu(FALSE);
}

BOOL CTVControl::SheetClosedForSchedule()
{
    const BOOL closed = m_bSheetClosedForSchedule;
    m_bSheetClosedForSchedule = FALSE;
    return closed;
}

// --- the door for the pages ----------------------------------------------------------

void CTVControl::ReconfigureForSource()
{
    ApplyInputSource();
}

BOOL CTVControl::LoadSkin(LPCSTR name)
{
    return SetSkin(name);
}

void CTVControl::ShowPanel(BOOL show)
{
    if (show)
        ShowAsWanted();
    else if (m_hWnd != NULL)
        ShowWindow(SW_HIDE);
}

void CTVControl::HidePictureDialog()
{
    ShowPictureDialog(FALSE);
}

void CTVControl::RestoreDefaultKeys()
{
    RegisterCommands();
}

void CTVControl::SaveKeys()
{
    m_accel.SaveToFile(AccelPath());
    m_accel.CreateAccelTable();
    m_hAccel = m_accel.GetAccelTable();
}

void CTVControl::EnableAccelerators(BOOL enable)
{
    m_bKeySwitch = enable;
    m_bHotKeys = enable;
}

BOOL CTVControl::StartScan()
{
    const BOOL started = m_manager.StartScan(m_manager.GetVideoSource() != CTVHardWare::kInputFM);
    RefreshState();
    return started;
}

void CTVControl::StopScan()
{
    // The search thread still posts its end: the scan's display and the
    // listeners end there.
    m_manager.StopScan();
    RefreshState();
}

void CTVControl::ShowChannel()
{
    ShowChannelText(m_manager.GetCurrentChannel());
}

void CTVControl::ChannelListChanged()
{
    // The tune-channel menu lists the table afresh when it next opens.
    m_menuChannels.clear();
    RefreshState();
}
