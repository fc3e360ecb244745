#include "settings/SchedulePage.h"

#include "engine/TVManager.h"
#include "platform/mfc/DataExchange.h"
#include "resources/Resource.h"
#include "settings/ScheduleDlg.h"
#include "settings/ScheduleRecord.h"
#include "settings/SettingsPanel.h"

namespace {

struct Column
{
    UINT title;
    int format;
    int width;
};

constexpr Column kColumns[CScheduleRecord::kColumnCount] = {
    {IDS_COLUMN_DATE, LVCFMT_LEFT, 110},
    {IDS_COLUMN_START, LVCFMT_RIGHT, 60},
    {IDS_COLUMN_DURATION, LVCFMT_RIGHT, 60},
    {IDS_COLUMN_SCHEDULE_CHANNEL, LVCFMT_CENTER, 100},
    {IDS_COLUMN_SOURCE, LVCFMT_CENTER, 60},
};

INT_PTR RunModal(CScheduleDlg& dialog)
{
    return dialog.DoModal();
}

} // namespace

CSchedulePage::DialogRunner CSchedulePage::s_runDialog = &RunModal;

void CSchedulePage::SetDialogRunner(DialogRunner runner)
{
    s_runDialog = runner ? runner : &RunModal;
}

BEGIN_MESSAGE_MAP(CSchedulePage, CBasePage)
    ON_BN_CLICKED(IDC_SCHEDULEPAGE_ADD, OnAdd)
    ON_BN_CLICKED(IDC_SCHEDULEPAGE_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_SCHEDULEPAGE_DELETE, OnDelete)
    ON_NOTIFY(NM_DBLCLK, IDC_SCHEDULEPAGE_LIST, OnListDoubleClick)
    ON_NOTIFY(LVN_KEYDOWN, IDC_SCHEDULEPAGE_LIST, OnListKeyDown)
    ON_BN_CLICKED(IDC_SCHEDULEPAGE_SHUT_DOWN, OnModified)
    ON_BN_CLICKED(IDC_SCHEDULEPAGE_SUSPEND, OnModified)
    ON_BN_CLICKED(IDC_SCHEDULEPAGE_AUTO_LOGON, OnModified)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_SCHEDULEPAGE_SHUT_DOWN_TIME, OnTimeChanged)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_SCHEDULEPAGE_POWER_ON_TIME, OnTimeChanged)
END_MESSAGE_MAP()

CSchedulePage::CSchedulePage(const SettingsContext& context)
    : CBasePage(IDD_SCHEDULEPAGE, context), m_enableShut(0), m_startUpTime(120), m_enableOpen(0), m_suspend(1)
{
}

void CSchedulePage::DoDataExchange(CDataExchange* dx)
{
    CBasePage::DoDataExchange(dx);
    DDX_Control(dx, IDC_SCHEDULEPAGE_LIST, m_list);
    DDX_Check(dx, IDC_SCHEDULEPAGE_SHUT_DOWN, m_enableShut);
    DDX_DateTimeCtrl(dx, IDC_SCHEDULEPAGE_SHUT_DOWN_TIME, m_shutTime);
    DDX_Text(dx, IDC_SCHEDULEPAGE_LEAD_TIME, m_startUpTime);
    DDV_MinMaxInt(dx, m_startUpTime, 0, 24 * 3600);
    DDX_Text(dx, IDC_SCHEDULEPAGE_USER, m_user);
    DDX_Text(dx, IDC_SCHEDULEPAGE_PASSWORD, m_password);
    DDX_Check(dx, IDC_SCHEDULEPAGE_POWER_ON, m_enableOpen);
    DDX_DateTimeCtrl(dx, IDC_SCHEDULEPAGE_POWER_ON_TIME, m_openTime);
    DDX_Check(dx, IDC_SCHEDULEPAGE_SUSPEND, m_suspend);
}

BOOL CSchedulePage::OnInitDialog()
{
    CBasePage::OnInitDialog();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int c = 0; c < CScheduleRecord::kColumnCount; ++c) {
        CString title;
        title.LoadString(kColumns[c].title);
        m_list.InsertColumn(c, title, kColumns[c].format, kColumns[c].width);
    }
    CheckDlgButton(IDC_SCHEDULEPAGE_AUTO_LOGON, m_manager.GetAutoLogin() ? BST_CHECKED : BST_UNCHECKED);
    for (UINT id : {IDC_SCHEDULEPAGE_SHUT_DOWN_TIME, IDC_SCHEDULEPAGE_POWER_ON_TIME})
        CScheduleRecord::ShowClockFormat(::GetDlgItem(m_hWnd, id));
    FillList();
    return TRUE;
}

void CSchedulePage::LoadSettings()
{
    m_enableShut = m_manager.GetEnableShut() ? 1 : 0;
    m_shutTime = m_manager.GetShutTime();
    m_startUpTime = m_manager.GetStartUpTime();
    m_manager.GetAutoLoginAccount(m_user, m_password);
    m_enableOpen = m_manager.GetEnableOpen() ? 1 : 0;
    m_openTime = m_manager.GetOpenTime();
    m_suspend = m_manager.GetSettings().EnableSuspend ? 1 : 0;
    if (m_hWnd)
        UpdateData(FALSE);
}

