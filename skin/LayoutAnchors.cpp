#include "skin/LayoutAnchors.h"

#include <algorithm>

namespace {

// One axis: [low, high) of a control in a design span [from, to) moved to
// the span [newFrom, newTo).
void AnchorAxis(LONG& low, LONG& high, LONG from, LONG to, LONG newFrom, LONG newTo, BOOL nearEdge, BOOL farEdge,
                BOOL centre)
{
    const LONG size = high - low;
    if (centre) {
        // The middle moves by half of what the span moved by on both ends.
        const LONG shift = ((newFrom + newTo) - (from + to)) / 2;
        low += shift;
        high += shift;
    } else if (farEdge && nearEdge) {
        low += newFrom - from;
        high = std::max(low, high + (newTo - to));
    } else if (farEdge) {
        low = newTo - (to - low);
        high = low + size;
    } else {
        low += newFrom - from;
        high = low + size;
    }
}

} // namespace

CRect AnchoredRect(const CRect& rect, const CRect& design, const CRect& client, UINT anchors)
{
    CRect out = rect;
    AnchorAxis(out.left, out.right, design.left, design.right, client.left, client.right, (anchors & kAnchorLeft) != 0,
               (anchors & kAnchorRight) != 0, (anchors & kAnchorCentreX) != 0);
    AnchorAxis(out.top, out.bottom, design.top, design.bottom, client.top, client.bottom, (anchors & kAnchorTop) != 0,
               (anchors & kAnchorBottom) != 0, (anchors & kAnchorCentreY) != 0);
    return out;
}

int CLayoutAnchors::Capture(HWND parent, const AnchorRow* rows, size_t count)
{
    m_parent = parent;
    m_items.clear();
    m_design.SetRectEmpty();
    if (parent == NULL || !::IsWindow(parent))
        return 0;
    ::GetClientRect(parent, &m_design);
    for (size_t i = 0; i < count; ++i) {
        HWND control = ::GetDlgItem(parent, rows[i].id);
        if (control == NULL)
            continue;
        CRect rect;
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&rect), 2);
        m_items.push_back(Item{rows[i].id, rows[i].anchors, rect});
    }
    return (int)m_items.size();
}

void CLayoutAnchors::Layout(const CRect& client) const
{
    if (m_items.empty() || !::IsWindow(m_parent))
        return;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    // All in one step; should the system run short, one at a time.
    HDWP defer = ::BeginDeferWindowPos((int)m_items.size());
    for (const Item& item : m_items) {
        HWND control = ::GetDlgItem(m_parent, item.id);
        if (control == NULL || defer == NULL)
            continue;
        const CRect rect = AnchoredRect(item.rect, m_design, client, item.anchors);
        defer = ::DeferWindowPos(defer, control, NULL, rect.left, rect.top, rect.Width(), rect.Height(), flags);
    }
    if (defer != NULL && ::EndDeferWindowPos(defer))
        return;
    for (const Item& item : m_items) {
        if (HWND control = ::GetDlgItem(m_parent, item.id)) {
            const CRect rect = AnchoredRect(item.rect, m_design, client, item.anchors);
            ::SetWindowPos(control, NULL, rect.left, rect.top, rect.Width(), rect.Height(), flags);
        }
    }
}
