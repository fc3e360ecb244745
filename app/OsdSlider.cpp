#include "app/OsdSlider.h"

namespace {

const COLORREF kEmptyColor = RGB(100, 100, 108);
const UINT kSliderFormat = DT_SINGLELINE | DT_BOTTOM;
const char kStroke = '|';

} // namespace

BEGIN_MESSAGE_MAP(COsdSlider, COsd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

COsdSlider::COsdSlider() : m_value(0), m_emptyColor(kEmptyColor), m_barLeft(0)
{
    m_format = kSliderFormat;
}

void COsdSlider::SetValue(int percent)
{
    m_value = percent < 0 ? 0 : percent > 100 ? 100 : percent;
    if (m_hWnd != NULL)
        Invalidate(FALSE);
}

void COsdSlider::CreateShape()
{
    CFont labelFont;
    CRect textRect;
    if (!BeginShape(labelFont, textRect))
        return;
    CRgn shape;
    CRect box;
    if (!ShapeText(labelFont, ShapedText(), textRect, m_format, shape, box))
        return;
    CRgn bar;
    CRect barBox;
    if (ShapeBar(labelFont, box, textRect, bar, barBox)) {
        shape.CombineRgn(&shape, &bar, RGN_OR);
        box.UnionRect(&box, &barBox);
    }
    ApplyShape(shape, box);
}

// The bar: as many strokes of a font two thirds the label's height as fit
// between the label and the text rectangle's right edge, centred on the
// label's line.
BOOL COsdSlider::ShapeBar(CFont& labelFont, const CRect& labelBox, const CRect& textRect, CRgn& bar,
                          CRect& barBox)
{
    m_barLeft = labelBox.right + kBarGap;
    CRect barRect(m_barLeft, labelBox.top, textRect.right, labelBox.bottom);
    LOGFONTA description;
    CFont strokeFont;
    if (barRect.Width() <= 0 || labelFont.GetLogFont(&description) == 0)
        return FALSE;
    description.lfHeight = description.lfHeight * 2 / 3;
    if (!strokeFont.CreateFontIndirect(&description))
        return FALSE;
    int strokeWidth = 0;
    {
        CClientDC dc(this);
        CDCSelect select(dc, strokeFont);
        strokeWidth = dc.GetTextExtent(&kStroke, 1).cx;
    }
    if (strokeWidth <= 0 || barRect.Width() < strokeWidth)
        return FALSE;
    const CString strokes(kStroke, barRect.Width() / strokeWidth);
    return ShapeText(strokeFont, strokes, barRect, DT_SINGLELINE | DT_VCENTER, bar, barBox);
}

void COsdSlider::OnPaint()
{
    CPaintDC dc(this);
    FillClient(dc, m_color);
    CRect client;
    GetClientRect(&client);
    CRect empty = client;
    empty.left = m_barLeft + m_value * (client.right - m_barLeft) / 100;
    if (empty.left < empty.right)
        dc.FillSolidRect(&empty, m_emptyColor);
}
