// MRangeWnd: the part the on-screen menu's progress bar and slider share:
// a position within a range that Left and Right move by a step, drawn as a
// fill or a thumb over a background bitmap with the position written over
// it. Owned by its row; UI thread.
#pragma once
#include "app/MBasicWnd.h"

class MRangeWnd : public MBasicWnd
{
public:
    // Left and Right: the position less or plus the step, clamped, handled.
    int OnKey(UINT vk, LPARAM lParam) override;

    // The position is clamped into the range.
    void SetRange(int minimum, int maximum);
    void GetRange(int& minimum, int& maximum) const { minimum = m_nMin; maximum = m_nMax; }
    // Each returns the previous position.
    int SetPos(int position);
    int OffsetPos(int delta) { return SetPos(m_nPos + delta); }
    int StepIt() { return SetPos(m_nPos + m_nStep); }
    int GetPos() const { return m_nPos; }
    int GetStep() const { return m_nStep; }
    // The position's place in the range, 0 to 100; 0 for a range of no width.
    int GetPercent() const { return RangePercent(m_nPos, m_nMin, m_nMax); }

protected:
    explicit MRangeWnd(int step);
    // Both bitmaps by id, the widget sized to the background; FALSE when one
    // does not load (then neither is drawn).
    BOOL LoadRangeBitmaps(UINT backgroundId, UINT markId);
    BOOL HasBitmaps() const { return m_bmpBack.m_hObject != NULL && m_bmpMark.m_hObject != NULL; }
    // The position as "%d", centred in `rect` (the client area by default).
    void DrawPosition(CDC* dc);
    void DrawPosition(CDC* dc, const CRect& rect);

    CBitmap m_bmpBack;
    CBitmap m_bmpMark;
    int m_nMin;
    int m_nMax;
    int m_nPos;
    int m_nStep;
};
