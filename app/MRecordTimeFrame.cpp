#include "app/MRecordTimeFrame.h"

#include "app/MEdit.h"
#include "app/MSelectList.h"
#include "app/OsdEngine.h"
#include "app/Panel2.h"
#include "resources/Resource.h"

namespace {

const int kDateRanges[3][2] = {{2003, 2100}, {1, 12}, {1, 31}};
const int kTimeRanges[3][2] = {{0, 23}, {0, 59}, {0, 59}};
const int kOn = 0;
const int kOff = 1;

} // namespace

BOOL MRecordTimeFrame::Create(const RECT& rect, CWnd* parent, UINT)
{
    return MFrame::Create(rect, parent, IDW_OSD_RECORD_TIME);
}

void MRecordTimeFrame::BuildRows()
{
    const UINT id = IDW_OSD_RECORD_TIME;
    const CRect editor(249, 6, 319, 38), separator(319, 6, 359, 38);
    const struct
    {
        UINT label;
        const int (*ranges)[3][2];
        UINT separator;
    } fieldRows[] = {
        {IDS_OSD_EDIT_DATE, &kDateRanges, IDS_OSD_DATE_SEPARATOR},
        {IDS_OSD_EDIT_START, &kTimeRanges, IDS_OSD_TIME_SEPARATOR},
        {IDS_OSD_EDIT_DURATION, &kTimeRanges, IDS_OSD_TIME_SEPARATOR},
    };
    for (const auto& fields : fieldRows) {
        MItemWnd* row = NewRow(id);
        AddLabel(row, id, fields.label);
        AddFieldEditors(row, id, *fields.ranges, fields.separator, editor, separator);
    }
    MItemWnd* row = NewRow(id);
    AddLabel(row, id, IDS_OSD_EDIT_CHANNEL);
    AddSelect(row, CRect(249, 6, 555, kRowHeight), id, {});
    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_EDIT_POWER_OFF);
    AddSelect(row, CRect(249, 6, 440, kRowHeight), id, {IDS_OSD_ON, IDS_OSD_OFF});
    row = NewRow(id);
    AddLabel(row, id, IDS_OSD_EDIT_STORE);
    AddSelect(row, CRect(249, 6, 440, kRowHeight), id, {IDS_OSD_YES, IDS_OSD_NO});
}

void MRecordTimeFrame::SetFields(int row, int a, int b, int c)
{
    const int values[3] = {a, b, c};
    for (int i = 0; i < 3; ++i)
        if (MEdit* field = FieldEditor(row, i))
            field->SetValue(values[i]);
}

void MRecordTimeFrame::FillChannels()
{
    MSelectList* channels = RowWidget<MSelectList>(kChannelRow);
    if (channels == NULL || m_pEngine == NULL)
        return;
    channels->ClearOptions();
    m_channelFrequencies.clear();
    CChannelTable& table = m_pEngine->GetCurrentTable();
    const CChannel* current = table.GetCurrentChannel();
    for (int i = 0; i < table.GetSize(); ++i) {
        const CChannel* channel = table.GetChannel(i);
        if (channel == NULL || channel->IsHidden())
            continue;
        CString text;
        text.Format("%d.%s", i + 1, (LPCSTR)channel->Name);
        channels->AddOption(text);
        if (channel == current)
            channels->SetState(channels->GetOptionCount() - 1);
        m_channelFrequencies.push_back(channel->Frequency);
    }
}

void MRecordTimeFrame::ShowNew()
{
    const CTime now = CTime::GetCurrentTime();
    SetFields(kDateRow, now.GetYear(), now.GetMonth(), now.GetDay());
    SetFields(kStartRow, now.GetHour(), now.GetMinute(), now.GetSecond());
    SetFields(kDurationRow, kNewDurationSeconds / 3600, kNewDurationSeconds % 3600 / 60, kNewDurationSeconds % 60);
    if (MSelectList* powerOff = RowWidget<MSelectList>(kPowerOffRow))
        powerOff->SetState(kOff);
}

void MRecordTimeFrame::ShowRecord(const _tagTimingParam& t, const _tagExcuteParam& e)
{
    SetFields(kDateRow, t.nYear, t.nMonth, t.nDay);
    SetFields(kStartRow, t.nHour, t.nMinute, t.nSecond < 0 ? 0 : t.nSecond);
    const int d = e.nDuration < 0 ? 0 : e.nDuration;
    SetFields(kDurationRow, d / 3600, d % 3600 / 60, d % 60);
    if (MSelectList* channels = RowWidget<MSelectList>(kChannelRow))
        for (size_t i = 0; i < m_channelFrequencies.size(); ++i)
            if (m_channelFrequencies[i] == e.nFrequency) {
                channels->SetState((int)i);
                break;
            }
    if (MSelectList* powerOff = RowWidget<MSelectList>(kPowerOffRow))
        powerOff->SetState(e.bPowerOff ? kOn : kOff);
}

