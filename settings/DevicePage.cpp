#include "settings/DevicePage.h"

#include "engine/TVManager.h"
#include "graph/DebugHelper.h"
#include "graph/DeviceEnum.h"
#include "resources/Resource.h"
#include "settings/SettingsPanel.h"

#include <commctrl.h>
#include <ks.h>
#include <ksmedia.h>

namespace {

const UINT_PTR kTeletextTimer = 1;
const int kSoundModeCount = 5;
// The chip whose sound decoder knows a main and a second programme (SAP)
// rather than languages A, B and C.
const DWORD kSapChip = 0x7133;
const int kLevelMax = 100;

CComboBox* Combo(CWnd* page, UINT id)
{
    return (CComboBox*)page->GetDlgItem((int)id);
}

// Fills a combo with names and selects `selected` (any case), or the first
// row when that name is empty or absent; the name selected.
CString FillNames(CComboBox* combo, const CStringArray& names, const CString& selected)
{
    if (combo == nullptr)
        return CString();
    combo->ResetContent();
    int row = -1;
    for (int i = 0; i < (int)names.GetSize(); ++i) {
        combo->AddString(names[i]);
        if (row < 0 && !selected.IsEmpty() && names[i].CompareNoCase(selected) == 0)
            row = i;
    }
    if (row < 0 && names.GetSize() > 0)
        row = 0;
    combo->SetCurSel(row);
    return row >= 0 ? names[row] : CString();
}

CString SelectedText(CComboBox* combo)
{
    CString text;
    const int row = combo ? combo->GetCurSel() : -1;
    if (row >= 0)
        combo->GetLBText(row, text);
    return text;
}

} // namespace

BOOL CDevicePage::HasTVAudioControl()
{
    // The card's TV sound decoder is a device of its own category.
    return zunk::ForEachDevice(AM_KSCATEGORY_TVAUDIO, [](IMoniker*) { return FALSE; }) == S_OK;
}

DWORD CDevicePage::GetChipType()
{
    return m_manager.GetHardware().GetChipType();
}

BEGIN_MESSAGE_MAP(CDevicePage, CBasePage)
    ON_CBN_SELCHANGE(IDC_DEVICEPAGE_VIDEO_INPUT, OnVideoInput)
    ON_CBN_SELCHANGE(IDC_DEVICEPAGE_STANDARD, OnStandard)
    ON_CBN_SELCHANGE(IDC_DEVICEPAGE_AUDIO_DEVICE, OnAudioDevice)
    ON_CBN_SELCHANGE(IDC_DEVICEPAGE_AUDIO_INPUT, OnAudioInput)
    ON_CBN_SELCHANGE(IDC_DEVICEPAGE_PLAY_DEVICE, OnPlayDevice)
    ON_CBN_SELCHANGE(IDC_DEVICEPAGE_PLAY_LINE, OnPlayLine)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_DEVICEPAGE_MONO, IDC_DEVICEPAGE_LANGUAGE_C, OnSoundMode)
    ON_BN_CLICKED(IDC_DEVICEPAGE_TELETEXT, OnTeletext)
    ON_WM_HSCROLL()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDevicePage::CDevicePage(const SettingsContext& context)
    : CBasePage(IDD_DEVICEPAGE, context), m_bLevelUsable(FALSE), m_bPolling(FALSE)
{
}

void CDevicePage::LoadSettings()
{
    CTVHardWare& hardware = m_manager.GetHardware();
    const HardwareSettings& settings = hardware.Settings();
    m_saved.input = m_manager.GetVideoSource();
    m_saved.audioDevice = settings.AudioDevice;
    m_saved.audioInput = settings.AudioInput;
    m_saved.playDevice = settings.AudioPlayInputDev;
    m_saved.playLine = settings.AudioPlayInput;
    m_saved.soundMode = hardware.GetTVAudioMode();
    int level = 0;
    if (hardware.GetAudioMixLevel(&level))
        m_saved.level = level;
}

BOOL CDevicePage::OnInitDialog()
{
    CBasePage::OnInitDialog();
    CTVHardWare& hardware = m_manager.GetHardware();
    SendDlgItemMessage(IDC_DEVICEPAGE_RECORD_LEVEL, TBM_SETRANGE, TRUE, MAKELPARAM(0, kLevelMax));
    PlaceSoundModesForChip();
    ShowSoundModes();
    FillInputs();
    FillAudioDevices();
    FillAudioInputs();
    FillPlayDevices();
    ShowLevel();
    // The teletext program runs only while its option is on.
    CheckDlgButton(IDC_DEVICEPAGE_TELETEXT, hardware.IsTeletextOn() ? BST_CHECKED : BST_UNCHECKED);
    if (!hardware.IsTeletextOn())
        hardware.CloseTeletext();
    else if (SetTimer(kTeletextTimer, kTeletextPollMs))
        m_bPolling = TRUE;
    return TRUE;
}

