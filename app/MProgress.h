// MProgress: an on-screen menu bar whose fill shows where its position
// stands in its range; the picture values, the JPEG quality, the noise
// reduction strength and the scan's progress. Owned by its row; UI thread.
#pragma once
#include "app/MRangeWnd.h"

class MProgress : public MRangeWnd
{
public:
    MProgress();

    void Draw(CDC* dc) override;
    BOOL LoadBitmaps(UINT backgroundId, UINT fillId) { return LoadRangeBitmaps(backgroundId, fillId); }
    // The fill's width in a client area `width` wide.
    int FillWidth(int width) const { return GetPercent() * width / 100; }
};
