#include "settings/ChannelPage.h"

#include "engine/TVManager.h"
#include "platform/mfc/DataExchange.h"
#include "platform/mfc/FileDialog.h"
#include "resources/Resource.h"
#include "settings/ChannelFrequency.h"
#include "settings/SettingsPanel.h"

#include <algorithm>

namespace {

struct Column
{
    UINT title;
    int format;
    int width;
};

constexpr Column kColumns[] = {
    {IDS_COLUMN_POSITION, LVCFMT_RIGHT, 65},
    {IDS_COLUMN_NAME, LVCFMT_LEFT, 170},
    {IDS_COLUMN_FREQUENCY, LVCFMT_RIGHT, 80},
    {IDS_COLUMN_CHANNEL, LVCFMT_LEFT, 50},
};
enum { kColPosition, kColName, kColFrequency, kColNumber };

constexpr int kMaxName = 20;
constexpr int kImageWidth = 36;
constexpr int kFMListTop = 20; // the FM page's list, in the page's client coordinates
constexpr UINT kScanQuestion = 34024;
constexpr UINT kScanStopText = 35228, kScanStartText = 35229;

// Controls only the TV page has.
constexpr UINT kTVOnly[] = {IDC_CHANNELPAGE_COUNTRY, IDC_CHANNELPAGE_TABLE, IDC_CHANNELPAGE_MODE_CABLE,
                            IDC_CHANNELPAGE_MODE_ANTENNA, IDC_CHANNELPAGE_MODE_SWEEP, IDC_CHANNELPAGE_COUNTRY_LABEL,
                            IDC_CHANNELPAGE_TABLE_LABEL, IDC_CHANNELPAGE_SCAN_MODE_GROUP,
                            IDC_CHANNELPAGE_REGION_GROUP};
// Controls a running scan switches off.
constexpr UINT kOffWhileScanning[] = {IDC_CHANNELPAGE_MODE_CABLE, IDC_CHANNELPAGE_MODE_ANTENNA,
                                      IDC_CHANNELPAGE_MODE_SWEEP, IDC_CHANNELPAGE_COUNTRY, IDC_CHANNELPAGE_TABLE,
                                      IDC_CHANNELPAGE_RENAME, IDC_CHANNELPAGE_FAVOURITE, IDC_CHANNELPAGE_DELETE,
                                      IDC_CHANNELPAGE_SET_FREQUENCY, IDC_CHANNELPAGE_FINE_TUNE_LABEL,
                                      IDC_CHANNELPAGE_FINE_TUNE};

struct SortContext
{
    int column;
    BOOL ascending;
};

int CALLBACK CompareChannels(LPARAM a, LPARAM b, LPARAM context)
{
    const SortContext* sort = (const SortContext*)context;
    return CChannelListCtrl::Compare((const CChannel*)a, (const CChannel*)b, sort->column, sort->ascending);
}

} // namespace

CChannelPage* CChannelPage::s_openPage = NULL;

