// CSkinSlider: a trackbar of a skin, painted from a channel bitmap (the
// whole control) and a thumb bitmap drawn where the trackbar puts its thumb,
// optionally clipped to the thumb's shape. Its mouse, keys and scroll
// notifications stay the trackbar's own. Owned by the skin manager; UI thread.
#pragma once
#include "skin/SkinBitmap.h"

// The pictures of a skin's track: the channel (the whole control) and the
// thumb, with the thumb's shape when it is see-through. Shared by the skin's
// slider and range bar; UI thread.
class CSkinTrackPictures
{
public:
    CSkinTrackPictures() : m_transparent(FALSE), m_transColour(RGB(0, 255, 0)) {}

    // Both required; on failure neither is held.
    BOOL Load(const CSkinPicture& channel, const CSkinPicture& thumb, COLORREF transparent, BOOL transparentFlag);
    BOOL IsLoaded() const { return m_channel.m_hObject != NULL && m_thumb.m_hObject != NULL; }
    CSize ChannelSize() const { return m_channel.GetSize(); }
    CSize ThumbSize() const { return m_thumb.GetSize(); }
    // Off screen: the channel, the band (when given) in its colour, the thumb
    // at `thumb` (never more of it than its bitmap, clipped to its shape);
    // then one copy to the DC.
    void Draw(CDC* dc, const CRect& client, const CRect& thumb, const CRect* band = NULL, COLORREF bandColour = 0);

private:
    CSkinBitmap m_channel;
    CSkinBitmap m_thumb;
    CRgn m_region; // the thumb's shape, in the thumb bitmap's coordinates
    BOOL m_transparent;
    COLORREF m_transColour;
};

class CSkinSlider : public CSliderCtrl
{
public:
    CSkinSlider();
    ~CSkinSlider() override {}

    // Both bitmaps required.
    BOOL LoadBitmaps(UINT channelId, UINT thumbId, COLORREF transparent, BOOL transparentFlag);
    BOOL LoadBitmaps(LPCSTR channelPath, LPCSTR thumbPath, COLORREF transparent, BOOL transparentFlag);
    BOOL LoadBitmaps(const CSkinPicture& channel, const CSkinPicture& thumb, COLORREF transparent,
                     BOOL transparentFlag)
    {
        return m_pictures.Load(channel, thumb, transparent, transparentFlag);
    }
    void SetPosition(int x, int y);
    void SetPosition(POINT point) { SetPosition(point.x, point.y); }
    // Applied when the control is taken over; the flag before.
    BOOL SetHorizontal(BOOL horizontal);
    // The length the trackbar reports afterwards.
    int SetThumbLength(int length);

    // Paints the control into the DC (off screen first).
    virtual void Draw(CDC* dc);

protected:
    void PreSubclassWindow() override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    int m_x;
    int m_y;
    BOOL m_horizontal;
    CSkinTrackPictures m_pictures;
};
