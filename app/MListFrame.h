// MListFrame: the on-screen menu's schedule list: the scheduled TV
// recordings of the timing library, five to a page, and an action row
// (new, edit, delete) that acts on the chosen list row. New and edit open
// the schedule editor, its only sub-panel. Owned by the menu's host; UI
// thread.
#pragma once
#include "app/MFrame.h"
#include "platform/timing/Timing.h"

#include <vector>

class MListFrame : public MFrame
{
public:
    static constexpr int kRowsPerPage = 5;
    static constexpr int kActionRow = kRowsPerPage;
    enum Action { kActionNew, kActionEdit, kActionDelete };

    // One scheduled TV recording: its place in the library's order, its
    // handle and its timing.
    struct ListedItem
    {
        int index;
        HTIMINGITEM item;
        _tagTimingParam timing;
    };
    // The library's TV items in its order.
    static std::vector<ListedItem> ListTVItems();
    // The start of a timing record as "YYYY-MM-DD  HH:MM:SS".
    static CString FormatStart(const _tagTimingParam& timing);

    MListFrame();

    void OnHide() override;
    void OnShow() override;
    // The editor, whatever row has the focus (only new and edit open it).
    MFrame* GetCurrentSubFrame() override { return GetSubFrame(0); }
    int OnRowKey(UINT vk, LPARAM lParam) override;
    void BuildRows() override;
    // Focuses the row and leaves the chosen list row highlighted.
    int SetFocusRow(int index) override;
    int FocusPrevRow() override;
    int FocusNextRow() override;
    BOOL Create(const RECT& rect, CWnd* parent, UINT id) override;

    // Fills the five list rows from the TV item at `first` of the list on.
    void ShowPage(int first);
    // Removes the item at `index` of the library's order; nothing at or
    // past the end.
    void RemoveItemAt(int index);
    void PrevPage();
    void NextPage();

    int GetPage() const { return m_nPage; }
    int GetPageCount() const { return m_nPageCount; }
    int GetChosenRow() const { return m_nChosenRow; }
    // The item a list row shows; none for an empty row.
    HTIMINGITEM GetRowItem(int row) const;

private:
    // The focus on one row alone.
    void FocusOnly(int index);
    void Unfocus(int index);
    // The chosen row's item when the library still holds it, and its index.
    BOOL FindChosenItem(HTIMINGITEM& item, int& index) const;
    int ActionKey(UINT vk);

    int m_nChosenRow;
    int m_nCount;
    int m_nPage;
    int m_nPageCount;
    std::vector<ListedItem> m_items;   // the TV items, as of the last show
    std::vector<ListedItem> m_rowItems; // the items the list rows show, in row order
};
