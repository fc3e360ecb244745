// CPropertyPage and CPropertySheet: a tabbed sheet of dialog pages (or a
// wizard) over the system's property sheet, its pages built on CDialog and
// its data exchange. The sheet runs modally in our own message loop around a
// modeless system sheet, so every key goes through the framework's
// pre-translation walk (a page's PreTranslateMessage sees it first) before
// the sheet's dialog navigation. The sheet owns neither its pages nor their
// objects: they are borrowed and must outlive the sheet's window.
// UI thread.
#pragma once
#include "platform/mfc/Dialog.h"

#include <commctrl.h>
#include <prsht.h>

#include <vector>

// The system sheet's own buttons, by control id.
#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW 0x3021
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#endif

class CPropertySheet;

class CPropertyPage : public CDialog
{
public:
    // `captionId` 0: the tab shows the template's caption.
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);

    // What the system sheet is given for this page; a caller may add flags
    // (PSP_*) before the page is added.
    PROPSHEETPAGEA m_psp;

    // Marks the page changed (the sheet's Apply button enables) or unchanged.
    void SetModified(BOOL changed = TRUE);
    // The sheet this page's window sits in; NULL before it is made.
    CPropertySheet* GetParentSheet() const;

    // Notifications from the sheet, as MFC pages answer them:
    // becoming the current page (FALSE: skip it), leaving it (FALSE: stay),
    // OK or Apply (FALSE: the apply fails, the sheet stays on this page),
    // Cancel (OnReset, after OnQueryCancel allowed it), the wizard buttons
    // (Back and Next: 0 the neighbour, -1 stay, or a page's template id;
    // Finish: FALSE keeps the wizard open).
    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();

    // A page ends nothing: OK and Cancel belong to the sheet. OnApply calls
    // OnOK, OnReset calls OnCancel.
    void OnOK() override;
    void OnCancel() override;
    // Keys go on to the sheet's navigation (not the page's own).
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    friend // The system sheet's own buttons, by control id.
#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW 0x3021
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#endif

class CPropertySheet;
    friend INT_PTR CALLBACK AfxPropertyPageProc(HWND, UINT, WPARAM, LPARAM);
    // Fills m_psp's fixed fields just before the system sheet sees them.
    void PrepareSheetPage();
    BOOL DispatchSheetNotify(const NMHDR* header, LRESULT* result);

    CString m_strCaption;
    UINT m_nCaptionId;
    BOOL m_bFirstSetActive;
};

class CPropertySheet : public CWnd
{
public:
    explicit CPropertySheet(UINT captionId = 0, CWnd* parent = NULL, UINT selectPage = 0);
    explicit CPropertySheet(LPCSTR caption, CWnd* parent = NULL, UINT selectPage = 0);

    // What the system sheet is given; callers may change dwFlags (PSH_*) and
    // nStartPage before DoModal. Its page fields are filled by DoModal.
    PROPSHEETHEADERA m_psh;

    // --- pages ------------------------------------------------------------
    // Adds a borrowed page (to the running sheet too).
    void AddPage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return (int)m_pages.size(); }
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(const CPropertyPage* page) const;
    // The current page: while the sheet's window lives, its selected tab;
    // before (and once it is gone) the page DoModal will open or last left on.
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const { return GetPage(GetActiveIndex()); }
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }

    // --- wizard -------------------------------------------------------------
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    BOOL IsWizard() const { return (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0; }
    // PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH, PSWIZB_DISABLEDFINISH.
    void SetWizardButtons(DWORD flags);
    void SetFinishText(LPCSTR text);

    // --- running ------------------------------------------------------------
    void SetTitle(LPCSTR text, UINT style = 0);
    // Sends the apply request to every page made so far (the current one
    // first leaves, as on OK); FALSE when a page refused.
    BOOL Apply();
    // Presses a button of the sheet (PSBTN_OK, PSBTN_CANCEL, PSBTN_FINISH...).
    void PressButton(int button);
    // Makes the sheet, disables its owner and runs the loop until OK, Cancel,
    // Finish or EndDialog; IDOK for OK and Finish, IDCANCEL for Cancel, the
    // value EndDialog gave, or -1 when the sheet cannot be made.
    virtual INT_PTR DoModal();
    // Ends the loop from outside the sheet (a page's OK or Cancel never
    // comes here); the sheet closes without applying.
    void EndDialog(int result);
    // The window the sheet opens centred over, when it shows; else the
    // owner. Either way the sheet stays whole on that window's monitor.
    void SetPlaceAround(HWND window) { m_hPlaceAround = window; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Called once the system sheet has been made, before it shows.
    virtual void OnSheetCreated() {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CWnd* m_pParentWnd;
    CString m_strCaption;

private:
    void Construct(CWnd* parent, UINT selectPage);
    HWND ModalOwner() const;
    void PlaceOnScreen(HWND owner);
    BOOL Ended() const;
    void RunModalLoop();

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_sheetPages; // handed to the system sheet
    int m_nModalResult;
    int m_nPendingResult; // what the last OK, Finish or Cancel command means
    BOOL m_bEndRequested;
    int m_nLastActive;
    HWND m_hPlaceAround = NULL;
};
