#include "settings/StoragePage.h"

#include "engine/TVManager.h"
#include "platform/mfc/DataExchange.h"
#include "resources/Resource.h"
#include "settings/DiskRow.h"

#include <algorithm>

namespace {

struct Column
{
    UINT title;
    int format;
    int width;
};

constexpr Column kColumns[] = {
    {IDS_COLUMN_DISK, LVCFMT_LEFT, 70},
    {IDS_COLUMN_TOTAL, LVCFMT_RIGHT, 90},
    {IDS_COLUMN_FREE, LVCFMT_RIGHT, 150},
};

bool Holds(const CStringArray& list, LPCSTR text)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list[i].CompareNoCase(text) == 0)
            return true;
    return false;
}

} // namespace

constexpr char CStoragePage::kForbidden[];

BEGIN_MESSAGE_MAP(CStoragePage, CBasePage)
    ON_CBN_SELCHANGE(IDC_STORAGEPAGE_DISKS, OnDisksChanged)
    ON_CBN_CLOSEUP(IDC_STORAGEPAGE_DISKS, OnDisksClosed)
    ON_EN_CHANGE(IDC_STORAGEPAGE_RESERVE, OnModified)
    ON_EN_CHANGE(IDC_STORAGEPAGE_FOLDER, OnModified)
    ON_EN_CHANGE(IDC_STORAGEPAGE_MINUTES, OnModified)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_STORAGEPAGE_FULL_STOP, IDC_STORAGEPAGE_LENGTH_NEW_FILE, OnRadio)
END_MESSAGE_MAP()

CStoragePage::CStoragePage(const SettingsContext& context)
    : CBasePage(IDD_STORAGEPAGE, context), m_noSpace(0), m_atLength(0), m_reserve(100), m_minutes(120),
      m_folder("TVVideo"), m_disksChanged(FALSE)
{
}

void CStoragePage::DoDataExchange(CDataExchange* dx)
{
    CBasePage::DoDataExchange(dx);
    DDX_Control(dx, IDC_STORAGEPAGE_DISKS, m_disks);
    DDX_Control(dx, IDC_STORAGEPAGE_DISK_LIST, m_diskList);
    DDX_Radio(dx, IDC_STORAGEPAGE_FULL_STOP, m_noSpace);
    DDX_Radio(dx, IDC_STORAGEPAGE_LENGTH_STOP, m_atLength);
    DDX_Text(dx, IDC_STORAGEPAGE_RESERVE, m_reserve);
    DDX_Text(dx, IDC_STORAGEPAGE_MINUTES, m_minutes);
    DDV_MinMaxInt(dx, m_minutes, 1, 300);
    DDX_Text(dx, IDC_STORAGEPAGE_FOLDER, m_folder);
}

void CStoragePage::LoadSettings()
{
    const ManagerSettings& settings = m_manager.GetSettings();
    m_minutes = settings.MaxLength;
    m_reserve = (UINT)std::max(0, settings.ReservedSpace);
    m_noSpace = settings.NoSpaceStop ? 0 : 1;
    m_atLength = settings.ExcessLength ? 0 : 1;
    m_folder = settings.VideoFolder;
    m_chosen.Copy(settings.ValidDisk);
    m_disksChanged = FALSE;
    if (m_hWnd) {
        UpdateData(FALSE);
        CheckChosenDisks();
    }
}

BOOL CStoragePage::OnInitDialog()
{
    CBasePage::OnInitDialog();
    m_diskList.SetExtendedStyle(m_diskList.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int c = 0; c < (int)(sizeof kColumns / sizeof kColumns[0]); ++c) {
        CString title;
        title.LoadString(kColumns[c].title);
        m_diskList.InsertColumn(c, title, kColumns[c].format, kColumns[c].width);
    }
    FillDisks();
    return TRUE;
}

