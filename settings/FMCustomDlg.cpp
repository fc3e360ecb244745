#include "settings/FMCustomDlg.h"

#include "engine/TVManager.h"
#include "resources/Resource.h"

namespace {

// These compressors work only inside their maker's own graphs.
const char kUnusablePrefix[] = "InterVideo";

CComboBox* Combo(CWnd* dialog, UINT id)
{
    return (CComboBox*)dialog->GetDlgItem((int)id);
}

} // namespace

BEGIN_MESSAGE_MAP(CFMCustomDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_FMCUSTOM_FORMATS, OnFormatChosen)
    ON_EN_CHANGE(IDC_FMCUSTOM_NAME, OnNameChanged)
    ON_BN_CLICKED(IDC_FMCUSTOM_ADD, OnAdd)
    ON_BN_CLICKED(IDC_FMCUSTOM_MODIFY, OnModify)
    ON_BN_CLICKED(IDC_FMCUSTOM_DELETE, OnDelete)
END_MESSAGE_MAP()

CFMCustomDlg::CFMCustomDlg(CTVManager& manager, CWnd* parent, CompressorLister lister)
    : CDialog(IDD_FMCUSTOM, parent), m_manager(manager), m_lister(std::move(lister))
{
    if (!m_lister) {
        m_lister = [&manager](CStringArray& names) {
            manager.GetHardware().EnumFilterNames(CRootGraph::kAudioCompressor, names);
        };
    }
}

BOOL CFMCustomDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CStringArray names;
    m_lister(names);
    CComboBox* compressors = Combo(this, IDC_FMCUSTOM_COMPRESSOR);
    for (int i = 0; i < (int)names.GetSize(); ++i) {
        if (names[i].Left(sizeof kUnusablePrefix - 1) != kUnusablePrefix)
            compressors->AddString(names[i]);
    }
    compressors->SetCurSel(0);
    SetDlgItemText(IDC_FMCUSTOM_NAME, "FMCustom 1");
    m_formats.Copy(m_manager.GetCustomFMFormat());
    FillFormats();
    ShowFormat(m_formats.IsValidIndex(m_formats.GetSelected()) ? m_formats.GetAt(m_formats.GetSelected()) : nullptr);
    UpdateButtons();
    return TRUE;
}

void CFMCustomDlg::FillFormats()
{
    CComboBox* combo = Combo(this, IDC_FMCUSTOM_FORMATS);
    combo->ResetContent();
    for (INT_PTR i = 0; i < m_formats.GetSize(); ++i) {
        const FMParam* format = m_formats.GetAt(i);
        combo->SetItemData(combo->AddString(format->Name), (DWORD_PTR)format);
    }
    // Only a selection inside the list is shown; never a row past its end.
    combo->SetCurSel(m_formats.IsValidIndex(m_formats.GetSelected()) ? m_formats.GetSelected() : -1);
}

void CFMCustomDlg::ShowFormat(const FMParam* format)
{
    if (format == nullptr)
        return;
    SetDlgItemText(IDC_FMCUSTOM_NAME, format->Name);
    CComboBox* compressors = Combo(this, IDC_FMCUSTOM_COMPRESSOR);
    int row = 0;
    for (int i = 0; i < compressors->GetCount(); ++i) {
        CString text;
        compressors->GetLBText(i, text);
        if (text.Left(format->AudioComp.GetLength()).CompareNoCase(format->AudioComp) == 0) {
            row = i;
            break;
        }
    }
    compressors->SetCurSel(compressors->GetCount() > 0 ? row : -1);
}

BOOL CFMCustomDlg::ReadControls(FMParam& format) const
{
    GetDlgItemText(IDC_FMCUSTOM_NAME, format.Name);
    format.Name.TrimLeft();
    CComboBox* compressors = Combo(const_cast<CFMCustomDlg*>(this), IDC_FMCUSTOM_COMPRESSOR);
    const int row = compressors->GetCurSel();
    if (row < 0)
        return FALSE;
    compressors->GetLBText(row, format.AudioComp);
    return TRUE;
}

int CFMCustomDlg::FindName(const CString& name, int except) const
{
    for (INT_PTR i = 0; i < m_formats.GetSize(); ++i) {
        if ((int)i != except && m_formats.GetAt(i)->Name.CompareNoCase(name) == 0)
            return (int)i;
    }
    return -1;
}

void CFMCustomDlg::UpdateButtons()
{
    CString name;
    GetDlgItemText(IDC_FMCUSTOM_NAME, name);
    name.TrimLeft();
    const int selected = m_formats.GetSelected();
    const BOOL chosen = m_formats.IsValidIndex(selected);
    GetDlgItem(IDC_FMCUSTOM_ADD)->EnableWindow(!name.IsEmpty() && FindName(name, -1) < 0);
    GetDlgItem(IDC_FMCUSTOM_MODIFY)->EnableWindow(chosen && !name.IsEmpty() && FindName(name, selected) < 0);
    GetDlgItem(IDC_FMCUSTOM_DELETE)->EnableWindow(chosen);
}

void CFMCustomDlg::OnFormatChosen()
{
    const int row = Combo(this, IDC_FMCUSTOM_FORMATS)->GetCurSel();
    m_formats.SetSelected(m_formats.IsValidIndex(row) ? row : -1);
    ShowFormat(m_formats.IsValidIndex(row) ? m_formats.GetAt(row) : nullptr);
    UpdateButtons();
}

void CFMCustomDlg::OnNameChanged()
{
    UpdateButtons();
}

void CFMCustomDlg::OnAdd()
{
    FMParam read;
    if (!ReadControls(read) || read.Name.IsEmpty() || FindName(read.Name, -1) >= 0)
        return;
    FMParam* added = m_formats.GetAt(m_formats.GetSize()); // appends an empty one
    *added = read;
    m_formats.SetSelected((int)m_formats.GetSize() - 1);
    FillFormats();
    UpdateButtons();
}

void CFMCustomDlg::OnModify()
{
    const int selected = m_formats.GetSelected();
    FMParam read;
    if (!m_formats.IsValidIndex(selected) || !ReadControls(read) || read.Name.IsEmpty() ||
        FindName(read.Name, selected) >= 0)
        return;
    *m_formats.GetAt(selected) = read;
    FillFormats();
    UpdateButtons();
}

void CFMCustomDlg::OnDelete()
{
    const int selected = m_formats.GetSelected();
    if (!m_formats.IsValidIndex(selected))
        return;
    CString pattern, question;
    pattern.LoadString(IDS_FM_DELETE_QUESTION);
    question.Format(pattern, (LPCSTR)m_formats.GetAt(selected)->Name);
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    m_formats.RemoveAt(selected);
    // The chosen format is gone: none is chosen, rather than the neighbour
    // silently becoming the record format.
    m_formats.SetSelected(-1);
    FillFormats();
    Combo(this, IDC_FMCUSTOM_FORMATS)->SetWindowText("");
    UpdateButtons();
}

void CFMCustomDlg::OnOK()
{
    m_manager.GetCustomFMFormat().Copy(m_formats);
    // The FM record format follows the chosen format; with none chosen the
    // user-defined format cannot record, and the first format takes over.
    const int kCustomFormat = 3;
    if (m_manager.GetHardwareSettings().FMRecordFormat == kCustomFormat && !m_manager.SelectFMFormat(kCustomFormat))
        m_manager.SelectFMFormat(0);
    CDialog::OnOK();
}
