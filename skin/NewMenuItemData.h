// CNewMenuItemData: the record behind one owner-drawn menu item (its text,
// flags, command and image), owned by its CNewMenu and handed to the system
// as the item's data. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CNewMenuIcons;

// Extra flags of a titled separator.
const DWORD MFT_TITLE_SEPARATOR = 0x0001; // the separator shows a title
const DWORD MFT_TITLE_VERTICAL = 0x0002;  // the title runs vertically
const DWORD MFT_TITLE_WIDE = 0x0010;      // the title gets 8 more pixels
// Item text drawn bold.
const UINT MF_BOLD_TEXT = 0x0020;

class CNewMenuItemData : public CObject
{
public:
    CNewMenuItemData();
    ~CNewMenuItemData() override;
    CNewMenuItemData(const CNewMenuItemData&) = delete;
    CNewMenuItemData& operator=(const CNewMenuItemData&) = delete;

    // Takes a reference to `icons` (may be NULL) and lets the old set go.
    void SetIcons(CNewMenuIcons* icons, int index);
    BOOL IsSeparator() const { return (m_nFlags & MF_SEPARATOR) != 0; }
    BOOL IsPopup() const { return (m_nFlags & MF_POPUP) != 0; }
    BOOL IsTitle() const { return IsSeparator() && (m_nTitleFlags & MFT_TITLE_SEPARATOR) != 0; }
    // The text before the tab, and the accelerator after it.
    CString GetLabel() const;
    CString GetShortcut() const;
    // "MenuItem: " and the text.
    CString Dump() const;

    CString m_szMenuText;
    DWORD m_nTitleFlags;
    UINT m_nFlags;             // MF_ flags, always with MF_OWNERDRAW
    UINT_PTR m_nID;            // the command, or the submenu's handle
    CNewMenuIcons* m_pMenuIcon; // counted reference, or NULL
    int m_nMenuIconOffset;     // index in m_pMenuIcon, -1 for none
    DWORD m_nSyncFlag;         // set while the menu is converted
};
