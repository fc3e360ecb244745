// CDragListCtrl: a list view whose items the user reorders by dragging them;
// a bar marks where the item will land. Derived lists replace the drop or
// the move step. The dialog that holds it owns it; UI thread only.
#pragma once
#include "platform/mfc/CommonControls.h"

class CDragListCtrl : public CListCtrl
{
public:
    CDragListCtrl();
    ~CDragListCtrl() override;

    virtual BOOL IsValidDropIndex(int index) const { return index != -1; }
    // Report and list views move the item to `to` (an index before which it
    // goes; the item count for the end); icon views place it at the point.
    virtual void DropItem(int from, int to, CPoint point);
    // Moves the item with its texts, image, state, data and check; nothing
    // when `to` is `from` or `from` + 1.
    virtual void MoveItems(int from, int to);
    // Ends a drag in progress, moving nothing.
    void EndDrag();

    void EnableDrag(BOOL enable = TRUE) { m_dragEnabled = enable; }
    BOOL IsDragging() const { return m_dragging; }
    int GetDragIndex() const { return m_dragIndex; }
    int GetDropIndex() const { return m_dropIndex; }
    // The index a point of the client area would drop at: an item, the
    // item count below the last one, -1 outside the items' area.
    int DropIndexAt(CPoint point) const;

protected:
    void OnBeginDrag(NMHDR* header, LRESULT* result);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // The drag cursor; derived lists may load their own.
    HCURSOR m_dropCursor;
    BOOL m_ownsDropCursor;

private:
    // The client area the items show in: less the header of a report view.
    CRect ItemArea() const;
    void DrawMarker(int index);
    void EraseMarker();

    HCURSOR m_noDropCursor;
    BOOL m_dragEnabled;
    BOOL m_dragging;
    int m_dragIndex;
    int m_dropIndex;
    HCURSOR m_savedCursor;
    CImageList* m_dragImage; // owned during a drag
    CPoint m_origin;
    CPoint m_pressOffset;
    CRect m_marker;
    BOOL m_markerShown;
};
