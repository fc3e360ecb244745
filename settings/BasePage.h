// CBasePage: the base of every settings page. It fixes how a page loads its
// settings (on creation and again after each successful apply), applies and
// saves them (OK and Apply through SaveSettings; a refusal keeps the sheet
// open), may refuse Cancel (CanCancel), keeps Enter and Escape inside the
// page, and sets the wizard's buttons by the page's place. Pages apply most
// changes at once through the manager and put a copy taken on loading back
// on Cancel (OnReset). The sheet borrows the page; UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"
#include "platform/mfc/PropertySheet.h"

class CTVManager;
class ISettingsPanel;

// What every page works on: the manager and the control panel's door.
struct SettingsContext
{
    CTVManager& manager;
    ISettingsPanel& panel;
};

class CBasePage : public CPropertyPage
{
public:
    CBasePage(UINT templateId, const SettingsContext& context);

    // Reads the settings into the page (base: nothing).
    virtual void LoadSettings() {}
    // Above 0 lets the sheet close by Cancel (base: 1).
    virtual int CanCancel() { return 1; }
    // Stores the page's settings; 0 refuses (the sheet stays open and
    // nothing is reloaded). The base clears the modified mark and answers
    // 1: pages call it last.
    virtual BOOL SaveSettings();

    // Whether the page sits in a wizard (its sheet carries a wizard flag).
    BOOL IsInWizard() const;

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    void OnReset() override {}
    BOOL OnSetActive() override;
    BOOL OnQueryCancel() override { return CanCancel() > 0; }

    // The sheet's Apply follows the user's edits only: the change
    // notifications that filling the controls sends (an edit's EN_CHANGE)
    // mark nothing.
    void SetModified(BOOL changed = TRUE);

protected:
    // Fills the controls from the settings (LoadSettings) or from the
    // page's members (UpdateData) without marking the page changed.
    void LoadQuietly();
    void UpdateDataQuietly();

    CTVManager& m_manager;
    ISettingsPanel& m_panel;

private:
    int m_nFilling = 0;
};
