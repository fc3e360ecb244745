// The common controls: list view, header, trackbar, spin button, date-time
// picker, hot key, tool tip, and the image list they draw from. Thin
// wrappers over each control's messages. UI thread.
#pragma once
#include "platform/mfc/Position.h"
#include "platform/mfc/Time.h"
#include "platform/mfc/Wnd.h"

#include <commctrl.h>

class CImageList : public CObject
{
public:
    CImageList() : m_hImageList(NULL) {}
    ~CImageList() override { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        return Attach(ImageList_Create(cx, cy, flags, initial, grow));
    }
    // A strip of images from a bitmap resource of the current resource handle.
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    int Add(CBitmap* image, COLORREF mask) { return ImageList_AddMasked(m_hImageList, *image, mask); }
    int Add(CBitmap* image, CBitmap* mask) { return ImageList_Add(m_hImageList, *image, mask ? (HBITMAP)*mask : NULL); }
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    BOOL Replace(int index, CBitmap* image, CBitmap* mask)
    {
        return ImageList_Replace(m_hImageList, index, *image, mask ? (HBITMAP)*mask : NULL);
    }
    BOOL Remove(int index) { return ImageList_Remove(m_hImageList, index); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL GetImageInfo(int index, IMAGEINFO* info) const { return ImageList_GetImageInfo(m_hImageList, index, info); }
    BOOL GetIconSize(int& cx, int& cy) const { return ImageList_GetIconSize(m_hImageList, &cx, &cy); }
    HICON ExtractIcon(int index) { return ImageList_ExtractIcon(NULL, m_hImageList, index); }
    COLORREF SetBkColor(COLORREF color) { return ImageList_SetBkColor(m_hImageList, color); }
    BOOL Draw(CDC* dc, int index, POINT at, UINT style) { return ImageList_Draw(m_hImageList, index, *dc, at.x, at.y, style); }

    // Drag images (one at a time for the thread).
    BOOL BeginDrag(int index, CPoint hotSpot) { return ImageList_BeginDrag(m_hImageList, index, hotSpot.x, hotSpot.y); }
    static BOOL DragEnter(CWnd* lock, CPoint point) { return ImageList_DragEnter(lock ? lock->m_hWnd : NULL, point.x, point.y); }
    static BOOL DragMove(CPoint point) { return ImageList_DragMove(point.x, point.y); }
    static BOOL DragLeave(CWnd* lock) { return ImageList_DragLeave(lock ? lock->m_hWnd : NULL); }
    static BOOL DragShowNolock(BOOL show) { return ImageList_DragShowNolock(show); }
    static void EndDrag() { ImageList_EndDrag(); }
};

class CHeaderCtrl : public CWnd
{
public:
    int GetItemCount() const { return (int)SendMessage(HDM_GETITEMCOUNT); }
    BOOL GetItemRect(int index, LPRECT rect) const { return (BOOL)SendMessage(HDM_GETITEMRECT, (WPARAM)index, (LPARAM)rect); }
};

class CListCtrl : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(WC_LISTVIEWA, NULL, style, rect, parent, id);
    }
    DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
    DWORD SetExtendedStyle(DWORD style) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }
    CImageList* SetImageList(CImageList* list, int kind);
    HIMAGELIST GetImageList(int kind) const { return (HIMAGELIST)SendMessage(LVM_GETIMAGELIST, (WPARAM)kind); }
    CHeaderCtrl* GetHeaderCtrl() const { return (CHeaderCtrl*)CWnd::FromHandle((HWND)SendMessage(LVM_GETHEADER)); }

    int InsertColumn(int column, LPCSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int column) { return (BOOL)SendMessage(LVM_DELETECOLUMN, (WPARAM)column); }
    int GetColumnWidth(int column) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, (WPARAM)column); }
    BOOL SetColumnWidth(int column, int width) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, (WPARAM)column, width); }

    int InsertItem(const LVITEMA* item) { return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)item); }
    int InsertItem(int index, LPCSTR text, int image = -1);
    BOOL DeleteItem(int index) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)index); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    BOOL GetItem(LVITEMA* item) const { return (BOOL)SendMessage(LVM_GETITEMA, 0, (LPARAM)item); }
    BOOL SetItem(const LVITEMA* item) { return (BOOL)SendMessage(LVM_SETITEMA, 0, (LPARAM)item); }
    BOOL SetItemText(int index, int subItem, LPCSTR text);
    CString GetItemText(int index, int subItem) const;
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    UINT GetItemState(int index, UINT mask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)index, mask); }
    BOOL SetItemState(int index, UINT state, UINT mask);
    BOOL GetCheck(int index) const { return (GetItemState(index, LVIS_STATEIMAGEMASK) >> 12) == 2; }
    BOOL SetCheck(int index, BOOL check = TRUE) { return SetItemState(index, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK); }
    int GetNextItem(int start, int flags) const { return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)start, flags); }
    // Selected items: a position is the item index + 1, NULL after the last.
    POSITION GetFirstSelectedItemPosition() const { return (POSITION)(INT_PTR)(GetNextItem(-1, LVNI_SELECTED) + 1); }
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const { return (int)SendMessage(LVM_GETSELECTIONMARK); }
    int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX); }
    int GetCountPerPage() const { return (int)SendMessage(LVM_GETCOUNTPERPAGE); }
    BOOL EnsureVisible(int index, BOOL partialOk) { return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)index, partialOk); }
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
    BOOL GetItemPosition(int index, LPPOINT point) const { return (BOOL)SendMessage(LVM_GETITEMPOSITION, (WPARAM)index, (LPARAM)point); }
    BOOL SetItemPosition(int index, POINT point) { return (BOOL)SendMessage(LVM_SETITEMPOSITION32, (WPARAM)index, (LPARAM)&point); }
    BOOL GetOrigin(LPPOINT point) const { return (BOOL)SendMessage(LVM_GETORIGIN, 0, (LPARAM)point); }
    int HitTest(POINT point, UINT* flags = NULL) const;
    BOOL Scroll(CSize size) { return (BOOL)SendMessage(LVM_SCROLL, (WPARAM)size.cx, size.cy); }
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data) { return (BOOL)SendMessage(LVM_SORTITEMS, data, (LPARAM)compare); }
    BOOL RedrawItems(int first, int last) { return (BOOL)SendMessage(LVM_REDRAWITEMS, (WPARAM)first, last); }
    BOOL Update(int index) { return (BOOL)SendMessage(LVM_UPDATE, (WPARAM)index); }
    int SetHotItem(int index) { return (int)SendMessage(LVM_SETHOTITEM, (WPARAM)index); }
    // A new image list the caller owns; NULL when the view cannot make one.
    CImageList* CreateDragImage(int index, LPPOINT upperLeft);

    // Owner-drawn report views (LVS_OWNERDRAWFIXED).
    virtual void DrawItem(LPDRAWITEMSTRUCT dis) { (void)dis; }

    DECLARE_MESSAGE_MAP()
};

