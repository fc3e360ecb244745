// The standard controls: thin wrappers that speak each control's messages
// and hold no data of their own. Owner-drawn ones get their DrawItem (and
// MeasureItem, CompareItem, DeleteItem) reflected from the parent. UI thread.
#pragma once
#include "platform/mfc/Wnd.h"

class CButton : public CWnd
{
public:
    BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("BUTTON", caption, style, rect, parent, id);
    }
    int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, (WPARAM)check); }
    UINT GetState() const { return (UINT)SendMessage(BM_GETSTATE); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
    UINT GetButtonStyle() const { return (UINT)(GetStyle() & 0xFFFF); }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    HBITMAP SetBitmap(HBITMAP bitmap) { return (HBITMAP)SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap); }
    HICON SetIcon(HICON icon) { return (HICON)SendMessage(BM_SETIMAGE, IMAGE_ICON, (LPARAM)icon); }

    // Owner-drawn buttons (BS_OWNERDRAW) draw here; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis) { (void)dis; }

    DECLARE_MESSAGE_MAP()
};

class CStatic : public CWnd
{
public:
    BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF)
    {
        return CWnd::Create("STATIC", text, style, rect, parent, id);
    }
    HICON SetIcon(HICON icon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)icon); }
    HICON GetIcon() const { return (HICON)SendMessage(STM_GETICON); }
    HBITMAP SetBitmap(HBITMAP bitmap) { return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap); }
    HBITMAP GetBitmap() const { return (HBITMAP)SendMessage(STM_GETIMAGE, IMAGE_BITMAP); }

    // Owner-drawn statics (SS_OWNERDRAW) draw here.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis) { (void)dis; }

    DECLARE_MESSAGE_MAP()
};

class CEdit : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("EDIT", NULL, style, rect, parent, id);
    }
    void SetLimitText(UINT maxChars) { SendMessage(EM_LIMITTEXT, maxChars); }
    void LimitText(int maxChars = 0) { SendMessage(EM_LIMITTEXT, (WPARAM)maxChars); }
    void SetSel(int start, int end, BOOL noScroll = FALSE)
    {
        SendMessage(EM_SETSEL, (WPARAM)start, end);
        if (!noScroll)
            SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& start, int& end) const { SendMessage(EM_GETSEL, (WPARAM)&start, (LPARAM)&end); }
    void ReplaceSel(LPCSTR text, BOOL canUndo = FALSE) { SendMessage(EM_REPLACESEL, canUndo, (LPARAM)text); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) { return (BOOL)SendMessage(EM_SETREADONLY, readOnly); }
};

class CComboBox : public CWnd
{
public:
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("COMBOBOX", NULL, style, rect, parent, id);
    }
    int AddString(LPCSTR text) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)text); }
    int InsertString(int index, LPCSTR text) { return (int)SendMessage(CB_INSERTSTRING, (WPARAM)index, (LPARAM)text); }
    int DeleteString(UINT index) { return (int)SendMessage(CB_DELETESTRING, index); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)index); }
    int GetLBTextLen(int index) const { return (int)SendMessage(CB_GETLBTEXTLEN, (WPARAM)index); }
    // The item's text; empty for an index out of range.
    void GetLBText(int index, CString& text) const;
    DWORD_PTR GetItemData(int index) const { return (DWORD_PTR)SendMessage(CB_GETITEMDATA, (WPARAM)index); }
    int SetItemData(int index, DWORD_PTR data) { return (int)SendMessage(CB_SETITEMDATA, (WPARAM)index, (LPARAM)data); }
    void* GetItemDataPtr(int index) const { return (void*)GetItemData(index); }
    int SetItemDataPtr(int index, void* data) { return SetItemData(index, (DWORD_PTR)data); }
    int FindString(int start, LPCSTR text) const { return (int)SendMessage(CB_FINDSTRING, (WPARAM)start, (LPARAM)text); }
    int FindStringExact(int start, LPCSTR text) const
    {
        return (int)SendMessage(CB_FINDSTRINGEXACT, (WPARAM)start, (LPARAM)text);
    }
    int SelectString(int start, LPCSTR text) { return (int)SendMessage(CB_SELECTSTRING, (WPARAM)start, (LPARAM)text); }
    void ShowDropDown(BOOL show = TRUE) { SendMessage(CB_SHOWDROPDOWN, show); }
    BOOL GetDroppedState() const { return (BOOL)SendMessage(CB_GETDROPPEDSTATE); }
    int GetTopIndex() const { return (int)SendMessage(CB_GETTOPINDEX); }
    // index -1: the height of the closed field.
    int SetItemHeight(int index, UINT height) { return (int)SendMessage(CB_SETITEMHEIGHT, (WPARAM)index, height); }
    int GetItemHeight(int index) const { return (int)SendMessage(CB_GETITEMHEIGHT, (WPARAM)index); }

    // Owner-drawn combo boxes.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis) { (void)dis; }
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis) { (void)mis; }
    virtual int CompareItem(LPCOMPAREITEMSTRUCT cis) { (void)cis; return 0; }
    virtual void DeleteItem(LPDELETEITEMSTRUCT dis) { (void)dis; }

    DECLARE_MESSAGE_MAP()
};

class CListBox : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create("LISTBOX", NULL, style, rect, parent, id);
    }
    int AddString(LPCSTR text) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)text); }
    int InsertString(int index, LPCSTR text) { return (int)SendMessage(LB_INSERTSTRING, (WPARAM)index, (LPARAM)text); }
    int DeleteString(UINT index) { return (int)SendMessage(LB_DELETESTRING, index); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCount() const { return (int)SendMessage(LB_GETCOUNT); }
    int GetCurSel() const { return (int)SendMessage(LB_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessage(LB_SETCURSEL, (WPARAM)index); }
    int GetTextLen(int index) const { return (int)SendMessage(LB_GETTEXTLEN, (WPARAM)index); }
    // The item's text; empty for an index out of range.
    void GetText(int index, CString& text) const;
    DWORD_PTR GetItemData(int index) const { return (DWORD_PTR)SendMessage(LB_GETITEMDATA, (WPARAM)index); }
    int SetItemData(int index, DWORD_PTR data) { return (int)SendMessage(LB_SETITEMDATA, (WPARAM)index, (LPARAM)data); }
    int FindStringExact(int start, LPCSTR text) const
    {
        return (int)SendMessage(LB_FINDSTRINGEXACT, (WPARAM)start, (LPARAM)text);
    }
    int GetTopIndex() const { return (int)SendMessage(LB_GETTOPINDEX); }
    int GetItemHeight(int index) const { return (int)SendMessage(LB_GETITEMHEIGHT, (WPARAM)index); }
    int SetItemHeight(int index, UINT height) { return (int)SendMessage(LB_SETITEMHEIGHT, (WPARAM)index, height); }
    int GetItemRect(int index, LPRECT rect) const { return (int)SendMessage(LB_GETITEMRECT, (WPARAM)index, (LPARAM)rect); }

    // Owner-drawn list boxes.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis) { (void)dis; }
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis) { (void)mis; }
    virtual int CompareItem(LPCOMPAREITEMSTRUCT cis) { (void)cis; return 0; }
    virtual void DeleteItem(LPDELETEITEMSTRUCT dis) { (void)dis; }

    DECLARE_MESSAGE_MAP()
};

// The type scroll notifications carry; trackbars arrive as one too.
class CScrollBar : public CWnd
{
};
