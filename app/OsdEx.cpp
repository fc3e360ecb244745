#include "app/OsdEx.h"

void COsdEx::CreateShape()
{
    CFont font;
    CRect textRect;
    if (!BeginShape(font, textRect))
        return;
    CRgn total;
    if (!total.CreateRectRgn(0, 0, 0, 0))
        return;
    CRect totalBox(0, 0, 0, 0);
    const CString text = ShapedText();
    // Lines that would start below the text rectangle cannot show.
    for (int start = 0; start < text.GetLength() && textRect.top < textRect.bottom;) {
        int end = text.Find('\n', start);
        if (end < 0)
            end = text.GetLength();
        const CString line = text.Mid(start, end - start);
        start = end + 1;
        if (line.IsEmpty())
            continue;
        CRgn glyphs;
        CRect box;
        if (!ShapeText(font, line, textRect, m_format, glyphs, box))
            continue;
        total.CombineRgn(&total, &glyphs, RGN_OR);
        totalBox.UnionRect(&totalBox, &box);
        textRect.top += box.Height();
    }
    ApplyShape(total, totalBox);
}
