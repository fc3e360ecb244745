#include "platform/mfc/Controls.h"

#include "platform/mfc/CommonControls.h"
#include "platform/mfc/Resource.h"

BEGIN_MESSAGE_MAP(CButton, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CStatic, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CComboBox, CWnd)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
    ON_WM_COMPAREITEM_REFLECT()
    ON_WM_DELETEITEM_REFLECT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CListBox, CWnd)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
    ON_WM_COMPAREITEM_REFLECT()
    ON_WM_DELETEITEM_REFLECT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CListCtrl, CWnd)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

namespace {

void ItemText(const CWnd* control, UINT lengthMessage, UINT textMessage, int index, CString& text)
{
    int length = (int)control->SendMessage(lengthMessage, (WPARAM)index);
    if (length < 0) {
        text.Empty();
        return;
    }
    control->SendMessage(textMessage, (WPARAM)index, (LPARAM)text.GetBufferSetLength(length));
    text.ReleaseBuffer(length);
}

} // namespace

void CComboBox::GetLBText(int index, CString& text) const
{
    ItemText(this, CB_GETLBTEXTLEN, CB_GETLBTEXT, index, text);
}

void CListBox::GetText(int index, CString& text) const
{
    ItemText(this, LB_GETTEXTLEN, LB_GETTEXT, index, text);
}

// --- common controls ------------------------------------------------------

BOOL CImageList::Attach(HIMAGELIST list)
{
    if (list == NULL)
        return FALSE;
    DeleteImageList();
    m_hImageList = list;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST list = m_hImageList;
    m_hImageList = NULL;
    return list;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == NULL)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask)
{
    return Attach(ImageList_LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(bitmapId), cx, grow,
                                       mask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind)
{
    SendMessage(LVM_SETIMAGELIST, (WPARAM)kind, (LPARAM)(list ? list->m_hImageList : NULL));
    return list;
}

int CListCtrl::InsertColumn(int column, LPCSTR heading, int format, int width, int subItem)
{
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.fmt = format;
    col.pszText = (LPSTR)heading;
    if (width != -1) {
        col.mask |= LVCF_WIDTH;
        col.cx = width;
    }
    if (subItem != -1) {
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = subItem;
    }
    return (int)SendMessage(LVM_INSERTCOLUMNA, (WPARAM)column, (LPARAM)&col);
}

int CListCtrl::InsertItem(int index, LPCSTR text, int image)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = index;
    item.pszText = (LPSTR)text;
    item.iImage = image;
    return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCSTR text)
{
    LVITEMA item = {};
    item.iSubItem = subItem;
    item.pszText = (LPSTR)text;
    return (BOOL)SendMessage(LVM_SETITEMTEXTA, (WPARAM)index, (LPARAM)&item);
}

CString CListCtrl::GetItemText(int index, int subItem) const
{
    // The view copies at most the buffer's size; grow until the text fits.
    CString text;
    for (int size = 256; size <= 65536; size *= 4) {
        LVITEMA item = {};
        item.iSubItem = subItem;
        item.cchTextMax = size;
        item.pszText = text.GetBufferSetLength(size);
        int length = (int)SendMessage(LVM_GETITEMTEXTA, (WPARAM)index, (LPARAM)&item);
        text.ReleaseBuffer(length < 0 ? 0 : length);
        if (length < size - 1)
            break;
    }
    return text;
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    item.lParam = (LPARAM)data;
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEMA item = {};
    item.stateMask = mask;
    item.state = state;
    return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)index, (LPARAM)&item);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int index = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(GetNextItem(index, LVNI_SELECTED) + 1);
    return index;
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const
{
    rect->left = (LONG)code;
    return (BOOL)SendMessage(LVM_GETITEMRECT, (WPARAM)index, (LPARAM)rect);
}

int CListCtrl::HitTest(POINT point, UINT* flags) const
{
    LVHITTESTINFO info = {};
    info.pt = point;
    int index = (int)SendMessage(LVM_HITTEST, 0, (LPARAM)&info);
    if (flags != NULL)
        *flags = info.flags;
    return index;
}

CImageList* CListCtrl::CreateDragImage(int index, LPPOINT upperLeft)
{
    HIMAGELIST list = (HIMAGELIST)SendMessage(LVM_CREATEDRAGIMAGE, (WPARAM)index, (LPARAM)upperLeft);
    if (list == NULL)
        return NULL;
    CImageList* image = new CImageList;
    image->Attach(list);
    return image;
}

DWORD CDateTimeCtrl::GetTime(CTime& time) const
{
    SYSTEMTIME st = {};
    DWORD result = GetTime(&st);
    if (result == GDT_VALID)
        time = CTime(st);
    return result;
}

BOOL CDateTimeCtrl::SetTime(const CTime& time)
{
    SYSTEMTIME st;
    return time.GetAsSystemTime(st) && SetTime(&st);
}

void CHotKeyCtrl::GetHotKey(WORD& virtualKey, WORD& modifiers) const
{
    DWORD key = (DWORD)SendMessage(HKM_GETHOTKEY);
    virtualKey = LOBYTE(LOWORD(key));
    modifiers = HIBYTE(LOWORD(key));
}

namespace {

TOOLINFOA ToolInfo(CWnd* wnd, LPCSTR text, LPCRECT rect, UINT_PTR toolId)
{
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.lpszText = (LPSTR)text;
    if (rect == NULL && toolId == 0) {
        info.hwnd = ::GetParent(wnd->m_hWnd);
        info.uFlags |= TTF_IDISHWND;
        info.uId = (UINT_PTR)wnd->m_hWnd;
    } else {
        info.hwnd = wnd->m_hWnd;
        info.uId = toolId;
        if (rect != NULL)
            info.rect = *rect;
        else
            ::GetClientRect(wnd->m_hWnd, &info.rect);
    }
    return info;
}

} // namespace

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_ALWAYSTIP | style, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : NULL, NULL);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCSTR text, LPCRECT rect, UINT_PTR toolId)
{
    if (wnd == NULL)
        return FALSE;
    TOOLINFOA info = ToolInfo(wnd, text, rect, toolId);
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&info);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, UINT textId, LPCRECT rect, UINT_PTR toolId)
{
    CString text;
    text.LoadString(textId);
    return AddTool(wnd, text, rect, toolId);
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR toolId)
{
    if (wnd == NULL)
        return;
    TOOLINFOA info = ToolInfo(wnd, NULL, NULL, toolId);
    SendMessage(TTM_DELTOOLA, 0, (LPARAM)&info);
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, CWnd* wnd, UINT_PTR toolId)
{
    if (wnd == NULL)
        return;
    TOOLINFOA info = ToolInfo(wnd, text, NULL, toolId);
    SendMessage(TTM_UPDATETIPTEXTA, 0, (LPARAM)&info);
}