class CSliderCtrl : public CWnd
{
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CWnd::Create(TRACKBAR_CLASSA, NULL, style, rect, parent, id);
    }
    int GetRangeMin() const { return (int)SendMessage(TBM_GETRANGEMIN); }
    int GetRangeMax() const { return (int)SendMessage(TBM_GETRANGEMAX); }
    void GetRange(int& minimum, int& maximum) const { minimum = GetRangeMin(); maximum = GetRangeMax(); }
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE)
    {
        SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
        SendMessage(TBM_SETRANGEMAX, redraw, maximum);
    }
    void SetRangeMin(int minimum, BOOL redraw = FALSE) { SendMessage(TBM_SETRANGEMIN, redraw, minimum); }
    void SetRangeMax(int maximum, BOOL redraw = FALSE) { SendMessage(TBM_SETRANGEMAX, redraw, maximum); }
    int GetPos() const { return (int)SendMessage(TBM_GETPOS); }
    void SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }
    int GetPageSize() const { return (int)SendMessage(TBM_GETPAGESIZE); }
    int SetPageSize(int size) { return (int)SendMessage(TBM_SETPAGESIZE, 0, size); }
    int GetLineSize() const { return (int)SendMessage(TBM_GETLINESIZE); }
    int SetLineSize(int size) { return (int)SendMessage(TBM_SETLINESIZE, 0, size); }
    void GetThumbRect(LPRECT rect) const { SendMessage(TBM_GETTHUMBRECT, 0, (LPARAM)rect); }
    void GetChannelRect(LPRECT rect) const { SendMessage(TBM_GETCHANNELRECT, 0, (LPARAM)rect); }
    // Takes effect with the fixed-length-thumb style (TBS_FIXEDLENGTH).
    void SetThumbLength(int length) { SendMessage(TBM_SETTHUMBLENGTH, (WPARAM)length); }
    int GetThumbLength() const { return (int)SendMessage(TBM_GETTHUMBLENGTH); }
    void SetTicFreq(int frequency) { SendMessage(TBM_SETTICFREQ, (WPARAM)frequency); }
    void ClearTics(BOOL redraw = FALSE) { SendMessage(TBM_CLEARTICS, redraw); }
};

