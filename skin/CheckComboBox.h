// CCheckComboBox: a drop-down list whose items carry check boxes; the closed
// field shows the checked items joined by the user's list separator, and a
// click in the open list toggles an item without closing it. Each item's
// check is its item data. The dialog that holds it owns it; only one check
// combo's list is open at a time (one program-wide slot). UI thread only.
#pragma once
#include "platform/mfc/AfxWin.h"

class CCheckComboBox : public CComboBox
{
public:
    CCheckComboBox();
    ~CCheckComboBox() override;

    // A drop-down list, owner-drawn with variable height and strings,
    // whatever `style` says of those.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) override;

    // The combo's answer to setting the item data (CB_ERR for a bad index).
    int SetCheck(int index, BOOL check);
    BOOL GetCheck(int index) const;
    void SelectAll(BOOL check = TRUE);

    // The text of the closed field.
    CString GetDisplayText();

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;

    // At most this many characters of the locale's list separator.
    static constexpr int kMaxSeparator = 10;
    // The list separator in use, trimmed and followed by one blank.
    static CString ListSeparator();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDropDown();
    DECLARE_MESSAGE_MAP()

private:
    static LRESULT CALLBACK ListWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void TakeOverList();
    // Inverts the item's check and tells the parent, as a selection change.
    void Toggle(int index);
    int ItemHeight();

    HWND m_hListBox;
    CString m_displayText;
    BOOL m_textValid;
    BOOL m_itemHeightSet;
};
