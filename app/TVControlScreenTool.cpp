// The control panel's floating tool bar: made with the panel, shown by the
// video window at the top edge of full screen, its toggles and text kept in
// step with the panel's, and the record toggle and volume it asks for.
#include "app/TVControl.h"

#include "app/Osd.h"
#include "app/ScreenTool.h"
#include "app/TVVideoWnd.h"
#include "engine/TVManager.h"
#include "graph/DebugHelper.h"
#include "resources/Resource.h"

class CTVControl::ScreenToolHost final : public IScreenToolHost
{
public:
    explicit ScreenToolHost(CTVControl& panel) : m_panel(panel) {}

    void ToggleRecord() override { m_panel.ToggleRecord(); }
    void SetVolume(int volume) override { m_panel.SetVolume(volume); }
    int GetVolume() override { return m_panel.ReadVolume(); }
    HWND KeyWindow() override { return m_panel.m_hWnd; }
    void PlaceScreenTexts() override { m_panel.PlaceOsdTexts(); }

private:
    CTVControl& m_panel;
};

void CTVControl::CreateScreenTool()
{
    if (m_pScreenTool != NULL)
        return;
    m_pScreenToolHost = new ScreenToolHost(*this);
    m_pScreenTool = new CScreenTool(m_router, *m_pScreenToolHost);
    if (!m_pScreenTool->CreateTool(this))
        DebugHelper("CTVControl: the floating tool bar could not be made\n");
}

void CTVControl::DeleteScreenTool()
{
    delete m_pScreenTool;
    m_pScreenTool = NULL;
    delete m_pScreenToolHost;
    m_pScreenToolHost = NULL;
}

BOOL CTVControl::IsScreenToolShown() const
{
    return m_pScreenTool != NULL && m_pScreenTool->IsShown();
}

void CTVControl::ShowScreenTool(BOOL show)
{
    if (show)
        FinishStartup();
    if (m_pScreenTool == NULL || m_pScreenTool->m_hWnd == NULL)
        return;
    if (show && !m_pScreenTool->IsShown()) {
        m_pScreenTool->Show(TRUE);
        RefreshState(); // brings the bar's toggles and text with it
    } else if (show) {
        m_pScreenTool->Show(TRUE); // the hide timer starts again
    } else if (m_pScreenTool->IsShown()) {
        m_pScreenTool->Show(FALSE);
    }
}

void CTVControl::PlaceOsdTexts()
{
    CTVVideoWnd* video = VideoWnd();
    if (video == NULL)
        return;
    // The bar's part over the picture: the texts start below it.
    int covered = 0;
    if (IsScreenToolShown()) {
        CRect bar, client, overlap;
        m_pScreenTool->GetWindowRect(&bar);
        video->GetClientRect(&client);
        video->ClientToScreen(&client);
        if (overlap.IntersectRect(&bar, &client))
            covered = overlap.bottom - client.top;
    }
    for (int i = 0; i < CTVVideoWnd::kOsdCount; ++i) {
        COsd* osd = video->GetOsd((CTVVideoWnd::OsdText)i);
        if (osd == NULL || osd->m_hWnd == NULL)
            continue;
        osd->SetCoveredTop(covered);
        osd->FitToOwner();
        osd->Refresh();
    }
}

void CTVControl::UpdateScreenTool()
{
    // Only a bar that shows is kept up to date; showing it updates it.
    if (!IsScreenToolShown())
        return;
    const CommandState& state = m_router.GetState();
    m_pScreenTool->SetRecordCheck(state.Has(cmd::kRecord));
    m_pScreenTool->SetMuteCheck(state.Has(cmd::kMuted));
    m_pScreenTool->ShowVolume(m_pScreenToolHost->GetVolume());
    CString text;
    if (m_hWnd != NULL)
        GetDlgItemText(IDC_PANEL_CHANNEL_TEXT, text);
    if (text != m_pScreenTool->GetText())
        m_pScreenTool->SetText(text);
}
