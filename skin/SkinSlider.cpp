#include "skin/SkinSlider.h"

#include "skin/SkinShare.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CSkinSlider, CSliderCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CSkinTrackPictures::Load(const CSkinPicture& channel, const CSkinPicture& thumb, COLORREF transparent,
                              BOOL transparentFlag)
{
    m_region.DeleteObject();
    if (!channel.LoadInto(m_channel) || !thumb.LoadInto(m_thumb)) {
        m_channel.DeleteObject();
        m_thumb.DeleteObject();
        return FALSE;
    }
    m_transparent = transparentFlag;
    m_transColour = transparent;
    if (m_transparent)
        CSkinShare::BitmapToRegion(m_region, &m_thumb, m_transColour);
    return TRUE;
}

void CSkinTrackPictures::Draw(CDC* dc, const CRect& client, const CRect& thumb, const CRect* band,
                              COLORREF bandColour)
{
    if (dc == NULL || !IsLoaded())
        return;
    CDC memory;
    CBitmap picture;
    if (!memory.CreateCompatibleDC(dc) || !picture.CreateCompatibleBitmap(dc, client.Width(), client.Height()))
        return;
    CDCSelect select(memory, picture);
    m_channel.DrawAt(&memory, 0, 0);
    if (band != NULL)
        memory.FillSolidRect(band, bandColour);
    CRgn clip;
    if (m_region.m_hObject != NULL && clip.CreateRectRgn(0, 0, 0, 0) && clip.CopyRgn(&m_region) != ERROR) {
        // The shape follows the thumb along and across the track alike.
        clip.OffsetRgn(thumb.TopLeft());
        memory.SelectClipRgn(&clip);
    }
    // Never more than the bitmap: the trackbar's thumb may be larger.
    const CSize own = m_thumb.GetSize();
    m_thumb.Draw(&memory, CRect(thumb.TopLeft(), CSize(std::min(thumb.Width(), (int)own.cx),
                                                       std::min(thumb.Height(), (int)own.cy))));
    memory.SelectClipRgn(NULL);
    dc->BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
}

CSkinSlider::CSkinSlider() : m_x(0), m_y(0), m_horizontal(TRUE) {}

BOOL CSkinSlider::LoadBitmaps(UINT channelId, UINT thumbId, COLORREF transparent, BOOL transparentFlag)
{
    return LoadBitmaps(CSkinPicture(channelId), CSkinPicture(thumbId), transparent, transparentFlag);
}

BOOL CSkinSlider::LoadBitmaps(LPCSTR channelPath, LPCSTR thumbPath, COLORREF transparent, BOOL transparentFlag)
{
    return LoadBitmaps(CSkinPicture(channelPath), CSkinPicture(thumbPath), transparent, transparentFlag);
}

void CSkinSlider::SetPosition(int x, int y)
{
    m_x = x;
    m_y = y;
}

BOOL CSkinSlider::SetHorizontal(BOOL horizontal)
{
    BOOL previous = m_horizontal;
    m_horizontal = horizontal;
    return previous;
}

int CSkinSlider::SetThumbLength(int length)
{
    CSliderCtrl::SetThumbLength(length);
    return GetThumbLength();
}

void CSkinSlider::PreSubclassWindow()
{
    ModifyStyle(m_horizontal ? TBS_VERT : 0, TBS_FIXEDLENGTH | (m_horizontal ? 0 : TBS_VERT));
    CSize channel = m_pictures.ChannelSize();
    SetWindowPos(NULL, m_x, m_y, channel.cx, channel.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    // The trackbar's thumb as thick as the thumb bitmap, so the bitmap fills it.
    CSize thumb = m_pictures.ThumbSize();
    if (thumb.cx > 0)
        SetThumbLength(m_horizontal ? thumb.cy : thumb.cx);
    CSliderCtrl::PreSubclassWindow();
}

void CSkinSlider::Draw(CDC* dc)
{
    CRect client, thumb;
    GetClientRect(&client);
    GetThumbRect(&thumb);
    m_pictures.Draw(dc, client, thumb);
}

void CSkinSlider::OnPaint()
{
    CPaintDC paint(this);
    Draw(&paint);
}

BOOL CSkinSlider::OnEraseBkgnd(CDC* dc)
{
    (void)dc;
    return TRUE; // painting covers the whole control
}
