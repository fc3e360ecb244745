// CPropSheet: the settings sheet. It holds one object of every settings
// page, made with the sheet from the page table (SettingsPages.cpp), and is
// shown in three arrangements: all pages, one channel page, and the
// first-run wizard. Made on the stack of the command that opens it and run
// modally (RunSettingsSheet and its two siblings below). UI thread.
#pragma once
#include "settings/BasePage.h"

#include <memory>
#include <vector>

// The pages, in the order the sheet holds them.
enum class SettingsPage
{
    TVChannels,
    FMChannels,
    Device,
    Record,
    Schedule,
    Video,
    Storage,
    Interface,
    Count
};

// The arrangements the sheet is shown in, and the pages of each in order
// (before pages not built yet are left out).
enum class SheetArrangement
{
    AllPages,
    TVChannel,
    FMChannel,
    Wizard
};
std::vector<SettingsPage> GetSettingsPageOrder(SheetArrangement arrangement, BOOL cardHasFM);

// Makes one page; a page not built yet has no maker and is left out of
// every arrangement.
typedef std::unique_ptr<CBasePage> (*SettingsPageMaker)(const SettingsContext& context);
SettingsPageMaker GetSettingsPageMaker(SettingsPage page);

class CPropSheet : public CPropertySheet
{
public:
    CPropSheet(UINT captionId, CWnd* parent, UINT startPage, const SettingsContext& context);
    ~CPropSheet() override;

    // TV channels; FM channels only when the card has an FM tuner; device;
    // record; schedule; interface; video; storage.
    void AddAllPages();
    void AddChannelPage(BOOL fm);
    // Device, record, TV channels, video, as a wizard.
    void AddWizardPages();

    // The page object of a kind (NULL when that page is not built).
    CBasePage* GetSettingsPage(SettingsPage page) const;
    // The page that was active when the sheet's window went.
    int GetLastActivePage() const { return m_nLastActivePage; }

protected:
    void OnSheetCreated() override;
    LRESULT OnSetText(WPARAM, LPARAM text);
    void OnWizardFinish();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void AddSettingsPage(SettingsPage page);
    void AddArrangement(SheetArrangement arrangement);

    CTVManager& m_manager;
    CString m_strSheetCaption;
    std::unique_ptr<CBasePage> m_pages[(int)SettingsPage::Count];
    int m_nLastActivePage;
    BOOL m_bComposeTitle;
};

// The three ways the sheet opens. Each turns the panel's hot keys off while
// it runs and back on after, tells the panel which sheet is open, and
// returns the sheet's result (IDOK, IDCANCEL, or -1 when it could not open).
// All pages, caption "Settings", from `lastPage` on; `lastPage` becomes the
// page the user left the sheet on.
INT_PTR RunSettingsSheet(const SettingsContext& context, CWnd* parent, int& lastPage);
// The channel page of the source alone (FM with `fm`).
INT_PTR RunChannelSheet(const SettingsContext& context, CWnd* parent, BOOL fm);
// The first-run wizard.
INT_PTR RunSetupWizard(const SettingsContext& context, CWnd* parent);
// At a first start (the stored first-run switch set): the wizard, then the
// switch cleared and the settings written whatever the wizard's answer, so
// that it runs once. TRUE when it ran.
BOOL RunFirstStartWizard(const SettingsContext& context, CWnd* parent);