class CSpinButtonCtrl : public CWnd
{
public:
    void SetRange(int lower, int upper) { SendMessage(UDM_SETRANGE32, (WPARAM)lower, upper); }
    void GetRange(int& lower, int& upper) const { SendMessage(UDM_GETRANGE32, (WPARAM)&lower, (LPARAM)&upper); }
    int SetPos(int position) { return (int)SendMessage(UDM_SETPOS32, 0, position); }
    int GetPos() const { return (int)SendMessage(UDM_GETPOS32); }
    CWnd* SetBuddy(CWnd* buddy) { return CWnd::FromHandle((HWND)SendMessage(UDM_SETBUDDY, (WPARAM)buddy->m_hWnd)); }
    CWnd* GetBuddy() const { return CWnd::FromHandle((HWND)SendMessage(UDM_GETBUDDY)); }
};

class CDateTimeCtrl : public CWnd
{
public:
    // GDT_VALID with the time, or GDT_NONE (the picker shows no time).
    DWORD GetTime(CTime& time) const;
    DWORD GetTime(SYSTEMTIME* time) const { return (DWORD)SendMessage(DTM_GETSYSTEMTIME, 0, (LPARAM)time); }
    BOOL SetTime(const CTime& time);
    BOOL SetTime(const SYSTEMTIME* time) { return (BOOL)SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)time); }
    BOOL SetFormat(LPCSTR format) { return (BOOL)SendMessage(DTM_SETFORMATA, 0, (LPARAM)format); }
};

class CHotKeyCtrl : public CWnd
{
public:
    // The virtual key and its HOTKEYF_ modifiers (Shift 1, Ctrl 2, Alt 4).
    void GetHotKey(WORD& virtualKey, WORD& modifiers) const;
    void SetHotKey(WORD virtualKey, WORD modifiers) { SendMessage(HKM_SETHOTKEY, MAKEWORD(virtualKey, modifiers)); }
    void SetRules(WORD invalid, WORD modifiers) { SendMessage(HKM_SETRULES, invalid, modifiers); }
};

class CToolTipCtrl : public CWnd
{
public:
    // A tool tip owned by `parent`'s window.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // A tip for `wnd` as a whole (no rectangle and no id) or for a rectangle
    // of it under `toolId`; the tool tip watches the window's mouse itself.
    BOOL AddTool(CWnd* wnd, LPCSTR text, LPCRECT rect = NULL, UINT_PTR toolId = 0);
    // The text is a string of the current resource handle.
    BOOL AddTool(CWnd* wnd, UINT textId, LPCRECT rect = NULL, UINT_PTR toolId = 0);
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
    void UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR toolId = 0);
    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)msg); }
    int SetMaxTipWidth(int width) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, width); }
    void SetDelayTime(UINT which, int milliseconds) { SendMessage(TTM_SETDELAYTIME, which, milliseconds); }
    int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
};
