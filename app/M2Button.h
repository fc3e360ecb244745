// M2Button: an on-screen menu widget that shows a text over one of two
// bitmaps (the second while highlighted); the panels' row labels. Its state
// is the start of the row's text cursor (see OnKey). Owned by its row; UI
// thread.
#pragma once
#include "app/MBasicWnd.h"

class M2Button : public MBasicWnd
{
public:
    M2Button();

    // Left and Right: off -> on, passed on (2); on -> off, handled (0).
    int OnKey(UINT vk, LPARAM lParam) override;
    void Draw(CDC* dc) override;
    // Both bitmaps, the widget sized to the normal one; FALSE when one
    // does not load (then neither is drawn).
    BOOL LoadBitmaps(UINT normalId, UINT highlightedId);

private:
    CBitmap m_bmpNormal;
    CBitmap m_bmpHighlighted;
};
