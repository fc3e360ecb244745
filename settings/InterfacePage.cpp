#include "settings/InterfacePage.h"

#include "engine/TVManager.h"
#include "resources/Resource.h"
#include "settings/Accel.h"
#include "settings/SettingsPanel.h"

#include <commctrl.h>

namespace {

CComboBox* ComboOf(const CWnd* page, UINT id)
{
    return (CComboBox*)page->GetDlgItem((int)id);
}

CListBox* ListOf(const CWnd* page, UINT id)
{
    return (CListBox*)page->GetDlgItem((int)id);
}

void Tell(UINT id)
{
    AfxMessageBox(id, MB_OK | MB_ICONINFORMATION);
}

} // namespace

// --- CAccelCopy ----------------------------------------------------------------

void CAccelCopy::Take(const CAccel& accel)
{
    m_groups.clear();
    m_items.clear();
    m_bindings.clear();
    for (int i = 0; i < accel.GetGroupCount(); ++i)
        m_groups.push_back(accel.GetGroupName(i));
    for (int i = 0; i < accel.GetCommandCount(); ++i) {
        const CAccel::CCommandItem* item = accel.GetCommandItem(i);
        m_items.push_back({item->m_group, item->m_id, item->m_name, item->m_description});
    }
    for (int i = 0; i < accel.GetBindingCount(); ++i) {
        const CAccelOb* binding = accel.GetBinding(i);
        m_bindings.push_back({binding->m_fVirt, binding->m_key, binding->m_cmd, binding->m_extra});
    }
    m_taken = TRUE;
}

void CAccelCopy::RestoreTo(CAccel& accel) const
{
    accel.RemoveAll();
    for (const CString& group : m_groups)
        accel.AddGroup(group);
    for (const Item& item : m_items)
        accel.AddCommand(item.group, item.id, item.name, item.description);
    for (const Binding& binding : m_bindings)
        accel.SetBinding((DWORD)binding.fVirt | ((DWORD)binding.key << 16), binding.id, binding.extra);
}

// --- CInterfacePage --------------------------------------------------------------

BEGIN_MESSAGE_MAP(CInterfacePage, CBasePage)
    ON_CBN_SELCHANGE(IDC_INTERFACEPAGE_SKIN, OnSkinCombo)
    ON_LBN_SELCHANGE(IDC_INTERFACEPAGE_SKIN_LIST, OnSkinList)
    ON_LBN_SELCHANGE(IDC_INTERFACEPAGE_COMMANDS, OnCommandChosen)
    ON_BN_CLICKED(IDC_INTERFACEPAGE_ASSIGN, OnAssign)
    ON_BN_CLICKED(IDC_INTERFACEPAGE_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_INTERFACEPAGE_DEFAULTS, OnDefaults)
    ON_BN_CLICKED(IDC_INTERFACEPAGE_START_WITH_WINDOWS, OnStartWithWindows)
    ON_BN_CLICKED(IDC_INTERFACEPAGE_TRAY_ON_EXIT, OnTrayOnExit)
END_MESSAGE_MAP()

CInterfacePage::CInterfacePage(const SettingsContext& context)
    : CBasePage(IDD_INTERFACEPAGE, context), m_bSavedAutoStart(TRUE)
{
}

BYTE CInterfacePage::AccelFlagsFromHotKey(BYTE modifiers)
{
    // Shift, Ctrl and Alt are 1, 2 and 4 here and 0x04, 0x08 and 0x10 in an
    // accelerator; the extended-key bit (8) would land on 0x20, no flag.
    const BYTE kModifiers = HOTKEYF_SHIFT | HOTKEYF_CONTROL | HOTKEYF_ALT;
    return (BYTE)((modifiers & kModifiers) * 4 + FVIRTKEY);
}

void CInterfacePage::LoadSettings()
{
    // What Cancel returns to: the state on opening, or after the last Apply.
    m_strSavedSkin = m_manager.GetSkinName();
    m_bSavedAutoStart = m_manager.GetAutoStart();
    if (CAccel* accel = m_panel.GetAccel())
        m_savedKeys.Take(*accel);
}

