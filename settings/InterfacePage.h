// CInterfacePage: the control panel's skin, the hot keys of its commands
// (the panel's CAccel), and the two switches of the tray companion (start
// with Windows, start when this program ends). Skin and hot keys change at
// once through the panel; Cancel puts back the skin, the switch and the hot
// keys as they were when the page loaded. The sheet owns the page; UI thread.
#pragma once
#include "settings/BasePage.h"

#include <vector>

class CAccel;

// A copy of a hot-key table's commands and bindings, to be put back later.
class CAccelCopy
{
public:
    void Take(const CAccel& accel);
    // Empties `accel` and fills it with the copy.
    void RestoreTo(CAccel& accel) const;
    BOOL IsTaken() const { return m_taken; }

private:
    struct Item
    {
        UINT group;
        WORD id;
        CString name, description;
    };
    struct Binding
    {
        BYTE fVirt;
        WORD key, id, extra;
    };
    std::vector<CString> m_groups;
    std::vector<Item> m_items;
    std::vector<Binding> m_bindings;
    BOOL m_taken = FALSE;
};

class CInterfacePage : public CBasePage
{
public:
    explicit CInterfacePage(const SettingsContext& context);

    // The accelerator flags of a hot-key control's modifiers (Shift 1,
    // Ctrl 2, Alt 4; any other bit, such as the extended-key bit, is not a
    // modifier), with the virtual-key bit.
    static BYTE AccelFlagsFromHotKey(BYTE modifiers);

    void LoadSettings() override;
    BOOL OnInitDialog() override;
    BOOL SaveSettings() override;
    void OnReset() override;

protected:
    void OnSkinCombo();
    void OnSkinList();
    void OnCommandChosen();
    void OnAssign();
    void OnRemove();
    void OnDefaults();
    void OnStartWithWindows();
    void OnTrayOnExit();
    DECLARE_MESSAGE_MAP()

private:
    void FillCommands();
    void FillKeys();
    void ChangeSkin(const CString& name);
    // The selected command's id, or -1.
    int SelectedCommand(CString* name = nullptr) const;
    void ConfirmUncheck(UINT checkId, UINT questionId);

    CString m_strSkin;      // chosen
    CString m_strSavedSkin; // for Cancel
    BOOL m_bSavedAutoStart;
    CAccelCopy m_savedKeys; // the hot keys when the page loaded, for Cancel
};
