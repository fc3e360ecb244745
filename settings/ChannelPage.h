// CChannelPage: one channel table, TV or FM, edited in place: rename,
// retune and fine-tune, favourites, delete, add, reorder by dragging, sort
// the list, scan, import and export; the TV page also sets the country, its
// channel table and the scan mode. The page edits the manager's live table
// and keeps a copy for Cancel. While it is the sheet's active page it hears
// of a running scan from the manager and lists the channels found at once.
// The sheet owns the page; UI thread.
#pragma once
#include "platform/mfc/CommonControls.h"
#include "settings/BasePage.h"
#include "settings/ChannelListCtrl.h"

#include "engine/ChannelTable.h"
#include "engine/ScanListener.h"
#include "skin/NewMenu.h"

class CChannelPage : public CBasePage, public IScanListener
{
public:
    CChannelPage(const SettingsContext& context, BOOL fm);
    ~CChannelPage() override;

    void LoadSettings() override;
    BOOL SaveSettings() override;
    BOOL OnInitDialog() override;
    void OnReset() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Frequency text and controls both ways (the text is MHz, the value kHz).
    virtual BOOL UpdateFrequencyData(BOOL saveAndValidate);

    BOOL IsFM() const { return m_bFM; }
    CChannelListCtrl& GetList() { return m_list; }
    CChannel* GetSelectedChannel() const { return m_pSelected; }
    const CChannelTable& GetBackup() const { return m_backup; }

    // A scan's channels, its progress and its end, told by the manager
    // while the page is active: a found channel of this page's table gets
    // its row at once; at the end the list is filled again.
    void OnScanChannelFound(const CChannel& channel) override;
    void OnScanProgress(int) override {}
    void OnScanFinished() override;
    // The active channel page (NULL when none).
    static CChannelPage* GetOpenPage() { return s_openPage; }

    // The steps behind the page's buttons and menu, for its controls and tests.
    void SelectChannel(CChannel* channel);
    void RenameSelected();
    void ToggleFavourite();
    void DeleteSelected();
    BOOL SetSelectedFrequency(); // from the frequency text
    void AddNewChannel();
    void MoveChannel(int fromRow, int toRow);
    void SortBy(int column);
    BOOL ExportTo(LPCSTR path);
    BOOL ImportFrom(LPCSTR path);
    void ShowContextMenu(CPoint screen);
    void StartOrStopScan();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnRename() { RenameSelected(); }
    void OnFavourite() { ToggleFavourite(); }
    void OnDelete() { DeleteSelected(); }
    void OnSetFrequency() { SetSelectedFrequency(); }
    void OnScan() { StartOrStopScan(); }
    void OnModeChanged(UINT id);
    void OnChecksChanged();
    void OnCountryChanged();
    void OnTableChanged();
    void OnNewChannel() { AddNewChannel(); }
    void OnExport();
    void OnImport();
    void OnHScroll(UINT code, UINT position, CScrollBar* bar);
    void OnListItemChanged(NMHDR* header, LRESULT* result);
    void OnListKeyDown(NMHDR* header, LRESULT* result);
    void OnListDoubleClick(NMHDR* header, LRESULT* result);
    void OnListColumnClick(NMHDR* header, LRESULT* result);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    BOOL IsCurrentBand() const;
    BOOL IsScanning() const;
    void FillList();
    int AddRow(CChannel* channel);
    void WriteRow(int row);
    void RenumberRows();
    int RowOf(const CChannel* channel) const;
    void SelectRow(int row);
    void UpdateButtons();
    void UpdateFavourModeCheck();
    void FillCountries();
    void FillTables(int countryCode);
    void ApplyCountrySettings();
    void ShowFrequency(long kHz);
    // After channels were deleted or replaced: the selection, the table's
    // current channel and the panel's lists point at live channels again.
    void ResolvePointers();
    CString Filter() const;
    // The page is the open one, and hears of scans, while it is active.
    void Open();
    void Close();

    BOOL m_bFM;
    CSliderCtrl m_fineTune;
    CChannelListCtrl m_list;
    CString m_strFrequency;
    CString m_strName;
    long m_lFrequency;
    int m_favorMode;
    int m_keepPrevious;
    int m_scanMode;
    CComboBox m_country;
    CComboBox m_tableCombo;
    CImageList m_images;
    CNewMenu m_menu;
    long m_center;
    CChannel* m_pSelected;    // in the live table
    CChannelTable* m_pTable;  // the manager's
    CChannelTable m_backup;
    int m_savedCountry;
    int m_savedScanMode;
    CString m_savedTableName;
    BOOL m_sortAscending;
    int m_sortColumn;
    BOOL m_bListSettled; // 0 while a sort or a started scan refills the list

    static CChannelPage* s_openPage;
};