BOOL CInterfacePage::OnInitDialog()
{
    CBasePage::OnInitDialog();
    m_strSkin = m_manager.GetSkinName();
    CheckDlgButton(IDC_INTERFACEPAGE_START_WITH_WINDOWS, m_manager.GetAutoStart() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_INTERFACEPAGE_TRAY_ON_EXIT, m_manager.GetStartTray() ? BST_CHECKED : BST_UNCHECKED);
    FillCommands();
    CComboBox* combo = ComboOf(this, IDC_INTERFACEPAGE_SKIN);
    CListBox* list = ListOf(this, IDC_INTERFACEPAGE_SKIN_LIST);
    const CStringList& skins = m_manager.GetSkinNameList();
    for (POSITION pos = skins.GetHeadPosition(); pos != NULL;) {
        const CString& name = skins.GetNext(pos);
        const int row = combo->AddString(name);
        list->AddString(name);
        if (name.CompareNoCase(m_strSkin) == 0) {
            combo->SetCurSel(row);
            list->SetCurSel(row);
        }
    }
    return TRUE;
}

void CInterfacePage::FillCommands()
{
    CListBox* list = ListOf(this, IDC_INTERFACEPAGE_COMMANDS);
    list->ResetContent();
    if (CAccel* accel = m_panel.GetAccel()) {
        for (int i = 0; i < accel->GetCommandCount(); ++i) {
            const CAccel::CCommandItem* item = accel->GetCommandItem(i);
            list->SetItemData(list->AddString(item->m_name), item->m_id);
        }
    }
    SetDlgItemText(IDC_INTERFACEPAGE_DESCRIPTION, "");
    ListOf(this, IDC_INTERFACEPAGE_KEYS)->ResetContent();
}

int CInterfacePage::SelectedCommand(CString* name) const
{
    CListBox* list = ListOf(this, IDC_INTERFACEPAGE_COMMANDS);
    const int row = list->GetCurSel();
    if (row < 0)
        return -1;
    if (name != nullptr)
        list->GetText(row, *name);
    return (int)list->GetItemData(row);
}

void CInterfacePage::FillKeys()
{
    CListBox* keys = ListOf(this, IDC_INTERFACEPAGE_KEYS);
    keys->ResetContent();
    CAccel* accel = m_panel.GetAccel();
    const int id = SelectedCommand();
    if (accel == nullptr || id < 0)
        return;
    CStringArray texts;
    accel->GetKeyTexts((WORD)id, texts);
    for (int i = 0; i < (int)texts.GetSize(); ++i)
        keys->AddString(texts[i]);
}

void CInterfacePage::OnCommandChosen()
{
    CAccel* accel = m_panel.GetAccel();
    const int id = SelectedCommand();
    CString description;
    if (accel != nullptr) {
        for (int i = 0; i < accel->GetCommandCount(); ++i) {
            if (accel->GetCommandItem(i)->m_id == id)
                description = accel->GetCommandItem(i)->m_description;
        }
    }
    SetDlgItemText(IDC_INTERFACEPAGE_DESCRIPTION, description);
    FillKeys();
}

void CInterfacePage::OnAssign()
{
    CWnd* hotKey = GetDlgItem(IDC_INTERFACEPAGE_HOTKEY);
    const WORD value = (WORD)hotKey->SendMessage(HKM_GETHOTKEY);
    const BYTE key = LOBYTE(value);
    const BYTE fVirt = AccelFlagsFromHotKey(HIBYTE(value));
    CAccel* accel = m_panel.GetAccel();
    const int id = SelectedCommand();
    if (CAccel::GetKeyText(fVirt, key).IsEmpty()) {
        Tell(IDS_KEY_NOT_VALID);
    } else if (accel != nullptr && id >= 0) {
        if (accel->SetBinding((DWORD)fVirt | ((DWORD)key << 16), (WORD)id, 0)) {
            FillKeys();
            SetModified(TRUE);
        } else {
            Tell(IDS_KEY_ALREADY_BOUND);
        }
    }
    hotKey->SetFocus();
}