void CStoragePage::FillDisks()
{
    m_diskList.DeleteAllItems();
    m_disks.ResetContent();
    CDiskManager& disks = m_manager.GetDiskManager();
    for (INT_PTR i = 0; i < disks.GetCount(); ++i) {
        CHardDisk* disk = disks.GetDisk(i);
        if (!disk)
            continue;
        const ULONGLONG total = disk->GetTotalSpace();
        const ULONGLONG free = disk->GetFreeSpace();
        const int row = m_diskList.InsertItem(m_diskList.GetItemCount(), disk->GetRootPath());
        m_diskList.SetItemText(row, 1, CDiskRow::TotalText(total));
        m_diskList.SetItemText(row, 2, CDiskRow::FreeText(free, total));
        if (disk->GetRootPath().CompareNoCase(m_manager.GetSettings().CurDisk) == 0)
            m_diskList.SetHotItem(row);
        m_disks.AddString(disk->GetRootPath());
    }
    CheckChosenDisks();
}

void CStoragePage::CheckChosenDisks()
{
    for (int i = 0; i < m_disks.GetCount(); ++i) {
        CString root;
        m_disks.GetLBText(i, root);
        m_disks.SetCheck(i, Holds(m_chosen, root));
    }
}

void CStoragePage::OnDisksChanged()
{
    m_disksChanged = TRUE;
    SetModified(TRUE);
}

void CStoragePage::TakeCheckedDisks()
{
    if (!m_disksChanged)
        return;
    CStringArray checked;
    for (int i = 0; i < m_disks.GetCount(); ++i) {
        if (!m_disks.GetCheck(i))
            continue;
        CString root;
        m_disks.GetLBText(i, root);
        checked.Add(root);
    }
    if (checked.GetSize() == 0) {
        AfxMessageBox(IDS_NO_DISK_CHOSEN, MB_OK | MB_ICONINFORMATION);
        m_disksChanged = FALSE;
        CheckChosenDisks();
        return;
    }
    m_chosen.Copy(checked);
}

void CStoragePage::OnModified()
{
    SetModified(TRUE);
}

void CStoragePage::OnRadio(UINT id)
{
    (void)id;
    SetModified(TRUE);
}

void CStoragePage::Refuse(UINT message, UINT control)
{
    AfxMessageBox(message, MB_OK | MB_ICONINFORMATION);
    if (CWnd* edit = GetDlgItem(control))
        edit->SetFocus();
}

BOOL CStoragePage::SaveSettings()
{
    if (!UpdateData(TRUE))
        return FALSE;
    // Refusals first, so that nothing is half stored.
    CString folder = m_folder;
    folder.Trim();
    const BOOL folderChanged = folder.CompareNoCase(m_manager.GetVideoFolder()) != 0;
    if (folderChanged && (folder.IsEmpty() || folder.FindOneOf(kForbidden) >= 0)) {
        Refuse(IDS_FOLDER_NAME_REFUSED, IDC_STORAGEPAGE_FOLDER);
        return FALSE;
    }
    const BOOL reserveChanged = (int)m_reserve != m_manager.GetReservedSpace();
    if (reserveChanged && ((int)m_reserve < kMinReserve || (int)m_reserve > kMaxReserve)) {
        Refuse(IDS_RESERVE_REFUSED, IDC_STORAGEPAGE_RESERVE);
        return FALSE;
    }
    TakeCheckedDisks();

    if (m_minutes != m_manager.GetMaxLength())
        m_manager.SetMaxLength(m_minutes);
    m_manager.Settings().ExcessLength = m_atLength == 0;
    m_manager.Settings().NoSpaceStop = m_noSpace == 0;
    if (folderChanged && !m_manager.SetVideoFolder(folder))
        m_manager.Settings().VideoFolder = folder; // made once a record disk is chosen
    if (m_disksChanged && m_chosen.GetSize() > 0)
        m_manager.SetDiskArray(m_chosen);
    m_disksChanged = FALSE;
    if (reserveChanged)
        m_manager.SetReservedSpace((int)m_reserve);
    return CBasePage::SaveSettings();
}
