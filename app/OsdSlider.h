// COsdSlider: an on-screen label followed by a bar of vertical strokes; the
// strokes left of the value show in the text's colour, the rest in the
// empty part's colour. UI thread.
#pragma once
#include "app/Osd.h"

class COsdSlider : public COsd
{
public:
    COsdSlider();

    // Kept between 0 and 100; repaints the bar.
    void SetValue(int percent) override;
    int GetValue() const { return m_value; }
    COLORREF GetEmptyColor() const { return m_emptyColor; }
    // Where the bar starts, in client coordinates (after shaping).
    int GetBarLeft() const { return m_barLeft; }

    // Space between the label and the bar.
    static const int kBarGap = 10;

protected:
    void CreateShape() override;
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    BOOL ShapeBar(CFont& labelFont, const CRect& labelBox, const CRect& textRect, CRgn& bar,
                  CRect& barBox);

    int m_value;
    COLORREF m_emptyColor;
    int m_barLeft;
};
