#include "settings/RecordPage.h"

#include "engine/PathHelpers.h"
#include "engine/TVManager.h"
#include "platform/mfc/DataExchange.h"
#include "resources/Resource.h"
#include "settings/SettingsPanel.h"
#include "skin/FolderDialog.h"

#include <algorithm>

namespace {

constexpr UINT kQualityNames[] = {35200, 35201, 35202};
constexpr int kMotionValues[] = {0, 1, 3}; // by radio
constexpr int kTimeShiftStep = 600;        // seconds per row of the combo
constexpr int kTimeShiftRows = 6;
constexpr UINT kMpeg4Controls[] = {IDC_RECORDPAGE_MPEG4_SIZE, IDC_RECORDPAGE_MPEG4_SIZE_LABEL,
                                   IDC_RECORDPAGE_CODEC_SETUP};

} // namespace

BEGIN_MESSAGE_MAP(CRecordPage, CBasePage)
    ON_CBN_SELCHANGE(IDC_RECORDPAGE_FORMAT, OnFormatChanged)
    ON_CBN_SELCHANGE(IDC_RECORDPAGE_QUALITY, OnQualityChanged)
    ON_CBN_SELCHANGE(IDC_RECORDPAGE_MPEG4_SIZE, OnMpeg4SizeChanged)
    ON_CBN_SELCHANGE(IDC_RECORDPAGE_MPEG4_AUDIO, OnMpeg4AudioChanged)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_RECORDPAGE_BMP, IDC_RECORDPAGE_JPEG, OnSnapshotFormat)
    ON_BN_CLICKED(IDC_RECORDPAGE_SNAP_BROWSE, OnBrowseSnapshots)
    ON_BN_CLICKED(IDC_RECORDPAGE_RECORD_BROWSE, OnBrowseRecordings)
    ON_CBN_SELCHANGE(IDC_RECORDPAGE_TIMESHIFT_LENGTH, OnTimeShiftLength)
    ON_BN_CLICKED(IDC_RECORDPAGE_TIMESHIFT_RESERVE, OnTimeShiftReserve)
    ON_BN_CLICKED(IDC_RECORDPAGE_CODEC_SETUP, OnCodecSetup)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_RECORDPAGE_MOTION_FAST, IDC_RECORDPAGE_MOTION_BEST, OnMotionSearch)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CRecordPage::CRecordPage(const SettingsContext& context)
    : CBasePage(IDD_RECORDPAGE, context), m_snapFormat(1), m_motionRadio(0), m_jpeg(100), m_displayQuality(2),
      m_recordFormat(0), m_savedReserved(0), m_savedTime(0)
{
}

void CRecordPage::DoDataExchange(CDataExchange* dx)
{
    CBasePage::DoDataExchange(dx);
    DDX_Control(dx, IDC_RECORDPAGE_MPEG4_SIZE, m_mpeg4Size);
    DDX_Control(dx, IDC_RECORDPAGE_MPEG4_AUDIO, m_mpeg4Audio);
    DDX_Control(dx, IDC_RECORDPAGE_FORMAT, m_format);
    DDX_Control(dx, IDC_RECORDPAGE_QUALITY, m_quality);
    DDX_Control(dx, IDC_RECORDPAGE_JPEG_QUALITY, m_jpegQuality);
    DDX_Text(dx, IDC_RECORDPAGE_SNAP_FOLDER, m_snapFolder);
    DDX_Text(dx, IDC_RECORDPAGE_RECORD_FOLDER, m_recordFolder);
    DDX_Radio(dx, IDC_RECORDPAGE_BMP, m_snapFormat);
    DDX_Radio(dx, IDC_RECORDPAGE_MOTION_FAST, m_motionRadio);
}

int CRecordPage::TimeShiftRow(int seconds)
{
    return std::max(0, std::min(seconds / kTimeShiftStep - 1, kTimeShiftRows - 1));
}

CString CRecordPage::UsableFolder(const CString& folder, const CString& fallback)
{
    if (!folder.IsEmpty() && (CFolderDialog::IsFolder(folder) || CFolderDialog::CreateFolderPath(folder)))
        return folder;
    return fallback;
}

