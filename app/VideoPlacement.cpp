#include "app/VideoPlacement.h"

CSize CVideoPlacement::WindowSize(CSize client, const Frame& frame)
{
    return CSize(client.cx + 2 * frame.side, client.cy + frame.caption + frame.bottom);
}

CVideoPlacement::Places CVideoPlacement::FirstStart(const CRect& screen, CSize window, CSize panel, BOOL withPanel)
{
    Places places;
    const CPoint centred(screen.left + (screen.Width() - window.cx) / 2, screen.top + (screen.Height() - window.cy) / 2);
    places.video = CRect(centred, window);
    if (!withPanel)
        return places;
    places.video.OffsetRect(0, -panel.cy / 2);
    places.panel = CRect(CPoint(places.video.left + (window.cx - panel.cx) / 2, places.video.bottom), panel);
    return places;
}