BOOL CDevicePage::OnSetActive()
{
    FillStandards();
    const BOOL busy = m_manager.IsRecording() || m_manager.IsScanning();
    if (CWnd* input = GetDlgItem(IDC_DEVICEPAGE_VIDEO_INPUT))
        input->EnableWindow(!IsInWizard() && !busy);
    return CBasePage::OnSetActive();
}

void CDevicePage::FillInputs()
{
    CComboBox* combo = Combo(this, IDC_DEVICEPAGE_VIDEO_INPUT);
    if (combo == nullptr)
        return;
    combo->ResetContent();
    const int count = m_manager.HasFMTuner() ? 4 : 3;
    for (int input = 0; input < count; ++input) {
        const CString* name = m_manager.GetInputNames().Find((DWORD)input);
        combo->SetItemData(combo->AddString(name ? (LPCSTR)*name : ""), (DWORD_PTR)input);
    }
    combo->SetCurSel(m_manager.GetVideoSource());
    if (CWnd* standard = GetDlgItem(IDC_DEVICEPAGE_STANDARD))
        standard->EnableWindow(m_manager.GetVideoSource() == CTVHardWare::kInputTV);
}

void CDevicePage::FillStandards()
{
    CComboBox* combo = Combo(this, IDC_DEVICEPAGE_STANDARD);
    if (combo == nullptr)
        return;
    combo->ResetContent();
    CUIntArray standards;
    m_manager.GetHardware().GetVideoStandards(standards);
    const DWORD current = m_manager.GetHardware().GetVideoStandard();
    for (int i = 0; i < (int)standards.GetSize(); ++i) {
        const CString* name = m_manager.GetStandardNames().Find(standards[i]);
        const int row = combo->AddString(name ? (LPCSTR)*name : "");
        combo->SetItemData(row, standards[i]);
        if (standards[i] == current)
            combo->SetCurSel(row);
    }
}

void CDevicePage::FillAudioDevices()
{
    CTVHardWare& hardware = m_manager.GetHardware();
    FillNames(Combo(this, IDC_DEVICEPAGE_AUDIO_DEVICE), hardware.GetAudioDevices(),
              hardware.Settings().AudioDevice);
}

void CDevicePage::FillAudioInputs()
{
    CTVHardWare& hardware = m_manager.GetHardware();
    hardware.GetAudioInputSrc();
    FillNames(Combo(this, IDC_DEVICEPAGE_AUDIO_INPUT), hardware.GetAudioInputs(), hardware.Settings().AudioInput);
}

void CDevicePage::FillPlayDevices()
{
    HardwareSettings& settings = m_manager.GetHardwareSettings();
    settings.AudioPlayInputDev = FillNames(Combo(this, IDC_DEVICEPAGE_PLAY_DEVICE),
                                           m_manager.GetAudioPlayDevices(), settings.AudioPlayInputDev);
    FillPlayLines();
}

void CDevicePage::FillPlayLines()
{
    HardwareSettings& settings = m_manager.GetHardwareSettings();
    settings.AudioPlayInput = FillNames(Combo(this, IDC_DEVICEPAGE_PLAY_LINE), m_manager.GetAudioPlayLines(),
                                        settings.AudioPlayInput);
}

void CDevicePage::ShowLevel()
{
    CTVHardWare& hardware = m_manager.GetHardware();
    int level = 0;
    // Usable only where it can be read and written back.
    m_bLevelUsable = hardware.GetAudioMixLevel(&level) && hardware.SetAudioMixLevel(level);
    if (CWnd* slider = GetDlgItem(IDC_DEVICEPAGE_RECORD_LEVEL))
        slider->EnableWindow(m_bLevelUsable);
    if (m_bLevelUsable) {
        SendDlgItemMessage(IDC_DEVICEPAGE_RECORD_LEVEL, TBM_SETPOS, TRUE, level);
        CString text;
        text.Format("%d%%", level);
        SetDlgItemText(IDC_DEVICEPAGE_RECORD_LEVEL_TEXT, text);
    }
}