BEGIN_MESSAGE_MAP(CChannelPage, CBasePage)
    ON_BN_CLICKED(IDC_CHANNELPAGE_RENAME, OnRename)
    ON_BN_CLICKED(IDC_CHANNELPAGE_FAVOURITE, OnFavourite)
    ON_BN_CLICKED(IDC_CHANNELPAGE_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_CHANNELPAGE_SET_FREQUENCY, OnSetFrequency)
    ON_BN_CLICKED(IDC_CHANNELPAGE_SCAN, OnScan)
    ON_BN_CLICKED(IDC_CHANNELPAGE_FAVOURITES_MODE, OnChecksChanged)
    ON_BN_CLICKED(IDC_CHANNELPAGE_KEEP_PREVIOUS, OnChecksChanged)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CHANNELPAGE_MODE_CABLE, IDC_CHANNELPAGE_MODE_SWEEP, OnModeChanged)
    ON_CBN_SELCHANGE(IDC_CHANNELPAGE_COUNTRY, OnCountryChanged)
    ON_CBN_SELCHANGE(IDC_CHANNELPAGE_TABLE, OnTableChanged)
    ON_COMMAND(ID_CHANNEL_NEW, OnNewChannel)
    ON_COMMAND(ID_CHANNEL_EXPORT, OnExport)
    ON_COMMAND(ID_CHANNEL_IMPORT, OnImport)
    ON_WM_HSCROLL()
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_CHANNELPAGE_LIST, OnListItemChanged)
    ON_NOTIFY(LVN_KEYDOWN, IDC_CHANNELPAGE_LIST, OnListKeyDown)
    ON_NOTIFY(NM_DBLCLK, IDC_CHANNELPAGE_LIST, OnListDoubleClick)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_CHANNELPAGE_LIST, OnListColumnClick)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CChannelPage::CChannelPage(const SettingsContext& context, BOOL fm)
    : CBasePage(IDD_CHANNELPAGE, context), m_bFM(fm), m_lFrequency(0), m_favorMode(0), m_keepPrevious(0),
      m_scanMode(0), m_center(0), m_pSelected(NULL),
      m_pTable(fm ? &context.manager.GetFMTable() : &context.manager.GetTVTable()), m_savedCountry(0),
      m_savedScanMode(0), m_sortAscending(TRUE), m_sortColumn(-1), m_bListSettled(TRUE)
{
    m_list.SetPage(this);
}

CChannelPage::~CChannelPage()
{
    Close();
}

void CChannelPage::DoDataExchange(CDataExchange* dx)
{
    CBasePage::DoDataExchange(dx);
    DDX_Control(dx, IDC_CHANNELPAGE_FINE_TUNE, m_fineTune);
    DDX_Control(dx, IDC_CHANNELPAGE_LIST, m_list);
    DDX_Control(dx, IDC_CHANNELPAGE_COUNTRY, m_country);
    DDX_Control(dx, IDC_CHANNELPAGE_TABLE, m_tableCombo);
    DDX_Text(dx, IDC_CHANNELPAGE_NAME, m_strName);
    DDV_MaxChars(dx, m_strName, kMaxName);
    DDX_Check(dx, IDC_CHANNELPAGE_FAVOURITES_MODE, m_favorMode);
    DDX_Check(dx, IDC_CHANNELPAGE_KEEP_PREVIOUS, m_keepPrevious);
    DDX_Radio(dx, IDC_CHANNELPAGE_MODE_CABLE, m_scanMode);
}

BOOL CChannelPage::UpdateFrequencyData(BOOL saveAndValidate)
{
    if (!saveAndValidate) {
        m_strFrequency = CChannelFrequency::Format(m_lFrequency);
        SetDlgItemText(IDC_CHANNELPAGE_FREQUENCY, m_strFrequency);
        return TRUE;
    }
    GetDlgItemText(IDC_CHANNELPAGE_FREQUENCY, m_strFrequency);
    long minKHz = 0, maxKHz = 0;
    m_manager.GetTunerRange(m_bFM, minKHz, maxKHz);
    long kHz = 0;
    if (!CChannelFrequency::Parse(m_strFrequency, minKHz, maxKHz, kHz)) {
        AfxMessageBox(IDS_FREQUENCY_REFUSED, MB_OK | MB_ICONINFORMATION);
        if (CWnd* edit = GetDlgItem(IDC_CHANNELPAGE_FREQUENCY))
            edit->SetFocus();
        return FALSE;
    }
    m_lFrequency = kHz;
    return TRUE;
}

// --- loading, saving, Cancel ---------------------------------------------------

void CChannelPage::LoadSettings()
{
    m_backup = *m_pTable;
    if (!m_bFM) {
        m_savedCountry = m_manager.GetCountryCode();
        m_savedScanMode = m_manager.GetTVInput();
        m_savedTableName = m_manager.GetSettings().City;
    }
}