HTIMINGITEM MRecordTimeFrame::EditedItem() const
{
    const HTIMINGITEM edited = m_pHost != NULL ? m_pHost->GetEditedItem() : NULL;
    for (HTIMINGITEM at = Timing_GetFirstItem(0); edited != NULL && at != NULL; at = Timing_GetNextItem(0, at))
        if (at == edited)
            return at;
    return NULL;
}

void MRecordTimeFrame::OnShow()
{
    FillChannels();
    _tagTimingParam timing = {};
    _tagExcuteParam execute = {};
    const HTIMINGITEM item = EditedItem();
    if (item != NULL && Timing_GetItemTimingParam(item, &timing) &&
        Timing_GetItemExcuteParam(item, &execute, sizeof execute))
        ShowRecord(timing, execute);
    else
        ShowNew();
    if (MSelectList* store = RowWidget<MSelectList>(kStoreRow))
        store->SetState(kStore);
    for (int row = kDateRow; row <= kDurationRow; ++row)
        LeaveFields(row);
    m_shown = Edits();
    m_bWarned = FALSE;
    SetHelp(IDS_SETTINGS);
}

std::vector<int> MRecordTimeFrame::Edits() const
{
    std::vector<int> edits;
    for (int row = kDateRow; row <= kDurationRow; ++row)
        for (int i = 0; i < 3; ++i) {
            const MEdit* field = FieldEditor(row, i);
            edits.push_back(field != NULL ? field->GetValue() : 0);
        }
    for (int row : {kChannelRow, kPowerOffRow}) {
        const MSelectList* select = RowWidget<MSelectList>(row);
        edits.push_back(select != NULL ? select->GetCurSel() : -1);
    }
    return edits;
}

BOOL MRecordTimeFrame::IsChanged() const
{
    return Edits() != m_shown;
}

void MRecordTimeFrame::OnHide()
{
    if (m_pHost != NULL)
        m_pHost->SetEditedItem(NULL);
}

void MRecordTimeFrame::Show(BOOL show)
{
    if (!show && m_pHost != NULL)
        m_pHost->SetEditedItem(NULL);
    MFrame::Show(show);
}

BOOL MRecordTimeFrame::ReadFields()
{
    for (int row = kDateRow; row <= kStartRow; ++row)
        for (int i = 0; i < 3; ++i) {
            const MEdit* field = FieldEditor(row, i);
            m_fields[row * 3 + i] = field != NULL ? field->GetValue() : 0;
        }
    int duration[3] = {};
    for (int i = 0; i < 3; ++i)
        if (const MEdit* field = FieldEditor(kDurationRow, i))
            duration[i] = field->GetValue();
    const int seconds = duration[0] * 3600 + duration[1] * 60 + duration[2];
    CTime start;
    if (!CTime::FromLocalFields(m_fields[0], m_fields[1], m_fields[2], m_fields[3], m_fields[4], m_fields[5], start)) {
        if (m_pEngine != NULL)
            m_pEngine->ShowMessage(IDS_OSD_TIME_INVALID);
        return FALSE;
    }
    if (seconds <= 0) {
        if (m_pEngine != NULL)
            m_pEngine->ShowMessage(IDS_OSD_DURATION_EMPTY);
        return FALSE;
    }
    m_start = start;
    const MSelectList* channels = RowWidget<MSelectList>(kChannelRow);
    const int option = channels != NULL ? channels->GetCurSel() : -1;
    m_lFrequency = option >= 0 && option < (int)m_channelFrequencies.size() ? m_channelFrequencies[option] : 0;
    const MSelectList* powerOff = RowWidget<MSelectList>(kPowerOffRow);
    m_bPowerOff = powerOff != NULL && powerOff->GetCurSel() == kOn;

    // What the editor does not edit stays as the edited item has it; a
    // new item is a one-time TV recording, as the schedule dialog makes one.
    _tagTimingParam timing = {};
    _tagExcuteParam execute = {};
    const HTIMINGITEM item = EditedItem();
    if (item == NULL || !Timing_GetItemTimingParam(item, &timing) ||
        !Timing_GetItemExcuteParam(item, &execute, sizeof execute)) {
        timing = _tagTimingParam();
        timing.nOnce = 1;
        execute = _tagExcuteParam();
    }
    timing.nYear = m_fields[0];
    timing.nMonth = m_fields[1];
    timing.nDay = m_fields[2];
    timing.nHour = m_fields[3];
    timing.nMinute = m_fields[4];
    timing.nSecond = m_fields[5];
    timing.nDuration = seconds;
    timing.nReserved = 0;
    execute.nSize = sizeof execute;
    execute.nZero = 0;
    execute.nDuration = seconds;
    execute.nSource = IOsdEngine::kSourceTV;
    execute.nFrequency = m_lFrequency;
    if (m_pEngine != NULL)
        execute.nChannel = m_pEngine->GetCurrentTable().FindByFrequency(m_lFrequency);
    execute.bPowerOff = m_bPowerOff;
    // Power-off and hibernation after a recording exclude each other.
    if (m_bPowerOff)
        execute.bHibernate = FALSE;
    m_timing = timing;
    m_execute = execute;
    return TRUE;
}

