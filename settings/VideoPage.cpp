#include "settings/VideoPage.h"

#include "engine/TVManager.h"
#include "resources/Resource.h"
#include "settings/SettingsPanel.h"
#include "settings/TrackbarPos.h"
#include "settings/VideoAdvance.h"

#include <commctrl.h>

namespace {

// The five picture properties: brightness, contrast, hue, saturation,
// sharpness, in the manager's index order.
struct PropertyRow
{
    UINT slider, text, minLabel, maxLabel;
    int (CTVManager::*setCard)(int);
    BOOL (CTVManager::*setOverlay)(int);
};
const PropertyRow kProperties[] = {
    {IDC_VIDEOPAGE_BRIGHTNESS, IDC_VIDEOPAGE_BRIGHTNESS_TEXT, IDC_VIDEOPAGE_BRIGHTNESS_MIN,
     IDC_VIDEOPAGE_BRIGHTNESS_MAX, &CTVManager::SetBrightness, &CTVManager::SetOverlayBrightness},
    {IDC_VIDEOPAGE_CONTRAST, IDC_VIDEOPAGE_CONTRAST_TEXT, IDC_VIDEOPAGE_CONTRAST_MIN,
     IDC_VIDEOPAGE_CONTRAST_MAX, &CTVManager::SetContrast, &CTVManager::SetOverlayContrast},
    {IDC_VIDEOPAGE_HUE, IDC_VIDEOPAGE_HUE_TEXT, IDC_VIDEOPAGE_HUE_MIN, IDC_VIDEOPAGE_HUE_MAX,
     &CTVManager::SetHue, &CTVManager::SetOverlayHue},
    {IDC_VIDEOPAGE_SATURATION, IDC_VIDEOPAGE_SATURATION_TEXT, IDC_VIDEOPAGE_SATURATION_MIN,
     IDC_VIDEOPAGE_SATURATION_MAX, &CTVManager::SetSaturation, &CTVManager::SetOverlaySaturation},
    {IDC_VIDEOPAGE_SHARPNESS, IDC_VIDEOPAGE_SHARPNESS_TEXT, IDC_VIDEOPAGE_SHARPNESS_MIN,
     IDC_VIDEOPAGE_SHARPNESS_MAX, &CTVManager::SetSharpness, &CTVManager::SetOverlaySharpness},
};
static_assert(sizeof(kProperties) / sizeof(kProperties[0]) == CTVManager::kVideoPropertyCount,
              "one row per picture property");

// Capture sizes offered for 525-line and for 625-line standards.
const SIZE kSizes525[] = {{352, 240}, {640, 480}, {720, 480}};
const SIZE kSizes625[] = {{352, 288}, {640, 480}, {720, 576}};
const int kSizeCount = 3;

// Controls that do nothing with the FM source (the sound alone plays).
const UINT kPictureControls[] = {
    IDC_VIDEOPAGE_SIZE,       IDC_VIDEOPAGE_NOISE_REDUCTION, IDC_VIDEOPAGE_HALF_RATE_OFF,
    IDC_VIDEOPAGE_HIGH_QUALITY, IDC_VIDEOPAGE_CARD,          IDC_VIDEOPAGE_BRIGHTNESS,
    IDC_VIDEOPAGE_CONTRAST,   IDC_VIDEOPAGE_HUE,             IDC_VIDEOPAGE_SATURATION,
    IDC_VIDEOPAGE_SHARPNESS,  IDC_VIDEOPAGE_DEFAULTS,
};
// The overlay's switches stay hidden: the page edits the card's picture.
// Their box goes with them, or it stands empty.
const UINT kHiddenControls[] = {IDC_VIDEOPAGE_DESKTOP, IDC_VIDEOPAGE_OVERLAY_SET, IDC_VIDEOPAGE_OVERLAY,
                                IDC_VIDEOPAGE_OVERLAY_GROUP};

const int kStrengthMax = 10;

int PropertyIndexOfSlider(UINT id)
{
    for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i) {
        if (kProperties[i].slider == id)
            return i;
    }
    return -1;
}

} // namespace

