#include "app/MItemWnd.h"

#include "graph/WindowMessages.h"

BEGIN_MESSAGE_MAP(MItemWnd, CWnd)
    ON_MESSAGE(WM_OSD_KEY, OnOsdKey)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

MItemWnd::MItemWnd()
    : m_bFocused(FALSE), m_nCurrent(0), m_bShared(TRUE), m_pSharedNormal(NULL), m_pSharedFocused(NULL)
{
}

MItemWnd::~MItemWnd()
{
    // The widgets' windows go before the row's.
    m_widgets.clear();
}

BOOL MItemWnd::Create(const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(NULL, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, id);
}

void MItemWnd::AddWidget(std::unique_ptr<MBasicWnd> widget)
{
    if (widget) {
        widget->SetHighlight(m_bFocused);
        m_widgets.push_back(std::move(widget));
    }
}

MBasicWnd* MItemWnd::GetWidget(int index) const
{
    if (index < 0 || index >= GetWidgetCount())
        return NULL;
    return m_widgets[index].get();
}

int MItemWnd::SetCurrentWidget(int index)
{
    const int previous = m_nCurrent;
    if (index < 0)
        index = GetWidgetCount() - 1;
    else if (index >= GetWidgetCount())
        index = 0;
    m_nCurrent = index < 0 ? 0 : index;
    return previous;
}

BOOL MItemWnd::SetFocused(BOOL focused)
{
    focused = focused ? TRUE : FALSE;
    if (focused == m_bFocused)
        return m_bFocused;
    m_bFocused = focused;
    for (const auto& widget : m_widgets)
        widget->SetHighlight(focused);
    if (m_hWnd != NULL)
        Invalidate(FALSE);
    return m_bFocused;
}

void MItemWnd::SizeTo(const CBitmap* bitmap)
{
    if (m_hWnd == NULL || bitmap == NULL || bitmap->m_hObject == NULL)
        return;
    const CSize size = bitmap->GetSize();
    SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL MItemWnd::LoadBitmaps(UINT normalId, UINT focusedId)
{
    m_bmpNormal.DeleteObject();
    m_bmpFocused.DeleteObject();
    m_bShared = FALSE;
    const BOOL loaded = m_bmpNormal.LoadBitmap(normalId) && m_bmpFocused.LoadBitmap(focusedId);
    SizeTo(&m_bmpNormal);
    return loaded;
}

void MItemWnd::SetSharedBitmaps(const CBitmap* normal, const CBitmap* focused)
{
    m_pSharedNormal = normal;
    m_pSharedFocused = focused;
    m_bShared = TRUE;
    SizeTo(normal);
}

BOOL MItemWnd::SetUseSharedBitmaps(BOOL shared)
{
    const BOOL previous = m_bShared;
    m_bShared = shared;
    return previous;
}

void MItemWnd::Draw(CDC* dc)
{
    const CBitmap* bitmap = m_bShared ? (m_bFocused ? m_pSharedFocused : m_pSharedNormal)
                                      : (m_bFocused ? &m_bmpFocused : &m_bmpNormal);
    CRect client;
    GetClientRect(&client);
    if (bitmap == NULL || bitmap->m_hObject == NULL)
        dc->FillSolidRect(&client, m_bFocused ? RGB(40, 90, 160) : RGB(30, 40, 55));
    else
        BlitBitmap(dc, bitmap, 0, 0, client.Width(), client.Height());
}

// Up and Down are the current widget's (its 0 becomes 1: a value changed);
// Left and Right try each widget once from the current one, stepping the
// text cursor past the widgets that pass them on; every other key, Enter
// included, is the panel's.
int MItemWnd::OnKey(UINT vk, LPARAM lParam)
{
    switch (vk) {
    case kOsdKeyUp:
    case kOsdKeyDown: {
        const int answer = SendOsdKey(GetWidget(m_nCurrent), vk, lParam);
        return answer == kOsdHandled ? kOsdChanged : answer;
    }
    case kOsdKeyLeft:
    case kOsdKeyRight:
        return TryWidgets(vk, lParam);
    default:
        return kOsdNotHandled;
    }
}

int MItemWnd::TryWidgets(UINT vk, LPARAM lParam)
{
    for (int tries = 0; tries < GetWidgetCount(); ++tries) {
        const int answer = SendOsdKey(GetWidget(m_nCurrent), vk, lParam);
        if (answer != kOsdNotHandled)
            return answer == kOsdHandled ? kOsdChanged : answer;
        StepCurrentWidget(vk == kOsdKeyRight);
    }
    return kOsdNotHandled;
}

void MItemWnd::OnPaint()
{
    PaintBuffered(this, [this](CDC* dc) { Draw(dc); });
    // The widgets draw over the band again.
    for (const auto& widget : m_widgets)
        if (widget->m_hWnd != NULL)
            widget->Invalidate(FALSE);
}

LRESULT MItemWnd::OnPrintClient(WPARAM dc, LPARAM)
{
    CTempDC target((HDC)dc);
    Draw(&target);
    return 0;
}