void MRecordTimeFrame::Store()
{
    const HTIMINGITEM edited = m_pHost != NULL ? m_pHost->GetEditedItem() : NULL;
    const HTIMINGITEM item = EditedItem();
    if (edited != NULL && item == NULL)
        return; // the item has gone from the library: nothing is stored
    int result = -1;
    Timing_CheckItem(0, item, m_timing, &result);
    if (result == TIMING_CHECK_FREE || result == TIMING_CHECK_STARTS_NOW) {
        if (item != NULL)
            Timing_UpdateItem(item, m_timing, &m_execute);
        else
            Timing_InsertItem(0, m_timing, &m_execute);
    } else if (result == TIMING_CHECK_OVERLAPS_ONCE || result == TIMING_CHECK_OVERLAPS_WEEKLY) {
        if (m_pEngine != NULL)
            m_pEngine->ShowMessage(IDS_SCHEDULE_CONFLICT);
    }
}

int MRecordTimeFrame::OnRowKey(UINT vk, LPARAM)
{
    CloseOnCloseKey(vk);
    const int row = GetFocusRow();
    if (row <= kDurationRow) {
        // Enter takes the cursor out of the numbers, so that Up and Down
        // move between rows again.
        if (vk == kOsdKeyEnter) {
            LeaveFields(row);
            return kOsdHandled;
        }
        return vk == kOsdKeyUp || vk == kOsdKeyDown ? kOsdHandled : kOsdIgnored;
    }
    if (row == kChannelRow || row == kPowerOffRow)
        return vk == kOsdKeyLeft || vk == kOsdKeyRight ? kOsdHandled : kOsdIgnored;
    if (vk != kOsdKeyEnter)
        return kOsdIgnored;
    const MSelectList* store = RowWidget<MSelectList>(kStoreRow);
    if (store != NULL && store->GetCurSel() == kStore)
        return StoreAndGoBack();
    GoBack();
    return kOsdHandled;
}

// A change is not dropped by one press of the menu key: the first press
// takes the focus to the store row and says on the help line what OK and
// a second press do. The menu is driven by the remote, so a message box,
// which the remote cannot answer, is no place for the question.
int MRecordTimeFrame::OnKey(UINT vk, LPARAM lParam)
{
    if (vk != kOsdKeyMenu || m_bWarned || !IsChanged())
        return MFrame::OnKey(vk, lParam);
    m_bWarned = TRUE;
    for (int row = kDateRow; row <= kDurationRow; ++row)
        LeaveFields(row);
    if (MSelectList* store = RowWidget<MSelectList>(kStoreRow))
        store->SetState(kStore);
    SetFocusRow(kStoreRow);
    SetHelp(IDS_OSD_EDIT_KEEP);
    return kOsdHandled;
}

void MRecordTimeFrame::SetHelp(UINT textId)
{
    CString text;
    text.LoadString(textId);
    SetHelpText(text);
}

int MRecordTimeFrame::StoreAndGoBack()
{
    // A date that does not exist, a recording of no length or one that has
    // already ended stays in the editor to be mended.
    if (!ReadFields())
        return kOsdHandled;
    const CTime now = CTime::GetCurrentTime();
    if (m_timing.nOnce && m_start + CTimeSpan((__time64_t)m_timing.nDuration) <= now) {
        if (m_pEngine != NULL)
            m_pEngine->ShowMessage(IDS_SCHEDULE_START_PASSED);
        return kOsdHandled;
    }
    Store();
    GoBack();
    return kOsdHandled;
}

void MRecordTimeFrame::GoBack()
{
    if (m_pHost != NULL) {
        m_pHost->SetEditedItem(NULL);
        m_pHost->Back();
    }
}
