#include "app/MEdit.h"

namespace {

int DigitsOf(int value)
{
    int digits = 1;
    for (; value >= 10; value /= 10)
        ++digits;
    return digits;
}

} // namespace

MEdit::MEdit() : m_crBack(RGB(255, 255, 255)), m_crOn(RGB(0, 0, 0)), m_nValue(0), m_nMin(0), m_nMax(100)
{
    m_nNotifyCode = kNotifyEdit;
}

int MEdit::OnKey(UINT vk, LPARAM)
{
    switch (vk) {
    case kOsdKeyLeft:
    case kOsdKeyRight:
        if (m_nState) {
            SetState(0);
            return kOsdNotHandled;
        }
        SetState(1);
        return kOsdHandled;
    case kOsdKeyUp:
        Increment();
        return kOsdHandled;
    case kOsdKeyDown:
        Decrement();
        return kOsdHandled;
    default:
        return kOsdNotHandled;
    }
}

void MEdit::Draw(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    if (m_bHighlight)
        dc->FillSolidRect(&client, m_crBack);
    DrawTextIn(dc, GetValueText(), client, TRUE, m_nState ? m_crOn : CurrentTextColor());
}

CString MEdit::GetValueText() const
{
    // As wide as the largest value, so that 15:04 does not read as 15:4.
    CString text;
    text.Format("%0*d", m_nMin >= 0 ? DigitsOf(m_nMax) : 1, m_nValue);
    return text;
}

void MEdit::SetRange(int minimum, int maximum)
{
    m_nMin = minimum;
    m_nMax = maximum;
    SetValue(m_nValue);
}

int MEdit::SetValue(int value)
{
    const int previous = m_nValue;
    m_nValue = ClampToRange(value, m_nMin, m_nMax);
    Redraw();
    return previous;
}