BEGIN_MESSAGE_MAP(CVideoPage, CBasePage)
    ON_WM_HSCROLL()
    ON_CBN_SELCHANGE(IDC_VIDEOPAGE_SIZE, OnPictureSize)
    ON_BN_CLICKED(IDC_VIDEOPAGE_OVERLAY, OnUseOverlay)
    ON_BN_CLICKED(IDC_VIDEOPAGE_DESKTOP, OnDesktop)
    ON_BN_CLICKED(IDC_VIDEOPAGE_CARD, OnCardSet)
    ON_BN_CLICKED(IDC_VIDEOPAGE_OVERLAY_SET, OnOverlaySet)
    ON_BN_CLICKED(IDC_VIDEOPAGE_DEFAULTS, OnDefaults)
    ON_BN_CLICKED(IDC_VIDEOPAGE_NOISE_REDUCTION, OnNoiseReduction)
    ON_BN_CLICKED(IDC_VIDEOPAGE_HALF_RATE_OFF, OnHalfRateOff)
    ON_BN_CLICKED(IDC_VIDEOPAGE_HIGH_QUALITY, OnHighQuality)
    ON_BN_CLICKED(IDC_VIDEOPAGE_ADVANCED, OnAdvanced)
END_MESSAGE_MAP()

CVideoPage::CVideoPage(const SettingsContext& context)
    : CBasePage(IDD_VIDEOPAGE, context)
{
}

void CVideoPage::ReadValues(Values& values) const
{
    const ManagerSettings& settings = m_manager.GetSettings();
    values.halfRateOff = !m_manager.GetHalfRate();
    values.useOverlay = settings.UseOverlay;
    values.overlaySet = m_manager.GetUseCardOrOverlay();
    values.noiseReduce = m_manager.GetNoiseReduce();
    values.strength = m_manager.GetReduceValue();
    values.highQuality = m_manager.GetHightQuality();
    values.desktop = m_manager.GetOverlayDesktop();
    values.size = m_manager.GetVideoSize();
    for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i) {
        values.card[i] = settings.CardVideo[i];
        values.overlay[i] = settings.OverlayVideo[i];
    }
}

void CVideoPage::LoadSettings()
{
    // What Cancel returns to: the state on opening, or after the last Apply.
    ReadValues(m_snapshot);
}

BOOL CVideoPage::OnInitDialog()
{
    CBasePage::OnInitDialog();
    SendDlgItemMessage(IDC_VIDEOPAGE_STRENGTH, TBM_SETRANGE, TRUE, MAKELPARAM(0, kStrengthMax));
    ReadValues(m_values);
    ShowRanges();
    ShowValues();
    return TRUE;
}

void CVideoPage::ShowRanges()
{
    for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i) {
        const CMinMaxDef& range = m_values.overlaySet ? m_manager.GetOverlayRange(i) : m_manager.GetCardRange(i);
        SendDlgItemMessage(kProperties[i].slider, TBM_SETRANGEMIN, FALSE, range.Min);
        SendDlgItemMessage(kProperties[i].slider, TBM_SETRANGEMAX, TRUE, range.Max);
        SetDlgItemInt(kProperties[i].minLabel, (UINT)range.Min, TRUE);
        SetDlgItemInt(kProperties[i].maxLabel, (UINT)range.Max, TRUE);
    }
}

void CVideoPage::ShowValues()
{
    const int* values = m_values.overlaySet ? m_values.overlay : m_values.card;
    for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i) {
        const CMinMaxDef& range = m_values.overlaySet ? m_manager.GetOverlayRange(i) : m_manager.GetCardRange(i);
        ShowTrackbarPos(::GetDlgItem(m_hWnd, kProperties[i].slider), values[i], range.Max);
        SetDlgItemInt(kProperties[i].text, (UINT)values[i], TRUE);
    }
    CheckRadioButton(IDC_VIDEOPAGE_CARD, IDC_VIDEOPAGE_OVERLAY_SET,
                     m_values.overlaySet ? IDC_VIDEOPAGE_OVERLAY_SET : IDC_VIDEOPAGE_CARD);
    CheckDlgButton(IDC_VIDEOPAGE_HALF_RATE_OFF, m_values.halfRateOff ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VIDEOPAGE_OVERLAY, m_values.useOverlay ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VIDEOPAGE_NOISE_REDUCTION, m_values.noiseReduce ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VIDEOPAGE_HIGH_QUALITY, m_values.highQuality ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_VIDEOPAGE_DESKTOP, m_values.desktop ? BST_CHECKED : BST_UNCHECKED);
    SendDlgItemMessage(IDC_VIDEOPAGE_STRENGTH, TBM_SETPOS, TRUE, m_values.strength);
    SetDlgItemInt(IDC_VIDEOPAGE_STRENGTH_TEXT, (UINT)m_values.strength, TRUE);
    EnableForSource();
    FillSizes();
}

