#include "app/MRecordPropertyFrame.h"

#include "app/MProgress.h"
#include "app/MSelectList.h"
#include "app/OsdEngine.h"
#include "resources/Resource.h"

namespace {

// Motion-search increments by option: fast, high quality, best.
const int kMotionSearch[] = {0, 1, 3};
const int kMotionOptions = sizeof kMotionSearch / sizeof kMotionSearch[0];

} // namespace

int MRecordPropertyFrame::MotionSearchOfOption(int option)
{
    return option >= 0 && option < kMotionOptions ? kMotionSearch[option] : kMotionSearch[0];
}

int MRecordPropertyFrame::OptionOfMotionSearch(int increment)
{
    for (int option = 0; option < kMotionOptions; ++option)
        if (kMotionSearch[option] == increment)
            return option;
    return -1;
}

BOOL MRecordPropertyFrame::Create(const RECT& rect, CWnd* parent, UINT)
{
    return MFrame::Create(rect, parent, IDW_OSD_RECORD_PROPERTY);
}

void MRecordPropertyFrame::BuildRows()
{
    const UINT id = IDW_OSD_RECORD_PROPERTY;
    const CRect select(250, 6, 530, kRowHeight);
    MItemWnd* row = NewRow(id);
    AddLabel(row, id, IDS_OSD_RECORD_SNAPSHOT_FORMAT);
    AddSelect(row, select, id, {IDS_OSD_SNAPSHOT_BMP, IDS_OSD_SNAPSHOT_JPEG});

    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_RECORD_FORMAT);
    AddSelect(row, select, id,
              {IDS_FORMAT_AVI, IDS_FORMAT_MPEG1, IDS_FORMAT_MPEG2, IDS_FORMAT_MPEG4, IDS_FORMAT_VCD, IDS_FORMAT_SVCD,
               IDS_FORMAT_DVD, IDS_FORMAT_HIDVD});

    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_RECORD_MOTION_SEARCH);
    AddSelect(row, select, id, {IDS_MOTION_SEARCH_FAST, IDS_MOTION_SEARCH_HIGH_QUALITY, IDS_MOTION_SEARCH_BEST});

    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_RECORD_DISPLAY_QUALITY);
    AddSelect(row, select, id,
              {IDS_DISPLAY_QUALITY_VERY_HIGH, IDS_DISPLAY_QUALITY_HIGH, IDS_DISPLAY_QUALITY_NORMAL});

    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_RECORD_JPEG_QUALITY);
    AddProgress(row, CRect(259, 10, 579, kRowHeight), IDW_OSD_COLOR, 0, 255);
}

void MRecordPropertyFrame::OnShow()
{
    if (m_pEngine == NULL)
        return;
    if (MSelectList* snapshot = RowWidget<MSelectList>(kSnapshotRow))
        snapshot->SetState(m_pEngine->GetSnapBmp() ? 0 : 1);
    if (MSelectList* format = RowWidget<MSelectList>(kFormatRow))
        format->SetState(m_pEngine->GetRecordFormat());
    if (MSelectList* motion = RowWidget<MSelectList>(kMotionRow)) {
        const int option = OptionOfMotionSearch(m_pEngine->GetMotionSearch());
        if (option >= 0)
            motion->SetState(option);
    }
    if (MSelectList* display = RowWidget<MSelectList>(kDisplayRow))
        display->SetState(m_pEngine->GetDisplayQuality());
    if (MProgress* jpeg = RowWidget<MProgress>(kJpegRow)) {
        jpeg->SetRange(0, 100);
        jpeg->SetPos(m_pEngine->GetJpgQuality());
    }
}

int MRecordPropertyFrame::OnRowKey(UINT vk, LPARAM)
{
    CloseOnCloseKey(vk);
    if (m_pEngine == NULL || (vk != kOsdKeyLeft && vk != kOsdKeyRight))
        return kOsdIgnored;
    MSelectList* select = RowWidget<MSelectList>(GetFocusRow());
    switch (GetFocusRow()) {
    case kSnapshotRow:
        if (select != NULL)
            m_pEngine->SetSnapBmp(select->GetCurSel() == 0);
        break;
    case kFormatRow:
        if (select != NULL) {
            m_pEngine->SetRecordFormat(select->GetCurSel());
            m_pEngine->UpdateMenuChecks();
        }
        break;
    case kMotionRow:
        if (select != NULL)
            m_pEngine->SetMotionSearch(MotionSearchOfOption(select->GetCurSel()));
        break;
    case kDisplayRow:
        if (select != NULL)
            m_pEngine->SetDisplayQuality(select->GetCurSel());
        break;
    case kJpegRow:
        if (MProgress* jpeg = RowWidget<MProgress>(kJpegRow))
            m_pEngine->SetJpgQuality(jpeg->GetPos());
        break;
    default:
        return kOsdIgnored;
    }
    return kOsdHandled;
}