BOOL CChannelPage::OnInitDialog()
{
    CBasePage::OnInitDialog();
    m_favorMode = m_pTable->GetFavorMode() ? 1 : 0;
    m_keepPrevious = m_pTable->GetReservePrev() ? 1 : 0;
    m_center = m_pTable->GetTolerance();
    CString label;
    label.Format("+%ld", m_center);
    SetDlgItemText(IDC_CHANNELPAGE_PLUS_TOLERANCE, label);
    label.Format("-%ld", m_center);
    SetDlgItemText(IDC_CHANNELPAGE_MINUS_TOLERANCE, label);
    m_fineTune.SetRange(0, (int)(2 * m_center), TRUE);
    m_fineTune.SetPos((int)m_center);
    m_fineTune.SetLineSize(1);
    m_fineTune.SetPageSize(10);
    m_menu.LoadMenu(IDR_MENU_CHANNELPAGE);

    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                            LVS_EX_HEADERDRAGDROP | LVS_EX_FLATSB);
    if (m_images.Create(IDB_CHANNEL_IMAGES, kImageWidth, 0, RGB(255, 255, 255)))
        m_list.SetImageList(&m_images, LVSIL_SMALL);
    for (int c = 0; c < (int)(sizeof kColumns / sizeof kColumns[0]); ++c) {
        CString title;
        title.LoadString(kColumns[c].title);
        m_list.InsertColumn(c, title, kColumns[c].format, kColumns[c].width);
    }

    if (m_bFM) {
        CString title;
        GetWindowText(title);
        title.Replace("TV", "FM");
        SetWindowText(title);
        CRect list;
        m_list.GetWindowRect(&list);
        ScreenToClient(&list);
        list.top = kFMListTop;
        m_list.MoveWindow(&list);
        for (UINT id : kTVOnly)
            if (CWnd* control = GetDlgItem(id))
                control->ShowWindow(SW_HIDE);
    } else {
        FillCountries();
        FillTables(m_manager.GetCountryCode());
        m_scanMode = std::max(0, std::min(2, m_manager.GetTVInput()));
    }
    UpdateData(FALSE);
    UpdateFavourModeCheck();
    FillList();
    UpdateButtons();
    return TRUE;
}

BOOL CChannelPage::SaveSettings()
{
    if (!UpdateData(TRUE))
        return FALSE;
    if (!m_bFM)
        ApplyCountrySettings();
    m_pTable->SetFavorMode(m_favorMode);
    m_pTable->SetReservePrev(m_keepPrevious);
    m_pTable->SetModified(TRUE);
    return CBasePage::SaveSettings();
}

void CChannelPage::OnReset()
{
    const long before = m_pTable->GetCurrentFrequency();
    *m_pTable = m_backup;
    m_pSelected = NULL;
    ResolvePointers();
    if (IsCurrentBand() && m_pTable->GetCurrentFrequency() != before) {
        m_panel.MuteForTuning();
        m_pTable->RestoreCurrentChannel();
        m_panel.ShowChannel();
    }
    if (!m_bFM) {
        m_manager.SetCountryCode(m_savedCountry);
        m_manager.SetTVInput(m_savedScanMode);
        m_manager.Settings().City = m_savedTableName;
    }
    if (m_hWnd)
        FillList();
}

void CChannelPage::Open()
{
    s_openPage = this;
    m_manager.AddScanListener(this);
}

void CChannelPage::Close()
{
    m_manager.RemoveScanListener(this);
    if (s_openPage == this)
        s_openPage = NULL;
}

BOOL CChannelPage::OnSetActive()
{
    Open();
    return CBasePage::OnSetActive();
}

BOOL CChannelPage::OnKillActive()
{
    Close();
    return CBasePage::OnKillActive();
}

void CChannelPage::OnDestroy()
{
    Close();
    CBasePage::OnDestroy();
}

BOOL CChannelPage::PreTranslateMessage(MSG* msg)
{
    // Escape during a drag ends the drag and nothing else.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE && m_list.IsDragging()) {
        m_list.EndDrag();
        return TRUE;
    }
    return CBasePage::PreTranslateMessage(msg);
}

// --- the list ------------------------------------------------------------------

BOOL CChannelPage::IsCurrentBand() const
{
    const int source = m_manager.GetVideoSource();
    return m_bFM ? source == 3 : source == 0;
}

BOOL CChannelPage::IsScanning() const
{
    return m_manager.IsScanning();
}

