#include "settings/ColorDlg.h"

#include "engine/TVManager.h"
#include "resources/Resource.h"
#include "settings/TrackbarPos.h"

#include <commctrl.h>

namespace {

struct SliderRow
{
    UINT slider;
    UINT tip;
    int (CTVManager::*set)(int);
};
// In the manager's property order: brightness, contrast, hue, saturation, sharpness.
const SliderRow kSliders[] = {
    {IDC_COLOR_BRIGHTNESS, IDS_TIP_COLOR_BRIGHTNESS, &CTVManager::SetBrightness},
    {IDC_COLOR_CONTRAST, IDS_TIP_COLOR_CONTRAST, &CTVManager::SetContrast},
    {IDC_COLOR_HUE, IDS_TIP_COLOR_HUE, &CTVManager::SetHue},
    {IDC_COLOR_SATURATION, IDS_TIP_COLOR_SATURATION, &CTVManager::SetSaturation},
    {IDC_COLOR_SHARPNESS, IDS_TIP_COLOR_SHARPNESS, &CTVManager::SetSharpness},
};
static_assert(sizeof(kSliders) / sizeof(kSliders[0]) == CTVManager::kVideoPropertyCount,
              "one slider per picture property");

} // namespace

BEGIN_MESSAGE_MAP(CColorDlg, CSkinnedDialog)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_BN_CLICKED(IDC_COLOR_DEFAULTS, OnDefaults)
    ON_BN_CLICKED(IDC_COLOR_CLOSE, OnClose)
END_MESSAGE_MAP()

CColorDlg::CColorDlg(CTVManager& manager)
    : CSkinnedDialog(IDD_COLOR), m_manager(manager), m_values{128, 68, 0, 64, 0}, m_pKeyTarget(NULL)
{
}

BOOL CColorDlg::CreateBeside(CWnd* panel)
{
    m_pKeyTarget = panel;
    return Create(IDD_COLOR, panel);
}

BOOL CColorDlg::OnInitDialog()
{
    CSkinnedDialog::OnInitDialog();
    if (m_tips.Create(this)) {
        for (const SliderRow& row : kSliders)
            m_tips.AddTool(GetDlgItem((int)row.slider), row.tip);
        m_tips.AddTool(GetDlgItem(IDC_COLOR_DEFAULTS), IDS_TIP_COLOR_DEFAULTS);
        m_tips.AddTool(GetDlgItem(IDC_COLOR_CLOSE), IDS_TIP_COLOR_CLOSE);
        m_tips.Activate(TRUE);
    }
    ReadValues();
    for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i) {
        const CMinMaxDef& range = m_manager.GetCardRange(i);
        SendDlgItemMessage(kSliders[i].slider, TBM_SETRANGEMIN, FALSE, range.Min);
        SendDlgItemMessage(kSliders[i].slider, TBM_SETRANGEMAX, TRUE, range.Max);
    }
    ShowValues();
    return TRUE;
}

void CColorDlg::ReadValues()
{
    m_values[0] = m_manager.GetBrightness();
    m_values[1] = m_manager.GetContrast();
    m_values[2] = m_manager.GetHue();
    m_values[3] = m_manager.GetSaturation();
    m_values[4] = m_manager.GetSharpness();
}

void CColorDlg::ShowValues()
{
    for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i)
        ShowTrackbarPos(::GetDlgItem(m_hWnd, kSliders[i].slider), m_values[i], m_manager.GetCardRange(i).Max);
}

void CColorDlg::ShowPanel(BOOL show)
{
    if (m_hWnd == NULL)
        return;
    if (show) {
        ReadValues();
        ShowValues();
    }
    ShowWindow(show ? SW_SHOWNA : SW_HIDE);
}

void CColorDlg::MoveTo(int x, int y)
{
    if (m_hWnd != NULL)
        SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CColorDlg::PreTranslateMessage(MSG* msg)
{
    if (m_tips.m_hWnd != NULL)
        m_tips.RelayEvent(msg);
    // Keys belong to the control panel (its hot keys), not to this dialog.
    if (msg->message == WM_KEYDOWN && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
        if (m_pKeyTarget != NULL && m_pKeyTarget->m_hWnd != NULL)
            m_pKeyTarget->PostMessage(WM_KEYDOWN, msg->wParam, msg->lParam);
        return TRUE;
    }
    return CSkinnedDialog::PreTranslateMessage(msg);
}

void CColorDlg::OnSlider(UINT code, CScrollBar* bar)
{
    // Every step of a drag, and the end of every slider action.
    if (bar == nullptr || (code != TB_THUMBTRACK && code != TB_ENDTRACK))
        return;
    const UINT id = (UINT)((CWnd*)bar)->GetDlgCtrlID();
    for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i) {
        if (kSliders[i].slider != id)
            continue;
        (m_manager.*kSliders[i].set)((int)((CWnd*)bar)->SendMessage(TBM_GETPOS));
        m_values[i] = m_manager.GetSettings().CardVideo[i]; // a refused value keeps the old one
    }
}

void CColorDlg::OnHScroll(UINT code, UINT, CScrollBar* bar)
{
    OnSlider(code, bar);
}

void CColorDlg::OnVScroll(UINT code, UINT, CScrollBar* bar)
{
    OnSlider(code, bar);
}

void CColorDlg::OnDefaults()
{
    // The card table's defaults, sharpness 0 whatever the table says.
    for (int i = 0; i < CTVManager::kVideoPropertyCount; ++i) {
        (m_manager.*kSliders[i].set)(i == 4 ? 0 : m_manager.GetCardRange(i).Def);
        m_values[i] = m_manager.GetSettings().CardVideo[i];
    }
    ShowValues();
}

void CColorDlg::OnClose()
{
    ShowPanel(FALSE);
}
