#include "app/MOffFrame.h"

#include "app/MEdit.h"
#include "app/MSelectList.h"
#include "app/OsdEngine.h"
#include "app/Panel2.h"
#include "resources/Resource.h"

namespace {

const int kDateRanges[3][2] = {{2003, 2100}, {1, 12}, {1, 31}};
const int kTimeRanges[3][2] = {{0, 23}, {0, 59}, {0, 59}};
const int kOn = 0;

} // namespace

BOOL MOffFrame::Create(const RECT& rect, CWnd* parent, UINT)
{
    return MFrame::Create(rect, parent, IDW_OSD_OFF);
}

void MOffFrame::BuildRows()
{
    const UINT id = IDW_OSD_OFF;
    const CRect editor(249, 6, 319, 38), separator(324, 6, 349, 38);
    MItemWnd* row = NewRow(id);
    AddLabel(row, id, IDS_OSD_OFF_DATE);
    AddFieldEditors(row, id, kDateRanges, IDS_OSD_DATE_SEPARATOR, editor, separator);
    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_OFF_TIME);
    AddFieldEditors(row, id, kTimeRanges, IDS_OSD_TIME_SEPARATOR, editor, separator);
    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_OFF_ENABLE);
    AddSelect(row, CRect(249, 6, 440, kRowHeight), id, {IDS_OSD_ON, IDS_OSD_OFF});
}

void MOffFrame::ShowTime(const CTime& time)
{
    const int values[2][3] = {{time.GetYear(), time.GetMonth(), time.GetDay()},
                              {time.GetHour(), time.GetMinute(), time.GetSecond()}};
    for (int row = kDateRow; row <= kTimeRow; ++row)
        for (int i = 0; i < 3; ++i)
            if (MEdit* field = FieldEditor(row, i))
                field->SetValue(values[row][i]);
}

BOOL MOffFrame::ReadTime(CTime& time) const
{
    int values[2][3] = {};
    for (int row = kDateRow; row <= kTimeRow; ++row)
        for (int i = 0; i < 3; ++i) {
            const MEdit* field = FieldEditor(row, i);
            if (field == NULL)
                return FALSE;
            values[row][i] = field->GetValue();
        }
    // The day is checked against its month: 31 February is no day.
    return CTime::FromLocalFields(values[0][0], values[0][1], values[0][2], values[1][0], values[1][1],
                                  values[1][2], time);
}

void MOffFrame::OnShow()
{
    ShowTime(CTime::GetCurrentTime());
    for (int row = kDateRow; row <= kTimeRow; ++row)
        LeaveFields(row);
}

int MOffFrame::OnRowKey(UINT vk, LPARAM)
{
    CloseOnCloseKey(vk);
    // Enter takes the cursor out of the numbers, so that Up and Down move
    // between rows again.
    if (vk == kOsdKeyEnter && GetFocusRow() <= kTimeRow) {
        LeaveFields(GetFocusRow());
        return kOsdHandled;
    }
    if (m_pEngine == NULL || GetFocusRow() != kEnableRow || vk != kOsdKeyEnter)
        return kOsdIgnored;
    MSelectList* enable = RowWidget<MSelectList>(kEnableRow);
    if (enable != NULL && enable->GetCurSel() == kOn) {
        CTime time;
        if (!ReadTime(time)) {
            // Nothing is stored and the panel stays for the date to be mended.
            m_pEngine->ShowMessage(IDS_OSD_TIME_INVALID);
            return kOsdHandled;
        }
        m_time = time;
        m_pEngine->SetShutTime(m_time);
        m_pEngine->SetEnableShut(TRUE);
        m_pEngine->SetPowerOffTime(m_time, TRUE);
    } else {
        m_pEngine->SetEnableShut(FALSE);
        // The control panel's daily check stops with the switch.
        m_pEngine->SetPowerOffTime(m_time, FALSE);
    }
    if (m_pHost != NULL)
        m_pHost->Back();
    return kOsdHandled;
}