void CRecordPage::LoadSettings()
{
    const ManagerSettings& settings = m_manager.GetSettings();
    HardwareSettings& hardware = m_manager.GetHardwareSettings();
    m_snapFolder = UsableFolder(settings.PicDir, m_manager.GetDefaultPicDir());
    m_recordFolder = UsableFolder(settings.VideoDir, m_manager.GetDefaultVideoDir());
    m_snapFormat = settings.SnapBmp ? 0 : 1;
    m_jpeg = std::max(0, std::min(100, settings.JpgQuality));
    const int motion = hardware.MotionSearchInc;
    m_motionRadio = motion == 1 ? 1 : motion == 3 ? 2 : 0;
    m_displayQuality = m_manager.GetDisplayQuality();
    m_recordFormat = m_manager.GetRecordFormat();
    m_savedAudio = hardware.Mpeg4Audio;
    m_savedSize = hardware.Mpeg4RecordSize;
    m_savedReserved = m_manager.GetTFReserved();
    m_savedTime = m_manager.GetTFTime();
    if (m_hWnd)
        UpdateData(FALSE);
}

BOOL CRecordPage::OnInitDialog()
{
    CBasePage::OnInitDialog();
    for (UINT id : kQualityNames) {
        CString name;
        name.LoadString(id);
        m_quality.AddString(name);
    }
    m_quality.SetCurSel(m_displayQuality);
    const CDwordStringArray& formats = m_manager.GetRecordFormatNames();
    for (INT_PTR i = 0; i < formats.GetSize(); ++i) {
        const int row = m_format.AddString(formats[i].text);
        m_format.SetItemData(row, formats[i].id);
        if ((int)formats[i].id == m_recordFormat)
            m_format.SetCurSel(row);
    }
    if (!m_manager.GetHardwareSettings().Mpeg4Audio.IsEmpty())
        m_mpeg4Audio.AddString(m_manager.GetHardwareSettings().Mpeg4Audio);
    m_mpeg4Audio.SetCurSel(0);
    CComboBox* length = (CComboBox*)GetDlgItem(IDC_RECORDPAGE_TIMESHIFT_LENGTH);
    for (int row = 0; row < kTimeShiftRows && length; ++row) {
        CString text;
        text.Format("%d", (row + 1) * 10);
        length->AddString(text);
    }
    if (length)
        length->SetCurSel(TimeShiftRow(m_manager.GetTFTime()));
    CheckDlgButton(IDC_RECORDPAGE_TIMESHIFT_RESERVE, m_manager.GetTFReserved() ? BST_CHECKED : BST_UNCHECKED);
    m_jpegQuality.SetRange(0, 100, TRUE);
    ShowQuality();
    return TRUE;
}

BOOL CRecordPage::OnSetActive()
{
    // One MPEG-4 size, by the lines of the standard in force.
    HardwareSettings& hardware = m_manager.GetHardwareSettings();
    const CSize size(352, m_manager.GetHardware().Is525Line() ? 240 : 288);
    m_mpeg4Size.ResetContent();
    CString text;
    text.Format("%d * %d", size.cx, size.cy);
    m_mpeg4Size.AddString(text);
    if (hardware.Mpeg4RecordSize == size)
        m_mpeg4Size.SetCurSel(0);
    if (m_mpeg4Size.GetCurSel() < 0) {
        m_mpeg4Size.SetCurSel(0);
        hardware.Mpeg4RecordSize = size;
    }
    ShowMpeg4Controls();
    return CBasePage::OnSetActive();
}

void CRecordPage::ShowMpeg4Controls()
{
    const int show = m_recordFormat == kFormatMpeg4 ? SW_SHOW : SW_HIDE;
    for (UINT id : kMpeg4Controls)
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(show);
}

void CRecordPage::ShowQuality()
{
    m_jpegQuality.SetPos(m_jpeg);
    SetDlgItemInt(IDC_RECORDPAGE_JPEG_QUALITY_TEXT, m_jpeg, FALSE);
    m_jpegQuality.EnableWindow(m_snapFormat == 1);
}

void CRecordPage::OnFormatChanged()
{
    const int row = m_format.GetCurSel();
    if (row >= 0)
        m_recordFormat = (int)m_format.GetItemData(row);
    ShowMpeg4Controls();
    SetModified(TRUE);
}

void CRecordPage::OnQualityChanged()
{
    m_displayQuality = std::max(0, m_quality.GetCurSel());
    SetModified(TRUE);
}

void CRecordPage::OnMpeg4SizeChanged()
{
    CString text;
    m_mpeg4Size.GetLBText(m_mpeg4Size.GetCurSel(), text);
    int width = 0, height = 0;
    if (sscanf(text, "%d * %d", &width, &height) == 2)
        m_manager.GetHardwareSettings().Mpeg4RecordSize = CSize(width, height);
    SetModified(TRUE);
}

void CRecordPage::OnMpeg4AudioChanged()
{
    const int row = m_mpeg4Audio.GetCurSel();
    if (row < 0)
        return;
    CString text;
    m_mpeg4Audio.GetLBText(row, text);
    m_manager.GetHardwareSettings().Mpeg4Audio = text;
    SetModified(TRUE);
}