void CChannelPage::FillList()
{
    m_bListSettled = FALSE;
    m_list.DeleteAllItems();
    for (int i = 0; i < m_pTable->GetSize(); ++i) {
        CChannel* channel = m_pTable->GetChannel(i);
        if (channel && !channel->IsHidden())
            AddRow(channel);
    }
    m_bListSettled = TRUE;
    const int row = RowOf(m_pTable->GetCurrentChannel());
    if (row >= 0) {
        SelectRow(row);
        m_list.EnsureVisible(row, FALSE);
    }
}

int CChannelPage::AddRow(CChannel* channel)
{
    const int row = m_list.InsertItem(m_list.GetItemCount(), "");
    if (row < 0)
        return -1;
    m_list.SetItemData(row, (DWORD_PTR)channel);
    WriteRow(row);
    return row;
}

void CChannelPage::WriteRow(int row)
{
    const CChannel* channel = (const CChannel*)m_list.GetItemData(row);
    if (!channel)
        return;
    CString text;
    text.Format("%d", row + 1);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = (LPSTR)(LPCSTR)text;
    item.iImage = channel->IsFavor() ? 1 : 0;
    m_list.SetItem(&item);
    m_list.SetItemText(row, kColName, channel->Name);
    m_list.SetItemText(row, kColFrequency, CChannelFrequency::Format(channel->Frequency));
    text.Format("%ld", channel->ID);
    m_list.SetItemText(row, kColNumber, text);
}

void CChannelPage::RenumberRows()
{
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        WriteRow(row);
}

int CChannelPage::RowOf(const CChannel* channel) const
{
    if (!channel)
        return -1;
    for (int row = 0; row < m_list.GetItemCount(); ++row)
        if ((const CChannel*)m_list.GetItemData(row) == channel)
            return row;
    return -1;
}