void CDevicePage::ShowSoundModes()
{
    CTVHardWare& hardware = m_manager.GetHardware();
    const int mode = hardware.GetTVAudioMode();
    if (mode >= 0 && mode < kSoundModeCount)
        CheckRadioButton(IDC_DEVICEPAGE_MONO, IDC_DEVICEPAGE_LANGUAGE_C, IDC_DEVICEPAGE_MONO + mode);
    if (!HasTVAudioControl())
        return;
    const BOOL tv = m_manager.GetVideoSource() == CTVHardWare::kInputTV;
    for (int i = 0; i < kSoundModeCount; ++i) {
        const BOOL language = i >= 2;
        if (CWnd* radio = GetDlgItem(IDC_DEVICEPAGE_MONO + i))
            radio->EnableWindow(tv && (!language || mode != 0));
    }
}

void CDevicePage::PlaceSoundModesForChip()
{
    if (GetChipType() != kSapChip)
        return;
    // Main, stereo and SAP in one row in the middle of the sound group.
    GetDlgItem(IDC_DEVICEPAGE_LANGUAGE_A)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_DEVICEPAGE_LANGUAGE_B)->ShowWindow(SW_HIDE);
    SetDlgItemText(IDC_DEVICEPAGE_MONO, "Main");
    SetDlgItemText(IDC_DEVICEPAGE_LANGUAGE_C, "SAP");
    CRect group;
    GetDlgItem(IDC_DEVICEPAGE_SOUND_GROUP)->GetWindowRect(&group);
    ScreenToClient(&group);
    const int y = (group.top + group.bottom) / 2 - 8;
    const struct { UINT id; int x; } places[] = {
        {IDC_DEVICEPAGE_MONO, 67}, {IDC_DEVICEPAGE_LANGUAGE_C, 154}, {IDC_DEVICEPAGE_STEREO, 255}};
    for (const auto& place : places)
        GetDlgItem((int)place.id)->SetWindowPos(NULL, place.x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CDevicePage::SelectInput(int input)
{
    if (input == m_manager.GetVideoSource())
        return;
    CWaitCursor wait;
    m_manager.SetVideoSource(input);
    m_panel.ReconfigureForSource();
    if (m_manager.GetVideoSource() != CTVHardWare::kInputFM)
        m_manager.RunPreview();
    ShowSoundModes();
}

void CDevicePage::OnVideoInput()
{
    CComboBox* combo = Combo(this, IDC_DEVICEPAGE_VIDEO_INPUT);
    const int row = combo ? combo->GetCurSel() : -1;
    if (row < 0)
        return;
    const int input = (int)combo->GetItemData(row);
    if (CWnd* standard = GetDlgItem(IDC_DEVICEPAGE_STANDARD))
        standard->EnableWindow(input == CTVHardWare::kInputTV);
    SelectInput(input);
    SetModified(TRUE);
}

void CDevicePage::OnStandard()
{
    CComboBox* combo = Combo(this, IDC_DEVICEPAGE_STANDARD);
    const int row = combo ? combo->GetCurSel() : -1;
    if (row < 0)
        return;
    const DWORD standard = (DWORD)combo->GetItemData(row);
    CTVHardWare& hardware = m_manager.GetHardware();
    if (standard != hardware.GetVideoStandard()) {
        hardware.SetVideoStandard(standard);
        const int source = m_manager.GetVideoSource();
        if ((source == CTVHardWare::kInputTV || source == CTVHardWare::kInputFM) && !m_manager.IsRecording())
            m_manager.RunPreview();
    }
    SetModified(TRUE);
}

void CDevicePage::OnAudioDevice()
{
    const CString name = SelectedText(Combo(this, IDC_DEVICEPAGE_AUDIO_DEVICE));
    if (!name.IsEmpty()) {
        CWaitCursor wait;
        m_manager.SetAudioDevice(name);
        FillAudioInputs();
        m_manager.SetAudioInput(m_manager.GetAudioInput());
        ShowLevel();
    }
    SetModified(TRUE);
}

void CDevicePage::OnAudioInput()
{
    const CString name = SelectedText(Combo(this, IDC_DEVICEPAGE_AUDIO_INPUT));
    if (!name.IsEmpty()) {
        m_manager.SetAudioInput(name);
        ShowLevel();
    }
    SetModified(TRUE);
}

void CDevicePage::OnPlayDevice()
{
    m_manager.GetHardwareSettings().AudioPlayInputDev = SelectedText(Combo(this, IDC_DEVICEPAGE_PLAY_DEVICE));
    FillPlayLines();
    SetModified(TRUE);
}

void CDevicePage::OnPlayLine()
{
    m_manager.GetHardwareSettings().AudioPlayInput = SelectedText(Combo(this, IDC_DEVICEPAGE_PLAY_LINE));
    SetModified(TRUE);
}

void CDevicePage::OnSoundMode(UINT id)
{
    const int mode = (int)(id - IDC_DEVICEPAGE_MONO);
    m_manager.GetHardware().SetTVAudioMode(mode);
    // Languages need stereo sound: mono leaves them off.
    for (UINT language = IDC_DEVICEPAGE_LANGUAGE_A; language <= IDC_DEVICEPAGE_LANGUAGE_C; ++language) {
        if (mode > 1)
            break;
        if (CWnd* radio = GetDlgItem((int)language))
            radio->EnableWindow(mode == 1);
    }
    SetModified(TRUE);
}

void CDevicePage::OnTeletext()
{
    CTVHardWare& hardware = m_manager.GetHardware();
    const BOOL on = IsDlgButtonChecked(IDC_DEVICEPAGE_TELETEXT) == BST_CHECKED;
    hardware.SetTeletextOn(on);
    if (on) {
        CWaitCursor wait;
        hardware.StartTeletext();
        ::Sleep(500); // the program makes its window first
        hardware.ActivateTeletext();
        m_bPolling = SetTimer(kTeletextTimer, kTeletextPollMs) != 0;
    } else {
        KillTimer(kTeletextTimer);
        m_bPolling = FALSE;
        hardware.CloseTeletext();
    }
    SetModified(TRUE);
}

void CDevicePage::OnTimer(UINT_PTR id)
{
    if (id != kTeletextTimer)
        return;
    CTVHardWare& hardware = m_manager.GetHardware();
    if (!hardware.IsTeletextRunning()) {
        // Closed by hand: the option follows.
        KillTimer(kTeletextTimer);
        m_bPolling = FALSE;
        hardware.SetTeletextOn(FALSE);
        CheckDlgButton(IDC_DEVICEPAGE_TELETEXT, BST_UNCHECKED);
    }
}

void CDevicePage::SetLevel(int level)
{
    if (!m_bLevelUsable)
        return;
    m_manager.GetHardware().SetAudioMixLevel(level);
    CString text;
    text.Format("%d%%", level);
    SetDlgItemText(IDC_DEVICEPAGE_RECORD_LEVEL_TEXT, text);
}

void CDevicePage::OnHScroll(UINT code, UINT, CScrollBar* bar)
{
    if (bar == nullptr || ((CWnd*)bar)->GetDlgCtrlID() != IDC_DEVICEPAGE_RECORD_LEVEL)
        return;
    if (code != TB_THUMBTRACK && code != TB_ENDTRACK)
        return;
    SetLevel((int)((CWnd*)bar)->SendMessage(TBM_GETPOS));
    SetModified(TRUE);
}

void CDevicePage::OnDestroy()
{
    if (m_bPolling)
        KillTimer(kTeletextTimer);
    m_bPolling = FALSE;
    Default();
}

void CDevicePage::OnReset()
{
    CWaitCursor wait;
    CTVHardWare& hardware = m_manager.GetHardware();
    HardwareSettings& settings = hardware.Settings();
    if (settings.AudioDevice.CompareNoCase(m_saved.audioDevice) != 0 && !m_saved.audioDevice.IsEmpty())
        m_manager.SetAudioDevice(m_saved.audioDevice);
    if (settings.AudioInput.CompareNoCase(m_saved.audioInput) != 0)
        m_manager.SetAudioInput(m_saved.audioInput);
    settings.AudioPlayInputDev = m_saved.playDevice;
    settings.AudioPlayInput = m_saved.playLine;
    if (m_manager.GetVideoSource() != m_saved.input) {
        m_manager.SetVideoSource(m_saved.input);
        m_panel.ReconfigureForSource();
        if (m_saved.input != CTVHardWare::kInputFM)
            m_manager.RunPreview();
    }
    int level = 0;
    if (hardware.GetAudioMixLevel(&level) && level != m_saved.level)
        hardware.SetAudioMixLevel(m_saved.level);
    if (hardware.GetTVAudioMode() != m_saved.soundMode)
        hardware.SetTVAudioMode(m_saved.soundMode);
    DebugHelper("Device page: Cancel put back input %d, device %s\n", m_saved.input,
                (LPCSTR)m_saved.audioDevice);
}
