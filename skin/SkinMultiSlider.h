// CSkinMultiSlider: the skin's range bar (the control panel's time-shift
// bar). A static of the template drawn as a track with a selection band
// (what is buffered) and a thumb (where playback reads), all in 64-bit
// positions mapped onto the pixels STARTEDGE..ENDEDGE of the track. A drag
// of the thumb or a click in the band moves the position and tells the
// parent with WM_HSCROLL, code 255 and the control's window handle. Owned by
// the skin manager; UI thread.
#pragma once
#include "skin/SkinSlider.h"

class CSkinMultiSlider : public CStatic
{
public:
    // The scroll code of the parent's WM_HSCROLL.
    static const UINT kScrollCode = 255;

    CSkinMultiSlider();
    ~CSkinMultiSlider() override;

    // Both bitmaps required, and a track of at least one pixel
    // (ENDEDGE above STARTEDGE).
    BOOL LoadBitmaps(UINT channelId, UINT thumbId, int startEdge, int endEdge, int middleLine, int middleHeight,
                     COLORREF transparent, BOOL transparentFlag);
    BOOL LoadBitmaps(LPCSTR channelPath, LPCSTR thumbPath, int startEdge, int endEdge, int middleLine,
                     int middleHeight, COLORREF transparent, BOOL transparentFlag);
    BOOL LoadBitmaps(const CSkinPicture& channel, const CSkinPicture& thumb, int startEdge, int endEdge,
                     int middleLine, int middleHeight, COLORREF transparent, BOOL transparentFlag);

    // FALSE when end < start; selection and position stay.
    BOOL SetRange(LONGLONG start, LONGLONG end, BOOL redraw = TRUE);
    // FALSE unless both ends lie in the range and start <= end.
    BOOL SetSelection(LONGLONG start, LONGLONG end, BOOL redraw = TRUE);
    // FALSE unless the position lies in the selection.
    BOOL SetPos(LONGLONG position, BOOL redraw = TRUE);
    // The position moved by delta and kept in the selection.
    BOOL OffsetPos(LONGLONG delta, BOOL redraw = TRUE);
    LONGLONG GetPos() const { return m_position; }
    void GetRange(LONGLONG& start, LONGLONG& end) const { start = m_rangeStart; end = m_rangeEnd; }
    void GetSelection(LONGLONG& start, LONGLONG& end) const { start = m_selStart; end = m_selEnd; }
    BOOL GetThumbRect(LPRECT rect) const;
    // FALSE when there is no band to show (an empty range or selection).
    BOOL GetSelectionRect(LPRECT rect) const;
    // Shown over the control; the control keeps a copy (NULL: none).
    void SetCursor(HCURSOR cursor);
    void SetHorizontal(BOOL horizontal) { m_horizontal = horizontal; }
    void SetPosition(int x, int y);
    void SetPosition(POINT point) { SetPosition(point.x, point.y); }

    virtual void Draw(CDC* dc);

protected:
    void PreSubclassWindow() override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnCaptureChanged(CWnd* other);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    CSize ThumbSize() const { return m_pictures.ThumbSize(); }
    int Along(CPoint point) const { return m_horizontal ? point.x : point.y; }
    LONGLONG TrackLength() const { return (LONGLONG)m_endEdge - m_startEdge; }
    LONGLONG Span() const;
    void Changed(BOOL redraw);
    void NotifyParent();

    int m_x;
    int m_y;
    COLORREF m_bandColour;
    int m_startEdge;
    int m_endEdge;
    int m_middleLine;
    int m_middleHeight;
    BOOL m_horizontal;
    CSkinTrackPictures m_pictures;
    LONGLONG m_selStart;
    LONGLONG m_selEnd;
    LONGLONG m_rangeStart;
    LONGLONG m_rangeEnd;
    LONGLONG m_position;
    BOOL m_dragging;
    int m_last; // the last pointer coordinate along the track that moved the thumb
    HCURSOR m_cursor; // our own copy
};
