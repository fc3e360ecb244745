#include "app/MSelectList.h"

MSelectList::MSelectList() : m_nLeftInset(1), m_nRightInset(1)
{
    m_crHighlight = RGB(255, 0, 0);
    m_nNotifyCode = kNotifySelectList;
}

int MSelectList::OnKey(UINT vk, LPARAM)
{
    if (vk == kOsdKeyLeft) {
        Prev();
        return kOsdHandled;
    }
    if (vk == kOsdKeyRight) {
        Next();
        return kOsdHandled;
    }
    return kOsdNotHandled;
}

int MSelectList::SetState(int index)
{
    const int count = GetOptionCount();
    if (count == 0)
        index = 0;
    else if (index < 0)
        index = count - 1;
    else if (index >= count)
        index = 0;
    return MBasicWnd::SetState(index);
}

void MSelectList::AddOption(LPCSTR text)
{
    m_options.Add(text ? text : "");
    Redraw();
}

void MSelectList::AddOptions(const CStringArray& texts)
{
    for (INT_PTR i = 0; i < texts.GetSize(); ++i)
        m_options.Add(texts[i]);
    Redraw();
}

void MSelectList::AddOptions(const LPCSTR* texts, int count)
{
    for (int i = 0; texts != NULL && i < count; ++i)
        m_options.Add(texts[i] ? texts[i] : "");
    Redraw();
}

void MSelectList::RemoveOption(int index)
{
    if (index < 0 || index >= GetOptionCount())
        return;
    m_options.RemoveAt(index);
    if (m_nState >= GetOptionCount())
        m_nState = GetOptionCount() > 0 ? GetOptionCount() - 1 : 0;
    Redraw();
}

void MSelectList::ClearOptions()
{
    m_options.RemoveAll();
    m_nState = 0;
    Redraw();
}

CString MSelectList::GetCurText() const
{
    return GetOptionText(m_nState);
}

CString MSelectList::GetOptionText(int index) const
{
    if (index < 0 || index >= GetOptionCount())
        return CString();
    return m_options[index];
}

int MSelectList::Prev()
{
    const int previous = SetState(m_nState - 1);
    if (CWnd* row = GetParent())
        row->Invalidate(FALSE);
    return previous;
}

int MSelectList::Next()
{
    const int previous = SetState(m_nState + 1);
    if (CWnd* row = GetParent())
        row->Invalidate(FALSE);
    return previous;
}

BOOL MSelectList::LoadBitmaps(UINT leftId, UINT leftHighlightedId, UINT rightId, UINT rightHighlightedId)
{
    CBitmap* const all[] = {&m_bmpLeft, &m_bmpLeftHighlighted, &m_bmpRight, &m_bmpRightHighlighted};
    const UINT ids[] = {leftId, leftHighlightedId, rightId, rightHighlightedId};
    for (int i = 0; i < 4; ++i) {
        all[i]->DeleteObject();
        if (!all[i]->LoadBitmap(ids[i])) {
            for (CBitmap* bitmap : all)
                bitmap->DeleteObject();
            return FALSE;
        }
    }
    m_nLeftInset = m_bmpLeft.GetSize().cx;
    m_nRightInset = m_bmpRight.GetSize().cx;
    if (m_hWnd != NULL) {
        CRect client;
        GetClientRect(&client);
        SetWindowPos(NULL, 0, 0, client.Width(), m_bmpRight.GetSize().cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

void MSelectList::Draw(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    if (m_bmpLeft.m_hObject != NULL) {
        BlitBitmap(dc, m_bHighlight ? &m_bmpLeftHighlighted : &m_bmpLeft, 0, 0, client.Width(), client.Height());
        BlitBitmap(dc, m_bHighlight ? &m_bmpRightHighlighted : &m_bmpRight, client.Width() - m_nRightInset, 0,
                   m_nRightInset, client.Height());
    }
    if (m_nState < 0 || m_nState >= GetOptionCount())
        return;
    const CRect between(m_nLeftInset, 0, client.Width() - m_nRightInset, client.Height());
    DrawTextIn(dc, m_options[m_nState], between, TRUE, CurrentTextColor());
}
