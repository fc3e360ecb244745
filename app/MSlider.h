// MSlider: an on-screen menu slider, a thumb over a track at its position's
// place in the range; the channel panel's fine tuning. Owned by its row; UI
// thread.
#pragma once
#include "app/MRangeWnd.h"

class MSlider : public MRangeWnd
{
public:
    MSlider();

    void Draw(CDC* dc) override;
    // The step is taken only when it is not more than half the range;
    // the previous step either way.
    int SetStep(int step);
    // The track, the widget sized to it, and the thumb, whose width it takes.
    BOOL LoadBitmaps(UINT trackId, UINT thumbId);
    // The thumb's left edge in a client area `width` wide: the whole thumb
    // stays on the track, its middle at the middle for the middle position.
    int ThumbLeft(int width) const
    {
        const int travel = width > m_nThumbWidth ? width - m_nThumbWidth : 0;
        return GetPercent() * travel / 100;
    }
    int GetThumbWidth() const { return m_nThumbWidth; }
    // Where the position's number goes in a client area `width` wide and
    // `height` high: the wider part of the track beside the thumb, so that
    // the thumb never covers a digit.
    CRect PositionRect(int width, int height) const;

private:
    int m_nThumbWidth;
};