void CRecordPage::OnSnapshotFormat(UINT id)
{
    m_snapFormat = id == IDC_RECORDPAGE_JPEG ? 1 : 0;
    ShowQuality();
    SetModified(TRUE);
}

void CRecordPage::OnMotionSearch(UINT id)
{
    m_motionRadio = (int)(id - IDC_RECORDPAGE_MOTION_FAST);
    SetModified(TRUE);
}

void CRecordPage::OnHScroll(UINT code, UINT position, CScrollBar* bar)
{
    (void)code;
    (void)position;
    if (!bar || bar->m_hWnd != m_jpegQuality.m_hWnd)
        return;
    m_jpeg = m_jpegQuality.GetPos();
    SetDlgItemInt(IDC_RECORDPAGE_JPEG_QUALITY_TEXT, m_jpeg, FALSE);
    SetModified(TRUE);
}

void CRecordPage::OnBrowseSnapshots()
{
    CFolderDialog dialog;
    dialog.SetFlags(dialog.GetFlags() & ~CFolderDialog::kEditBox);
    CString folder;
    GetDlgItemText(IDC_RECORDPAGE_SNAP_FOLDER, folder);
    if (dialog.Browse(this, IDS_SNAP_FOLDER_PROMPT, folder)) {
        SetDlgItemText(IDC_RECORDPAGE_SNAP_FOLDER, dialog.GetFolderPath());
        SetModified(TRUE);
    }
}

void CRecordPage::OnBrowseRecordings()
{
    CFolderDialog dialog;
    dialog.SetFlags(dialog.GetFlags() & ~CFolderDialog::kEditBox);
    CString folder;
    GetDlgItemText(IDC_RECORDPAGE_RECORD_FOLDER, folder);
    if (dialog.Browse(this, IDS_RECORD_FOLDER_PROMPT, folder)) {
        SetDlgItemText(IDC_RECORDPAGE_RECORD_FOLDER, dialog.GetFolderPath());
        SetModified(TRUE);
    }
}

void CRecordPage::OnTimeShiftLength()
{
    CComboBox* length = (CComboBox*)GetDlgItem(IDC_RECORDPAGE_TIMESHIFT_LENGTH);
    if (length && length->GetCurSel() >= 0)
        m_manager.SetTFTime((length->GetCurSel() + 1) * kTimeShiftStep);
    SetModified(TRUE);
}

void CRecordPage::OnTimeShiftReserve()
{
    m_manager.SetTFReserved(IsDlgButtonChecked(IDC_RECORDPAGE_TIMESHIFT_RESERVE) ? 1 : 0);
    SetModified(TRUE);
}

void CRecordPage::OnCodecSetup()
{
    switch (m_manager.ShowMpeg4CodecDialog(m_hWnd)) {
    case CTVManager::kCodecChanged:
        SetModified(TRUE);
        break;
    case CTVManager::kCodecMissing:
        AfxMessageBox(IDS_MPEG4_CODEC_MISSING, MB_OK | MB_ICONINFORMATION);
        break;
    case CTVManager::kCodecDialogMissing:
        AfxMessageBox(IDS_MPEG4_CODEC_DIALOG_MISSING, MB_OK | MB_ICONINFORMATION);
        break;
    case CTVManager::kCodecUnchanged:
        break;
    }
}

BOOL CRecordPage::SaveSettings()
{
    if (!UpdateData(TRUE))
        return FALSE;
    ManagerSettings& settings = m_manager.Settings();
    settings.PicDir = UsableFolder(m_snapFolder, m_manager.GetDefaultPicDir());
    if (m_recordFolder.CompareNoCase(settings.VideoDir) != 0)
        m_manager.SetVideoDir(UsableFolder(m_recordFolder, m_manager.GetDefaultVideoDir()));
    m_manager.WriteSnapPathToRegistry();
    m_manager.WriteRecordPathToRegistry();
    settings.SnapBmp = m_snapFormat == 0;
    settings.JpgQuality = m_jpeg;
    m_manager.GetHardwareSettings().MotionSearchInc = kMotionValues[std::max(0, std::min(2, m_motionRadio))];
    m_manager.SetDisplayQuality(m_displayQuality);
    m_manager.SetRecordFormat(m_recordFormat);
    m_panel.UpdateMenuChecks();
    return CBasePage::SaveSettings();
}

void CRecordPage::OnReset()
{
    HardwareSettings& hardware = m_manager.GetHardwareSettings();
    hardware.Mpeg4Audio = m_savedAudio;
    hardware.Mpeg4RecordSize = m_savedSize;
    m_manager.SetTFTime(m_savedTime);
    m_manager.SetTFReserved(m_savedReserved);
}
