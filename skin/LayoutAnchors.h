// CLayoutAnchors: controls that follow edges of their parent's client area.
// A table names each control and the edges it keeps its distance to; the
// places the controls have when the table is taken (the template's, or the
// skin's after a skin change) are the places for that client size, and
// Layout moves them for another. The parent's Layout(client rectangle)
// calls it from its size handler. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

#include <cstddef>
#include <vector>

// The edges a control follows. Left and right together stretch it; right
// alone moves it with the right edge; centre keeps its distance to the
// middle; none keeps it where it is (as left). The same for top and bottom.
enum Anchor : UINT
{
    kAnchorNone = 0,
    kAnchorLeft = 0x01,
    kAnchorTop = 0x02,
    kAnchorRight = 0x04,
    kAnchorBottom = 0x08,
    kAnchorCentreX = 0x10,
    kAnchorCentreY = 0x20,
    kAnchorTopLeft = kAnchorLeft | kAnchorTop,
    kAnchorAll = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom,
};

struct AnchorRow
{
    int id; // the control's id in its parent
    UINT anchors;
};

// Where a control placed at `rect` for the client area `design` goes in
// `client`. A stretched side never gets narrower than nothing.
CRect AnchoredRect(const CRect& rect, const CRect& design, const CRect& client, UINT anchors);

class CLayoutAnchors
{
public:
    CLayoutAnchors() : m_parent(NULL) {}

    // Takes the places of the parent's controls named in the table for the
    // parent's client area now. Rows whose control is missing are left out
    // (a skin may lack one); answers how many were taken.
    int Capture(HWND parent, const AnchorRow* rows, size_t count);
    template <size_t N> int Capture(HWND parent, const AnchorRow (&rows)[N]) { return Capture(parent, rows, N); }
    // Moves the controls for the client area `client`, all in one step.
    void Layout(const CRect& client) const;
    int GetCount() const { return (int)m_items.size(); }

private:
    struct Item
    {
        int id;
        UINT anchors;
        CRect rect;
    };
    HWND m_parent;
    CRect m_design;
    std::vector<Item> m_items;
};
