#include "app/MEdit.h"

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
    CString text;
    text.Format("%d", m_nValue);
    DrawTextIn(dc, text, client, TRUE, m_nState ? m_crOn : CurrentTextColor());
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
