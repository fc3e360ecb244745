#include "app/MColorFrame.h"

#include "app/MProgress.h"
#include "app/MSelectList.h"
#include "app/OsdEngine.h"
#include "resources/Resource.h"

namespace {

// One bar per picture value, in row order: its label and the range it
// shows (the card's ranges).
const struct
{
    UINT label;
    int property;
    int minimum;
    int maximum;
} kBars[] = {
    {IDS_OSD_PICTURE_BRIGHTNESS, IOsdEngine::kBrightness, 0, 255},
    {IDS_OSD_PICTURE_CONTRAST, IOsdEngine::kContrast, 0, 127},
    {IDS_OSD_PICTURE_HUE, IOsdEngine::kHue, -128, 127},
    {IDS_OSD_PICTURE_SATURATION, IOsdEngine::kSaturation, 0, 127},
    {IDS_OSD_PICTURE_SHARPNESS, IOsdEngine::kSharpness, -8, 7},
};
const int kBarCount = sizeof kBars / sizeof kBars[0];
static_assert(kBarCount == MColorFrame::kResetRow, "the reset row follows the bars");

const int kResetYes = 0;
const int kResetNo = 1;

} // namespace

BOOL MColorFrame::Create(const RECT& rect, CWnd* parent, UINT)
{
    return MFrame::Create(rect, parent, IDW_OSD_COLOR);
}

void MColorFrame::BuildRows()
{
    const UINT id = IDW_OSD_COLOR;
    for (const auto& bar : kBars) {
        MItemWnd* row = NewRow(id);
        AddLabel(row, id, bar.label);
        AddProgress(row, CRect(259, 10, 579, kRowHeight), id, 0, 255);
    }
    MItemWnd* row = NewRow(id);
    AddLabel(row, id, IDS_OSD_PICTURE_RESET);
    AddSelect(row, CRect(260, 6, 510, kRowHeight), IDW_OSD_RECORD_PROPERTY, {IDS_OSD_ON, IDS_OSD_OFF});
}

void MColorFrame::ShowValues()
{
    for (int i = 0; i < kBarCount; ++i) {
        if (MProgress* bar = RowWidget<MProgress>(i)) {
            bar->SetRange(kBars[i].minimum, kBars[i].maximum);
            bar->SetPos(m_pEngine->GetVideoProperty(kBars[i].property));
        }
    }
}

void MColorFrame::OnShow()
{
    if (m_pEngine == NULL)
        return;
    ShowValues();
    if (MSelectList* reset = RowWidget<MSelectList>(kResetRow))
        reset->SetState(kResetNo);
}

int MColorFrame::OnRowKey(UINT vk, LPARAM)
{
    CloseOnCloseKey(vk);
    if (m_pEngine == NULL)
        return kOsdIgnored;
    const int row = GetFocusRow();
    if (row < kBarCount) {
        if (vk != kOsdKeyLeft && vk != kOsdKeyRight)
            return kOsdIgnored;
        if (MProgress* bar = RowWidget<MProgress>(row)) {
            m_pEngine->SetVideoProperty(kBars[row].property, bar->GetPos());
            // A value the card refused shows as the value it kept.
            bar->SetPos(m_pEngine->GetVideoProperty(kBars[row].property));
        }
        return kOsdHandled;
    }
    if (vk != kOsdKeyEnter)
        return vk == kOsdKeyLeft || vk == kOsdKeyRight ? kOsdHandled : kOsdIgnored;
    MSelectList* reset = RowWidget<MSelectList>(kResetRow);
    if (reset != NULL && reset->GetCurSel() == kResetYes) {
        m_pEngine->ResetVideoProperties();
        // The bars show what the reset left.
        ShowValues();
    }
    return kOsdHandled;
}
