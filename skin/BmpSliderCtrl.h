// CBmpSliderCtrl: a trackbar painted over the piece of its parent's
// background picture that lies under it, with a masked thumb bitmap: the
// left half of the thumb bitmap is the image (black where the background
// shows), the right half the mask (white where the background shows). The
// trackbar's mouse, keys and notifications stay its own. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class CBmpSliderCtrl : public CSliderCtrl
{
public:
    CBmpSliderCtrl();
    ~CBmpSliderCtrl() override {}

    // Either id may be 0 (that bitmap is not drawn). The background is a
    // picture of the parent's whole client area: the piece under the control
    // is kept and the picture freed. Needs the window; FALSE when a bitmap
    // asked for does not load.
    BOOL LoadBitmaps(UINT backgroundId, UINT thumbId);
    void SetThumbLength(int length) { CSliderCtrl::SetThumbLength(length); }
    int GetThumbLength() const { return CSliderCtrl::GetThumbLength(); }

protected:
    void PreSubclassWindow() override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    DECLARE_MESSAGE_MAP()

private:
    void DrawThumb(CDC& dc);

    int m_thumbHeight;
    int m_thumbWidth;
    CRect m_rect; // in the parent's client coordinates
    CBitmap m_thumb;
    CBitmap m_background; // the control-sized piece of the parent's picture
};
