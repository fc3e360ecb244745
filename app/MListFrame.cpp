#include "app/MListFrame.h"

#include "app/MSelectList.h"
#include "app/OsdEngine.h"
#include "app/Panel2.h"
#include "resources/Resource.h"

MListFrame::MListFrame() : m_nChosenRow(0), m_nCount(0), m_nPage(0), m_nPageCount(1)
{
}

std::vector<MListFrame::ListedItem> MListFrame::ListTVItems()
{
    std::vector<ListedItem> items;
    int index = 0;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item != NULL; item = Timing_GetNextItem(0, item), ++index) {
        ListedItem listed = {index, item, {}};
        _tagExcuteParam execute = {};
        if (!Timing_GetItemTimingParam(item, &listed.timing) ||
            !Timing_GetItemExcuteParam(item, &execute, sizeof execute))
            continue;
        if (execute.nSource == IOsdEngine::kSourceTV)
            items.push_back(listed);
    }
    return items;
}

CString MListFrame::FormatStart(const _tagTimingParam& t)
{
    // The stored fields are the local date and time; written as they are,
    // an item whose fields make no time still shows.
    CString text;
    text.Format("%04d-%02d-%02d  %02d:%02d:%02d", (int)t.nYear, (int)t.nMonth, (int)t.nDay, (int)t.nHour,
                (int)t.nMinute, t.nSecond < 0 ? 0 : (int)t.nSecond);
    return text;
}

BOOL MListFrame::Create(const RECT& rect, CWnd* parent, UINT)
{
    return MFrame::Create(rect, parent, IDW_OSD_LIST);
}

void MListFrame::BuildRows()
{
    const UINT id = IDW_OSD_LIST;
    for (int i = 0; i < kRowsPerPage; ++i) {
        MItemWnd* row = NewRow(id);
        AddText(row, CRect(kLabelLeft, 0, kLabelRight, kRowHeight), id, IDS_OSD_LIST_EMPTY);
        AddText(row, CRect(kLabelRight, 0, 579, kRowHeight), id, IDS_OSD_LIST_EMPTY);
    }
    MItemWnd* row = NewRow(id);
    AddLabel(row, id, IDS_OSD_LIST_ACTION);
    AddSelect(row, CRect(253, 6, 476, kRowHeight), id, {IDS_OSD_LIST_NEW, IDS_OSD_LIST_EDIT, IDS_OSD_LIST_DELETE});
}

HTIMINGITEM MListFrame::GetRowItem(int row) const
{
    if (row < 0 || row >= (int)m_rowItems.size())
        return NULL;
    return m_rowItems[row].item;
}

void MListFrame::OnShow()
{
    if (MSelectList* action = RowWidget<MSelectList>(kActionRow))
        action->SetState(kActionNew);
    // Pages run over the TV items alone, so every one shows once.
    m_items = ListTVItems();
    m_nCount = (int)m_items.size();
    m_nPageCount = (m_nCount + kRowsPerPage - 1) / kRowsPerPage;
    m_nPage = 0;
    SetFocusRow(m_nChosenRow);
    ShowPage(0);
}

void MListFrame::OnHide()
{
    Unfocus(kActionRow);
}

void MListFrame::ShowPage(int first)
{
    m_rowItems.clear();
    CString itemText, empty;
    itemText.LoadString(IDS_OSD_LIST_ITEM);
    empty.LoadString(IDS_OSD_LIST_EMPTY);
    for (int row = 0; row < kRowsPerPage; ++row) {
        MBasicWnd* label = RowWidget<MBasicWnd>(row, 0);
        MBasicWnd* value = RowWidget<MBasicWnd>(row, 1);
        if (label == NULL || value == NULL)
            continue;
        const int at = first + row;
        if (first < 0 || at >= m_nCount) {
            // An empty list says so on its first row; other rows are blank.
            label->SetText(row == 0 && m_nCount == 0 ? (LPCSTR)empty : "");
            value->SetText("");
            continue;
        }
        m_rowItems.push_back(m_items[at]);
        CString number;
        number.Format("%d   %s", row + 1, (LPCSTR)itemText);
        label->SetText(number);
        value->SetText(FormatStart(m_items[at].timing));
    }
}

