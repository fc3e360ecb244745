// CStoragePage: the disks recordings may go to, the space kept free on
// them, the folder made on a record disk, the minutes per record file and
// what happens at those limits. A value that cannot be used is refused with
// a message and the sheet stays open. The sheet owns the page; UI thread.
#pragma once
#include "platform/mfc/Array.h"
#include "settings/BasePage.h"
#include "skin/CheckComboBox.h"

class CStoragePage : public CBasePage
{
public:
    explicit CStoragePage(const SettingsContext& context);

    void LoadSettings() override;
    BOOL SaveSettings() override;
    BOOL OnInitDialog() override;

    // The characters a folder name cannot hold.
    static constexpr char kForbidden[] = "\\/:*?<>|";
    static constexpr int kMinReserve = 50, kMaxReserve = 50000; // MiB

    CCheckComboBox& GetDiskCombo() { return m_disks; }
    // The drop-down closed: the checked disks become the page's choice, or,
    // with none checked, the change is dropped with a message.
    void TakeCheckedDisks();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnDisksChanged();
    void OnDisksClosed() { TakeCheckedDisks(); }
    void OnModified();
    void OnRadio(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    void FillDisks();
    void CheckChosenDisks();
    void Refuse(UINT message, UINT control);

    CCheckComboBox m_disks;
    CListCtrl m_diskList;
    int m_noSpace;    // 0: stop when no disk has room
    int m_atLength;   // 0: stop at the length, 1: go on in a new file
    UINT m_reserve;
    int m_minutes;
    CString m_folder;
    CStringArray m_chosen;
    BOOL m_disksChanged;
};
