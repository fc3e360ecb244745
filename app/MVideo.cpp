#include "app/MVideo.h"

#include "app/MProgress.h"
#include "app/MSelectList.h"
#include "app/OsdEngine.h"
#include "resources/Resource.h"

#include <cstdio>

BEGIN_MESSAGE_MAP(MVideo, MFrame)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL MVideo::s_bBusy = FALSE;

namespace {

const UINT_PTR kSizeTimer = 1;
const int kOn = 0;
const int kOff = 1;

// The capture sizes offered, for 525-line and 625-line standards.
const CSize kSizes525[] = {CSize(352, 240), CSize(640, 480), CSize(720, 480)};
const CSize kSizes625[] = {CSize(352, 288), CSize(640, 480), CSize(720, 576)};

// The on-off rows: their label and the engine's switch.
const struct
{
    UINT label;
    BOOL (IOsdEngine::*get)();
    BOOL (IOsdEngine::*set)(BOOL);
} kSwitches[] = {
    {IDS_OSD_VIDEO_HIGH_QUALITY, &IOsdEngine::GetHightQuality, &IOsdEngine::SetHightQuality},
    {IDS_OSD_VIDEO_NOISE_REDUCTION, &IOsdEngine::GetNoiseReduce, &IOsdEngine::SetNoiseReduce},
    {IDS_OSD_VIDEO_HALF_RATE, &IOsdEngine::GetHalfRate, &IOsdEngine::SetHalfRate},
};
static_assert(sizeof kSwitches / sizeof kSwitches[0] == MVideo::kStrengthRow - MVideo::kHighQualityRow,
              "one switch per row between the size and the strength");

} // namespace

CString MVideo::SizeText(CSize size)
{
    CString text;
    text.Format("%d %c %d", (int)size.cx, '*', (int)size.cy);
    return text;
}

BOOL MVideo::ParseSize(LPCSTR text, CSize& size)
{
    int width = 0, height = 0;
    if (text == NULL || sscanf(text, "%d * %d", &width, &height) != 2 || width <= 0 || height <= 0)
        return FALSE;
    size = CSize(width, height);
    return TRUE;
}

BOOL MVideo::Create(const RECT& rect, CWnd* parent, UINT)
{
    return MFrame::Create(rect, parent, IDW_OSD_VIDEO);
}

void MVideo::BuildRows()
{
    const UINT id = IDW_OSD_VIDEO;
    const CRect select(259, 6, 515, kRowHeight);
    MItemWnd* row = NewRow(id);
    AddLabel(row, id, IDS_OSD_VIDEO_CAPTURE_SIZE);
    AddSelect(row, select, IDW_OSD_RECORD_PROPERTY, {});
    for (const auto& item : kSwitches) {
        row = NewRow(id);
        AddLabel(row, id, item.label);
        AddSelect(row, select, IDW_OSD_RECORD_PROPERTY, {IDS_OSD_ON, IDS_OSD_OFF});
    }
    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_VIDEO_REDUCTION_STRENGTH);
    AddProgress(row, CRect(259, 10, 579, kRowHeight), id, 0, 10);
    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_VIDEO_POWER_OFF);
    AddSelect(row, select, IDW_OSD_RECORD_PROPERTY, {IDS_OSD_ON, IDS_OSD_OFF});
}

void MVideo::OnShow()
{
    if (m_pEngine == NULL)
        return;
    if (MSelectList* sizes = RowWidget<MSelectList>(kSizeRow)) {
        const int chosen = sizes->GetCurSel();
        sizes->ClearOptions();
        for (const CSize& size : m_pEngine->Is525Line() ? kSizes525 : kSizes625)
            sizes->AddOption(SizeText(size));
        sizes->SetState(chosen);
        const CString current = SizeText(m_pEngine->GetVideoSize());
        for (int i = 0; i < sizes->GetOptionCount(); ++i)
            if (sizes->GetOptionText(i) == current)
                sizes->SetState(i);
    }
    for (int i = 0; i < (int)(sizeof kSwitches / sizeof kSwitches[0]); ++i)
        if (MSelectList* onOff = RowWidget<MSelectList>(kHighQualityRow + i))
            onOff->SetState((m_pEngine->*kSwitches[i].get)() ? kOn : kOff);
    if (MProgress* strength = RowWidget<MProgress>(kStrengthRow))
        strength->SetPos(m_pEngine->GetReduceValue());
    if (MSelectList* powerOff = RowWidget<MSelectList>(kPowerOffRow))
        powerOff->SetState(m_pEngine->GetEnableShut() ? kOn : kOff);
}

int MVideo::OnRowKey(UINT vk, LPARAM)
{
    CloseOnCloseKey(vk);
    if (m_pEngine == NULL)
        return kOsdIgnored;
    const int row = GetFocusRow();
    const BOOL leftRight = vk == kOsdKeyLeft || vk == kOsdKeyRight;
    if (row == kSizeRow)
        return leftRight ? SizeKey(vk) : kOsdIgnored;
    if (row == kPowerOffRow && vk == kOsdKeyEnter)
        return kOsdNotHandled; // the host opens the power-off panel
    if (!leftRight)
        return kOsdIgnored;
    if (row == kStrengthRow) {
        if (MProgress* strength = RowWidget<MProgress>(kStrengthRow))
            m_pEngine->SetReduceValue(strength->GetPos());
        return kOsdHandled;
    }
    MSelectList* select = RowWidget<MSelectList>(row);
    if (select == NULL)
        return kOsdIgnored;
    if (row == kPowerOffRow) {
        m_pEngine->SetEnableShut(select->GetCurSel() == kOn);
        return kOsdIgnored;
    }
    (m_pEngine->*kSwitches[row - kHighQualityRow].set)(select->GetCurSel() == kOn);
    return kOsdHandled;
}

int MVideo::SizeKey(UINT vk)
{
    MSelectList* sizes = RowWidget<MSelectList>(kSizeRow);
    if (s_bBusy) {
        // The selector shows the size being applied, not the one asked for.
        if (sizes != NULL)
            vk == kOsdKeyLeft ? sizes->Next() : sizes->Prev();
        return kOsdIgnored;
    }
    CSize size;
    if (sizes == NULL || !ParseSize(sizes->GetCurText(), size))
        return kOsdHandled;
    s_bBusy = TRUE;
    m_newSize = size;
    m_pEngine->SetMasterMute(TRUE);
    m_step = kMuted;
    SetTimer(kSizeTimer, kSizeStepMs);
    return kOsdHandled;
}

void MVideo::OnTimer(UINT_PTR id)
{
    if (id != kSizeTimer)
        return;
    if (m_step == kMuted) {
        m_pEngine->SetVideoSize(m_newSize);
        m_step = kSized;
        return;
    }
    FinishSizeChange();
}

void MVideo::FinishSizeChange()
{
    if (m_hWnd != NULL)
        KillTimer(kSizeTimer);
    if (m_step != kIdle && m_pEngine != NULL)
        m_pEngine->SetMasterMute(FALSE);
    m_step = kIdle;
    s_bBusy = FALSE;
}

void MVideo::OnDestroy()
{
    // A size change cut short still gives the sound back.
    if (m_step != kIdle)
        FinishSizeChange();
    Default();
}