void CInterfacePage::OnRemove()
{
    CAccel* accel = m_panel.GetAccel();
    CString name;
    if (accel == nullptr || SelectedCommand(&name) < 0)
        return;
    CListBox* keys = ListOf(this, IDC_INTERFACEPAGE_KEYS);
    const int row = keys->GetCurSel();
    if (row < 0) {
        Tell(IDS_NO_KEY_SELECTED);
    } else {
        CString text;
        keys->GetText(row, text);
        if (accel->RemoveBinding(name, text))
            keys->DeleteString((UINT)row);
    }
    SetModified(TRUE);
}

void CInterfacePage::OnDefaults()
{
    m_panel.RestoreDefaultKeys();
    const int row = ListOf(this, IDC_INTERFACEPAGE_COMMANDS)->GetCurSel();
    FillCommands();
    ListOf(this, IDC_INTERFACEPAGE_COMMANDS)->SetCurSel(row);
    OnCommandChosen();
    SetModified(TRUE);
}

void CInterfacePage::ChangeSkin(const CString& name)
{
    if (name.IsEmpty() || name.CompareNoCase(m_manager.GetSkinName()) == 0)
        return;
    CWaitCursor wait;
    m_panel.HidePictureDialog();
    if (m_panel.LoadSkin(name)) {
        m_manager.SetSkinName(name);
        m_strSkin = name;
    }
    m_panel.ShowPanel(TRUE);
}

void CInterfacePage::OnSkinCombo()
{
    CComboBox* combo = ComboOf(this, IDC_INTERFACEPAGE_SKIN);
    const int row = combo->GetCurSel();
    if (row < 0)
        return;
    CString name;
    combo->GetLBText(row, name);
    ListOf(this, IDC_INTERFACEPAGE_SKIN_LIST)->SetCurSel(row);
    ChangeSkin(name);
    SetModified(TRUE);
}

void CInterfacePage::OnSkinList()
{
    CListBox* list = ListOf(this, IDC_INTERFACEPAGE_SKIN_LIST);
    const int row = list->GetCurSel();
    if (row < 0)
        return;
    CString name;
    list->GetText(row, name);
    ComboOf(this, IDC_INTERFACEPAGE_SKIN)->SetCurSel(row);
    ChangeSkin(name);
    SetModified(TRUE);
}

void CInterfacePage::ConfirmUncheck(UINT checkId, UINT questionId)
{
    if (IsDlgButtonChecked((int)checkId) == BST_CHECKED) {
        SetModified(TRUE);
        return;
    }
    if (AfxMessageBox(questionId, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        CheckDlgButton((int)checkId, BST_CHECKED);
        return;
    }
    SetModified(TRUE);
}

void CInterfacePage::OnStartWithWindows()
{
    ConfirmUncheck(IDC_INTERFACEPAGE_START_WITH_WINDOWS, IDS_QUESTION_NO_START_WITH_WINDOWS);
}

void CInterfacePage::OnTrayOnExit()
{
    ConfirmUncheck(IDC_INTERFACEPAGE_TRAY_ON_EXIT, IDS_QUESTION_NO_TRAY_ON_EXIT);
}

BOOL CInterfacePage::SaveSettings()
{
    m_manager.SetAutoStart(IsDlgButtonChecked(IDC_INTERFACEPAGE_START_WITH_WINDOWS) == BST_CHECKED);
    m_manager.SetStartTray(IsDlgButtonChecked(IDC_INTERFACEPAGE_TRAY_ON_EXIT) == BST_CHECKED);
    m_panel.SaveKeys();
    return CBasePage::SaveSettings();
}

void CInterfacePage::OnReset()
{
    // The hot keys come back from the copy taken on loading, whatever the
    // "Accel" file holds (it may be missing or unreadable).
    CAccel* accel = m_panel.GetAccel();
    if (accel != nullptr && m_savedKeys.IsTaken())
        m_savedKeys.RestoreTo(*accel);
    if (!m_bSavedAutoStart != !m_manager.GetAutoStart())
        m_manager.SetAutoStart(m_bSavedAutoStart);
    ChangeSkin(m_strSavedSkin);
}
