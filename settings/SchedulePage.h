// CSchedulePage: the scheduled recordings the timing library holds, added,
// edited and deleted through the schedule dialog, and the power settings
// that go with them (shut down and power on at set times, the lead time,
// automatic logon, sleep allowed). Each row keeps its item's handle, so two
// items with the same texts are never mixed up. The sheet owns the page; UI
// thread.
#pragma once
#include "platform/timing/Timing.h"
#include "settings/BasePage.h"

class CScheduleDlg;

class CSchedulePage : public CBasePage
{
public:
    explicit CSchedulePage(const SettingsContext& context);

    void LoadSettings() override;
    BOOL SaveSettings() override;
    BOOL OnInitDialog() override;

    void AddItem();
    void EditItem();
    void DeleteItem();

    // The item a row shows (null for no row).
    HTIMINGITEM GetRowItem(int row) const;
    int GetRowCount() const;

    // The dialog the page runs: a test puts a scripted one in its place.
    typedef INT_PTR (*DialogRunner)(CScheduleDlg& dialog);
    // NULL: the modal dialog again.
    static void SetDialogRunner(DialogRunner runner);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnAdd() { AddItem(); }
    void OnEdit() { EditItem(); }
    void OnDelete() { DeleteItem(); }
    void OnListDoubleClick(NMHDR* header, LRESULT* result);
    void OnListKeyDown(NMHDR* header, LRESULT* result);
    void OnModified();
    void OnTimeChanged(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    void FillList();
    int AddRow(HTIMINGITEM item);
    int SelectedRow() const;
    // Checks the records with the library; TRUE when they may be stored
    // (tells the user of a conflict).
    BOOL MayStore(HTIMINGITEM exclude, const _tagTimingParam& timing);

    CListCtrl m_list;
    int m_enableShut;
    CTime m_shutTime;
    int m_startUpTime;
    CString m_user;
    CString m_password;
    int m_enableOpen;
    CTime m_openTime;
    int m_suspend;

    static DialogRunner s_runDialog;
};