void CVideoPage::FillSizes()
{
    CComboBox* combo = (CComboBox*)GetDlgItem(IDC_VIDEOPAGE_SIZE);
    if (combo == nullptr)
        return;
    const SIZE* sizes = CTVHardWare::Is525LineStandard(m_manager.GetHardware().GetVideoStandard())
                            ? kSizes525 : kSizes625;
    combo->ResetContent();
    int selected = -1;
    for (int i = 0; i < kSizeCount; ++i) {
        CString text;
        text.Format("%d * %d", (int)sizes[i].cx, (int)sizes[i].cy);
        combo->AddString(text);
        if (sizes[i].cx == m_values.size.cx && sizes[i].cy == m_values.size.cy)
            selected = i;
    }
    if (selected >= 0) {
        combo->SetCurSel(selected);
        return;
    }
    // The stored size is not offered for this standard: the first one is.
    combo->SetCurSel(0);
    OnPictureSize();
}

void CVideoPage::EnableForSource()
{
    const BOOL fm = m_manager.GetVideoSource() == CTVHardWare::kInputFM;
    for (UINT id : kPictureControls) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(!fm);
    }
    if (CWnd* strength = GetDlgItem(IDC_VIDEOPAGE_STRENGTH))
        strength->EnableWindow(!fm && m_values.noiseReduce);
    for (UINT id : kHiddenControls) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(SW_HIDE);
    }
}

BOOL CVideoPage::OnSetActive()
{
    if (m_hWnd != NULL) {
        ReadValues(m_values);
        ShowRanges();
        ShowValues();
    }
    return CBasePage::OnSetActive();
}

void CVideoPage::ApplyProperty(int index, int value)
{
    const PropertyRow& row = kProperties[index];
    if (m_values.overlaySet) {
        if ((m_manager.*row.setOverlay)(value))
            m_values.overlay[index] = value;
    } else {
        (m_manager.*row.setCard)(value);
        // The setter refuses a value out of range and keeps the old one.
        m_values.card[index] = m_manager.GetSettings().CardVideo[index];
    }
    SetDlgItemInt(row.text, (UINT)(m_values.overlaySet ? m_values.overlay[index] : m_values.card[index]), TRUE);
    SetModified(TRUE);
}

void CVideoPage::OnHScroll(UINT code, UINT, CScrollBar* bar)
{
    // Every step of a drag, and the end of every slider action (mouse or keys).
    if (bar == nullptr || (code != TB_THUMBTRACK && code != TB_ENDTRACK))
        return;
    const UINT id = (UINT)((CWnd*)bar)->GetDlgCtrlID();
    const int position = (int)((CWnd*)bar)->SendMessage(TBM_GETPOS);
    const int index = PropertyIndexOfSlider(id);
    if (index >= 0) {
        ApplyProperty(index, position);
    } else if (id == IDC_VIDEOPAGE_STRENGTH) {
        m_manager.SetReduceValue(position);
        m_values.strength = m_manager.GetReduceValue();
        SetDlgItemInt(IDC_VIDEOPAGE_STRENGTH_TEXT, (UINT)position, TRUE);
        SetModified(TRUE);
    }
}

void CVideoPage::OnPictureSize()
{
    CComboBox* combo = (CComboBox*)GetDlgItem(IDC_VIDEOPAGE_SIZE);
    const int row = combo ? combo->GetCurSel() : -1;
    if (row < 0 || row >= kSizeCount)
        return;
    const SIZE* sizes = CTVHardWare::Is525LineStandard(m_manager.GetHardware().GetVideoStandard())
                            ? kSizes525 : kSizes625;
    m_panel.MuteForTuning();
    if (m_manager.SetVideoSize(CSize(sizes[row].cx, sizes[row].cy)))
        m_values.size = CSize(sizes[row].cx, sizes[row].cy);
    SetModified(TRUE);
}

void CVideoPage::OnUseOverlay()
{
    const BOOL use = IsDlgButtonChecked(IDC_VIDEOPAGE_OVERLAY) == BST_CHECKED;
    m_panel.MuteForTuning();
    if (!m_manager.SetUseOverlay(use)) {
        AfxMessageBox(IDS_OVERLAY_REFUSED, MB_OK | MB_ICONINFORMATION);
        CheckDlgButton(IDC_VIDEOPAGE_OVERLAY, m_manager.GetSettings().UseOverlay ? BST_CHECKED : BST_UNCHECKED);
    }
    m_values.useOverlay = m_manager.GetSettings().UseOverlay;
    if (CWnd* desktop = GetDlgItem(IDC_VIDEOPAGE_DESKTOP))
        desktop->EnableWindow(m_values.useOverlay);
    SetModified(TRUE);
}