void CChannelPage::SelectRow(int row)
{
    if (row < 0 || row >= m_list.GetItemCount())
        return;
    m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CChannelPage::SelectChannel(CChannel* channel)
{
    m_pSelected = channel;
    if (!channel)
        return;
    m_strName = channel->Name;
    SetDlgItemText(IDC_CHANNELPAGE_NAME, m_strName);
    ShowFrequency(channel->Frequency);
    m_fineTune.SetPos((int)m_center);
    if (channel != m_pTable->GetCurrentChannel() && IsCurrentBand()) {
        m_panel.MuteForTuning();
        m_pTable->SetCurrentChannel(channel);
        m_panel.ShowChannel();
    }
}

void CChannelPage::ShowFrequency(long kHz)
{
    m_lFrequency = kHz;
    UpdateFrequencyData(FALSE);
}

void CChannelPage::UpdateButtons()
{
    const BOOL scanning = IsScanning();
    CString text;
    text.LoadString(scanning ? kScanStopText : kScanStartText);
    SetDlgItemText(IDC_CHANNELPAGE_SCAN, text);
    for (UINT id : kOffWhileScanning)
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(!scanning);
}

void CChannelPage::UpdateFavourModeCheck()
{
    BOOL any = FALSE;
    for (int i = 0; i < m_pTable->GetSize() && !any; ++i)
        any = m_pTable->GetChannel(i)->IsFavor();
    if (!any) {
        m_favorMode = 0;
        CheckDlgButton(IDC_CHANNELPAGE_FAVOURITES_MODE, BST_UNCHECKED);
    }
    if (CWnd* check = GetDlgItem(IDC_CHANNELPAGE_FAVOURITES_MODE))
        check->EnableWindow(any);
}

void CChannelPage::ResolvePointers()
{
    if (m_pSelected && m_pTable->IndexOf(m_pSelected) < 0)
        m_pSelected = NULL;
    // The current channel is the one at the current frequency, wherever it
    // now stands; none when it went.
    m_pTable->SetCurrentIndex(m_pTable->FindByFrequency(m_pTable->GetCurrentFrequency()));
    m_panel.ChannelListChanged();
}

// --- edits -----------------------------------------------------------------

void CChannelPage::RenameSelected()
{
    if (!m_pSelected || !UpdateData(TRUE))
        return;
    m_pSelected->Name = m_strName;
    WriteRow(RowOf(m_pSelected));
    SetModified(TRUE);
}

void CChannelPage::ToggleFavourite()
{
    if (!m_pSelected)
        return;
    m_pSelected->SetFavor(!m_pSelected->IsFavor());
    WriteRow(RowOf(m_pSelected));
    UpdateFavourModeCheck();
    SetModified(TRUE);
}

void CChannelPage::DeleteSelected()
{
    if (!m_pSelected)
        return;
    const int row = RowOf(m_pSelected);
    const int index = m_pTable->IndexOf(m_pSelected);
    if (index < 0)
        return;
    CChannel* gone = m_pSelected;
    m_pSelected = NULL;
    m_pTable->RemoveAt(index);
    if (row >= 0)
        m_list.DeleteItem(row);
    delete gone;
    ResolvePointers();
    RenumberRows();
    const int count = m_list.GetItemCount();
    if (count > 0) {
        const int next = row >= 0 && row < count ? row : count - 1;
        SelectRow(next);
        SelectChannel((CChannel*)m_list.GetItemData(next));
    }
    UpdateFavourModeCheck();
    SetModified(TRUE);
}

BOOL CChannelPage::SetSelectedFrequency()
{
    if (!m_pSelected || !UpdateFrequencyData(TRUE))
        return FALSE;
    m_pSelected->Frequency = m_lFrequency;
    WriteRow(RowOf(m_pSelected));
    if (IsCurrentBand() && m_pSelected == m_pTable->GetCurrentChannel()) {
        m_pTable->SetCurrentFrequency(0);
        m_pTable->SetCurrentChannel(m_pSelected);
    }
    SetModified(TRUE);
    return TRUE;
}

void CChannelPage::AddNewChannel()
{
    // The frequency in use, so that the new channel is one the channel file
    // keeps (a channel at 0 kHz is refused when the file is read again).
    long kHz = m_pTable->GetCurrentFrequency();
    if (kHz <= 0 && m_pSelected)
        kHz = m_pSelected->Frequency;
    if (kHz <= 0) {
        long maxKHz = 0;
        m_manager.GetTunerRange(m_bFM, kHz, maxKHz);
    }
    m_pTable->AddChannel(CChannel(m_pTable->GetMaxId() + 1, kHz, "New Channel", CHANNEL_VALID));
    CChannel* channel = m_pTable->GetChannel(m_pTable->GetSize() - 1);
    const int row = AddRow(channel);
    SelectRow(row);
    m_list.EnsureVisible(row, FALSE);
    SelectChannel(channel);
    SetModified(TRUE);
}

void CChannelPage::MoveChannel(int fromRow, int toRow)
{
    const int rows = m_list.GetItemCount();
    if (fromRow < 0 || fromRow >= rows || toRow < 0 || toRow > rows || toRow == fromRow || toRow == fromRow + 1)
        return;
    CChannel* moved = (CChannel*)m_list.GetItemData(fromRow);
    const int from = m_pTable->IndexOf(moved);
    // Before the channel dropped on, or after the last one.
    const int target = toRow < rows ? m_pTable->IndexOf((CChannel*)m_list.GetItemData(toRow)) : (int)m_pTable->GetSize();
    if (from < 0 || target < 0)
        return;
    CChannel* current = m_pTable->GetCurrentChannel();
    m_pTable->RemoveAt(from);
    m_pTable->InsertAt(target > from ? target - 1 : target, moved);
    m_pTable->SetCurrentIndex(m_pTable->IndexOf(current));
    m_list.CDragListCtrl::MoveItems(fromRow, toRow);
    RenumberRows();
    SetModified(TRUE);
}

void CChannelPage::SortBy(int column)
{
    if (column == m_sortColumn)
        m_sortAscending = !m_sortAscending;
    else {
        m_sortColumn = column;
        m_sortAscending = TRUE;
    }
    SortContext sort = {m_sortColumn, m_sortAscending};
    m_bListSettled = FALSE;
    m_list.SortItems(&CompareChannels, (DWORD_PTR)&sort);
    RenumberRows();
    m_bListSettled = TRUE;
}

// --- scans -----------------------------------------------------------------

void CChannelPage::StartOrStopScan()
{
    if (m_manager.IsRecording() || !IsCurrentBand())
        return;
    if (IsScanning()) {
        m_panel.StopScan();
        UpdateButtons();
        return;
    }
    if (AfxMessageBox(kScanQuestion, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    if (!UpdateData(TRUE))
        return;
    if (!m_bFM)
        ApplyCountrySettings();
    m_bListSettled = FALSE;
    m_pSelected = NULL;
    m_list.DeleteAllItems();
    m_panel.StartScan();
    UpdateButtons();
}

void CChannelPage::OnScanChannelFound(const CChannel& channel)
{
    // Only the last channel of this page's own table is one of ours: the
    // row keeps the live channel, never the one told of.
    const INT_PTR size = m_pTable->GetSize();
    CChannel* last = size > 0 ? m_pTable->GetChannel((int)size - 1) : NULL;
    if (!m_hWnd || last != &channel || last->IsHidden())
        return;
    const int row = AddRow(last);
    if (row >= 0)
        m_list.EnsureVisible(row, FALSE);
}

void CChannelPage::OnScanFinished()
{
    if (!m_hWnd || !IsCurrentBand())
        return;
    m_pSelected = NULL;
    FillList();
    UpdateButtons();
    LoadSettings();
    m_bListSettled = TRUE;
}

// --- country, table and scan mode (TV) ---------------------------------------

void CChannelPage::FillCountries()
{
    m_country.ResetContent();
    CIdStringMap& names = m_manager.GetCountryNames();
    POSITION pos = names.GetStartPosition();
    while (pos) {
        DWORD code = 0;
        CString name;
        names.GetNextAssoc(pos, code, name);
        const int row = m_country.AddString(name);
        m_country.SetItemData(row, code);
    }
    for (int row = 0; row < m_country.GetCount(); ++row)
        if ((int)m_country.GetItemData(row) == m_manager.GetCountryCode())
            m_country.SetCurSel(row);
}

void CChannelPage::FillTables(int countryCode)
{
    m_tableCombo.ResetContent();
    m_tableCombo.AddString("");
    CStringArray names;
    m_manager.GetFreqAndName().GetTableNames(countryCode, names);
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        m_tableCombo.AddString(names[i]);
    int select = 0;
    if (countryCode == m_manager.GetCountryCode()) {
        const int found = m_tableCombo.FindStringExact(-1, m_manager.GetSettings().City);
        if (found >= 0)
            select = found;
    }
    m_tableCombo.SetCurSel(select);
}

void CChannelPage::ApplyCountrySettings()
{
    m_manager.SetTVInput(m_scanMode);
    const int row = m_country.GetCurSel();
    if (row >= 0) {
        const int code = (int)m_country.GetItemData(row);
        if (code != m_manager.GetCountryCode()) {
            m_manager.SetCountryCode(code);
            DWORD standard = 0;
            CTVHardWare& hardware = m_manager.GetHardware();
            if (m_manager.GetDefaultVideoStandard(code, standard) && standard != hardware.GetVideoStandard()) {
                CUIntArray supported;
                BOOL known = FALSE;
                if (hardware.GetVideoStandards(supported))
                    for (INT_PTR i = 0; i < supported.GetSize(); ++i)
                        known = known || supported[i] == standard;
                if (known) {
                    hardware.SetVideoStandard(standard);
                    const int source = m_manager.GetVideoSource();
                    if ((source == 0 || source == 3) && !m_manager.IsRecording())
                        m_manager.RunPreview();
                }
            }
            if (IsCurrentBand())
                m_pTable->RestoreCurrentChannel();
        }
    }
    CString name;
    const int table = m_tableCombo.GetCurSel();
    if (table >= 0)
        m_tableCombo.GetLBText(table, name);
    m_manager.Settings().City = name;
}

// --- export and import ---------------------------------------------------------

CString CChannelPage::Filter() const
{
    CString filter;
    filter.LoadString(m_bFM ? IDS_FILTER_FM_CHANNELS : IDS_FILTER_TV_CHANNELS);
    return filter;
}

BOOL CChannelPage::ExportTo(LPCSTR path)
{
    CString file(path);
    if (file.GetLength() >= 4 && file.Right(4).CompareNoCase(".ini") == 0)
        return m_pTable->ExportIni(path);
    return m_pTable->SaveToFile(path);
}

BOOL CChannelPage::ImportFrom(LPCSTR path)
{
    CChannelTable imported;
    imported.SetFM(m_bFM);
    CString file(path);
    const BOOL ini = file.GetLength() >= 4 && file.Right(4).CompareNoCase(".ini") == 0;
    // A file that gives no channel is not a channel list: the user's
    // channels stay.
    if (!(ini ? imported.ImportIni(path) : imported.LoadFromFile(path)) || imported.GetSize() == 0) {
        AfxMessageBox(IDS_IMPORT_FAILED, MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    m_pSelected = NULL;
    m_pTable->CopyChannels(imported);
    ResolvePointers();
    FillList();
    UpdateFavourModeCheck();
    SetModified(TRUE);
    return TRUE;
}

void CChannelPage::OnExport()
{
    CFileDialog dialog(FALSE, m_bFM ? "fmb" : "tvb", m_bFM ? "FMChl" : "TVChl",
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, Filter(), this);
    if (dialog.DoModal() == IDOK)
        ExportTo(dialog.GetPathName());
}

void CChannelPage::OnImport()
{
    CFileDialog dialog(TRUE, m_bFM ? "fmb" : "tvb", NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, Filter(), this);
    if (dialog.DoModal() == IDOK)
        ImportFrom(dialog.GetPathName());
}

void CChannelPage::ShowContextMenu(CPoint screen)
{
    if (IsScanning() || !m_menu.GetSafeHmenu())
        return;
    CMenu* popup = m_menu.GetSubMenu(0);
    if (!popup)
        return;
    popup->EnableMenuItem(ID_CHANNEL_EXPORT, MF_BYCOMMAND | (m_list.GetItemCount() ? MF_ENABLED : MF_GRAYED));
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, this);
}

// --- notifications -------------------------------------------------------------

void CChannelPage::OnModeChanged(UINT id)
{
    (void)id;
    SetModified(TRUE);
}

void CChannelPage::OnChecksChanged()
{
    UpdateData(TRUE);
    SetModified(TRUE);
}

void CChannelPage::OnCountryChanged()
{
    const int row = m_country.GetCurSel();
    if (row >= 0)
        FillTables((int)m_country.GetItemData(row));
    SetModified(TRUE);
}

void CChannelPage::OnTableChanged()
{
    SetModified(TRUE);
}

void CChannelPage::OnHScroll(UINT code, UINT position, CScrollBar* bar)
{
    (void)code;
    (void)position;
    if (!bar || bar->m_hWnd != m_fineTune.m_hWnd || !m_pSelected)
        return;
    const long kHz = m_pSelected->Frequency + (m_fineTune.GetPos() - m_center);
    ShowFrequency(kHz);
    if (IsCurrentBand())
        m_manager.TuneFrequency(m_bFM, kHz);
}

void CChannelPage::OnListItemChanged(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const NMLISTVIEW* view = (const NMLISTVIEW*)header;
    if (!m_bListSettled || IsScanning() || !(view->uChanged & LVIF_STATE))
        return;
    if ((view->uNewState & LVIS_SELECTED) && !(view->uOldState & LVIS_SELECTED))
        SelectChannel((CChannel*)m_list.GetItemData(view->iItem));
}

void CChannelPage::OnListKeyDown(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (IsScanning())
        return;
    const WORD key = ((const NMLVKEYDOWN*)header)->wVKey;
    if (key == VK_SPACE)
        ToggleFavourite();
    else if (key == VK_DELETE)
        DeleteSelected();
}

void CChannelPage::OnListDoubleClick(NMHDR* header, LRESULT* result)
{
    (void)header;
    *result = 0;
    if (!IsScanning())
        ToggleFavourite();
}

void CChannelPage::OnListColumnClick(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (!IsScanning())
        SortBy(((const NMLISTVIEW*)header)->iSubItem);
}
