#include "skin/DragListCtrl.h"

#include <vector>

namespace {

constexpr int kMarkerHeight = 2;

} // namespace

BEGIN_MESSAGE_MAP(CDragListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, OnBeginDrag)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CDragListCtrl::CDragListCtrl()
    : m_dropCursor(::LoadCursor(NULL, IDC_ARROW)), m_ownsDropCursor(FALSE), m_noDropCursor(::LoadCursor(NULL, IDC_NO)),
      m_dragEnabled(TRUE), m_dragging(FALSE), m_dragIndex(-1), m_dropIndex(-1), m_savedCursor(NULL),
      m_dragImage(NULL), m_markerShown(FALSE)
{
}

CDragListCtrl::~CDragListCtrl()
{
    delete m_dragImage;
    if (m_ownsDropCursor && m_dropCursor)
        ::DestroyCursor(m_dropCursor);
}

CRect CDragListCtrl::ItemArea() const
{
    CRect area;
    GetClientRect(&area);
    HWND header = (HWND)SendMessage(LVM_GETHEADER);
    if (header && ::IsWindowVisible(header)) {
        CRect r;
        ::GetWindowRect(header, &r);
        area.top += r.Height();
    }
    return area;
}

int CDragListCtrl::DropIndexAt(CPoint point) const
{
    const CRect area = ItemArea();
    if (!area.PtInRect(point))
        return -1;
    LVHITTESTINFO info = {};
    info.pt = point;
    int index = (int)SendMessage(LVM_HITTEST, 0, (LPARAM)&info);
    if (index >= 0)
        return index;
    // Below the last item: the end of the list.
    const int count = GetItemCount();
    CRect last;
    if (count > 0 && GetItemRect(count - 1, &last, LVIR_BOUNDS) && point.y >= last.bottom)
        return count;
    return count == 0 ? 0 : -1;
}

void CDragListCtrl::OnBeginDrag(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (!m_dragEnabled || m_dragging)
        return;
    const NMLISTVIEW* view = (const NMLISTVIEW*)header;
    m_dragging = TRUE;
    m_dragIndex = view->iItem;
    m_dropIndex = -1;
    CPoint itemAt;
    GetItemPosition(m_dragIndex, &itemAt);
    GetOrigin(&m_origin);
    CPoint upperLeft;
    m_dragImage = CreateDragImage(m_dragIndex, &upperLeft);
    m_pressOffset = CPoint(view->ptAction.x - itemAt.x, view->ptAction.y - itemAt.y);
    if (m_dragImage) {
        m_dragImage->BeginDrag(0, m_pressOffset);
        CPoint screen = view->ptAction;
        ClientToScreen(&screen);
        CImageList::DragEnter(NULL, screen);
    }
    m_savedCursor = ::SetCursor(m_dropCursor);
    SetCapture();
}

void CDragListCtrl::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_dragging) {
        CListCtrl::OnMouseMove(flags, point);
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    if (m_dragImage)
        CImageList::DragMove(screen);
    const int index = DropIndexAt(point);
    if (index != -1 && IsValidDropIndex(index)) {
        m_dropIndex = index;
        if (m_dragImage)
            CImageList::DragShowNolock(FALSE);
        DrawMarker(index);
        if (m_dragImage)
            CImageList::DragShowNolock(TRUE);
        ::SetCursor(m_dropCursor);
        return;
    }
    m_dropIndex = -1;
    EraseMarker();
    // Outside the items: scroll towards the point.
    const CRect area = ItemArea();
    CSize scroll(0, 0);
    if (point.x < area.left)
        scroll.cx = point.x - area.left;
    else if (point.x >= area.right)
        scroll.cx = point.x - area.right + 1;
    if (point.y < area.top)
        scroll.cy = point.y - area.top;
    else if (point.y >= area.bottom)
        scroll.cy = point.y - area.bottom + 1;
    if (scroll.cx || scroll.cy)
        Scroll(scroll);
    ::SetCursor(m_noDropCursor);
}

void CDragListCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_dragging) {
        CListCtrl::OnLButtonUp(flags, point);
        return;
    }
    const int from = m_dragIndex, to = m_dropIndex;
    EndDrag();
    if (from != -1 && to != -1)
        DropItem(from, to, point);
}

void CDragListCtrl::DropItem(int from, int to, CPoint point)
{
    if (to == from || to == from + 1)
        return;
    const DWORD view = GetStyle() & LVS_TYPEMASK;
    if (view == LVS_REPORT || view == LVS_LIST) {
        MoveItems(from, to);
        return;
    }
    CPoint at(point.x - m_pressOffset.x + m_origin.x, point.y - m_pressOffset.y + m_origin.y);
    SetItemPosition(from, at);
}

void CDragListCtrl::MoveItems(int from, int to)
{
    const int count = GetItemCount();
    if (from < 0 || from >= count || to < 0 || to > count || to == from || to == from + 1)
        return;
    const int top = GetTopIndex();
    CPoint topBefore;
    GetItemPosition(top, &topBefore);

    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_STATE | LVIF_PARAM | LVIF_INDENT;
    item.iItem = from;
    item.stateMask = (UINT)-1;
    GetItem(&item);
    const BOOL checked = GetCheck(from);
    HWND header = (HWND)SendMessage(LVM_GETHEADER);
    const int columns = header ? (int)::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0) : 1;
    std::vector<CString> texts;
    for (int c = 0; c < (columns > 0 ? columns : 1); ++c)
        texts.push_back(GetItemText(from, c));

    // The row's data belongs to the caller: taken out and put back as it is.
    DeleteItem(from);
    const int at = to > from ? to - 1 : to;
    LVITEMA insert = item;
    insert.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_INDENT;
    insert.iItem = at;
    insert.iSubItem = 0;
    insert.pszText = (LPSTR)(LPCSTR)texts[0];
    const int placed = InsertItem(&insert);
    if (placed < 0)
        return;
    for (size_t c = 1; c < texts.size(); ++c)
        SetItemText(placed, (int)c, texts[c]);
    SetItemState(placed, item.state & ~LVIS_STATEIMAGEMASK, (UINT)-1 & ~LVIS_STATEIMAGEMASK);
    SetCheck(placed, checked);

    const int newTop = GetTopIndex();
    if (newTop != top) {
        CPoint topAfter;
        GetItemPosition(newTop, &topAfter);
        Scroll(CSize(0, topBefore.y - topAfter.y));
    }
}

void CDragListCtrl::DrawMarker(int index)
{
    const int count = GetItemCount();
    CRect client;
    GetClientRect(&client);
    CRect bar(client.left, 0, client.right, kMarkerHeight);
    CRect item;
    if (count > 0 && index < count && GetItemRect(index, &item, LVIR_BOUNDS))
        bar.OffsetRect(0, item.top);
    else if (count > 0 && GetItemRect(count - 1, &item, LVIR_BOUNDS))
        bar.OffsetRect(0, item.bottom - kMarkerHeight);
    else
        bar.OffsetRect(0, ItemArea().top);
    if (m_markerShown && bar == m_marker)
        return;
    EraseMarker();
    CClientDC dc(this);
    dc.InvertRect(&bar);
    m_marker = bar;
    m_markerShown = TRUE;
}

void CDragListCtrl::EraseMarker()
{
    if (!m_markerShown)
        return;
    CClientDC dc(this);
    dc.InvertRect(&m_marker);
    m_markerShown = FALSE;
}

void CDragListCtrl::EndDrag()
{
    if (!m_dragging)
        return;
    m_dragging = FALSE;
    if (m_dragImage) {
        CImageList::DragLeave(NULL);
        CImageList::EndDrag();
        delete m_dragImage;
        m_dragImage = NULL;
    }
    m_dragIndex = m_dropIndex = -1;
    EraseMarker();
    ::SetCursor(m_savedCursor ? m_savedCursor : ::LoadCursor(NULL, IDC_ARROW));
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Invalidate();
}

void CDragListCtrl::OnDestroy()
{
    EndDrag();
    CListCtrl::OnDestroy();
}
