// MEdit: an on-screen menu widget that holds a number within a range; Up
// and Down change it, Left and Right move the row's text cursor onto and
// off it (its state is on while the cursor stands on it). The date and
// time fields of the power-off panel and the schedule editor. Owned by its
// row; UI thread.
#pragma once
#include "app/MBasicWnd.h"

class MEdit : public MBasicWnd
{
public:
    MEdit();

    // Left and Right: off -> on, handled (0); on -> off, passed on (2).
    // Up and Down: one more or less, clamped, handled.
    int OnKey(UINT vk, LPARAM lParam) override;
    void Draw(CDC* dc) override;

    // Both clamp the value into the range; SetValue returns the previous value.
    void SetRange(int minimum, int maximum);
    int SetValue(int value);
    int GetValue() const { return m_nValue; }
    // The value as drawn: padded with zeros to the digits of the maximum.
    CString GetValueText() const;
    void GetRange(int& minimum, int& maximum) const { minimum = m_nMin; maximum = m_nMax; }
    // By one, clamped, no wrap; the new value.
    int Increment() { SetValue(m_nValue + 1); return m_nValue; }
    int Decrement() { SetValue(m_nValue - 1); return m_nValue; }
    void SetBackColor(COLORREF color) { m_crBack = color; }
    void SetOnColor(COLORREF color) { m_crOn = color; }

private:
    COLORREF m_crBack;
    COLORREF m_crOn;
    int m_nValue;
    int m_nMin;
    int m_nMax;
};