void MListFrame::RemoveItemAt(int index)
{
    if (index < 0)
        return;
    int at = 0;
    for (HTIMINGITEM item = Timing_GetFirstItem(0); item != NULL; item = Timing_GetNextItem(0, item), ++at) {
        if (at == index) {
            Timing_RemoveItem(item);
            return;
        }
    }
}

void MListFrame::PrevPage()
{
    if (m_nPage > 0) {
        --m_nPage;
        ShowPage(m_nPage * kRowsPerPage);
    }
}

void MListFrame::NextPage()
{
    if (m_nPage < m_nPageCount - 1) {
        ++m_nPage;
        ShowPage(m_nPage * kRowsPerPage);
    }
}

void MListFrame::Unfocus(int index)
{
    if (MItemWnd* row = GetRow(index))
        row->SetFocused(FALSE);
}

void MListFrame::FocusOnly(int index)
{
    for (int i = 0; i < GetRowCount(); ++i)
        if (i != index)
            Unfocus(i);
    SetFocusRow(index);
}

int MListFrame::SetFocusRow(int index)
{
    const int previous = m_nFocusRow;
    if (index < 0 || index >= GetRowCount())
        return previous;
    m_nFocusRow = index;
    GetRow(index)->SetFocused(TRUE);
    return previous;
}

int MListFrame::FocusPrevRow()
{
    const int previous = m_nFocusRow;
    Unfocus(m_nChosenRow);
    Unfocus(m_nFocusRow);
    if (m_nFocusRow > 0) {
        m_nFocusRow = m_nFocusRow - 1;
    } else {
        m_nFocusRow = kRowsPerPage - 1;
        PrevPage();
    }
    SetFocusRow(m_nFocusRow);
    return previous;
}

int MListFrame::FocusNextRow()
{
    const int previous = m_nFocusRow;
    Unfocus(m_nChosenRow);
    Unfocus(m_nFocusRow);
    if (m_nFocusRow < kRowsPerPage - 1) {
        m_nFocusRow = m_nFocusRow + 1;
    } else {
        // From the last list row or the action row: the next page's first row.
        m_nFocusRow = 0;
        NextPage();
    }
    SetFocusRow(m_nFocusRow);
    return previous;
}

BOOL MListFrame::FindChosenItem(HTIMINGITEM& item, int& index) const
{
    const HTIMINGITEM chosen = GetRowItem(m_nChosenRow);
    if (chosen == NULL)
        return FALSE;
    // The library may have changed since the list was read: the item is
    // taken by its handle, never by a position that may have moved.
    index = 0;
    for (HTIMINGITEM at = Timing_GetFirstItem(0); at != NULL; at = Timing_GetNextItem(0, at), ++index) {
        if (at == chosen) {
            item = at;
            return TRUE;
        }
    }
    return FALSE;
}

int MListFrame::OnRowKey(UINT vk, LPARAM)
{
    CloseOnCloseKey(vk);
    if (GetFocusRow() == kActionRow)
        return ActionKey(vk);
    if (vk == kOsdKeyEnter) {
        m_nChosenRow = GetFocusRow();
        SetFocusRow(kActionRow);
    }
    return kOsdHandled;
}

int MListFrame::ActionKey(UINT vk)
{
    MSelectList* action = RowWidget<MSelectList>(kActionRow);
    if (vk != kOsdKeyEnter || action == NULL)
        return kOsdHandled;
    HTIMINGITEM item = NULL;
    int index = 0;
    switch (action->GetCurSel()) {
    case kActionNew:
        if (m_pHost != NULL)
            m_pHost->SetEditedItem(NULL);
        FocusOnly(m_nChosenRow);
        return kOsdNotHandled; // the host opens the editor
    case kActionEdit:
        FocusOnly(m_nChosenRow);
        if (!FindChosenItem(item, index) || m_pHost == NULL)
            return kOsdHandled;
        m_pHost->SetEditedItem(item);
        return kOsdNotHandled;
    case kActionDelete:
        if (FindChosenItem(item, index)) {
            Unfocus(kActionRow);
            RemoveItemAt(index);
            OnShow();
        }
        FocusOnly(m_nChosenRow);
        return kOsdHandled;
    default:
        return kOsdHandled;
    }
}
