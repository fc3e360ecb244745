#include "app/MRootFrame.h"

#include "resources/Resource.h"

namespace {

// A label and its description per row, in the order of the sub-panels.
const struct
{
    UINT label;
    UINT description;
} kRootRows[] = {
    {IDS_OSD_ROOT_CHANNELS, IDS_OSD_ROOT_CHANNELS_DESC},
    {IDS_OSD_ROOT_PICTURE, IDS_OSD_ROOT_PICTURE_DESC},
    {IDS_OSD_ROOT_SCHEDULE, IDS_OSD_ROOT_SCHEDULE_DESC},
    {IDS_OSD_ROOT_RECORDING, IDS_OSD_ROOT_RECORDING_DESC},
    {IDS_OSD_ROOT_VIDEO, IDS_OSD_ROOT_VIDEO_DESC},
};
static_assert(sizeof kRootRows / sizeof kRootRows[0] == 5, "one row per sub-panel of the root");

} // namespace

BOOL MRootFrame::Create(const RECT& rect, CWnd* parent, UINT)
{
    return MFrame::Create(rect, parent, IDW_OSD_ROOT);
}

void MRootFrame::BuildRows()
{
    UINT id = IDW_OSD_ROOT;
    for (const auto& row : kRootRows) {
        MItemWnd* item = NewRow(id);
        if (item == NULL)
            return;
        AddLabel(item, id, row.label);
        AddText(item, CRect(229, 0, 579, kRowHeight), id, row.description);
        ++id;
    }
}