void CVideoPage::OnDesktop()
{
    const BOOL desktop = IsDlgButtonChecked(IDC_VIDEOPAGE_DESKTOP) == BST_CHECKED;
    if (!m_manager.SetOverlayDesktop(desktop))
        CheckDlgButton(IDC_VIDEOPAGE_DESKTOP, desktop ? BST_UNCHECKED : BST_CHECKED);
    m_values.desktop = m_manager.GetOverlayDesktop();
    SetModified(TRUE);
}

void CVideoPage::ChooseSet(BOOL overlay)
{
    if (overlay && !m_manager.IsOverlayInUse())
        AfxMessageBox(IDS_OVERLAY_NOT_IN_USE, MB_OK | MB_ICONINFORMATION);
    m_values.overlaySet = overlay;
    m_manager.SetUseCardOrOverlay(overlay);
    ShowRanges();
    ShowValues();
    SetModified(TRUE);
}

void CVideoPage::OnCardSet()
{
    ChooseSet(FALSE);
}

void CVideoPage::OnOverlaySet()
{
    ChooseSet(TRUE);
}

void CVideoPage::OnDefaults()
{
    if (m_values.overlaySet) {
        for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i)
            m_values.overlay[i] = CTVManager::kOverlayRange[i].Def;
        m_manager.ResetOverlayProperties();
    } else {
        // Sharpness goes to 0 whatever the card's table says.
        for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i)
            m_values.card[i] = i == 4 ? 0 : m_manager.GetCardRange(i).Def;
        for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i)
            (m_manager.*kProperties[i].setCard)(m_values.card[i]);
    }
    ShowValues();
    SetModified(TRUE);
}

void CVideoPage::OnNoiseReduction()
{
    const BOOL on = IsDlgButtonChecked(IDC_VIDEOPAGE_NOISE_REDUCTION) == BST_CHECKED;
    m_manager.SetNoiseReduce(on);
    m_values.noiseReduce = m_manager.GetNoiseReduce();
    if (CWnd* strength = GetDlgItem(IDC_VIDEOPAGE_STRENGTH))
        strength->EnableWindow(on);
    SetModified(TRUE);
}

void CVideoPage::OnHalfRateOff()
{
    CWaitCursor wait;
    const BOOL off = IsDlgButtonChecked(IDC_VIDEOPAGE_HALF_RATE_OFF) == BST_CHECKED;
    m_manager.SetHalfRate(!off);
    m_values.halfRateOff = !m_manager.GetHalfRate();
    SetModified(TRUE);
}

void CVideoPage::OnHighQuality()
{
    CWaitCursor wait;
    m_manager.SetHightQuality(IsDlgButtonChecked(IDC_VIDEOPAGE_HIGH_QUALITY) == BST_CHECKED);
    m_values.highQuality = m_manager.GetHightQuality();
    SetModified(TRUE);
}

void CVideoPage::OnAdvanced()
{
    CVideoAdvance dialog(m_manager, this);
    if (dialog.DoModal() == IDOK) {
        m_values.halfRateOff = dialog.IsHalfRateOff();
        CheckDlgButton(IDC_VIDEOPAGE_HALF_RATE_OFF, m_values.halfRateOff ? BST_CHECKED : BST_UNCHECKED);
        SetModified(TRUE);
    }
}

void CVideoPage::OnReset()
{
    // Each value the page may have changed goes back as it was on loading;
    // only what differs is applied again.
    Values now;
    ReadValues(now);
    const Values& was = m_snapshot;
    for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i) {
        if (now.card[i] != was.card[i])
            (m_manager.*kProperties[i].setCard)(was.card[i]);
        if (now.overlay[i] != was.overlay[i])
            (m_manager.*kProperties[i].setOverlay)(was.overlay[i]);
    }
    if (now.strength != was.strength)
        m_manager.SetReduceValue(was.strength);
    if (!now.noiseReduce != !was.noiseReduce)
        m_manager.SetNoiseReduce(was.noiseReduce);
    if (!now.halfRateOff != !was.halfRateOff)
        m_manager.SetHalfRate(!was.halfRateOff);
    if (!now.highQuality != !was.highQuality)
        m_manager.SetHightQuality(was.highQuality);
    if (!now.useOverlay != !was.useOverlay)
        m_manager.SetUseOverlay(was.useOverlay);
    if (!now.desktop != !was.desktop)
        m_manager.SetOverlayDesktop(was.desktop);
    m_manager.SetUseCardOrOverlay(was.overlaySet);
    if (now.size != was.size && was.size.cx > 0) {
        m_panel.MuteForTuning();
        m_manager.SetVideoSize(was.size);
    }
}