BOOL CSchedulePage::SaveSettings()
{
    if (!UpdateData(TRUE))
        return FALSE;
    if (!m_user.IsEmpty())
        m_manager.SetAutoLoginAccount(m_user, m_password);
    m_manager.SetAutoLogin(IsDlgButtonChecked(IDC_SCHEDULEPAGE_AUTO_LOGON) != 0);
    m_manager.SetEnableShut(m_enableShut);
    m_manager.SetShutTime(m_shutTime);
    m_panel.SetPowerOffTime(m_shutTime, m_enableShut);
    m_manager.SetStartUpTime(m_startUpTime);
    // The next power-on at that time of day: today, or tomorrow once passed.
    m_manager.SetOpenTime(CScheduleRecord::NextTimeOfDay(m_openTime, CTime::GetCurrentTime()));
    m_manager.SetEnableOpen(m_enableOpen);
    m_manager.Settings().EnableSuspend = m_suspend != 0;
    return CBasePage::SaveSettings();
}

void CSchedulePage::FillList()
{
    m_list.DeleteAllItems();
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item; item = Timing_GetNextItem(0, item))
        AddRow(item);
}

int CSchedulePage::AddRow(HTIMINGITEM item)
{
    _tagTimingParam timing = {};
    _tagExcuteParam execute = {};
    if (!Timing_GetItemTimingParam(item, &timing) || !Timing_GetItemExcuteParam(item, &execute, sizeof execute))
        return -1;
    CString texts[CScheduleRecord::kColumnCount];
    CScheduleRecord::RowTexts(timing, execute, m_manager.GetTVTable(), m_manager.GetFMTable(), texts);
    const int row = m_list.InsertItem(m_list.GetItemCount(), texts[0]);
    if (row < 0)
        return -1;
    for (int c = 1; c < CScheduleRecord::kColumnCount; ++c)
        m_list.SetItemText(row, c, texts[c]);
    m_list.SetItemData(row, (DWORD_PTR)item);
    return row;
}

HTIMINGITEM CSchedulePage::GetRowItem(int row) const
{
    if (row < 0 || row >= m_list.GetItemCount())
        return NULL;
    return (HTIMINGITEM)m_list.GetItemData(row);
}

int CSchedulePage::GetRowCount() const
{
    return m_list.GetItemCount();
}

int CSchedulePage::SelectedRow() const
{
    return m_list.GetNextItem(-1, LVNI_SELECTED);
}

BOOL CSchedulePage::MayStore(HTIMINGITEM exclude, const _tagTimingParam& timing)
{
    int result = -1;
    if (!Timing_CheckItem(0, exclude, timing, &result))
        return FALSE;
    if (result == TIMING_CHECK_FREE || result == TIMING_CHECK_STARTS_NOW)
        return TRUE;
    if (result == TIMING_CHECK_OVERLAPS_ONCE || result == TIMING_CHECK_OVERLAPS_WEEKLY)
        AfxMessageBox(IDS_SCHEDULE_CONFLICT, MB_OK);
    return FALSE;
}

void CSchedulePage::AddItem()
{
    CScheduleDlg dialog(m_manager, this);
    if (s_runDialog(dialog) != IDOK || !MayStore(NULL, dialog.m_timing))
        return;
    // A row only for an item the library took.
    HTIMINGITEM item = Timing_InsertItem(0, dialog.m_timing, &dialog.m_execute);
    if (!item)
        return;
    const int row = AddRow(item);
    if (row >= 0)
        m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CSchedulePage::EditItem()
{
    const int row = SelectedRow();
    HTIMINGITEM item = GetRowItem(row);
    if (!item)
        return;
    CScheduleDlg dialog(m_manager, this);
    dialog.m_bNewItem = FALSE;
    if (!Timing_GetItemTimingParam(item, &dialog.m_timing) ||
        !Timing_GetItemExcuteParam(item, &dialog.m_execute, sizeof dialog.m_execute))
        return;
    if (s_runDialog(dialog) != IDOK || !MayStore(item, dialog.m_timing))
        return;
    if (!Timing_UpdateItem(item, dialog.m_timing, &dialog.m_execute))
        return;
    m_list.DeleteItem(row);
    const int added = AddRow(item);
    if (added >= 0)
        m_list.SetItemState(added, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CSchedulePage::DeleteItem()
{
    const int row = SelectedRow();
    HTIMINGITEM item = GetRowItem(row);
    if (!item)
        return;
    Timing_RemoveItem(item);
    m_list.DeleteItem(row);
    if (m_list.GetItemCount() > 0)
        m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CSchedulePage::OnListDoubleClick(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const NMITEMACTIVATE* activate = (const NMITEMACTIVATE*)header;
    if (activate->iItem >= 0)
        EditItem();
}

void CSchedulePage::OnListKeyDown(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (((const NMLVKEYDOWN*)header)->wVKey == VK_DELETE && SelectedRow() >= 0)
        DeleteItem();
}

void CSchedulePage::OnModified()
{
    SetModified(TRUE);
}

void CSchedulePage::OnTimeChanged(NMHDR* header, LRESULT* result)
{
    (void)header;
    *result = 0;
    SetModified(TRUE);
}
